#pragma once

// "Gas blending worksheet": how much helium, oxygen and top-off gas to add
// to a tank, or how much to drain first, to turn its content into the
// desired mix by partial-pressure filling. The arithmetic is BlendWorksheet's.

#include "blending/BlendRequest.h"
#include "blending/model/BlendMath.h"
#include "widgets/ChildForm.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabWidget;

class TfmParticialPressureMix final : public TChildForm
{
    Q_OBJECT
public:
    explicit TfmParticialPressureMix(ChildHost &host, QWidget *parent = nullptr);

    void MetricClick();
    void FillBoxes();
    void AutoCalcClick();
    void EmptyAutoCalcClickClick();
    void EmptytankCheckClick();
    void TotalGasChange();
    void MainFormular();
    void CalcDrain();
    void FillGasRadioClick();
    void FillGasFractionO2Change();
    // "&Load Mix": the gas mix editor, to look mixes up.
    void LoadMix();
    // Takes `request`'s unit system, pressure and mix into the desired
    // boxes, names its gas and diver in the caption and computes the fill.
    void apply(const BlendRequest &request);

    QList<MergedMenu> mergedMenus() const override;

protected:
    void unitSwitch() override { MetricClick(); }

private:
    BlendSheet readSheet() const;
    void showSheet(const BlendSheet &sheet);
    // Runs one of the worksheet's computations on the boxes' texts and shows
    // what it wrote, also when it fails part way.
    void compute(void (BlendWorksheet::*step)());
    QMenu *mixMenu();
    QWidget *buildMixPage();
    QLayout *buildFillAndResults();
    void connectEvents();

    QTabWidget *const PageControl1;
    QComboBox *const PSIG;
    QComboBox *const xFo2;
    QComboBox *const xFHe;
    QComboBox *const xFN2;
    QCheckBox *const AutoCalc;
    QProgressBar *const Gauge2;
    QLabel *const Gauge2Label;
    QComboBox *const PSI;
    QComboBox *const CurrentxFO2;
    QComboBox *const CurrentxFHe;
    QComboBox *const CurrentxFN2;
    QCheckBox *const EmptytankCheck;
    QCheckBox *const EmptyAutoCalcClick;
    QProgressBar *const Gauge1;
    QLabel *const Gauge1Label;
    QGroupBox *const FillGasRadio;
    QRadioButton *const AirRadio;
    QRadioButton *const EanxRadio;
    QComboBox *const FillGasFractionO2;
    QLineEdit *const TargetAir;
    QLabel *const TargetAirLabel;
    QLineEdit *const TargetO2;
    QLineEdit *const TargetHe;
    QLineEdit *const DrainAir;
    QCheckBox *const Metric;
    QCheckBox *const CheckBox1;
    QCheckBox *const CheckBox2;
    QPushButton *const SpeedButton1;
    QPushButton *const SpeedButton2;
    QStatusBar *const StatusBar1;
    QLabel *const Label1;
    QLabel *const Label2;

    QFrame *m_currentBevel = nullptr;
    QMenu *m_worksheetMenu = nullptr;
};
