#include "shell/Main.h"

#include "core/NumText.h"
#include "core/SettingsFile.h"
#include "core/Units.h"
#include "planner/model/PlanFile.h"
#include "planner/window/Rule3.h"
#include "profiles/model/DiveLogReader.h"
#include "profiles/window/DANGraphic.h"
#include "profiles/window/DanOpenDialog.h"
#include "shell/Background.h"
#include "shell/FileHist.h"
#include "shell/MDIEdit.h"
#include "shell/ToolbarPlaces.h"
#include "shell/WelcomeNote.h"
#include "shell/about.h"
#include "widgets/BusyCursor.h"
#include "widgets/Dialogs.h"
#include "widgets/DockLayout.h"
#include "widgets/Dockbar.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

const QString LoadDiveHint = QStringLiteral("&Load a dive into the dive planner");
const QString ToolbarHint = QStringLiteral(
    "|Double-Click to dock/undock toolbar. Double click on title of floating toolbar to dock or use drag-n-drop");


} // namespace

TMainForm::TMainForm(const QStringList &arguments, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tidewell"));
    resize(900, 640);
    // Files dropped on the window open as from the command line.
    setAcceptDrops(true);

    // The toolbars dock to the sides of the client area, around the frame.
    auto *dockArea = new QWidget(this);
    dockArea->setObjectName(QStringLiteral("DockArea"));
    m_mdi = new QMdiArea(dockArea);
    m_mdi->setObjectName(QStringLiteral("ClientArea"));
    m_mdi->setContextMenuPolicy(Qt::CustomContextMenu);
    (new DockLayout(dockArea))->setClient(m_mdi);
    setCentralWidget(dockArea);

    m_backgroundChoice = static_cast<int>(QRandomGenerator::global()->bounded(2));
    createStatusBar();
    createMenus();
    createClientPopupMenu();
    createToolbars();
    loadSettings();
    FileHistory = new TFileHist(this);
    FileHistory->setINIFileName(SettingsFileName());
    FileHistory->setMenuItem(m_reopenMenu);
    FileHistory->OnFileSelected = [this](QString &fileName, bool &reOrder) {
        FileHistoryFileSelected(fileName, reOrder);
    };

    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { guarded([this] { activeChildChanged(); }); });

    m_commandLineFile = joinArguments(arguments);
    m_startTimer = new QTimer(this);
    m_startTimer->setSingleShot(true);
    m_startTimer->setInterval(2000);
    connectGuarded(m_startTimer, &QTimer::timeout, this, [this] {
        if (m_commandLineFile.isEmpty())
            welcome();
        else
            LoadADiverViaTimer();
    });
    m_startTimer->start();
    activeChildChanged();
}

TMainForm::~TMainForm()
{
    // Children are destroyed without their closing steps; stop listening first.
    disconnect(m_mdi, nullptr, this, nullptr);
}

QString TMainForm::joinArguments(const QStringList &arguments)
{
    QString name;
    for (const QString &argument : arguments)
        name += u' ' + argument;
    return name.trimmed();
}

// ---- menus -------------------------------------------------------------

void TMainForm::connectCommand(QAction *action, std::function<void()> command)
{
    connect(action, &QAction::triggered, this, [command] { guarded(command); });
}

QAction *TMainForm::addCommand(QMenu *menu, const QString &name, const QString &caption,
                               const QString &hint, const QKeySequence &shortcut)
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    if (!hint.isEmpty())
        setHint(action, hint);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

void TMainForm::addWindowCommands(QWidget *target, CommandPlace place)
{
    for (const auto &[kind, command] : commandsAt(place)) {
        if (auto *menu = qobject_cast<QMenu *>(target); menu && command.separatorBefore)
            menu->addSeparator();
        auto *a = new QAction(command.glyph ? command.glyph() : QIcon(), command.caption, target);
        a->setObjectName(command.name);
        if (!command.hint.isEmpty())
            setHint(a, command.hint);
        if (!command.shortcut.isEmpty())
            a->setShortcut(command.shortcut);
        a->setEnabled(static_cast<bool>(childMaker(kind)));
        connectCommand(a, [this, kind = kind] { openChild(kind); });
        target->addAction(a);
    }
}

QMenu *TMainForm::topMenu(const QString &name, const QString &caption, const QString &hint, MenuGroup group)
{
    QMenu *menu = new QMenu(caption, this);
    menu->setObjectName(name);
    if (!hint.isEmpty())
        setHint(menu->menuAction(), hint);
    m_mainMenus.append({group, menu});
    return menu;
}

QMenu *TMainForm::subMenu(QMenu *parent, const QString &name, const QString &caption, const QString &hint)
{
    QMenu *menu = parent->addMenu(caption);
    menu->setObjectName(name);
    if (!hint.isEmpty())
        setHint(menu->menuAction(), hint);
    return menu;
}

