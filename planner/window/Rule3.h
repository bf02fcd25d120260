#pragma once

// "Dive planning with 'Rule of Third'": the planner window. It holds every
// input of a PlanModel on the lower pages, shows the model's results on the
// upper pages, a schematic profile and status lines, and offers the plan's
// file, report, print and blending commands. The window only moves texts
// between its controls and the model: each input event reads the controls
// into the model, runs the model's handler once and shows the model again.

#include "planner/model/DiverRecords.h"
#include "planner/model/PlanModel.h"
#include "widgets/ChildForm.h"

#include <array>
#include <functional>
#include <optional>

#include <QPoint>
#include <QRect>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStatusBar;
class QTabWidget;
class TDocPanel;
class ProfileGraphic;

// Where a new blending worksheet of `sheet` size goes: just right of the
// planner's frame, `offset` pixels below its top, when it ends within the
// screen width less 200 pixels; nothing when it does not fit.
std::optional<QPoint> WorksheetPlace(const QRect &planner, const QSize &sheet, int screenWidth, int offset);

// Asks for a plan file to load, as "&Load dive plan" does; empty when cancelled.
QString AskDivePlanToLoad();

class TfmRuleOfThird final : public TChildForm
{
    Q_OBJECT
public:
    explicit TfmRuleOfThird(ChildHost &host, QWidget *parent = nullptr);
    ~TfmRuleOfThird() override;

    // The plan the window shows; the printed worksheet reads it.
    PlanModel &plan() { return m_plan; }
    const PlanModel &plan() const { return m_plan; }

    // Reads a plan file into the window (a wrong or missing file is
    // reported on the main status line) and shows it.
    void LoadDive(const QString &fileName);

    QList<MergedMenu> mergedMenus() const override;
    bool closeQuery() override;
    void closeSteps() override;

protected:
    void unitSwitch() override { MetricClick(); }
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // --- Input events: each runs the model's recalculation once ---------------
    void DepthChange();
    void MetricClick();
    void UseRuleOfThirdRadioClick();
    void SRFChange();
    void AscentRateEditChange();
    void UseSuggestedGasCheckBoxClick();
    void SetO2ValueClick(int oxygenPercent);
    void DiverNameChange();
    // The alarm's correction: one more recalculation.
    void AlarmShapeClick();

    // --- Commands ---------------------------------------------------------------
    void Loaddive11Click();
    void Saveas1Click();
    void CalculateButtonClick();
    void PrintButtomClick();
    // diver 1 or 2: whose tank varies in the comparison.
    void ConsumpTankSizeClick(int diver);
    void CreateMixClick();
    void CreateTrimixButtomClick();
    void HowMuchGasBottumClick();
    void SpeedButton2Click();
    // The plan's stops from the decompression model (Rule3Deco.cpp).
    void ComputeStopsButtonClick();

    // The printed worksheet's preview.
    void PreviewDivePlanClick();

    // Page builders (Rule3Pages.cpp, Rule3Results.cpp).
    QWidget *createDivePage();
    QWidget *createReservesPage();
    QWidget *createDecompressionPage();
    QWidget *createNarcosisPage();
    QWidget *createSpeedPage();
    QWidget *createDiveMembersPage();
    QWidget *createBottomInformationPage();
    QWidget *createVisualizationPage();
    QWidget *createDiveTeamPage();
    QWidget *createGasSuggestionsPage();
    QWidget *createOutputPage();
    QGroupBox *createDiverBox(int diver);
    void addDecoModelControls(QWidget *page, QGridLayout *grid);
    void createToolbar();
    void createMenus();

    // Event wiring (Rule3Wiring.cpp).
    void connectEvents();
    void connectDiverRecords();
    // Reads the controls into the model, runs `step`, shows the model.
    void run(const std::function<void()> &step);
    void readInputs();
    // Beeps, tells the main status line and turns the page as WarningOf says.
    void warnOfSrf(SrfProblem problem);

    // Showing the model (Rule3Show.cpp).
    void showPlan();
    void showInputs();
    void showResults();
    void showGraphic();
    void showRecords();
    void fillUnitLists();
    void showUnitLabels();
    // Whether the plan's stops clear the model's ceiling (Rule3Deco.cpp).
    void showDecoModelCheck();
    void showPage(QTabWidget *pages, const QString &name);
    QString pageName(const QTabWidget *pages) const;

    // A blending worksheet for the suggested gas, asking whose tank it fills
    // when the divers' pressures differ, placed beside the planner.
    void openWorksheet(const QString &oxygen, const QString &helium, const QString &nitrogen, const QString &gasName);

    PlanModel m_plan;
    DiverRecords m_records;
    bool m_showing = false;       // the window writes its controls: change events do nothing
    bool m_listsSwitched = false; // the unit lists hold the unit system's lists, not the form's
    bool m_listsMetric = false;   // the unit system the lists were filled for
    int m_worksheetOffset = 0;    // how far the next blending worksheet is placed down

    // --- Controls, by their names: tests and users find them by these names --------
    QCheckBox *Metric = nullptr;
    TDocPanel *DocPanel1 = nullptr;
    QTabWidget *LowerPageControl = nullptr;
    QTabWidget *UpperPageControl = nullptr;
    QStatusBar *MsgStatusBar = nullptr; // the message line: messages show as its current message

    // Dive
    QSpinBox *Depth = nullptr;
    QLabel *Label16 = nullptr;
    QSpinBox *BottomMixO2 = nullptr;
    QMenu *PopupMenu1 = nullptr;
    QComboBox *PO2 = nullptr;
    QLineEdit *MODBottomGasEdit = nullptr;
    QLineEdit *EAD = nullptr;
    QLabel *ModUnitLabel = nullptr;
    QLabel *EadUnitLabel = nullptr;
    QPushButton *UseSuggestedGasButton = nullptr;

