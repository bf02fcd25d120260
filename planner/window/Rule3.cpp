#include "planner/window/Rule3.h"

#include "planner/model/PlanFile.h"
#include "planner/window/ProfileGraphic.h"

#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/SettingsFile.h"
#include "widgets/Builders.h"
#include "widgets/Dialogs.h"
#include "widgets/DockLayout.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString DocPanelHint = QStringLiteral(
    "|Double-Click to dock/undock toolbar. Double click on title of floating toolbar to dock or use drag-n-drop");

} // namespace

TfmRuleOfThird::TfmRuleOfThird(ChildHost &host, QWidget *parent)
    : TChildForm(host, parent), m_records(m_plan, [](const QString &question) { return AskYesNo(question); })
{
    setWindowTitle(m_plan.view.Caption);
    Metric = ui::metricBox(this, QStringLiteral("Metric or Imperial standard"));

    LowerPageControl = ui::pageControl(this, QStringLiteral("LowerPageControl"));
    LowerPageControl->addTab(createDivePage(), QStringLiteral("Dive"));
    LowerPageControl->addTab(createReservesPage(), QStringLiteral("Reserves"));
    LowerPageControl->addTab(createDecompressionPage(), QStringLiteral("Decompression"));
    LowerPageControl->addTab(createNarcosisPage(), QStringLiteral("N² Narcosis"));
    LowerPageControl->addTab(createSpeedPage(), QStringLiteral("Speed"));
    LowerPageControl->addTab(createDiveMembersPage(), QStringLiteral("Dive members"));

    UpperPageControl = ui::pageControl(this, QStringLiteral("UpperPageControl"));
    UpperPageControl->addTab(createBottomInformationPage(), QStringLiteral("Bottom Information"));
    UpperPageControl->addTab(createVisualizationPage(), QStringLiteral("Visualization"));
    UpperPageControl->addTab(createDiveTeamPage(), QStringLiteral("Dive Team"));
    UpperPageControl->addTab(createGasSuggestionsPage(), QStringLiteral("Gas Suggestions"));
    UpperPageControl->addTab(createOutputPage(), QStringLiteral("Output"));
    UpperPageControl->setAcceptDrops(true);
    UpperPageControl->installEventFilter(this);
    UpperPageControl->tabBar()->setAcceptDrops(true);
    UpperPageControl->tabBar()->installEventFilter(this);

    MsgStatusBar = new QStatusBar(this);
    MsgStatusBar->setObjectName(QStringLiteral("MsgStatusBar"));
    MsgStatusBar->setSizeGripEnabled(false);
    setHint(MsgStatusBar, QStringLiteral("Show messages generated during calculations"));
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientPanel"));
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(4, 2, 4, 0);
    auto *header = new QHBoxLayout;
    header->addWidget(Metric);
    header->addStretch();
    layout->addLayout(header);
    layout->addWidget(UpperPageControl, 3);
    layout->addWidget(LowerPageControl, 2);
    layout->addWidget(MsgStatusBar);
    createToolbar();
    DockLayout::of(this)->setClient(client);
    createMenus();

    // Opening: the form's lists, then the program's unit system and the
    // diver records; the plan stays suspended until a plan file is loaded.
    AscentRateEdit->setText(m_plan.inputs.AscentRateEdit);
    m_listsMetric = false;
    m_records.FillComboBoxForDiverRecords();
    adoptUnitSystem(Metric);
    connectEvents();
    connectDiverRecords();
    showPlan();
}

TfmRuleOfThird::~TfmRuleOfThird() = default;

void TfmRuleOfThird::createToolbar()
{
    DocPanel1 = new TDocPanel(this);
    // Its own name: the toolbar keeps its place in a settings section of that name.
    DocPanel1->setObjectName(QStringLiteral("DivePlanToolbar"));
    DocPanel1->setTitle(QStringLiteral("Dive plan"));
    DocPanel1->setIconSize(QSize(20, 20));
    DocPanel1->setIniFile(SettingsFileName());
    setHint(DocPanel1, DocPanelHint);
    auto add = [this](const QString &name, QStyle::StandardPixmap icon, const QString &hint, auto handler) {
        QAction *action = DocPanel1->addAction(style()->standardIcon(icon), GetShortHint(hint));
        action->setObjectName(name);
        setHint(action, hint);
        connectGuarded(action, &QAction::triggered, this, handler);
        // A user (and a test) finds the button by the control's name.
        DocPanel1->buttonFor(action)->setObjectName(name);
        return action;
    };
    add(QStringLiteral("BitBot3"), QStyle::SP_DialogOpenButton, QStringLiteral("Load dive plan"),
        [this] { Loaddive11Click(); });
    add(QStringLiteral("BitBot4"), QStyle::SP_DialogSaveButton, QStringLiteral("Save dive plan"),
        [this] { Saveas1Click(); });
    add(QStringLiteral("BitBot5"), QStyle::SP_FileDialogContentsView, QStringLiteral("Print Preview dive plan"),
        [this] { PreviewDivePlanClick(); });
    add(QStringLiteral("BitBot6"), QStyle::SP_FileDialogDetailedView, QStringLiteral("Create dive plan in an editor"),
        [this] { CalculateButtonClick(); });
    add(QStringLiteral("BitBot7"), QStyle::SP_ArrowLeft, QStringLiteral("Different tanks for diver #1"),
        [this] { ConsumpTankSizeClick(1); });
    add(QStringLiteral("BitBot8"), QStyle::SP_ArrowRight, QStringLiteral("Different tanks for diver #2"),
        [this] { ConsumpTankSizeClick(2); });
    DocPanel1->Loaded();
}

