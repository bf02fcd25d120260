// The planner window driven as a user drives it: opened with F4 and from the
// command line, typing, the unit switch, the hand-offs to other windows, the
// short dive plan and closing.

#include "planner/model/DivePlanReport.h"
#include "planner/model/PlanFile.h"
#include "planner/window/ProfileGraphic.h"
#include "planner/window/Rule3.h"
#include "widgets/PreViewForm.h"

#include "core/IniFile.h"
#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/SettingsFile.h"
#include "shell/Application.h"
#include "shell/FileHist.h"
#include "shell/MDIEdit.h"
#include "shell/Main.h"
#include "tests/support/FakeHost.h"
#include "tests/support/PdfFiles.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestNumbers.h"
#include "tests/support/UserDriver.h"
#include "tests/support/WindowFixture.h"
#include "widgets/Hints.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QtTest>

namespace {

// Two divers of the settled example: 80 cubic feet at 3000 psi, 0.75 a minute,
// saved as a user of the run's locale saves them.
QByteArray exampleDivers()
{
    return localNumbers(QStringLiteral("[Measurements]\r\nMetric=0\r\n"
                                       "[Divers]\r\nTotal=2\r\n1=Ann\r\n2=Bob\r\nDefault=Ann\r\n"
                                       "[Ann]\r\nTankSize=80\r\nCertified=3000\r\nRMV=0.75\r\n"
                                       "[Bob]\r\nTankSize=80\r\nCertified=3000\r\nRMV=0.75\r\n"))
        .toUtf8();
}

// The example plan: 100 ft on air, rule of thirds, ppO2 1.4 (the reader's default).
const QByteArray ExamplePlan = "[Defaults]\r\nMetric=0\r\nDiver1Name=Ann\r\nDiver2Name=Bob\r\nDepth=100\r\n"
                               "BottomMixO2=21\r\nUseRuleOfThirdRadio=1\r\nUsedFixedPressureReserveRadio=0\r\n"
                               "SameAsBottomGas=0\r\nDecoGas=80\r\nSpeed1=60\r\nSpeed2=75\r\nAscentRateEdit=33\r\n";

void writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QString text(const QWidget *form, const QString &name) { return user::text(form, name); }

QTabWidget *pages(const QWidget *form, const QString &name) { return user::control<QTabWidget>(form, name); }

// The list that chooses what the profile graphic shows: a diver's gas or the time.
QComboBox *graphicsWho(const QWidget *plan) { return user::control<QComboBox>(plan, "ShowGraphicsWho"); }

QStringList entries(const QWidget *form, const QString &name)
{
    const auto *list = user::control<QComboBox>(form, name);
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->itemText(i);
    return texts;
}

// The label of a row of the tank comparison (1..12).
QString rowLabel(int row) { return QStringLiteral("Label%1").arg(row); }

QStringList noteLines(const TEditForm *note) { return note->Editor->toPlainText().split(u'\n'); }

} // namespace

class TestPlanWindow : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_fixture = std::make_unique<WindowFixture>();
        useTestNumberFormat();
        m_fixture->settings().write(exampleDivers());
        writeFile(DefaultDiveFileName(), ExamplePlan);
    }
    void cleanup() { m_fixture.reset(); }

    void f4ShowsTheSettledExample();
    void diveFileOnTheCommandLineOpensThePlan_data();
    void diveFileOnTheCommandLineOpensThePlan();
    void typedDepthRecalculatesOnce();
    void rateOffTheSrfTableWarnsFromTheWindow_data();
    void rateOffTheSrfTableWarnsFromTheWindow();
    void metricClickEmptiesNamesAndRefillsLists();
    void timeViewHidesTheGasLines();
    void tankComparisonGetsTheDiversTanks_data();
    void tankComparisonGetsTheDiversTanks();
    void blendingWorksheetAsksWhoseTank_data();
    void blendingWorksheetAsksWhoseTank();
    void tankComparisonRequest_data();
    void tankComparisonRequest();
    void blendRequest_data();
    void blendRequest();
    void gasNeedsRequest();
    void worksheetPlace_data();
    void worksheetPlace();
    void worksheetsStepDownBesideThePlanner();
    void gasNeedsOpensOnHowMuchAir();
    void decompressionButtonExplains();
    void shortPlanNoteIsNamedAfterThePlan_data();
    void shortPlanNoteIsNamedAfterThePlan();
    void metricShortPlanUsesThePlansWords();
    void closeWritesTheTankDefaults_data();
    void closeWritesTheTankDefaults();
    void printFormWritesTheWindowsImage();
    void diveMembersBringUpTheTeam();
    void previewPrintsThePlannerWhoseCommandWasUsed();

