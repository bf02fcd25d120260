#pragma once

// "Surface Air Consumption": a breathing test (gas used over some minutes
// at a depth) turned into the rate at the surface, as volume and pressure
// per minute, with the volume rate in the other unit system too.

#include "widgets/ChildForm.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSlider;
class QSpinBox;

class TfmPSIToCuFtSAC final : public TChildForm
{
    Q_OBJECT
public:
    explicit TfmPSIToCuFtSAC(ChildHost &host, QWidget *parent = nullptr);

    void MetricClick();
    void Calculate();
    void closeSteps() override;

protected:
    void unitSwitch() override { MetricClick(); }

private:
    void connectEvents();
    void sendResult();

    QCheckBox *Metric;
    QComboBox *Tanksize;
    QComboBox *PSI;
    QProgressBar *TankGauge;
    QSpinBox *Depth;
    QLineEdit *GasUsed;
    QLineEdit *GasUsedOverMin;
    QSlider *TrackBar1;
    QSlider *TrackBar2;
    QLabel *MyResult;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label5;
    QLabel *Label6;
    QLabel *Label7;
    QGroupBox *GroupBox4;
    QPushButton *BitBot1;
};