void TfmRuleOfThird::createMenus()
{
    auto command = [this](QMenu *menu, const QString &name, const QString &caption, auto handler,
                          const QKeySequence &key = {}) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(name);
        if (!key.isEmpty())
            action->setShortcut(key);
        connectGuarded(action, &QAction::triggered, this, handler);
        return action;
    };
    FileMenu = new QMenu(QStringLiteral("&File"), this);
    FileMenu->setObjectName(QStringLiteral("PlanFile1"));
    command(FileMenu, QStringLiteral("PlanNew1"), QStringLiteral("&New"),
            [this] { host().openWindow(ChildKind::Notepad); });
    command(
        FileMenu, QStringLiteral("PlanOpen1"), QStringLiteral("&Open"),
        [this] { host().runCommand(ProgramCommand::OpenFile); }, Qt::Key_F2);
    FileMenu->addSeparator();
    command(FileMenu, QStringLiteral("Loaddive11"), QStringLiteral("&Load dive plan"), [this] { Loaddive11Click(); });
    Savediveplan1 = command(FileMenu, QStringLiteral("Savediveplan1"), QStringLiteral("&Save dive plan"),
                            [this] { Saveas1Click(); });
    command(FileMenu, QStringLiteral("Saveas1"), QStringLiteral("Save dive plan &as"), [this] { Saveas1Click(); });
    FileMenu->addSeparator();
    QMenu *print = FileMenu->addMenu(QStringLiteral("Print"));
    print->setObjectName(QStringLiteral("PlanPrint1"));
    command(print, QStringLiteral("Printdiveplan1"), QStringLiteral("Preview &Dive Plan"),
            [this] { PreviewDivePlanClick(); });
    command(print, QStringLiteral("Printform1"), QStringLiteral("&Print form"), [this] { PrintButtomClick(); });
    FileMenu->addSeparator();
    command(FileMenu, QStringLiteral("PlanExit1"), QStringLiteral("E&xit"),
            [this] { host().runCommand(ProgramCommand::Exit); });

    PlanningMenu = new QMenu(QStringLiteral("&Dive planning"), this);
    PlanningMenu->setObjectName(QStringLiteral("Diveplanning1"));
    command(PlanningMenu, QStringLiteral("Createshortdiveplan1"), QStringLiteral("&Create short dive plan"),
            [this] { CalculateButtonClick(); });
    QMenu *tanks = PlanningMenu->addMenu(QStringLiteral("&Show suggested tank size"));
    tanks->setObjectName(QStringLiteral("Showsuggestedtanksize1"));
    command(tanks, QStringLiteral("fordiver11"), QStringLiteral("for diver #&1"), [this] { ConsumpTankSizeClick(1); });
    command(tanks, QStringLiteral("fordiver21"), QStringLiteral("for diver #&2"), [this] { ConsumpTankSizeClick(2); });
    command(PlanningMenu, QStringLiteral("CreatesuggestedNitroxgas1"), QStringLiteral("Create suggested &Nitrox gas"),
            [this] { CreateMixClick(); });
    command(PlanningMenu, QStringLiteral("CreatesuggestedTrimixgas1"), QStringLiteral("Create suggested &Trimix gas"),
            [this] { CreateTrimixButtomClick(); });
    command(PlanningMenu, QStringLiteral("UsesuggestedNitroxmix1"), QStringLiteral("&Use suggested Nitrox mix"),
            [this] { UseSuggestedGasCheckBoxClick(); });
}

QList<MergedMenu> TfmRuleOfThird::mergedMenus() const
{
    return {{MenuGroup::File, FileMenu}, {MenuGroup::DivePlanning, PlanningMenu}};
}

void TfmRuleOfThird::LoadDive(const QString &fileName)
{
    readInputs();
    ::LoadDive(m_plan, fileName);
    showPlan();
}

bool TfmRuleOfThird::closeQuery()
{
    readInputs();
    return DivePlanCloseQuery(m_plan, [](const QString &question) {
        switch (MessageDlg(question, QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
        case QMessageBox::Yes: return SaveAnswer::Yes;
        case QMessageBox::No: return SaveAnswer::No;
        default: return SaveAnswer::Cancel;
        }
    });
}

void TfmRuleOfThird::closeSteps()
{
    DocPanel1->setDocked(true);
    // The lists of the next window start from this plan's tank of diver 1,
    // to the nearest whole number ("11.1" litres gives 11). A text that is
    // no number is not remembered: closing never stops on an error.
    const bool metric = m_plan.inputs.Metric;
    int value = 0;
    if (TryStrToRoundedInt(PSIBox[0]->currentText(), value))
        RememberPressure(metric, value);
    if (TryStrToRoundedInt(TanksizeBox[0]->currentText(), value))
        RememberTankSize(metric, value);
}