private:
    TfmRuleOfThird *pressF4(TMainForm &main)
    {
        main.show();
        main.activateWindow();
        if (!QTest::qWaitForWindowActive(&main))
            return nullptr;
        const int before = user::windows<TfmRuleOfThird>(main).size();
        QTest::keyClick(&main, Qt::Key_F4);
        const auto planners = user::windows<TfmRuleOfThird>(main);
        return planners.size() == before + 1 ? planners.last() : nullptr;
    }

    // A planner with the example plan, as F4 opens it, over a host that
    // records what the planner asks of it.
    std::unique_ptr<TfmRuleOfThird> plannerOver(FakeHost &host)
    {
        auto plan = std::make_unique<TfmRuleOfThird>(host);
        plan->LoadDive(DefaultDiveFileName());
        plan->show();
        return plan;
    }

    std::unique_ptr<WindowFixture> m_fixture;
};

void TestPlanWindow::f4ShowsTheSettledExample()
{
    TMainForm &main = m_fixture->main();
    TfmRuleOfThird *plan = pressF4(main);
    QVERIFY(plan);
    QCOMPARE(plan->windowTitle(), "Dive Planning");
    user::choose(graphicsWho(plan), QStringLiteral("Ann"));
    const std::pair<const char *, const char *> fields[] = {
        {"PressureInATA", "4.03"}, {"SRF", "0.67"}, {"stReserveInCuFt1", "26.40"}, {"stReserveInCuFt2", "26.40"},
        {"DescentTime", "3.03"}, {"AscentTime", "3.03"}, {"DescentComsumption1", "5.72"}, {"BottomTime", "13.93"},
        {"BestTime", "19.99"}, {"BottomTimeConsumption1", "42.11"}, {"TotalRunTimeConsumption1", "53.55"},
        {"TotalRunTimeConsumption2", "53.55"}, {"TeoretiskAvailTime", "26.47"}, {"TeoretiskAvailTime2", "26.47"},
        {"MODBottomGasEdit", "187.00"}, {"EAD", "100.00"}, {"MaxPOTwo", "0.85"}, {"BestMix", "34.74"},
        {"LblEdit4", "65.26"}, {"Label17Depth", "100.00 feet"}, {"Label34", "42.11"},
        {"TotalConsumptionStatusBarPanel1", "79.95 CuFt of 80.00 available"},
        {"ReserveStatusBarPanel1", "26.40 CuFt / Turn pressure: 2010 PSI"},
        {"TotalRunAndBottomTimePanel1", "19.99"}, {"TotalRunAndBottomTimePanel3", "13.93"},
    };
    for (const auto &[name, value] : fields)
        QCOMPARE(text(plan, QString::fromLatin1(name)), localNumbers(QString::fromLatin1(value)));
    QCOMPARE(text(plan, "MsgStatusBar"), "Very close to perfect gas matching");
    QCOMPARE(text(plan, "UseSuggestedGasButton"), "Use 34% oxygen");
    QCOMPARE(text(plan, "Label30"), localNumbers("Total run: 53.55 CuFt"));
    QVERIFY(!user::control(plan, "AlarmShape")->isVisible());

    user::click(plan, "SpeedButton3");
    auto *note = qobject_cast<TEditForm *>(main.activeChild());
    QVERIFY(note);
    QCOMPARE(note->windowTitle(), "DivePlan100_21-13.txt");
    QCOMPARE(note->Editor->font().family(), "Courier New");
    QCOMPARE(note->Editor->font().pointSize(), 8);
    const QStringList lines = noteLines(note);
    QVERIFY(lines.contains("Turn point     :    2010       2010 PSI"));
    QVERIFY(lines.contains("Call point     :    1020       1020 PSI"));
    QVERIFY(m_fixture->dialogs().unanswered().isEmpty());
}

void TestPlanWindow::diveFileOnTheCommandLineOpensThePlan_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("mixed case") << "Reef trip.Dive";
    QTest::newRow("upper case") << "WRECK.DIVE";
}

void TestPlanWindow::diveFileOnTheCommandLineOpensThePlan()
{
    QFETCH(QString, name);
    const QString fileName = m_fixture->settingsFolder() + u'/' + name;
    writeFile(fileName, ExamplePlan + "LowerPageControl=Reserves\r\n");
    IniFile(fileName).writeInteger("Defaults", "Depth", 60);
    TMainForm &main = m_fixture->main(QStringList{fileName});
    main.LoadADiverViaTimer();
    const auto planners = user::windows<TfmRuleOfThird>(main);
    QCOMPARE(planners.size(), 1);
    TfmRuleOfThird *plan = planners.first();
    QCOMPARE(plan->windowTitle(), "Dive Planning: [" + fileName + "]");
    QCOMPARE(text(plan, "Depth"), "60");
    QCOMPARE(text(plan, "Diver1Name"), "Ann");
    QCOMPARE(pages(plan, "LowerPageControl")->currentWidget()->objectName(), "Reserves");
    QVERIFY(user::action(plan, "Savediveplan1")->isEnabled());
    QCOMPARE(main.FileHistory->files().value(0), fileName);
    QCOMPARE(plan->plan().PlanFileName, fileName);
}

