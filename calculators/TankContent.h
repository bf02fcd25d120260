#pragma once

// "Tank content": how much gas is left in a tank at its current pressure.

#include "widgets/ChildForm.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

class TfmTankContent final : public TChildForm
{
    Q_OBJECT
public:
    explicit TfmTankContent(ChildHost &host, QWidget *parent = nullptr);

    void MetricClick();
    void PSI1Change();
    void DataChange();
    void closeSteps() override;

protected:
    void unitSwitch() override { MetricClick(); }

private:
    void sendResult();

    QCheckBox *Metric;
    QComboBox *PSI1;
    QComboBox *Tanksize1;
    QLineEdit *CurrentPressure;
    QSlider *TrackBar1;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label6;
    QLabel *Label7;
    QLabel *Label8;
    QLabel *Label9;
    QPushButton *BitBot1;
};
