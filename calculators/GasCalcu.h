#pragma once

// "Gas calculations": how long a tank lasts at a depth, and how much gas a
// stay of some minutes takes, one page each with the answer as a paragraph.

#include "calculators/GasNeedsRequest.h"
#include "widgets/ChildForm.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

class TfmGasCalc final : public TChildForm
{
    Q_OBJECT
public:
    explicit TfmGasCalc(ChildHost &host, QWidget *parent = nullptr);

    void SwitchMeIm();
    void MetricClick();
    void GasChange();
    void NDepthChange();
    // The "how much air" question of `request`, in its unit system,
    // answered on its page.
    void apply(const GasNeedsRequest &request);

protected:
    void unitSwitch() override { MetricClick(); }

private:
    QWidget *createStayPage();
    QWidget *createNeedPage();
    void connectEvents();

    QCheckBox *Metric;
    QTabWidget *PageControl1;
    QComboBox *Gas = nullptr;
    QComboBox *PSI = nullptr;
    QLabel *PressureEnhLabel = nullptr;
    QComboBox *Bre_Rate = nullptr;
    QSpinBox *Depth = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label6 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *BitBot1 = nullptr;
    QSpinBox *NDepth = nullptr;
    QSpinBox *N_Time = nullptr;
    QComboBox *NBre_rate = nullptr;
    QLabel *Label9 = nullptr;
    QLabel *Label13 = nullptr;
    QPlainTextEdit *Memo2 = nullptr;
    QPushButton *BitBot2 = nullptr;
};