void TestPlanWindow::typedDepthRecalculatesOnce()
{
    TMainForm &main = m_fixture->main();
    TfmRuleOfThird *plan = pressF4(main);
    QVERIFY(plan);
    user::type(plan, "Depth", "60");
    // Every field shows what one recalculation of the model gives for 60 ft.
    auto model = std::make_unique<PlanModel>();
    model->inputs = plan->plan().inputs;
    model->Suspended = false;
    model->DepthChange();
    QCOMPARE(text(plan, "PressureInATA"), localNumbers("2.82"));
    QCOMPARE(text(plan, "BottomTime"), ShownValue(model->results.BottomTime));
    QCOMPARE(text(plan, "BestTime"), ShownValue(model->results.BestTime));
    QCOMPARE(text(plan, "MODBottomGasEdit"), ShownMod(model->results.MODBottomGasEdit));
    QCOMPARE(text(plan, "Label17Depth"), localNumbers("60.00 feet"));
}

void TestPlanWindow::rateOffTheSrfTableWarnsFromTheWindow_data()
{
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("page");
    QTest::newRow("out of range: the reserves page") << "2"
                                                     << "SRF Input: Out of range error"
                                                     << "Reserves";
    QTest::newRow("off the grid: the page stays") << "0.755"
                                                  << "Out of SRF range error"
                                                  << "Dive";
}

void TestPlanWindow::rateOffTheSrfTableWarnsFromTheWindow()
{
    // A recalculation's SRF problem reaches the main message line and turns
    // the page where the problem asks for it; so does the short plan's.
    QFETCH(QString, rate);
    QFETCH(QString, message);
    QFETCH(QString, page);
    TMainForm &main = m_fixture->main();
    TfmRuleOfThird *plan = pressF4(main);
    QVERIFY(plan);
    user::type(plan, "BR1", localNumbers(rate));
    QCOMPARE(text(plan, "BR1"), localNumbers(rate));
    QCOMPARE(text(plan, "SRF"), localNumbers("0.67"));
    QCOMPARE(main.messageLine(), message);

    // The rate stays; the depth typed anew recalculates with it. (The rate's
    // first keys, such as "0", may be out of range on their own.)
    pages(plan, "LowerPageControl")->setCurrentIndex(0);
    user::type(plan, "Depth", "90");
    QCOMPARE(pages(plan, "LowerPageControl")->currentWidget()->objectName(), page);

    pages(plan, "LowerPageControl")->setCurrentIndex(0);
    user::click(plan, "SpeedButton3");
    QCOMPARE(pages(plan, "LowerPageControl")->currentWidget()->objectName(), page);
}

void TestPlanWindow::metricClickEmptiesNamesAndRefillsLists()
{
    const QString fileName = m_fixture->settingsFolder() + "/Named.Dive";
    writeFile(fileName, ExamplePlan);
    m_fixture->dialogs().answerFile(fileName);
    TMainForm &main = m_fixture->main();
    main.action("LoadDivePlan1")->trigger();
    TfmRuleOfThird *plan = user::windows<TfmRuleOfThird>(main).value(0);
    QVERIFY(plan);
    QCOMPARE(plan->plan().PlanFileName, fileName);
    QCOMPARE(user::control<QComboBox>(plan, "Tanksize1")->count(), 11); // the form's own list until the first switch

    user::click(plan, "Metric");
    QVERIFY(plan->plan().PlanFileName.isEmpty());
    QCOMPARE(text(plan, "Diver1Name"), "");
    QCOMPARE(text(plan, "Diver2Name"), "");
    const QStringList sizes = entries(plan, "Tanksize2");
    const QStringList pressures = entries(plan, "PSI1");
    QCOMPARE(sizes.size(), TankSizeTable(true).size());
    QCOMPARE(sizes.first(), QString::number(TankSizeTable(true).first()));
    QCOMPARE(pressures.last(), QString::number(PressureTable(true).last()));
    QCOMPARE(text(plan, "ReservePressure"), "35");
    QCOMPARE(text(plan, "Speed1"), "20");
    QCOMPARE(text(plan, "Speed2"), "25");
    QCOMPARE(text(plan, "Depth"), "30");
    QCOMPARE(text(plan, "Label16"), "meters");
    QCOMPARE(text(plan, "BRUnit1"), "Litres/Min");
    QCOMPARE(text(plan, "PSIUnit2"), "BAR");
    QCOMPARE(text(plan, "Label25"), "meters/Min");

    // Without its file name the plan goes to "Default.Dive" without a question.
    QVERIFY(user::closeWindow(plan));
    QVERIFY(m_fixture->dialogs().asked().isEmpty() || m_fixture->dialogs().asked().last().kind == "open");
    QCOMPARE(IniFile(DefaultDiveFileName()).readBool("Defaults", "Metric", false), true);
}