void TMainForm::createMenus()
{
    createFileMenu();
    createCalculationsMenu();
    createPlanningMenu();
    createOptionsMenu();
    createWindowMenu();
    QMenu *help = topMenu(QStringLiteral("Help1"), QStringLiteral("&Help"), QStringLiteral("Help topics"), MenuGroup::Help);
    connectCommand(addCommand(help, QStringLiteral("About1"), QStringLiteral("&About"), {},
                              QKeySequence(Qt::SHIFT | Qt::Key_F10)),
                   [this] { showAbout(); });
}

void TMainForm::createFileMenu()
{
    QMenu *file = topMenu(QStringLiteral("File1"), QStringLiteral("&File"),
                          QStringLiteral("Open text file in an editor"), MenuGroup::File);
    addWindowCommands(file, CommandPlace::FileMenu);
    QAction *openNote = m_openNotepad = addCommand(file, QStringLiteral("OpenNotepad1"), QStringLiteral("&Open notepad"),
                                   QStringLiteral("Open Notepad"), Qt::Key_F2);
    openNote->setEnabled(static_cast<bool>(childMaker(ChildKind::Notepad)));
    connectCommand(openNote, [this] { openNotepad(); });
    file->addSeparator();
    QAction *loadDive = m_loadDivePlan = addCommand(file, QStringLiteral("LoadDivePlan1"), QStringLiteral("&Load dive plan"),
                                   LoadDiveHint, Qt::Key_F11);
    loadDive->setEnabled(static_cast<bool>(childMaker(ChildKind::DivePlan)));
    connectCommand(loadDive, [this] { loadDivePlan(); });
    file->addSeparator();
    connectCommand(addCommand(file, QStringLiteral("Exit1"), QStringLiteral("E&xit"),
                              QStringLiteral("Exit the application")),
                   [this] { close(); });
}

void TMainForm::createCalculationsMenu()
{
    QMenu *calc = topMenu(QStringLiteral("Calculations1"), QStringLiteral("&Calculations"), {}, MenuGroup::Calculations);
    addWindowCommands(subMenu(calc, QStringLiteral("Conversions1"), QStringLiteral("Con&versions")),
                      CommandPlace::ConversionsMenu);
    calc->addSeparator();
    addWindowCommands(calc, CommandPlace::CalculationsMenu);
    calc->addSeparator();
    addWindowCommands(subMenu(calc, QStringLiteral("Tanks1"), QStringLiteral("&Tanks")), CommandPlace::TanksMenu);
    addWindowCommands(calc, CommandPlace::CalculationsAfterTanks);
    calc->addSeparator();
    connectCommand(addCommand(calc, QStringLiteral("Calculator1"), QStringLiteral("&Calculator"),
                              QStringLiteral("Windows calculator"), QKeySequence(Qt::CTRL | Qt::Key_F1)),
                   [this] { startCalculator(); });
}

void TMainForm::createPlanningMenu()
{
    QMenu *planning = topMenu(QStringLiteral("PlanningTools1"), QStringLiteral("&Planning tools"), {},
                              MenuGroup::Planning);
    addWindowCommands(planning, CommandPlace::PlanningMenu);
    QAction *openPlan = addCommand(planning, QStringLiteral("OpenDivePlan1"), QStringLiteral("&Open Dive Plan"),
                                   PlanningHint);
    openPlan->setEnabled(static_cast<bool>(childMaker(ChildKind::DivePlan)));
    connectCommand(openPlan, [this] { loadDivePlan(); });
    planning->addSeparator();
    addWindowCommands(planning, CommandPlace::PlanningTools);
    QMenu *computers = subMenu(planning, QStringLiteral("DiveComputers1"), QStringLiteral("&Dive computers"));
    addWindowCommands(computers, CommandPlace::DiveComputersMenu);
    QAction *openProfile = addCommand(computers, QStringLiteral("OpenDANDiveProfile1"),
                                      QStringLiteral("&Open DAN Dive profile"),
                                      QStringLiteral("Read DAN Research format"));
    openProfile->setEnabled(static_cast<bool>(childMaker(ChildKind::ProfileViewer)));
    connectCommand(openProfile, [this] { openProfileDialog(); });
}

