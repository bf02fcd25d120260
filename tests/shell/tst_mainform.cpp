#include "core/Errors.h"
#include "core/NumText.h"
#include "core/SettingsFile.h"
#include "core/Units.h"
#include "shell/Application.h"
#include "shell/FileHist.h"
#include "shell/Main.h"
#include "shell/about.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempSettings.h"
#include "tests/support/WindowFixture.h"
#include "widgets/ChildForm.h"
#include "widgets/Dockbar.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"

#include <QAction>
#include <QClipboard>
#include <QPushButton>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <QtTest>

namespace {

// A child window with units that writes one key when it closes, the way the
// calculators remember their last values.
class UnitWindow final : public TChildForm
{
    Q_OBJECT
public:
    explicit UnitWindow(ChildHost &host, bool refuseClose = false) : TChildForm(host), m_refuse(refuseClose)
    {
        auto *metric = new QCheckBox(QStringLiteral("Metric"), this);
        metric->setObjectName(QStringLiteral("Metric"));
        adoptUnitSystem(metric);
        unitSwitch();
    }
    bool closeQuery() override { return !m_refuse; }
    void closeSteps() override { SettingsFile().writeInteger(QStringLiteral("Defaults"), QStringLiteral("FillTankM"), 12); }
    int switches = 0;

protected:
    void unitSwitch() override { ++switches; }

private:
    bool m_refuse;
};

// A child window with a menu of its own in the File group.
class MenuWindow final : public TChildForm
{
    Q_OBJECT
public:
    explicit MenuWindow(ChildHost &host) : TChildForm(host)
    {
        m_file = new QMenu(QStringLiteral("&File"), this);
        m_file->setObjectName(QStringLiteral("ChildFile"));
        m_edit = new QMenu(QStringLiteral("&Edit"), this);
        m_edit->setObjectName(QStringLiteral("ChildEdit"));
    }
    QList<MergedMenu> mergedMenus() const override { return {{MenuGroup::File, m_file}, {MenuGroup::Edit, m_edit}}; }

private:
    QMenu *m_file;
    QMenu *m_edit;
};

QStringList menuBarCaptions(TMainForm &main)
{
    QStringList captions;
    for (QAction *a : main.menuBar()->actions())
        captions << a->text();
    return captions;
}

QStringList captionsOf(QMenu *menu)
{
    QStringList captions;
    for (QAction *a : menu->actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return captions;
}

} // namespace

class TestMainForm final : public QObject
{
    Q_OBJECT

private slots:
    void init() { programUnits() = ProgramUnits{}; }