void TestPlanWindow::timeViewHidesTheGasLines()
{
    TMainForm &main = m_fixture->main();
    TfmRuleOfThird *plan = pressF4(main);
    QVERIFY(plan);
    pages(plan, "UpperPageControl")->setCurrentIndex(1);
    QVERIFY(user::choose(graphicsWho(plan), "Bob"));
    QVERIFY(user::control(plan, "ReserveStatusBar")->isVisible());
    QVERIFY(user::control(plan, "GasUsedVersusAvailableGasProgress")->isVisible());
    QVERIFY(user::control(plan, "HowMuchGasBottum")->isVisible());
    QCOMPARE(hintOf(user::control(plan, "Panel11")), "Air consumption for Bob");
    QVERIFY(user::choose(graphicsWho(plan), "Time"));
    QVERIFY(!user::control(plan, "ReserveStatusBar")->isVisible());
    QVERIFY(!user::control(plan, "TotalConsumptionStatusBar")->isVisible());
    QVERIFY(!user::control(plan, "GasUsedVersusAvailableGasProgress")->isVisible());
    QVERIFY(!user::control(plan, "AlarmShape")->isVisible());
    QVERIFY(!user::control(plan, "HowMuchGasBottum")->isVisible());
    QCOMPARE(text(plan, "Label34"), localNumbers("13.93"));
    QCOMPARE(text(plan, "Label30"), "");
    QCOMPARE(hintOf(user::control(plan, "Panel11")), "Time in minutes");
    // Without a stop the decompression labels are hidden.
    QVERIFY(!user::control(plan, "Label41")->isVisible());
}

void TestPlanWindow::tankComparisonGetsTheDiversTanks_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("switched");
    QTest::addColumn<int>("rows");
    QTest::newRow("diver 1, form list of eleven") << "BitBot1" << false << 11;
    QTest::newRow("diver 2 from the toolbar, twelve after a switch") << "BitBot8" << true << 12;
}

void TestPlanWindow::tankComparisonGetsTheDiversTanks()
{
    QFETCH(QString, button);
    QFETCH(bool, switched);
    QFETCH(int, rows);
    TMainForm &main = m_fixture->main();
    TfmRuleOfThird *plan = pressF4(main);
    QVERIFY(plan);
    if (switched) {
        user::click(plan, "Metric");
        user::click(plan, "Metric");
        user::type(plan, "Diver1Name", "Ann");
        user::type(plan, "Diver2Name", "Bob");
    }
    user::click(plan, button);
    TChildForm *comparison = user::windows(main, "TfmConsumptionVersusTankSize").value(0);
    QVERIFY(comparison);
    QCOMPARE(text(comparison, "Header"), "Ann / Bob");
    const QString design = text(comparison, "Label12");
    // A comparison opened as it is designed, beside the one handed over.
    const TChildForm *fresh = main.openChild(ChildKind::TankComparison);
    QVERIFY(fresh);
    for (int row = 1; row <= rows; ++row)
        QVERIFY2(text(comparison, rowLabel(row)) != text(fresh, rowLabel(row)), qPrintable(QString::number(row)));
    if (rows < 12)
        QCOMPARE(design, text(fresh, "Label12"));
    QVERIFY(m_fixture->dialogs().unanswered().isEmpty());
}

void TestPlanWindow::blendingWorksheetAsksWhoseTank_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("pressure2");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("pressure");
    QTest::addColumn<QString>("suffix");
    QTest::newRow("nitrox, Yes: Ann's tank") << "SpeedButton4" << "3500" << int(QMessageBox::Yes) << true << "3000"
                                             << ", Nitrox, Ann";
    QTest::newRow("trimix, No: Bob's tank") << "CreateTrimixButtom" << "3500" << int(QMessageBox::No) << true << "3500"
                                            << ", Trimix, Bob";
    QTest::newRow("nitrox, Cancel: nothing") << "SpeedButton4" << "3500" << int(QMessageBox::Cancel) << true << ""
                                             << "";
    QTest::newRow("equal pressures: no question") << "SpeedButton4" << "3000" << int(QMessageBox::NoButton) << false
                                                  << "3000" << ", Nitrox";
}