void TMainForm::createOptionsMenu()
{
    QMenu *options = topMenu(QStringLiteral("Options1"), QStringLiteral("&Options"), {}, MenuGroup::Options);
    QMenu *measurements = subMenu(options, QStringLiteral("Measurements1"), QStringLiteral("&Measurements"));
    auto *unitGroup = new QActionGroup(this);
    QAction *imperial = m_imperial = addCommand(measurements, QStringLiteral("Imperial1"), QStringLiteral("&Imperial"),
                                   QStringLiteral("Set default option to Imperial"));
    QAction *metric = m_metric = addCommand(measurements, QStringLiteral("Metric1"), QStringLiteral("&Metric"),
                                 QStringLiteral("Set default option to Metric"));
    for (QAction *a : {imperial, metric}) {
        a->setCheckable(true);
        unitGroup->addAction(a);
    }
    imperial->setChecked(true);
    connectCommand(imperial, [this] { programUnits().metric = false; UpdateUnitsPanel(false); });
    connectCommand(metric, [this] { programUnits().metric = true; UpdateUnitsPanel(true); });

    QMenu *water = subMenu(options, QStringLiteral("WaterType1"), QStringLiteral("&Water type"));
    auto *waterGroup = new QActionGroup(this);
    QAction *salt = m_salt = addCommand(water, QStringLiteral("SaltWater1"), QStringLiteral("&Salt water"), {});
    QAction *fresh = m_fresh = addCommand(water, QStringLiteral("FreshWater1"), QStringLiteral("&Fresh water"), {});
    for (QAction *a : {salt, fresh}) {
        a->setCheckable(true);
        waterGroup->addAction(a);
    }
    salt->setChecked(true);
    // Fresh water is set through the settings file only.
    fresh->setEnabled(false);
    connectCommand(salt, [] { programUnits().saltWater = true; });
    connectCommand(fresh, [] { programUnits().saltWater = false; });

    QMenu *toolbarMenu = subMenu(options, QStringLiteral("Toolbar1"), QStringLiteral("&Toolbar"));
    QMenu *docked = subMenu(toolbarMenu, QStringLiteral("Docked1"), QStringLiteral("&Docked"));
    for (const auto &[name, caption] : {std::pair{QStringLiteral("DockedMain1"), QStringLiteral("&Main")},
                                        std::pair{QStringLiteral("DockedMisc1"), QStringLiteral("Mis&c")}}) {
        QAction *item = addCommand(docked, name, caption, QStringLiteral("Dock/Undock toolbar"));
        (name == u"DockedMain1" ? m_dockedMain : m_dockedMisc) = item;
        item->setCheckable(true);
        item->setChecked(true);
        const bool isMain = name == u"DockedMain1";
        connectCommand(item, [this, item, isMain] { (isMain ? m_toolBar : m_toolBarMisc)->setDocked(item->isChecked()); });
    }
    QAction *hideAll = m_hideAll = addCommand(toolbarMenu, QStringLiteral("HideAllToolbars1"), QStringLiteral("&Hide all toolbars"),
                                  {}, QKeySequence(Qt::CTRL | Qt::Key_F10));
    hideAll->setCheckable(true);
    connectCommand(hideAll, [this, hideAll] { setHideAllToolbars(hideAll->isChecked()); });
    options->addSeparator();
    QAction *background = m_background = addCommand(options, QStringLiteral("MDIBackground1"), QStringLiteral("MDI &Background"),
                                     QStringLiteral("Show background in program. Will only change at startup"));
    background->setCheckable(true);
    background->setChecked(true);
    connectCommand(background, [] { ShowMessage(QStringLiteral("The background will change next time you start the program.")); });
}

void TMainForm::createWindowMenu()
{
    // These work on the child windows, so they are enabled only while there are some.
    auto followsChildren = [this](QAction *command) {
        m_childCommands << command;
        return command;
    };
    m_windowMenu = topMenu(QStringLiteral("Window1"), QStringLiteral("&Window"),
                           QStringLiteral("Window related commands such as Tile and Cascade"), MenuGroup::Window);
    connectCommand(followsChildren(addCommand(m_windowMenu, QStringLiteral("Cascade1"), QStringLiteral("Ca&scade"),
                              QStringLiteral("Arrange windows to overlap"))),
                   [this] { m_mdi->cascadeSubWindows(); });
    connectCommand(followsChildren(addCommand(m_windowMenu, QStringLiteral("TileVertical1"), QStringLiteral("&Tile vertical"),
                              QStringLiteral("Arrange windows without overlap"))),
                   [this] { tile(Qt::Vertical); });
    connectCommand(addCommand(m_windowMenu, QStringLiteral("TileHorizontal1"), QStringLiteral("Tile &horizontal"), {}),
                   [this] { tile(Qt::Horizontal); });
    connectCommand(followsChildren(addCommand(m_windowMenu, QStringLiteral("ArrangeIcons1"), QStringLiteral("Arrange &Icons"),
                              QStringLiteral("Arrange window icons at bottom of main window"))),
                   [this] { arrangeIcons(); });
    connectCommand(followsChildren(addCommand(m_windowMenu, QStringLiteral("MinimizeAll1"), QStringLiteral("&Minimize All"),
                              QStringLiteral("Minimize all windows"))),
                   [this] {
                       const auto windows = m_mdi->subWindowList(QMdiArea::CreationOrder);
                       for (auto it = windows.crbegin(); it != windows.crend(); ++it)
                           (*it)->showMinimized();
                   });
    m_windowMenu->addSeparator();
    m_reopenMenu = subMenu(m_windowMenu, QStringLiteral("Reopen1"), QStringLiteral("&Reopen"),
                           QStringLiteral("Reopen file which have been open earlier"));
    m_windowMenu->addSeparator();
    connectCommand(followsChildren(addCommand(m_windowMenu, QStringLiteral("Close1"), QStringLiteral("&Close"),
                              QStringLiteral("Close current file"))),
                   [this] {
                       if (QMdiSubWindow *sub = m_mdi->activeSubWindow())
                           sub->close();
                   });
    connectCommand(followsChildren(addCommand(m_windowMenu, QStringLiteral("CloseAll1"), QStringLiteral("Close &all"),
                              QStringLiteral("Close all open windows"), QKeySequence(Qt::CTRL | Qt::Key_F12))),
                   [this] { closeAllChildren(); });
    connect(m_windowMenu, &QMenu::aboutToShow, this, [this] { guarded([this] { fillWindowList(); }); });
}