    void captionAndPanels();
    void missingSettingsGiveDefaults();
    void storedSettingsAreRead();
    void unreadableMetricFallsBackToLocale();
    void commandLineJoinsArguments_data();
    void commandLineJoinsArguments();
    void menuCommands_data();
    void menuCommands();
    void menuSeparators_data();
    void menuSeparators();
    void menuGroupsInOrder();
    void childMenusMergeByGroup();
    void unitMenuChangesNewWindowsOnly();
    void activationShowsUnitsOfWindow();
    void windowMenuFollowsChildren();
    void statusTipsGoToMessageLine();
    void hideAllToolbars();
    void toolbarsTakeStoredStateAtStart_data();
    void toolbarsTakeStoredStateAtStart();
    void toolbarFloatPositionSurvivesRestart();
    void backgroundToggleOnlyWarns();
    void exitSavesSettingsInOrder();
    void exitRunsChildClosingSteps();
    void refusingChildKeepsProgramOpen();
    void exitButtonAsksFirst();
    void handlerErrorIsReported();
    void eventErrorIsReportedByApplication();
    void startTimerShowsAboutBox();
    void aboutBoxTexts();
    void openNotepadDialogSettings();
    void missingPlanOnTheCommandLineSaysWhy_data();
    void missingPlanOnTheCommandLineSaysWhy();
};

void TestMainForm::captionAndPanels()
{
    WindowFixture program;
    TMainForm &main = program.main();
    QCOMPARE(main.windowTitle(), QStringLiteral("Tidewell"));
    auto *units = main.findChild<QLabel *>(QStringLiteral("UnitsPanel"));
    QVERIFY(units);
    QCOMPARE(units->width(), 110);
    QCOMPARE(main.findChild<QLabel *>(QStringLiteral("DebugPanel"))->text(), QStringLiteral("Debug version"));
    main.UpdateUnitsPanel(true);
    QCOMPARE(units->text(), QStringLiteral("Units: Metric"));
    main.UpdateUnitsPanel(false);
    QCOMPARE(units->text(), QStringLiteral("Units: Imperial"));
    QCOMPARE(main.findChild<TDocPanel *>(QStringLiteral("ToolBar"))->windowTitle(), QStringLiteral("Toolbar"));
    QCOMPARE(main.findChild<TDocPanel *>(QStringLiteral("ToolBarMisc"))->windowTitle(), QStringLiteral("Toolbar misc"));
}

void TestMainForm::missingSettingsGiveDefaults()
{
    for (const QByteArray &contents : {QByteArray(), QByteArray("")}) {
        WindowFixture program;
        if (!contents.isNull())
            program.settings().write(contents);
        TMainForm &main = program.main();
        const bool metric = MetricWinStandard();
        QCOMPARE(main.isMetric(), metric);
        QCOMPARE(AscentRate(), metric ? 10 : 33);
        QVERIFY(WaterType());
        QVERIFY(main.action(QStringLiteral("SaltWater1"))->isChecked());
        QVERIFY(main.action(QStringLiteral("MDIBackground1"))->isChecked());
        QVERIFY(!main.action(QStringLiteral("HideAllToolbars1"))->isChecked());
        QVERIFY(!main.findChild<TDocPanel *>(QStringLiteral("ToolBar"))->isHidden());
        QVERIFY(!main.action(QStringLiteral("FreshWater1"))->isEnabled());
    }
}

void TestMainForm::storedSettingsAreRead()
{
    WindowFixture program("[measurements]\nmetric=0\nAverageTableAscentTime=18\n[MDIBackground]\nActive=0\n"
                          "[WaterType]\nSalt water=0\n[Toolbars]\nHideAll=1\n");
    TMainForm &main = program.main();
    QVERIFY(!main.isMetric());
    QVERIFY(main.action(QStringLiteral("Imperial1"))->isChecked());
    QCOMPARE(AscentRate(), 18);
    QVERIFY(!WaterType());
    QVERIFY(main.action(QStringLiteral("FreshWater1"))->isChecked());
    QVERIFY(!main.action(QStringLiteral("MDIBackground1"))->isChecked());
    QVERIFY(main.action(QStringLiteral("HideAllToolbars1"))->isChecked());
    QVERIFY(main.findChild<TDocPanel *>(QStringLiteral("ToolBar"))->isHidden());
    QVERIFY(main.findChild<TDocPanel *>(QStringLiteral("ToolBarMisc"))->isHidden());
    QCOMPARE(main.findChild<QLabel *>(QStringLiteral("UnitsPanel"))->text(), QStringLiteral("Units: Imperial"));
}

void TestMainForm::unreadableMetricFallsBackToLocale()
{
    WindowFixture program("[Measurements]\nMetric=abc\n");
    TMainForm &main = program.main();
    QCOMPARE(main.isMetric(), MetricWinStandard());
}

void TestMainForm::commandLineJoinsArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << QStringList{} << QString();
    QTest::newRow("one") << QStringList{QStringLiteral("plan.dive")} << QStringLiteral("plan.dive");
    QTest::newRow("unquoted path with blank") << QStringList{QStringLiteral("My"), QStringLiteral("Dives.dive")}
                                              << QStringLiteral("My Dives.dive");
    QTest::newRow("blanks trimmed") << QStringList{QStringLiteral(" a "), QStringLiteral("b ")}
                                    << QStringLiteral("a  b");
}

void TestMainForm::commandLineJoinsArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, expected);
    QCOMPARE(TMainForm::joinArguments(arguments), expected);
}