void TestPlanWindow::blendingWorksheetAsksWhoseTank()
{
    QFETCH(QString, command);
    QFETCH(QString, pressure2);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(QString, pressure);
    QFETCH(QString, suffix);
    TMainForm &main = m_fixture->main();
    TfmRuleOfThird *plan = pressF4(main);
    QVERIFY(plan);
    user::type(plan, "Depth", "200");   // deep enough for a trimix suggestion
    pages(plan, "UpperPageControl")->setCurrentIndex(3);
    user::type(plan, "PSI2", pressure2);
    if (asked)
        m_fixture->dialogs().answerMessage(QMessageBox::StandardButton(answer));
    user::click(plan, command);
    const auto sheets = user::windows(main, "TfmParticialPressureMix");
    if (asked) {
        const QString cr(QChar(u'\r'));
        QCOMPARE(m_fixture->dialogs().messageTexts().value(0), "To mix the requested gas, please choose" + cr + cr + cr
                                                                   + "Yes for \"Ann\"" + cr + cr + "or" + cr + cr
                                                                   + "No  for \"Bob\"");
    } else {
        QVERIFY(m_fixture->dialogs().asked().isEmpty());
    }
    if (pressure.isEmpty()) {
        QVERIFY(sheets.isEmpty());
        return;
    }
    QCOMPARE(sheets.size(), 1);
    TChildForm *sheet = sheets.first();
    QCOMPARE(sheet->windowTitle(), "Gas blending worksheet" + suffix);
    QCOMPARE(text(sheet, "PSIG"), pressure);
    const PlanResults &r = plan->plan().results;
    const bool trimix = command == "CreateTrimixButtom";
    QCOMPARE(text(sheet, "xFo2"), ShownValue(trimix ? r.SuggestedOxygen : r.BestMix));
    QCOMPARE(text(sheet, "xFHe"), trimix ? ShownValue(r.SuggestedHelium) : QStringLiteral("0"));
    QVERIFY(user::control<QCheckBox>(sheet, "AutoCalc")->isChecked());
    QCOMPARE(sheet->isMetric(), false);
}

void TestPlanWindow::tankComparisonRequest_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("variedDiver");
    QTest::newRow("diver 1 from the toolbar") << "BitBot7" << 1;
    QTest::newRow("diver 2 from the toolbar") << "BitBot8" << 2;
    QTest::newRow("diver 1 from the dive team page") << "BitBot1" << 1;
    QTest::newRow("diver 2 from the dive team page") << "BitBot2" << 2;
}

void TestPlanWindow::tankComparisonRequest()
{
    QFETCH(QString, command);
    QFETCH(int, variedDiver);
    FakeHost host;
    const auto plan = plannerOver(host);
    pages(plan.get(), "UpperPageControl")->setCurrentIndex(2);
    user::type(plan.get(), "BR2", localNumbers("0.9"));
    user::click(plan.get(), command);
    QCOMPARE(host.tankRequests.size(), 1);
    const TankComparisonRequest &request = host.tankRequests.first();
    QCOMPARE(request.metric, false);
    QCOMPARE(request.variedDiver, variedDiver);
    QCOMPARE(request.header, "Ann / Bob");
    for (int k = 1; k <= 2; ++k) {
        const DiverTank &tank = request.diver.at(k - 1);
        QCOMPARE(tank.size, text(plan.get(), QStringLiteral("Tanksize%1").arg(k)));
        QCOMPARE(tank.pressure, text(plan.get(), QStringLiteral("PSI%1").arg(k)));
        QCOMPARE(tank.breathingRate, text(plan.get(), QStringLiteral("BR%1").arg(k)));
    }
    QCOMPARE(request.diver[1].breathingRate, localNumbers("0.9"));
    QCOMPARE(request.sizes, entries(plan.get(), QStringLiteral("Tanksize%1").arg(variedDiver)));
    QVERIFY(m_fixture->dialogs().asked().isEmpty());
}

void TestPlanWindow::blendRequest_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("pressure2");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("pressure");
    QTest::addColumn<QString>("diver");
    QTest::newRow("nitrox, equal pressures") << "SpeedButton4"
                                             << "3000" << int(QMessageBox::NoButton) << "3000"
                                             << "";
    QTest::newRow("nitrox from the menu, Yes: Ann's tank") << "CreatesuggestedNitroxgas1"
                                                           << "3500" << int(QMessageBox::Yes) << "3000"
                                                           << "Ann";
    QTest::newRow("trimix, No: Bob's tank") << "CreateTrimixButtom"
                                            << "3500" << int(QMessageBox::No) << "3500"
                                            << "Bob";
    QTest::newRow("trimix, Cancel: nothing asked of the host") << "CreateTrimixButtom"
                                                               << "3500" << int(QMessageBox::Cancel) << ""
                                                               << "";
}

