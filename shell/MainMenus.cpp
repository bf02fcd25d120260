// The main window's menus, its client-area pop-up menu, its two toolbars
// and its status bar, and the menu bar that merges the active child
// window's menus into the program's.

#include "shell/Main.h"

#include "core/SettingsFile.h"
#include "core/Units.h"
#include "shell/Background.h"
#include "shell/FileHist.h"
#include "shell/ToolbarPlaces.h"
#include "shell/WindowCatalog.h"
#include "widgets/Dialogs.h"
#include "widgets/Dockbar.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolButton>

namespace {

const QString LoadDiveHint = QStringLiteral("&Load a dive into the dive planner");
const QString ToolbarHint = QStringLiteral(
    "|Double-Click to dock/undock toolbar. Double click on title of floating toolbar to dock or use drag-n-drop");

} // namespace

void TMainForm::connectCommand(QAction *action, std::function<void()> command)
{
    connect(action, &QAction::triggered, this, [command] { guarded(command); });
}

QAction *TMainForm::addCommand(QMenu *menu, const QString &name, const QString &caption, const QString &hint,
                               const QKeySequence &shortcut)
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
    QMenu *help = topMenu(QStringLiteral("Help1"), QStringLiteral("&Help"), QStringLiteral("Help topics"),
                          MenuGroup::Help);
    connectCommand(addCommand(help, QStringLiteral("About1"), QStringLiteral("&About"), {},
                              QKeySequence(Qt::SHIFT | Qt::Key_F10)),
                   [this] { showAbout(); });
}

void TMainForm::createFileMenu()
{
    QMenu *file = topMenu(QStringLiteral("File1"), QStringLiteral("&File"),
                          QStringLiteral("Open text file in an editor"), MenuGroup::File);
    addWindowCommands(file, CommandPlace::FileMenu);
    QAction *openNote = m_openNotepad = addCommand(file, QStringLiteral("OpenNotepad1"),
                                                   QStringLiteral("&Open notepad"), QStringLiteral("Open Notepad"),
                                                   Qt::Key_F2);
    openNote->setEnabled(static_cast<bool>(childMaker(ChildKind::Notepad)));
    connectCommand(openNote, [this] { openNotepad(); });
    file->addSeparator();
    QAction *loadDive = m_loadDivePlan = addCommand(file, QStringLiteral("LoadDivePlan1"),
                                                    QStringLiteral("&Load dive plan"), LoadDiveHint, Qt::Key_F11);
    loadDive->setEnabled(static_cast<bool>(childMaker(ChildKind::DivePlan)));
    connectCommand(loadDive, [this] { loadDivePlan(); });
    file->addSeparator();
    connectCommand(addCommand(file, QStringLiteral("Exit1"), QStringLiteral("E&xit"),
                              QStringLiteral("Exit the application")),
                   [this] { close(); });
}

void TMainForm::createCalculationsMenu()
{
    QMenu *calc = topMenu(QStringLiteral("Calculations1"), QStringLiteral("&Calculations"), {},
                          MenuGroup::Calculations);
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
    connectCommand(imperial, [this] {
        programUnits().metric = false;
        UpdateUnitsPanel(false);
    });
    connectCommand(metric, [this] {
        programUnits().metric = true;
        UpdateUnitsPanel(true);
    });

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
        connectCommand(item,
                       [this, item, isMain] { (isMain ? m_toolBar : m_toolBarMisc)->setDocked(item->isChecked()); });
    }
    QAction *hideAll = m_hideAll = addCommand(toolbarMenu, QStringLiteral("HideAllToolbars1"),
                                              QStringLiteral("&Hide all toolbars"), {},
                                              QKeySequence(Qt::CTRL | Qt::Key_F10));
    hideAll->setCheckable(true);
    connectCommand(hideAll, [this, hideAll] { setHideAllToolbars(hideAll->isChecked()); });
    options->addSeparator();
    QAction *background = m_background = addCommand(options, QStringLiteral("MDIBackground1"),
                                                    QStringLiteral("MDI &Background"),
                                                    QStringLiteral(
                                                        "Show background in program. Will only change at startup"));
    background->setCheckable(true);
    background->setChecked(true);
    connectCommand(background,
                   [] { ShowMessage(QStringLiteral("The background will change next time you start the program.")); });
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
    connectCommand(followsChildren(addCommand(m_windowMenu, QStringLiteral("TileVertical1"),
                                              QStringLiteral("&Tile vertical"),
                                              QStringLiteral("Arrange windows without overlap"))),
                   [this] { tile(Qt::Vertical); });
    connectCommand(addCommand(m_windowMenu, QStringLiteral("TileHorizontal1"), QStringLiteral("Tile &horizontal"), {}),
                   [this] { tile(Qt::Horizontal); });
    connectCommand(followsChildren(addCommand(m_windowMenu, QStringLiteral("ArrangeIcons1"),
                                              QStringLiteral("Arrange &Icons"),
                                              QStringLiteral("Arrange window icons at bottom of main window"))),
                   [this] { arrangeIcons(); });
    connectCommand(followsChildren(addCommand(m_windowMenu, QStringLiteral("MinimizeAll1"),
                                              QStringLiteral("&Minimize All"), QStringLiteral("Minimize all windows"))),
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
                                              QStringLiteral("Close all open windows"),
                                              QKeySequence(Qt::CTRL | Qt::Key_F12))),
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
    connect(m_mdi, &QWidget::customContextMenuRequested, this,
            [this, popup](const QPoint &at) { popup->popup(m_mdi->mapToGlobal(at)); });
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
    QAction *open = addButton(
        m_toolBar, QStringLiteral("btnOpenDivePlan"), QString(),
        QStringLiteral("Open dive plan|Dive planning with 'Rule of Third' and calculation of turn/call pressure etc."),
        plans ? std::function<void()>([this] { loadDivePlan(); }) : std::function<void()>(), true, openPlanGlyph());
    open->setIconText(QString());
    QAction *exit = addButton(
        m_toolBar, QStringLiteral("btnExit"), QString(), QStringLiteral("Exit|Exit program"),
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
        connect(bar, &TDocPanel::OnDockChanged, docked,
                [docked = docked, bar = bar] { docked->setChecked(bar->Docked()); });
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
    std::stable_sort(shown.begin(), shown.end(),
                     [](const MainMenu &a, const MainMenu &b) { return a.group < b.group; });
    QMenuBar *bar = menuBar();
    bar->clear();
    for (const MainMenu &m : shown)
        bar->addMenu(m.menu);
}