void TestMainForm::menuCommands_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QKeySequence>("shortcut");
    QTest::addColumn<QString>("hint");
    const QString planning =
        QStringLiteral("Dive planning with 'Rule of Third' |Including calculation of turn/call pressure");
    auto row = [](const char *name, const char *caption, QKeySequence key, const QString &hint) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(caption) << key << hint;
    };
    row("NewNotepad1", "&New notepad", {}, QStringLiteral("New notepad"));
    row("OpenNotepad1", "&Open notepad", Qt::Key_F2, QStringLiteral("Open Notepad"));
    row("LoadDivePlan1", "&Load dive plan", Qt::Key_F11, QStringLiteral("&Load a dive into the dive planner"));
    row("Exit1", "E&xit", {}, QStringLiteral("Exit the application"));
    row("FeetMeters1", "Feet - &meters", {}, QStringLiteral("Feet - Meter conversions"));
    row("Fahtoms1", "&Fahtoms", {}, QStringLiteral("Fathoms is used to measure depth on sea maps"));
    row("GasBlending1", "&Gas blending", Qt::Key_F3, QStringLiteral("Gas blending worksheet"));
    row("GasMixEditor1", "Gas &Mix Editor", Qt::Key_F6, QStringLiteral("Gas mix editor for creating gas mixes"));
    row("Content1", "&Content", QKeySequence(Qt::CTRL | Qt::Key_F2), QStringLiteral("How much left with current pressure"));
    row("Fills1", "&Fills", QKeySequence(Qt::CTRL | Qt::Key_F4), QStringLiteral("Nitrox gas mixing"));
    row("SizeConversion1", "&Size conversion", QKeySequence(Qt::CTRL | Qt::Key_F6),
        QStringLiteral("Imperial to Metric and Metric to Imperial"));
    row("NitroxCalculations1", "&Nitrox calculations", Qt::Key_F7, QStringLiteral("Calculations for nitrox gas"));
    row("BottomTime1", "&Bottom Time", Qt::Key_F9, QStringLiteral("Bottom Time Calculations"));
    row("Calculator1", "&Calculator", QKeySequence(Qt::CTRL | Qt::Key_F1), QStringLiteral("Windows calculator"));
    row("NewDivePlan1", "&New Dive Plan", Qt::Key_F4, planning);
    row("OpenDivePlan1", "&Open Dive Plan", {}, planning);
    row("SurfaceAirConsumption1", "&Surface Air Consumption", Qt::Key_F8,
        QStringLiteral("SAC - PSI/Min to CuFt/Min or SAC BAR/Min to Litres/Min"));
    row("GasCalculations1", "&Gas Calculations", Qt::Key_F10, QStringLiteral("How much gas would I need for..."));
    row("ShowDANDiveProfiles1", "&Show DAN Dive profiles", Qt::Key_F12, QStringLiteral("Show DAN Research graphic"));
    row("OpenDANDiveProfile1", "&Open DAN Dive profile", {}, QStringLiteral("Read DAN Research format"));
    row("Imperial1", "&Imperial", {}, QStringLiteral("Set default option to Imperial"));
    row("Metric1", "&Metric", {}, QStringLiteral("Set default option to Metric"));
    row("HideAllToolbars1", "&Hide all toolbars", QKeySequence(Qt::CTRL | Qt::Key_F10), QString());
    row("MDIBackground1", "MDI &Background", {},
        QStringLiteral("Show background in program. Will only change at startup"));
    row("Cascade1", "Ca&scade", {}, QStringLiteral("Arrange windows to overlap"));
    row("MinimizeAll1", "&Minimize All", {}, QStringLiteral("Minimize all windows"));
    row("Close1", "&Close", {}, QStringLiteral("Close current file"));
    row("CloseAll1", "Close &all", QKeySequence(Qt::CTRL | Qt::Key_F12), QStringLiteral("Close all open windows"));
    row("About1", "&About", QKeySequence(Qt::SHIFT | Qt::Key_F10), QString());
    row("NewDivePlan2", "&New dive plan", {}, planning);
    row("DANDiveProfile2", "&DAN Dive profile", {}, QStringLiteral("Read DAN Research format"));
}

void TestMainForm::menuCommands()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QKeySequence, shortcut);
    QFETCH(QString, hint);
    WindowFixture program;
    TMainForm &main = program.main();
    QAction *a = main.action(name);
    QVERIFY2(a, qPrintable(name));
    QCOMPARE(a->text(), caption);
    QCOMPARE(a->shortcut(), shortcut);
    QCOMPARE(hintOf(a), hint);
    if (!hint.isEmpty())
        QCOMPARE(a->statusTip(), GetLongHint(hint));
}