void TestPlanWindow::blendRequest()
{
    QFETCH(QString, command);
    QFETCH(QString, pressure2);
    QFETCH(int, answer);
    QFETCH(QString, pressure);
    QFETCH(QString, diver);
    FakeHost host;
    const auto plan = plannerOver(host);
    user::type(plan.get(), "Depth", "200"); // deep enough for a trimix suggestion
    pages(plan.get(), "UpperPageControl")->setCurrentIndex(2);
    user::type(plan.get(), "PSI2", pressure2);
    pages(plan.get(), "UpperPageControl")->setCurrentIndex(3);
    if (answer != QMessageBox::NoButton)
        m_fixture->dialogs().answerMessage(QMessageBox::StandardButton(answer));
    if (command.startsWith("Create") && command.endsWith("gas1"))
        user::action(plan.get(), command)->trigger();
    else
        user::click(plan.get(), command);
    QVERIFY(m_fixture->dialogs().unanswered().isEmpty());
    if (pressure.isEmpty()) {
        QVERIFY(host.blendRequests.isEmpty());
        return;
    }
    QCOMPARE(host.blendRequests.size(), 1);
    const BlendRequest &request = host.blendRequests.first();
    const bool trimix = command.contains("Trimix");
    QCOMPARE(request.metric, false);
    QCOMPARE(request.pressure, pressure);
    QCOMPARE(request.oxygen, text(plan.get(), trimix ? "SuggestedOxygen" : "BestMix"));
    QCOMPARE(request.helium, trimix ? text(plan.get(), "SuggestedHelium") : QStringLiteral("0"));
    QCOMPARE(request.nitrogen, text(plan.get(), trimix ? "SuggestedNitrogen" : "LblEdit4"));
    QVERIFY(!request.oxygen.isEmpty() && !request.nitrogen.isEmpty());
    QCOMPARE(request.gasName, trimix ? "Trimix" : "Nitrox");
    QCOMPARE(request.diverName, diver);
    // Without a worksheet from the host nothing is placed.
    QVERIFY(host.placed.isEmpty());
}

void TestPlanWindow::gasNeedsRequest()
{
    FakeHost host;
    const auto plan = plannerOver(host);
    pages(plan.get(), "UpperPageControl")->setCurrentIndex(1);
    user::type(plan.get(), "BR2", localNumbers("0.8"));
    user::type(plan.get(), "Depth", "66");
    QVERIFY(user::choose(graphicsWho(plan.get()), "Bob"));
    user::click(plan.get(), "HowMuchGasBottum");
    QCOMPARE(host.gasNeedsRequests.size(), 1);
    const GasNeedsRequest &request = host.gasNeedsRequests.first();
    QCOMPARE(request.metric, false);
    QCOMPARE(request.depth, 66);
    QCOMPARE(request.minutes, qRound(StrToFloat(text(plan.get(), "BestTime"))));
    QVERIFY(request.minutes > 0);
    QCOMPARE(request.breathingRate, localNumbers("0.8"));
}

void TestPlanWindow::worksheetPlace_data()
{
    QTest::addColumn<QRect>("planner");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QPoint>("place");
    QTest::newRow("first, fits") << QRect(10, 20, 300, 400) << 0 << QPoint(310, 20);
    QTest::newRow("third, fits") << QRect(10, 20, 300, 400) << 64 << QPoint(310, 84);
    QTest::newRow("ends exactly at the limit") << QRect(0, 0, 400, 400) << 0 << QPoint(400, 0);
    QTest::newRow("one pixel too wide") << QRect(0, 0, 401, 400) << 0 << QPoint(-1, -1);
}

void TestPlanWindow::worksheetPlace()
{
    QFETCH(QRect, planner);
    QFETCH(int, offset);
    QFETCH(QPoint, place);
    // A 400 pixel worksheet on a 1000 pixel screen: it must end by 800.
    const auto placed = WorksheetPlace(planner, QSize(400, 300), 1000, offset);
    QCOMPARE(placed.value_or(QPoint(-1, -1)), place);
}

void TestPlanWindow::worksheetsStepDownBesideThePlanner()
{
    TMainForm &main = m_fixture->main();
    TfmRuleOfThird *plan = pressF4(main);
    QVERIFY(plan);
    plan->parentWidget()->setGeometry(0, 0, 80, 300);
    const QRect planner = main.windowFrame(*plan);
    for (int k = 0; k < 3; ++k)
        user::click(plan, "SpeedButton4");
    const auto sheets = user::windows(main, "TfmParticialPressureMix");
    QCOMPARE(sheets.size(), 3);
    // Each worksheet goes where the rule says for the screen the test runs on.
    int offset = 0;
    for (TChildForm *sheet : sheets) {
        const QRect frame = main.windowFrame(*sheet);
        const auto place = WorksheetPlace(planner, frame.size(), plan->screen()->geometry().width(), offset);
        if (place) {
            QCOMPARE(frame.topLeft(), *place);
            offset += 32;
        }
    }
}

void TestPlanWindow::gasNeedsOpensOnHowMuchAir()
{
    TMainForm &main = m_fixture->main();
    TfmRuleOfThird *plan = pressF4(main);
    QVERIFY(plan);
    pages(plan, "UpperPageControl")->setCurrentIndex(1);
    user::type(plan, "BR2", localNumbers("0.8"));
    QVERIFY(user::choose(graphicsWho(plan), "Bob"));
    user::click(plan, "HowMuchGasBottum");
    auto *gas = user::windows(main, "TfmGasCalc").value(0);
    QVERIFY(gas);
    const auto *pages = user::control<QTabWidget>(gas, "PageControl1");
    QCOMPARE(pages->currentWidget()->objectName(), "HowMuchAir");
    QCOMPARE(text(gas, "NDepth"), "100");
    QCOMPARE(text(gas, "N_Time"), QString::number(qRound(ValueOf(plan->plan().results.BestTime))));
    QCOMPARE(text(gas, "NBre_rate"), text(plan, "BR2"));
    QVERIFY(!text(gas, "Memo2").trimmed().isEmpty());
}

