#pragma once

// "NITROX Fills": the best nitrox mix for a depth (or a named mix) and how
// to fill it, topped with air or as an ideal fill. The arithmetic is NitroxFill's.

#include "widgets/ChildForm.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTabWidget;

class TfmtNixtroFill final : public TChildForm
{
    Q_OBJECT
public:
    explicit TfmtNixtroFill(ChildHost &host, QWidget *parent = nullptr);

    void MetricClick();
    void GasChange();
    void BitBot1Click();

    void closeSteps() override;

    QComboBox *const PSI;
    QLabel *const Label7;
    QCheckBox *const Metric;
    QTabWidget *const PageControl;
    QSpinBox *const Depth;
    QLabel *const Label11;
    QComboBox *const PO2;
    QComboBox *const EANxCombox;
    QLabel *const Label3;
    QLabel *const Label6;
    QLabel *const Label5;
    QPushButton *const BitBot1;
    QPushButton *const OKBtn;

protected:
    void unitSwitch() override { MetricClick(); }
    // The user may close the window only with a whole number as fill pressure.
    void closeEvent(QCloseEvent *event) override;
};