void TestMainForm::menuSeparators_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QStringList>("captions");
    QTest::newRow("File") << "File1"
                          << QStringList{"&New notepad", "&Open notepad", "-", "&Load dive plan", "-", "E&xit"};
    QTest::newRow("Calculations") << "Calculations1"
                                  << QStringList{"Con&versions", "-", "&Gas blending", "Gas &Mix Editor", "-",
                                                 "&Tanks", "&Nitrox calculations", "&Bottom Time", "-", "&Calculator"};
    QTest::newRow("Tanks") << "Tanks1" << QStringList{"&Content", "&Fills", "-", "&Size conversion"};
    QTest::newRow("Planning") << "PlanningTools1"
                              << QStringList{"&New Dive Plan", "&Open Dive Plan", "-", "&Surface Air Consumption",
                                             "&Gas Calculations", "&Decompression schedule", "&Dive computers"};
    QTest::newRow("Options") << "Options1"
                             << QStringList{"&Measurements", "&Water type", "&Toolbar", "-", "MDI &Background"};
    QTest::newRow("Window") << "Window1"
                            << QStringList{"Ca&scade", "&Tile vertical", "Tile &horizontal", "Arrange &Icons",
                                           "&Minimize All", "-", "&Reopen", "-", "&Close", "Close &all"};
    QTest::newRow("Pop-up") << "PopupMenu1"
                            << QStringList{"&DAN Dive profile", "-", "&Load dive plan", "&New dive plan", "-",
                                           "&Gas blending", "Con&versions"};
}

void TestMainForm::menuSeparators()
{
    QFETCH(QString, menu);
    QFETCH(QStringList, captions);
    WindowFixture program;
    TMainForm &main = program.main();
    QVERIFY2(main.menu(menu), qPrintable(menu));
    QCOMPARE(captionsOf(main.menu(menu)), captions);
}

void TestMainForm::menuGroupsInOrder()
{
    WindowFixture program;
    TMainForm &main = program.main();
    QCOMPARE(menuBarCaptions(main), (QStringList{"&File", "&Calculations", "&Planning tools", "&Options", "&Window", "&Help"}));
}

void TestMainForm::childMenusMergeByGroup()
{
    WindowFixture program;
    TMainForm &main = program.main();
    auto *child = new MenuWindow(main);
    QMdiSubWindow *sub = main.addChild(child);
    QCOMPARE(main.activeChild(), child);
    QCOMPARE(menuBarCaptions(main),
             (QStringList{"&File", "&Edit", "&Calculations", "&Planning tools", "&Options", "&Window", "&Help"}));
    QCOMPARE(main.menuBar()->actions().first()->menu(), child->findChild<QMenu *>(QStringLiteral("ChildFile")));
    sub->close();
    QCOMPARE(main.menuBar()->actions().first()->menu(), main.menu(QStringLiteral("File1")));
    QCOMPARE(main.menuBar()->actions().size(), 6);
}

void TestMainForm::unitMenuChangesNewWindowsOnly()
{
    WindowFixture program("[Measurements]\nMetric=0\n");
    TMainForm &main = program.main();
    auto *before = new UnitWindow(main);
    main.addChild(before);
    QVERIFY(!before->isMetric());
    main.action(QStringLiteral("Metric1"))->trigger();
    QVERIFY(main.isMetric());
    QVERIFY(!main.action(QStringLiteral("Imperial1"))->isChecked());
    QCOMPARE(main.findChild<QLabel *>(QStringLiteral("UnitsPanel"))->text(), QStringLiteral("Units: Metric"));
    QVERIFY(!before->isMetric());
    auto *after = new UnitWindow(main);
    main.addChild(after);
    QVERIFY(after->isMetric());
    QCOMPARE(after->switches, 1);

    // A click on the window's own box switches that window only.
    after->metricBox()->click();
    QVERIFY(!after->isMetric());
    QCOMPARE(after->switches, 2);
    QVERIFY(main.isMetric());
    QCOMPARE(main.findChild<QLabel *>(QStringLiteral("UnitsPanel"))->text(), QStringLiteral("Units: Imperial"));
}