void TestPlanWindow::decompressionButtonExplains()
{
    TMainForm &main = m_fixture->main();
    TfmRuleOfThird *plan = pressF4(main);
    QVERIFY(plan);
    pages(plan, "LowerPageControl")->setCurrentIndex(2);
    user::click(plan, "SpeedButton2");
    QVERIFY(m_fixture->dialogs().messageTexts().value(0).startsWith(
        "To calculate decompression is currently outside of the scobe of what I can do in a freeware program."));
}

void TestPlanWindow::shortPlanNoteIsNamedAfterThePlan_data()
{
    QTest::addColumn<QString>("planFile");
    QTest::addColumn<QString>("noteName");
    QTest::newRow("unsaved") << "" << "DivePlan30_32-";
    QTest::newRow("saved plan") << "Trip.Dive" << "Trip.txt";
}

void TestPlanWindow::shortPlanNoteIsNamedAfterThePlan()
{
    QFETCH(QString, planFile);
    QFETCH(QString, noteName);
    TMainForm &main = m_fixture->main();
    TfmRuleOfThird *plan = pressF4(main);
    QVERIFY(plan);
    user::type(plan, "Depth", "30");
    user::type(plan, "BottomMixO2", "32");
    if (!planFile.isEmpty()) {
        m_fixture->dialogs().answerFile(m_fixture->settingsFolder() + u'/' + planFile);
        user::action(plan, "Saveas1")->trigger();
        QVERIFY(QFile::exists(m_fixture->settingsFolder() + u'/' + planFile));
    }
    user::action(plan, "Createshortdiveplan1")->trigger();
    auto *note = qobject_cast<TEditForm *>(main.activeChild());
    QVERIFY(note);
    if (planFile.isEmpty()) {
        const QString minutes = QString::number(static_cast<long long>(ValueOf(plan->plan().results.BottomTime)));
        QCOMPARE(note->windowTitle(), noteName + minutes + ".txt");
    } else {
        QCOMPARE(note->fileName(), m_fixture->settingsFolder() + u'/' + noteName);
    }
    QCOMPARE(noteLines(note).size(), 48);
}

void TestPlanWindow::metricShortPlanUsesThePlansWords()
{
    TMainForm &main = m_fixture->main();
    TfmRuleOfThird *plan = pressF4(main);
    QVERIFY(plan);
    user::click(plan, "Metric");
    user::click(plan, "BitBot6");
    auto *note = qobject_cast<TEditForm *>(main.activeChild());
    QVERIFY(note);
    const QStringList lines = noteLines(note);
    QCOMPARE(lines.size(), 48);
    const QString pressure = plan->plan().inputs.diver[0].PSI;
    QVERIFY(lines.at(33).startsWith("Starter with   :    " + pressure));
    QVERIFY(lines.at(33).endsWith(" BAR"));
    QVERIFY(lines.at(34).endsWith(" BAR"));
    QVERIFY(lines.at(35).endsWith(" BAR"));
    QVERIFY(lines.at(39).contains(" meters/min ") && lines.at(39).endsWith(" meters."));
    QVERIFY(lines.at(45).endsWith(" Litres"));
    QVERIFY(lines.at(46).endsWith(" Litres"));
    for (int i = 33; i < 47; ++i)
        QVERIFY2(!lines.at(i).contains("PSI") && !lines.at(i).contains("CuFt") && !lines.at(i).contains("feet"),
                 qPrintable(lines.at(i)));
}

void TestPlanWindow::closeWritesTheTankDefaults_data()
{
    QTest::addColumn<QString>("pressure");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("storedPressure");   // "" for no key written
    QTest::addColumn<QString>("storedSize");
    QTest::newRow("whole numbers") << "3500" << "100" << "3500" << "100";
    QTest::newRow("size with a fraction") << "3000" << "11.1" << "3000" << "11";
    QTest::newRow("fractions round to nearest") << "3190.7" << "80.5" << "3191" << "80";
    QTest::newRow("half rounds to even") << "2475.5" << "12.5" << "2476" << "12";
    QTest::newRow("no number is not remembered") << "full" << "80" << "" << "80";
}