void TMainForm::createClientPopupMenu()
{
    auto *popup = new QMenu(this);
    popup->setObjectName(QStringLiteral("PopupMenu1"));
    addWindowCommands(popup, CommandPlace::PopupProfiles);
    popup->addSeparator();
    QAction *load = addCommand(popup, QStringLiteral("LoadDivePlan2"), QStringLiteral("&Load dive plan"), LoadDiveHint);
    load->setEnabled(static_cast<bool>(childMaker(ChildKind::DivePlan)));
    connectCommand(load, [this] { loadDivePlan(); });
    addWindowCommands(popup, CommandPlace::PopupPlans);
    popup->addSeparator();
    addWindowCommands(popup, CommandPlace::PopupBlending);
    QMenu *conversions = popup->addMenu(QStringLiteral("Con&versions"));
    conversions->setObjectName(QStringLiteral("Conversions2"));
    addWindowCommands(conversions, CommandPlace::PopupConversions);
    connect(m_mdi, &QWidget::customContextMenuRequested, this, [this, popup](const QPoint &at) {
        popup->popup(m_mdi->mapToGlobal(at));
    });
}

void TMainForm::createToolbars()
{
    auto makeToolbar = [this](const QString &name, const QString &title, const QPoint &designPlace) {
        auto *bar = new TDocPanel(centralWidget());
        bar->setObjectName(name);
        bar->setTitle(title);
        bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        setHint(bar, ToolbarHint);
        bar->setDocked(false);
        bar->setAutoWrap(true);
        bar->setDockingMethod(TDocPanel::dmBoth);
        bar->setFloatBorder(TDocPanel::fbSizeable);
        bar->setMaxWidth(115);
        bar->move(designPlace);
        // Named before loading, so that the state written at exit is taken back at start.
        bar->setIniFile(SettingsFileName());
        return bar;
    };
    auto addButton = [this](TDocPanel *bar, const QString &name, const QString &caption, const QString &hint,
                            std::function<void()> command, bool enabled = true, const QIcon &icon = {}) {
        QAction *a = bar->addAction(icon, caption);
        a->setObjectName(name);
        setHint(a, hint);
        a->setEnabled(enabled && command);
        if (command)
            connectCommand(a, command);
        return a;
    };
    const bool plans = static_cast<bool>(childMaker(ChildKind::DivePlan));

    m_toolBar = makeToolbar(QStringLiteral("ToolBar"), QStringLiteral("Toolbar"), QPoint(8, 8));
    addWindowCommands(m_toolBar, CommandPlace::MainToolbar);
    addButton(m_toolBar, QStringLiteral("btnRemix"), QStringLiteral("Remix"),
              QStringLiteral("Remix a known mix to a desired mix"), {}, false);
    QAction *open = addButton(m_toolBar, QStringLiteral("btnOpenDivePlan"), QString(),
                              QStringLiteral("Open dive plan|Dive planning with 'Rule of Third' and calculation of turn/call pressure etc."),
                              plans ? std::function<void()>([this] { loadDivePlan(); }) : std::function<void()>(),
                              true, openPlanGlyph());
    open->setIconText(QString());
    QAction *exit = addButton(m_toolBar, QStringLiteral("btnExit"), QString(), QStringLiteral("Exit|Exit program"),
                              [this] { ExitByAskFirstButtomClick(); }, true, exitGlyph());
    exit->setIconText(QString());

    m_toolBarMisc = makeToolbar(QStringLiteral("ToolBarMisc"), QStringLiteral("Toolbar misc"), QPoint(150, 8));
    m_toolBarMisc->setThreshhold(2);
    addWindowCommands(m_toolBarMisc, CommandPlace::MiscToolbar);

    // Floating with no place of their own, they stay clear of the child windows.
    PlaceFloatingToolbarsAtRightEdge({m_toolBar, m_toolBarMisc}, m_mdi);
    // Each "&Docked" item shows whether its own toolbar is docked.
    for (const auto &[bar, docked] : {std::pair{m_toolBar, m_dockedMain}, std::pair{m_toolBarMisc, m_dockedMisc}}) {
        bar->Loaded();
        docked->setChecked(bar->Docked());
        connect(bar, &TDocPanel::OnDockChanged, docked, [docked = docked, bar = bar] { docked->setChecked(bar->Docked()); });
    }
}