void TestMainForm::activationShowsUnitsOfWindow()
{
    WindowFixture program("[Measurements]\nMetric=1\n");
    TMainForm &main = program.main();
    main.show();
    auto *metric = new UnitWindow(main);
    QMdiSubWindow *metricSub = main.addChild(metric);
    main.action(QStringLiteral("Imperial1"))->trigger();
    main.addChild(new UnitWindow(main));
    auto *panel = main.findChild<QLabel *>(QStringLiteral("UnitsPanel"));
    QCOMPARE(panel->text(), QStringLiteral("Units: Imperial"));
    main.mdiArea()->setActiveSubWindow(metricSub);
    QCOMPARE(panel->text(), QStringLiteral("Units: Metric"));
}

void TestMainForm::windowMenuFollowsChildren()
{
    WindowFixture program;
    TMainForm &main = program.main();
    const QStringList following{"Cascade1", "TileVertical1", "ArrangeIcons1", "MinimizeAll1", "Close1", "CloseAll1"};
    for (const QString &name : following)
        QVERIFY2(!main.action(name)->isEnabled(), qPrintable(name));
    QVERIFY(main.action(QStringLiteral("TileHorizontal1"))->isEnabled());
    QVERIFY(!main.menu(QStringLiteral("Reopen1"))->isEnabled());
    main.addChild(new UnitWindow(main));
    main.addChild(new UnitWindow(main));
    for (const QString &name : following)
        QVERIFY2(main.action(name)->isEnabled(), qPrintable(name));
    main.resize(900, 700);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const auto frames = main.mdiArea()->subWindowList(QMdiArea::CreationOrder);
    const QRect area = main.mdiArea()->viewport()->rect();

    // Tile vertical: side by side, each half the width and the full height.
    main.action(QStringLiteral("TileVertical1"))->trigger();
    QCOMPARE(frames[0]->geometry(), QRect(0, 0, area.width() / 2, area.height()));
    QCOMPARE(frames[1]->geometry(), QRect(area.width() / 2, 0, area.width() / 2, area.height()));
    // Tile horizontal: one above the other.
    main.action(QStringLiteral("TileHorizontal1"))->trigger();
    QCOMPARE(frames[0]->geometry(), QRect(0, 0, area.width(), area.height() / 2));
    QCOMPARE(frames[1]->geometry(), QRect(0, area.height() / 2, area.width(), area.height() / 2));
    // Cascade: each window further down and right than the one before, all
    // inside the client area.
    main.action(QStringLiteral("Cascade1"))->trigger();
    QVERIFY(frames[1]->x() > frames[0]->x());
    QVERIFY(frames[1]->y() > frames[0]->y());
    for (QMdiSubWindow *frame : frames)
        QVERIFY(area.contains(frame->geometry()));
    main.action(QStringLiteral("Close1"))->trigger();
    QCOMPARE(main.childForms().size(), 1);
    main.action(QStringLiteral("CloseAll1"))->trigger();
    QVERIFY(main.childForms().isEmpty());
    for (const QString &name : following)
        QVERIFY2(!main.action(name)->isEnabled(), qPrintable(name));
}

void TestMainForm::statusTipsGoToMessageLine()
{
    WindowFixture program;
    TMainForm &main = program.main();
    auto *child = new UnitWindow(main);
    main.addChild(child);
    setHint(child->metricBox(), QStringLiteral("Metric or Imperial standard|Shown below"));
    QStatusTipEvent tip(child->metricBox()->statusTip());
    QCoreApplication::sendEvent(child->metricBox(), &tip);
    QCOMPARE(main.messageLine(), QStringLiteral("Shown below"));
    QCOMPARE(child->metricBox()->toolTip(), QStringLiteral("Metric or Imperial standard"));
    main.setMessageLine(QStringLiteral("Cannot load x as a dive"));
    QCOMPARE(main.messageLine(), QStringLiteral("Cannot load x as a dive"));
}

void TestMainForm::hideAllToolbars()
{
    WindowFixture program;
    TMainForm &main = program.main();
    main.show();
    // The floating toolbars show with the window's first frame.
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    auto *bar = main.findChild<TDocPanel *>(QStringLiteral("ToolBar"));
    QVERIFY(bar->isVisible());
    main.action(QStringLiteral("HideAllToolbars1"))->trigger();
    QVERIFY(!bar->isVisible());
    QVERIFY(!main.findChild<TDocPanel *>(QStringLiteral("ToolBarMisc"))->isVisible());
    main.action(QStringLiteral("HideAllToolbars1"))->trigger();
    QVERIFY(bar->isVisible());
}