    // Reserves
    QRadioButton *UseRuleOfThirdRadio = nullptr;
    QRadioButton *UsedFixedPressureReserveRadio = nullptr;
    QLineEdit *SRF = nullptr;
    QCheckBox *OnlyDiver1 = nullptr;
    QComboBox *ReservePressure = nullptr;
    QLabel *ReservePressureUnit = nullptr;
    QProgressBar *ReserveBar = nullptr;

    // Decompression
    QCheckBox *Decom1Check = nullptr, *Decom2Check = nullptr, *Decom3Check = nullptr;
    QSpinBox *DecoDepth1 = nullptr, *DecoDepth2 = nullptr, *DecoDepth3 = nullptr;
    QSpinBox *DecoTime1 = nullptr, *DecoTime2 = nullptr, *DecoTime3 = nullptr;
    QLabel *DecoDepthUnit = nullptr;
    QSpinBox *DecoGas = nullptr;
    QCheckBox *SameAsBottomGas = nullptr;
    QLineEdit *MODDecomixEdit = nullptr;
    QPushButton *SpeedButton2 = nullptr;
    QPushButton *ComputeStopsButton = nullptr;
    QLabel *DecoModelCheck = nullptr;

    // Narcosis
    QRadioButton *LessNarcDepth10Radio = nullptr;
    QRadioButton *LessNarcDepth50Radio = nullptr;
    QRadioButton *SpecifyNarcDepthCheck = nullptr;
    QSpinBox *NarcosisDepth = nullptr;
    QLabel *NarcosisDepthUnit = nullptr;

    // Speed
    QLineEdit *Speed1 = nullptr, *Speed2 = nullptr, *AscentRateEdit = nullptr;
    QLabel *Speed1Unit = nullptr, *Speed2Unit = nullptr, *AscentRateUnit = nullptr;

    // Dive members
    QListWidget *DiversListBox = nullptr;
    QLineEdit *EdName = nullptr;
    QComboBox *EdTankSize = nullptr, *EdCertified = nullptr, *EdRMV = nullptr;
    QLabel *EdTankSizeUnit = nullptr, *EdCertifiedUnit = nullptr, *EdRMVUnit = nullptr;
    QPushButton *DiverSave = nullptr, *DiverNew = nullptr, *DiverDelete = nullptr, *SpeedButton1 = nullptr;

    // Bottom information
    QLineEdit *BestTime = nullptr, *DescentTime = nullptr, *BottomTime = nullptr, *AscentTime = nullptr,
              *TotalDecoTime = nullptr, *AscentFromDecoTime = nullptr;
    QLabel *Panel21 = nullptr, *Panel22 = nullptr;
    std::array<QLineEdit *, 2> DescentComsumption{}, BottomTimeConsumption{}, Ascent1Consumption{}, DecoConsumption{},
        Ascent2Consumption{}, TotalRunTimeConsumption{};
    QLabel *ConsumptionUnit = nullptr;
    QLineEdit *PressureInATA = nullptr, *MaxPOTwo = nullptr;

    // Visualization
    ProfileGraphic *Panel11 = nullptr;
    QLabel *Label33 = nullptr, *Label34 = nullptr, *Label35 = nullptr, *Label41 = nullptr, *Label36 = nullptr,
           *Label30 = nullptr, *Label17Depth = nullptr;
    QLabel *DescentCaption = nullptr, *BottomCaption = nullptr, *AscentCaption = nullptr, *DecoAscentCaption = nullptr,
           *DecompressionCaption = nullptr, *TotalRunCaption = nullptr;
    QLabel *Shape1 = nullptr, *Shape2 = nullptr, *Shape3 = nullptr;
    QPushButton *HowMuchGasBottum = nullptr;
    QStatusBar *TotalRunAndBottomTime = nullptr, *TotalConsumptionStatusBar = nullptr, *ReserveStatusBar = nullptr;
    QProgressBar *GasUsedVersusAvailableGasProgress = nullptr;
    QPushButton *AlarmShape = nullptr;
    QComboBox *ShowGraphicsWho = nullptr;

    // Dive team
    QProgressBar *DiverMatchProgressBar = nullptr;
    QGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr;
    std::array<QLineEdit *, 2> DiverName{};
    std::array<QComboBox *, 2> PSIBox{}, TanksizeBox{}, BRBox{};
    std::array<QLabel *, 2> PSIUnit{}, TanksizeUnit{}, BRUnit{}, ReserveUnit{};
    std::array<QLineEdit *, 2> stReserveInCuFt{}, TeoretiskAvailTime{};
    QPushButton *BitBot1 = nullptr, *BitBot2 = nullptr;

    // Gas suggestions
    QProgressBar *Gauge = nullptr;
    QGroupBox *SuggestedTrimixGroupbox = nullptr, *GroupBox5 = nullptr;
    QLineEdit *SuggestedHelium = nullptr, *SuggestedOxygen = nullptr, *SuggestedNitrogen = nullptr;
    QLineEdit *BestMix = nullptr, *LblEdit4 = nullptr;
    QPushButton *CreateTrimixButtom = nullptr, *SpeedButton4 = nullptr;

    // Output
    QPushButton *CalculateButton = nullptr, *PrintButtom = nullptr, *SpeedButton3 = nullptr;

    // Menus
    QMenu *FileMenu = nullptr, *PlanningMenu = nullptr;
    QAction *Savediveplan1 = nullptr;
};