void TMainForm::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    m_messagePanel = new QLabel(bar);
    m_messagePanel->setObjectName(QStringLiteral("MessagePanel"));
    m_messagePanel->setMinimumWidth(50);
    m_unitsPanel = new QLabel(QStringLiteral("Units:Imperial"), bar);
    m_unitsPanel->setObjectName(QStringLiteral("UnitsPanel"));
    m_unitsPanel->setAlignment(Qt::AlignCenter);
    m_unitsPanel->setFixedWidth(110);
    m_unitsPanel->setFrameShape(QFrame::Panel);
    m_unitsPanel->setFrameShadow(QFrame::Sunken);
    m_debugPanel = new QLabel(QStringLiteral("Debug version"), bar);
    m_debugPanel->setObjectName(QStringLiteral("DebugPanel"));
    m_debugPanel->setFixedWidth(115);
    m_debugPanel->setFrameShape(QFrame::Panel);
    m_debugPanel->setFrameShadow(QFrame::Sunken);
    bar->addWidget(m_messagePanel, 1);
    bar->addPermanentWidget(m_unitsPanel);
    bar->addPermanentWidget(m_debugPanel);
}

void TMainForm::rebuildMenuBar()
{
    QList<MainMenu> shown = m_mainMenus;
    if (TChildForm *child = activeChild()) {
        for (const MergedMenu &merged : child->mergedMenus()) {
            shown.erase(std::remove_if(shown.begin(), shown.end(),
                                       [&](const MainMenu &m) { return m.group == merged.group; }),
                        shown.end());
            shown.append({merged.group, merged.menu});
        }
    }
    std::stable_sort(shown.begin(), shown.end(), [](const MainMenu &a, const MainMenu &b) { return a.group < b.group; });
    QMenuBar *bar = menuBar();
    bar->clear();
    for (const MainMenu &m : shown)
        bar->addMenu(m.menu);
}

// ---- settings ----------------------------------------------------------

void TMainForm::loadSettings()
{
    const IniFile ini = SettingsFile();
    const bool backgroundActive = ini.readBool(QStringLiteral("MDIBackground"), QStringLiteral("Active"), true);
    m_background->setChecked(backgroundActive);
    if (backgroundActive)
        m_mdi->setBackground(QBrush(backgroundPicture(m_backgroundChoice)));

    const bool metric = ini.readBool(QStringLiteral("Measurements"), QStringLiteral("Metric"), MetricWinStandard());
    programUnits().metric = metric;
    (metric ? m_metric : m_imperial)->setChecked(true);
    programUnits().ascentRate =
        ini.readInteger(QStringLiteral("Measurements"), QStringLiteral("AverageTableAscentTime"), metric ? 10 : 33);

    const bool salt = ini.readBool(QStringLiteral("WaterType"), QStringLiteral("Salt water"), true);
    programUnits().saltWater = salt;
    (salt ? m_salt : m_fresh)->setChecked(true);

    const bool hideAll = ini.readBool(QStringLiteral("Toolbars"), QStringLiteral("HideAll"), false);
    m_hideAll->setChecked(!hideAll);
    m_hideAll->toggle();
    setHideAllToolbars(m_hideAll->isChecked());
    UpdateUnitsPanel(metric);
}

void TMainForm::saveSettings()
{
    WriteIntegerIni(QStringLiteral("Measurements"), QStringLiteral("Metric"), isMetric() ? 1 : 0);
    WriteIntegerIni(QStringLiteral("MDIBackground"), QStringLiteral("Active"),
                    m_background->isChecked() ? 1 : 0);
    WriteIntegerIni(QStringLiteral("WaterType"), QStringLiteral("Salt water"),
                    m_salt->isChecked() ? 1 : 0);
    WriteIntegerIni(QStringLiteral("Toolbars"), QStringLiteral("HideAll"),
                    m_hideAll->isChecked() ? 1 : 0);
    WriteIntegerIni(QStringLiteral("Measurements"), QStringLiteral("AverageTableAscentTime"), programUnits().ascentRate);
}