// Both starts: without stored state the toolbars keep their design state
// (floating); with it, they take back what they wrote at exit.
void TestMainForm::toolbarsTakeStoredStateAtStart_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("mainDocked");
    QTest::addColumn<bool>("miscDocked");
    QTest::addColumn<int>("mainAlign");
    QTest::newRow("first start") << QByteArray() << false << false << int(TDocPanel::alTop);
    QTest::newRow("both docked") << QByteArray("[ToolBar]\nDocked=1\nAlign=2\n[ToolBarMisc]\nDocked=1\nAlign=1\n")
                                 << true << true << int(TDocPanel::alBottom);
    QTest::newRow("main docked, misc floating") << QByteArray("[ToolBar]\nDocked=1\nAlign=1\n[ToolBarMisc]\nDocked=0\n")
                                                << true << false << int(TDocPanel::alTop);
}

void TestMainForm::toolbarsTakeStoredStateAtStart()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, mainDocked);
    QFETCH(bool, miscDocked);
    QFETCH(int, mainAlign);
    WindowFixture program(stored);
    TMainForm &main = program.main();
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    auto *bar = main.findChild<TDocPanel *>(QStringLiteral("ToolBar"));
    auto *misc = main.findChild<TDocPanel *>(QStringLiteral("ToolBarMisc"));
    QCOMPARE(bar->Docked(), mainDocked);
    QCOMPARE(misc->Docked(), miscDocked);
    QCOMPARE(int(bar->Align()), mainAlign);
    QCOMPARE(bar->floatingWindow()->isVisible(), !mainDocked);
    QCOMPARE(misc->floatingWindow()->isVisible(), !miscDocked);
    QCOMPARE(main.action(QStringLiteral("DockedMain1"))->isChecked(), mainDocked);
    QCOMPARE(main.action(QStringLiteral("DockedMisc1"))->isChecked(), miscDocked);
    if (mainDocked) {
        const QWidget *client = main.mdiArea();
        if (mainAlign == TDocPanel::alBottom)
            QCOMPARE(bar->geometry().top(), client->geometry().bottom() + 1);
        else
            QCOMPARE(bar->geometry().top(), 0);
    }
    // "&Hide all toolbars" hides the floating windows too.
    main.action(QStringLiteral("HideAllToolbars1"))->trigger();
    QVERIFY(!bar->floatingWindow()->isVisible() && !misc->floatingWindow()->isVisible());
    QVERIFY(bar->isHidden() && misc->isHidden());
}

void TestMainForm::toolbarFloatPositionSurvivesRestart()
{
    TempSettings settings;
    QPoint place;
    {
        TMainForm main;
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        auto *bar = main.findChild<TDocPanel *>(QStringLiteral("ToolBar"));
        place = main.mdiArea()->mapToGlobal(QPoint(300, 200));
        bar->floatingWindow()->move(place);
        main.action(QStringLiteral("DockedMain1"))->trigger();
        QVERIFY(bar->Docked());
        QVERIFY(main.close());
    }
    QCOMPARE(SettingsFile().readInteger(QStringLiteral("ToolBar"), QStringLiteral("Docked"), -1), 1);
    TMainForm main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    auto *bar = main.findChild<TDocPanel *>(QStringLiteral("ToolBar"));
    QVERIFY(bar->Docked());
    QVERIFY(main.action(QStringLiteral("DockedMain1"))->isChecked());
    // Undocked by double-click, it floats where it floated before.
    QTest::mouseDClick(bar, Qt::LeftButton, {}, QPoint(2, 2));
    QVERIFY(!bar->Docked());
    QVERIFY(!main.action(QStringLiteral("DockedMain1"))->isChecked());
    QCOMPARE(bar->floatingWindow()->pos(), place);
}

void TestMainForm::backgroundToggleOnlyWarns()
{
    WindowFixture program("[MDIBackground]\nActive=0\n");
    TMainForm &main = program.main();
    const QBrush before = main.mdiArea()->background();
    main.action(QStringLiteral("MDIBackground1"))->trigger();
    QCOMPARE(program.dialogs().messageTexts(),
             QStringList{QStringLiteral("The background will change next time you start the program.")});
    QCOMPARE(main.mdiArea()->background(), before);
    QVERIFY(main.action(QStringLiteral("MDIBackground1"))->isChecked());
}