void TestPlanWindow::closeWritesTheTankDefaults()
{
    QFETCH(QString, pressure);
    QFETCH(QString, size);
    QFETCH(QString, storedPressure);
    QFETCH(QString, storedSize);
    TMainForm &main = m_fixture->main();
    TfmRuleOfThird *plan = pressF4(main);
    QVERIFY(plan);
    pages(plan, "UpperPageControl")->setCurrentIndex(2);
    user::type(plan, "PSI1", localNumbers(pressure));
    user::type(plan, "Tanksize1", localNumbers(size));
    QVERIFY(user::closeWindow(plan));
    // Closing shows no error, whatever the boxes hold.
    QCOMPARE(m_fixture->dialogs().messageTexts(), QStringList());
    const IniFile settings = SettingsFile();
    QCOMPARE(settings.readString("Defaults", "PresurizeTankI", ""), storedPressure);
    QCOMPARE(settings.readString("Defaults", "FillTankI", ""), storedSize);
    // The plan itself went to "Default.Dive".
    QCOMPARE(IniFile(DefaultDiveFileName()).readString("Defaults", "Diver1Name", ""), "Ann");
    QVERIFY(m_fixture->dialogs().unanswered().isEmpty());
}

void TestPlanWindow::printFormWritesTheWindowsImage()
{
    TMainForm &main = m_fixture->main();
    TfmRuleOfThird *plan = pressF4(main);
    QVERIFY(plan);
    const QString pdf = m_fixture->settingsFolder() + "/form.pdf";
    m_fixture->dialogs().answerPrint([&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    user::action(plan, "Printform1")->trigger();
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(4) == "%PDF");
    QVERIFY(file.size() > 10000);   // the page holds a picture, not an empty page
    // A cancelled dialog prints nothing.
    m_fixture->dialogs().answerPrint([](QPrinter &) { return false; });
    QFile::remove(pdf);
    user::click(plan, "PrintButtom");
    QVERIFY(!QFile::exists(pdf));
}

void TestPlanWindow::diveMembersBringUpTheTeam()
{
    TMainForm &main = m_fixture->main();
    TfmRuleOfThird *plan = pressF4(main);
    QVERIFY(plan);
    pages(plan, "UpperPageControl")->setCurrentIndex(0);
    QTabWidget *lower = pages(plan, "LowerPageControl");
    QTest::mouseClick(lower->tabBar(), Qt::LeftButton, {}, lower->tabBar()->tabRect(5).center());
    QCOMPARE(lower->currentWidget()->objectName(), "DiveMembers");
    QCOMPARE(pages(plan, "UpperPageControl")->currentWidget()->objectName(), "DiveTeam");
    QCOMPARE(user::control<QListWidget>(plan, "DiversListBox")->count(), 2);
}

// The worksheet of a preview is printed to `pdf` and its text returned.
static QString previewedWorksheet(ScriptedDialogs &dialogs, const QString &pdf, const std::function<void()> &command)
{
    QFile::remove(pdf);
    dialogs.answerPrint([pdf](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    dialogs.answerDialog([](QDialog &dialog) {
        if (!qobject_cast<TfmtPreViewForm *>(&dialog))
            return -1;
        user::click(&dialog, QStringLiteral("PrintButton"));
        return int(QDialog::Rejected);
    });
    command();
    return PdfText(pdf).simplified();
}

void TestPlanWindow::previewPrintsThePlannerWhoseCommandWasUsed()
{
    TMainForm &main = m_fixture->main();
    TfmRuleOfThird *older = pressF4(main);
    QVERIFY(older);
    pages(older, "UpperPageControl")->setCurrentIndex(2);
    user::type(older, "Diver1Name", "Carl");
    TfmRuleOfThird *newer = pressF4(main);
    QVERIFY(newer && newer != older);
    const QString pdf = QDir(m_fixture->settingsFolder()).filePath(QStringLiteral("worksheet.pdf"));

    // The older planner's toolbar button, while the newer one is the last opened.
    QString text = previewedWorksheet(m_fixture->dialogs(), pdf, [&] { user::click(older, "BitBot5"); });
    QVERIFY2(text.contains(QStringLiteral("Diver #1 Carl")), qPrintable(text));
    QVERIFY(text.contains(localNumbers(QStringLiteral("Turn point 2010 PSI"))));
    text = previewedWorksheet(m_fixture->dialogs(), pdf, [&] { user::click(newer, "BitBot5"); });
    QVERIFY2(text.contains(QStringLiteral("Diver #1 Ann")), qPrintable(text));

    // With the newer planner closed, the older one's menu command still previews its own plan.
    QVERIFY(user::closeWindow(newer));
    main.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(older->parentWidget()));
    text = previewedWorksheet(m_fixture->dialogs(), pdf,
                              [&] { user::command(main, QStringLiteral("Printdiveplan1"))->trigger(); });
    QVERIFY2(text.contains(QStringLiteral("Diver #1 Carl")), qPrintable(text));
    QVERIFY(m_fixture->dialogs().unanswered().isEmpty());
}

int main(int argc, char **argv)
{
    TidewellApplication app(argc, argv);
    TestPlanWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_planwindow.moc"