void TMainForm::WriteIntegerIni(const QString &section, const QString &key, int value)
{
    SettingsFile().writeInteger(section, key, value);
}

void TMainForm::WriteStrIni(const QString &section, const QString &key, const QString &value)
{
    SettingsFile().writeString(section, key, value);
}

int TMainForm::ReadIntegerIni(const QString &section, const QString &key, int fallback) const
{
    return SettingsFile().readInteger(section, key, fallback);
}

QString TMainForm::LoadStrIni(const QString &section, const QString &key, const QString &fallback) const
{
    return SettingsFile().readString(section, key, fallback);
}

// ---- units and status bar ------------------------------------------------

bool TMainForm::isMetric() const { return programUnits().metric; }

void TMainForm::UpdateUnitsPanel(bool metric)
{
    m_unitsPanel->setText(metric ? QStringLiteral("Units: Metric") : QStringLiteral("Units: Imperial"));
    m_unitsPanel->repaint();
}

void TMainForm::setMessageLine(const QString &text) { m_messagePanel->setText(text); }

QString TMainForm::messageLine() const { return m_messagePanel->text(); }

bool TMainForm::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        setMessageLine(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// ---- child windows -------------------------------------------------------

QMdiSubWindow *TMainForm::addChild(TChildForm *child)
{
    QMdiSubWindow *sub = m_mdi->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    releaseFrameShortcuts(sub);
    sub->setWindowIcon(windowIcon());
    child->show();
    sub->show();
    m_mdi->setActiveSubWindow(sub);
    activeChildChanged();
    return sub;
}

namespace {

// The keys a command was made with; routing may take them away for a while.
QList<QKeySequence> ownKeys(QAction *command)
{
    const QVariant stored = command->property("ownKeys");
    if (stored.isValid())
        return stored.value<QList<QKeySequence>>();
    command->setProperty("ownKeys", QVariant::fromValue(command->shortcuts()));
    return command->shortcuts();
}

} // namespace

QList<QAction *> TMainForm::ownCommands() const
{
    QList<QAction *> commands;
    for (QAction *command : findChildren<QAction *>())
        if (ownsDirectly(command))
            commands << command;
    return commands;
}

void TMainForm::releaseFrameShortcuts(QMdiSubWindow *sub)
{
    // The frame's own commands (close: Ctrl+F4 …) would make the program's
    // menu keys ambiguous while a window is open, and then neither runs.
    // The menu keys win; the frame keeps the keys no menu uses.
    QList<QKeySequence> taken;
    for (QAction *command : ownCommands())
        taken << ownKeys(command);
    for (QAction *command : sub->widget()->findChildren<QAction *>())
        taken << ownKeys(command);
    for (QAction *command : sub->systemMenu()->actions()) {
        QList<QKeySequence> kept;
        for (const QKeySequence &key : command->shortcuts())
            if (!taken.contains(key))
                kept << key;
        command->setShortcuts(kept);
    }
}

void TMainForm::routeShortcuts()
{
    // Keys go to the active window's commands: the other children's are
    // silent, and a main command whose key the active window also uses (F3
    // saves a note, and opens the blending worksheet elsewhere) gives it up
    // while that window is active. Qt would otherwise run neither.
    TChildForm *active = activeChild();
    QList<QKeySequence> activeKeys;
    for (TChildForm *child : childForms()) {
        for (QAction *command : child->findChildren<QAction *>()) {
            const QList<QKeySequence> keys = ownKeys(command);
            command->setShortcuts(child == active ? keys : QList<QKeySequence>());
            if (child == active)
                activeKeys << keys;
        }
    }
    for (QAction *command : ownCommands()) {
        QList<QKeySequence> keys = ownKeys(command);
        keys.removeIf([&](const QKeySequence &key) { return activeKeys.contains(key); });
        command->setShortcuts(keys);
    }
}

TChildForm *TMainForm::openChild(ChildKind kind)
{
    const ChildMaker maker = childMaker(kind);
    if (!maker)
        return nullptr;
    const BusyCursor busy;
    TChildForm *child = maker(*this);
    if (child)
        addChild(child);
    return child;
}

QList<TChildForm *> TMainForm::childForms() const
{
    QList<TChildForm *> children;
    for (QMdiSubWindow *sub : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (auto *child = qobject_cast<TChildForm *>(sub->widget()))
            children << child;
    return children;
}

TChildForm *TMainForm::activeChild() const
{
    QMdiSubWindow *sub = m_mdi->activeSubWindow();
    return sub ? qobject_cast<TChildForm *>(sub->widget()) : nullptr;
}

void TMainForm::activeChildChanged()
{
    updateWindowMenu();
    rebuildMenuBar();
    routeShortcuts();
    if (TChildForm *child = activeChild())
        child->activated();
}

void TMainForm::updateWindowMenu()
{
    const bool any = !m_mdi->subWindowList().isEmpty();
    for (QAction *command : m_childCommands)
        command->setEnabled(any);
}

void TMainForm::fillWindowList()
{
    qDeleteAll(m_windowListActions);
    m_windowListActions.clear();
    const auto windows = m_mdi->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    m_windowListActions << m_windowMenu->addSeparator();
    int number = 1;
    for (QMdiSubWindow *sub : windows) {
        QAction *a = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(sub->windowTitle()));
        a->setCheckable(true);
        a->setChecked(sub == m_mdi->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, sub] { m_mdi->setActiveSubWindow(sub); });
        m_windowListActions << a;
    }
}