void TestMainForm::exitSavesSettingsInOrder()
{
    TempSettings settings;
    {
        TMainForm main;
        main.action(QStringLiteral("Imperial1"))->trigger();
        programUnits().ascentRate = 30;
        main.action(QStringLiteral("HideAllToolbars1"))->trigger();
        QVERIFY(main.close());
    }
    // The toolbars write their own sections when they are destroyed, after the window's.
    QVERIFY(settings.contents().startsWith("[Measurements]\nMetric=0\nAverageTableAscentTime=30\n\n"
                                           "[MDIBackground]\nActive=1\n\n"
                                           "[WaterType]\nSalt water=1\n\n"
                                           "[Toolbars]\nHideAll=1\n\n[ToolBar]\nDocked=0\nVisible=0\nAlign=1\n"));
    const QStringList keys{"Docked", "Visible", "Align", "Top", "Left", "Width", "Height"};
    QCOMPARE(SettingsFile().readSection(QStringLiteral("ToolBar")), keys);
    QCOMPARE(SettingsFile().readSection(QStringLiteral("ToolBarMisc")), keys);
}

void TestMainForm::exitRunsChildClosingSteps()
{
    WindowFixture program;
    TMainForm &main = program.main();
    main.addChild(new UnitWindow(main));
    QVERIFY(main.close());
    QCOMPARE(SettingsFile().readInteger(QStringLiteral("Defaults"), QStringLiteral("FillTankM"), 0), 12);
}

void TestMainForm::refusingChildKeepsProgramOpen()
{
    WindowFixture program;
    TMainForm &main = program.main();
    main.addChild(new UnitWindow(main));
    main.addChild(new UnitWindow(main, true));
    QVERIFY(!main.close());
    QVERIFY(!QFile::exists(program.settings().fileName()));
    QCOMPARE(main.childForms().size(), 2);
}

void TestMainForm::exitButtonAsksFirst()
{
    WindowFixture program;
    TMainForm &main = program.main();
    main.show();
    program.dialogs().answerMessage(QMessageBox::No);
    main.action(QStringLiteral("btnExit"))->trigger();
    QVERIFY(main.isVisible());
    QCOMPARE(program.dialogs().messageTexts(), QStringList{QStringLiteral("Do you wish to exit ?")});
    program.dialogs().answerMessage(QMessageBox::Yes);
    main.action(QStringLiteral("btnExit"))->trigger();
    QVERIFY(!main.isVisible());
    QVERIFY(program.dialogs().unanswered().isEmpty());
}

void TestMainForm::handlerErrorIsReported()
{
    ScriptedDialogs dialogs;
    QTimer source;
    source.setSingleShot(true);
    bool afterError = false;
    connectGuarded(&source, &QTimer::timeout, &source, [&] {
        StrToFloat(QStringLiteral("1,4"));
        afterError = true;
    });
    QMetaObject::invokeMethod(&source, [&] { source.start(0); });
    QTRY_COMPARE(dialogs.messageTexts().size(), 1);
    QCOMPARE(dialogs.messageTexts().first(), QStringLiteral("'1,4' is not a valid floating point value"));
    QCOMPARE(dialogs.asked().first().icon, QMessageBox::Critical);
    QVERIFY(!afterError);
}