void TMainForm::closeAllChildren()
{
    for (QMdiSubWindow *sub : m_mdi->subWindowList(QMdiArea::CreationOrder))
        sub->close();
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    arrangeIcons();
}

void TMainForm::tile(Qt::Orientation orientation)
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *sub : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (!sub->isMinimized())
            windows << sub;
    if (windows.isEmpty())
        return;
    const QRect area = m_mdi->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    // A window never gets less than it needs to show its controls; when the
    // client area is too small for all of them side by side, they overlap.
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *sub = windows[i];
        sub->showNormal();
        const QSize least = sub->minimumSizeHint();
        if (orientation == Qt::Vertical) {
            const int w = area.width() / n;
            sub->setGeometry(i * w, 0, std::max(w, least.width()), std::max(area.height(), least.height()));
        } else {
            const int h = area.height() / n;
            sub->setGeometry(0, i * h, std::max(area.width(), least.width()), std::max(h, least.height()));
        }
    }
}

void TMainForm::arrangeIcons()
{
    int x = 0;
    const int bottom = m_mdi->viewport()->height();
    for (QMdiSubWindow *sub : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized())
            continue;
        sub->move(x, bottom - sub->height());
        x += sub->width();
    }
}

// ---- toolbars ------------------------------------------------------------

void TMainForm::setHideAllToolbars(bool hide)
{
    m_toolBar->setVisible(!hide);
    m_toolBarMisc->setVisible(!hide);
}

// ---- files and commands --------------------------------------------------

void TMainForm::LoadADiverViaTimer()
{
    m_startTimer->stop();
    openFileByExtension(m_commandLineFile);
}

void TMainForm::openFileByExtension(const QString &fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toUpper();
    if (extension == u"DIVE")
        openDivePlan(fileName, true);
    else if (extension == u"NEM" || extension == u"DAN" || IsDiveLogFile(fileName))
        openProfile(fileName);
    else {
        openNote(fileName);
        FileHistory->AddFile(fileName);
    }
}

namespace {

QStringList droppedFiles(const QMimeData *data)
{
    QStringList files;
    if (data && data->hasUrls())
        for (const QUrl &url : data->urls())
            if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
                files << url.toLocalFile();
    return files;
}

} // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    for (const QString &file : files)
        guarded([&] { openFileByExtension(file); });
}

void TMainForm::FileHistoryFileSelected(QString &fileName, bool &)
{
    const QString extension = QFileInfo(fileName).suffix().toUpper();
    if (extension == u"DIVE")
        openDivePlan(fileName, false);
    else if (extension == u"NEM" || extension == u"DAN" || IsDiveLogFile(fileName))
        openFileByExtension(fileName);
    else
        openNote(fileName);
}

TEditForm *TMainForm::newNote() { return static_cast<TEditForm *>(openChild(ChildKind::Notepad)); }

void TMainForm::showInNewNote(const QStringList &lines)
{
    TEditForm *note = newNote();
    for (const QString &line : lines)
        note->appendLine(line);
}

void TMainForm::showReport(const QString &fileName, const QFont &font, const QStringList &lines)
{
    TEditForm *note = newNote();
    note->setPlainTextMode(true);
    if (!fileName.isEmpty())
        note->setFileName(fileName);
    note->Editor->setFont(font);
    note->setLines(lines);
    ScrollNoteToTop(note);
}

QRect TMainForm::windowFrame(const TChildForm &window) const
{
    for (QMdiSubWindow *sub : m_mdi->subWindowList())
        if (sub->widget() == &window)
            return sub->geometry();
    return window.geometry();
}

void TMainForm::placeWindow(TChildForm &window, const QPoint &topLeft)
{
    for (QMdiSubWindow *sub : m_mdi->subWindowList())
        if (sub->widget() == &window)
            sub->move(topLeft);
}

void TMainForm::runCommand(ProgramCommand command)
{
    switch (command) {
    case ProgramCommand::OpenFile:
        m_openNotepad->trigger();
        break;
    case ProgramCommand::LoadDivePlan:
        m_loadDivePlan->trigger();
        break;
    case ProgramCommand::Exit:
        close();
        break;
    }
}

bool TMainForm::commandAvailable(ProgramCommand command) const
{
    switch (command) {
    case ProgramCommand::OpenFile:
        return m_openNotepad->isEnabled();
    case ProgramCommand::LoadDivePlan:
        return m_loadDivePlan->isEnabled();
    case ProgramCommand::Exit:
        return true;
    }
    return false;
}

TEditForm *TMainForm::openNote(const QString &fileName)
{
    TEditForm *note = newNote();
    OpenNoteFile(note, fileName);
    return note;
}

void TMainForm::welcome()
{
    m_startTimer->stop();
    const QString readme = welcomeNoteFileName();
    if (!readme.isEmpty())
        openNote(readme);
    showAbout();
}

void TMainForm::showAbout()
{
    TAboutBox about(this);
    Dialogs::current().execDialog(about);
}

void TMainForm::startCalculator()
{
    for (const char *program : {"gnome-calculator", "kcalc", "galculator", "mate-calc", "xcalc"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
        if (path.isEmpty())
            continue;
        if (!QProcess::startDetached(path, {}))
            throw AppError(QStringLiteral("Error running : calc"));
        return;
    }
}

void TMainForm::ExitByAskFirstButtomClick()
{
    if (AskYesNo(QStringLiteral("Do you wish to exit ?")))
        close();
}

void TMainForm::loadDivePlan()
{
    const QString fileName = AskDivePlanToLoad();
    if (!fileName.isEmpty())
        openDivePlan(fileName, true);
}

void TMainForm::openDivePlan(const QString &fileName, bool remember)
{
    const BusyCursor busy;
    auto plan = std::make_unique<TfmRuleOfThird>(*this);
    plan->LoadDive(fileName);
    addChild(plan.release());
    if (remember)
        FileHistory->AddFile(fileName);
}

void TMainForm::openNotepad()
{
    FileDialogOptions options;
    options.title = QStringLiteral("Open");
    options.filter = QStringLiteral(
        "Editor files (*.txt;*.rtf)|*.txt;*.rtf|Text files (*.txt)|*.txt|Rich Text Files (*.rtf)|*.rtf|"
        "Configuration files (*.ini)|*.ini|Tidewell Dive files (*.dive)|*.dive|"
        "DAN Research files (*.nem;*.dan)|*.nem;*.dan|All files (*.*)|*.*");
    options.mustExist = true;
    options.history = {QStringLiteral("Tidewell.ini")};
    const QString fileName = Dialogs::current().openFileName(options);
    if (fileName.isEmpty())
        return;
    // Whatever the extension, the file opens as a note.
    openNote(fileName);
    FileHistory->AddFile(fileName);
}

void TMainForm::openProfileDialog()
{
    const QString fileName = AskForDanProfile({});
    if (!fileName.isEmpty())
        openProfile(fileName);
}

void TMainForm::openProfile(const QString &fileName)
{
    const BusyCursor busy;
    auto *viewer = new TfmDANResarchFormatGraphic(*this);
    addChild(viewer);
    viewer->showDirectory(QFileInfo(fileName).absolutePath());
    // The name is remembered once the viewer has opened the file.
    if (viewer->OpenFile(fileName))
        FileHistory->AddFile(fileName);
}

void TMainForm::openNoteFile(const QString &fileName, const QString &fontFamily)
{
    TEditForm *note = openNote(fileName);
    if (!fontFamily.isEmpty()) {
        QFont font = note->Editor->font();
        font.setFamily(fontFamily);
        note->Editor->setFont(font);
    }
}

void TMainForm::addRecentFile(const QString &fileName) { FileHistory->AddFile(fileName); }

void TMainForm::closeEvent(QCloseEvent *event)
{
    event->ignore();
    guarded([&] {
        const QList<TChildForm *> children = childForms();
        for (TChildForm *child : children)
            if (!child->closeQuery())
                return;
        // The children are destroyed with the main window without a close of
        // their own, so their closing steps run here.
        for (TChildForm *child : children)
            guarded([child] { child->closeSteps(); });
        event->accept();
        saveSettings();
    });
}

bool TMainForm::ownsDirectly(const QObject *object) const
{
    for (const QObject *p = object; p; p = p->parent())
        if (p == m_mdi)
            return false;
    return true;
}

QAction *TMainForm::action(const QString &objectName) const
{
    for (QAction *a : findChildren<QAction *>(objectName))
        if (ownsDirectly(a))
            return a;
    return nullptr;
}

QMenu *TMainForm::menu(const QString &objectName) const
{
    for (QMenu *m : findChildren<QMenu *>(objectName))
        if (ownsDirectly(m))
            return m;
    return nullptr;
}