void TestMainForm::eventErrorIsReportedByApplication()
{
    // An event handler that throws without a guard of its own.
    class Throwing final : public QObject
    {
    public:
        bool event(QEvent *e) override
        {
            if (e->type() == QEvent::User)
                throw AppError(QStringLiteral("boom"));
            return QObject::event(e);
        }
    } throwing;
    ScriptedDialogs dialogs;
    QCoreApplication::postEvent(&throwing, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    QCOMPARE(dialogs.messageTexts(), QStringList{QStringLiteral("boom")});
}

void TestMainForm::startTimerShowsAboutBox()
{
    WindowFixture program;
    program.dialogs().answerDialog([](QDialog &about) {
        return about.windowTitle() == u"About" ? int(QDialog::Accepted) : int(QDialog::Rejected);
    });
    TMainForm &main = program.main();
    auto *timer = main.findChild<QTimer *>();
    QVERIFY(timer && timer->isSingleShot() && timer->isActive());
    QCOMPARE(timer->interval(), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(!program.dialogs().asked().isEmpty(), 10000);
    QCOMPARE(program.dialogs().asked().first().text, QStringLiteral("AboutBox"));
    QVERIFY(!timer->isActive());
}

void TestMainForm::aboutBoxTexts()
{
    TAboutBox about;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    auto text = [&](const char *name) { return about.findChild<QLabel *>(QString::fromLatin1(name))->text(); };
    QCOMPARE(text("ProductName"), QStringLiteral("Tidewell"));
    QCOMPARE(text("Version"), QStringLiteral("Beta version 0.99h"));
    QCOMPARE(text("Copyright"), QStringLiteral(" NO responsiblity for caluculations. This is for what-if-situations "
                                               "only. You have to use the tables, dude. Remember it's your life !"));
    QCOMPARE(text("Comments"), QStringLiteral("All calculations are correct, as I know it. But if you should find any "
                                              "bugs anywhere, please let me know, so I can fix it."));
    QCOMPARE(text("DownloadLink"), QStringLiteral("Download latest version"));
    QVERIFY(about.findChild<QLabel *>(QStringLiteral("DebugLabel"))->isHidden());
    auto *ok = about.findChild<QPushButton *>(QStringLiteral("OKButton"));
    QVERIFY(ok->isDefault());
    QCOMPARE(hintOf(ok), QStringLiteral("|Yes, I promise to be a responsible diver :-)"));

    about.findChild<QAction *>(QStringLiteral("CopyEmailAddresses1"))->trigger();
    QVERIFY(QGuiApplication::clipboard()->text().startsWith(
        QStringLiteral("If you email me, please note that you are using Beta version 0.99h")));

    about.makeSplash();
    QVERIFY(ok->isHidden());
    QVERIFY(about.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

void TestMainForm::openNotepadDialogSettings()
{
    WindowFixture program;
    program.dialogs().answerFile(QString());
    TMainForm &main = program.main();
    main.action(QStringLiteral("OpenNotepad1"))->trigger();
    const FileDialogOptions &o = program.dialogs().lastFileOptions();
    QVERIFY(o.mustExist);
    QCOMPARE(o.history, QStringList{QStringLiteral("Tidewell.ini")});
    QCOMPARE(qtFileFilter(o.filter).split(QStringLiteral(";;")).first(), QStringLiteral("Editor files (*.txt *.rtf)"));
    QCOMPARE(qtFileFilter(o.filter).split(QStringLiteral(";;")).last(), QStringLiteral("All files (*)"));
    QVERIFY(main.childForms().isEmpty());
}

void TestMainForm::missingPlanOnTheCommandLineSaysWhy_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");
    QTest::newRow("named by two arguments") << QStringList{"/nonexistent-tidewell/My", "Dives.Dive"}
                                            << "/nonexistent-tidewell/My Dives.Dive";
    QTest::newRow("upper-case extension") << QStringList{"/nonexistent-tidewell/REEF.DIVE"}
                                          << "/nonexistent-tidewell/REEF.DIVE";
}

void TestMainForm::missingPlanOnTheCommandLineSaysWhy()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    WindowFixture program;
    program.dialogs().answerMessage(QMessageBox::No);
    TMainForm &main = program.main(arguments);
    QCOMPARE(main.commandLineFileName(), file);
    main.LoadADiverViaTimer();
    // The planner opens on its defaults and says why the plan is not in it;
    // the name still goes to the recent files, as for a plan that opened.
    QCOMPARE(main.childForms().size(), 1);
    QCOMPARE(main.childForms().constFirst()->windowTitle(), QStringLiteral("Dive planning with 'Rule of Third'"));
    QVERIFY2(main.messageLine().contains(file + QStringLiteral(" does not exist.")), qPrintable(main.messageLine()));
    QCOMPARE(main.FileHistory->files().value(0), file);
    // Without diver records the planner offers examples; nothing else is asked.
    QCOMPARE(program.dialogs().messageTexts(),
             QStringList{QStringLiteral("Do you wish to create some example dive members ?")});
    QCOMPARE(program.dialogs().asked().size(), 1);
}

// The program's own application object, so that its guarded event delivery is tested too.
int main(int argc, char **argv)
{
    TidewellApplication app(argc, argv);
    TestMainForm test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_mainform.moc"
