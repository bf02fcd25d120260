// The short dive plan: every line of the settled imperial example, a metric
// plan in its own unit words, decompression, the turn points by the SRF, a
// report that stops at a value that is not a number, and the file name.

#include "tests/planner/PlanTestSupport.h"
#include "tests/support/TempSettings.h"
#include "tests/support/TestNumbers.h"

#include "planner/model/DivePlanReport.h"

#include <QLocale>
#include <QSignalSpy>
#include <QtTest>

namespace {

const QDate Today(2026, 12, 8);
const QString Rule = QStringLiteral("------------------------------------------------ ");

QString createdLine()
{
    return QStringLiteral("Dive Plan created ") + QLocale::system().toString(Today, QLocale::ShortFormat);
}

// Lines 1-based, as a reader of the sheet counts them.
QString line(const ShortDivePlan &report, int number) { return report.lines.value(number - 1); }

void setStop(PlanModel &plan, int depth, int time) { plan.inputs.stop(1) = {true, depth, time}; }

} // namespace

class TestDivePlanReport : public QObject
{
    Q_OBJECT

private slots:
    void init() { usePlanTestUnits(false); }

    void settledImperialExample();
    void metricPlanInItsOwnUnits();
    void decompressionPlan();
    void decoGasLineGivesItsMOD_data();
    void decoGasLineGivesItsMOD();
    void turnPointsFollowTheSrf_data();
    void turnPointsFollowTheSrf();
    void srfProblemIsPassedOnNotWarned_data();
    void srfProblemIsPassedOnNotWarned();
    void stopsAtAValueThatIsNotANumber_data();
    void stopsAtAValueThatIsNotANumber();
    void fileName_data();
    void fileName();

private:
    TempSettings m_settings;
};

void TestDivePlanReport::settledImperialExample()
{
    auto plan = imperialExample();
    plan->inputs.diver[0].Name = QStringLiteral("Ann");
    plan->inputs.diver[1].Name = QStringLiteral("Bob");
    plan->DepthChange();
    const ShortDivePlan report = MakeShortDivePlan(*plan, Today);

    const QStringList expected = QStringList{createdLine()} + localNumbers({
        "",
        "Diver # 1 - Ann",
        "Tank certified to  : 3000 PSI",
        "Tank size          : 80 CuFt",
        "RMV                : 0.75 CuFt/Min",
        "Reserve type       : Rule of Third",
        "Reserve            : 26.40 CuFt",
        "",
        "Diver # 2 - Bob",
        "Tank certified to  : 3000 PSI",
        "Tank size          : 80 CuFt",
        "RMV                : 0.75 CuFt/Min",
        "Reserve type       : Rule of Third",
        "Reserve            : 26.40 CuFt",
        "",
        "",
        "DIVE",
        "Set depth          : 100.00 feet",
        "Primary gas        : 21.00 % oxygen",
        "Max ppO2           : 0.85",
        "MOD for primary gas: 187.00 feet",
        "",
        "",
        "DECOMPRESSION",
        "Decompression gas  : 80.00 % oxygen",
        "MOD for deco gas   : 24.75 feet",
        "",
        "",
        "TURN POINTS",
        "",
        "Diver               #1         #2 ",
        Rule,
        "Starter with   :    3000       3000 PSI",
        "Turn point     :    2010       2010 PSI",
        "Call point     :    1020       1020 PSI",
        Rule,
        "",
        "From which we can conclude that at the turn point you have been diving  8.7 minutes",
        "and with a outgoing speed of 60 ft/min you would have covered 524.07 feet.",
        "and your return trip would take 6.99 minutes which would give the total dive time of 15.72 minutes.",
        "",
        "GAS USED AT DIVE",
        "Diver               #1          #2 ",
        Rule,
        "Gas used            47.52       47.52 CuFt",
        "Gas left            32.48       32.48 CuFt",
        "",
    });
    QCOMPARE(report.lines.size(), 48);
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(report.lines.at(i), expected.at(i));
    QVERIFY(!report.stopped);
    QVERIFY(report.error.isEmpty());
    QCOMPARE(report.fileName, "DivePlan100_21-13.txt");
}

void TestDivePlanReport::metricPlanInItsOwnUnits()
{
    // Turn point, call point, speed, distance and gas are worded in bar,
    // meters and litres, and the gas is what the tanks hold.
    usePlanTestUnits(true);
    auto plan = openPlan();
    plan->inputs.Depth = 30;
    plan->inputs.BottomMixO2 = 32;
    plan->inputs.PO2 = localNumbers("1.4");
    plan->inputs.diver[0] = {QStringLiteral("Ann"), QStringLiteral("12"), QStringLiteral("200"), QStringLiteral("20")};
    plan->inputs.diver[1] = {QStringLiteral("Bob"), QStringLiteral("15"), QStringLiteral("232"), QStringLiteral("20")};
    plan->DepthChange();
    QCOMPARE(plan->inputs.SRF, localNumbers("0.67"));
    const ShortDivePlan report = MakeShortDivePlan(*plan, Today);

    QCOMPARE(report.lines.size(), 48);
    QVERIFY(!report.stopped);
    const QList<QPair<int, QString>> expected = {
        {4, "Tank certified to  : 200 BAR"},
        {5, "Tank size          : 12 Litres / 2400.00 Litres"},
        {6, "RMV                : 20 Litres/Min"},
        {8, "Reserve            : 792.00 Litres"},
        {11, "Tank certified to  : 232 BAR"},
        {12, "Tank size          : 15 Litres"},
        {15, "Reserve            : 1148.40 Litres"},
        {19, "Set depth          : 30.00 meters"},
        {20, "Primary gas        : 32.00 % oxygen"},
        {21, "Max ppO2           : 1.28"},
        {22, "MOD for primary gas: 33.75 meters"},
        {27, "MOD for deco gas   : 7.50 meters"},
        {34, "Starter with   :    200       232 BAR"},
        {35, "Turn point     :     134        155 BAR"},
        {36, "Call point     :      68         79 BAR"},
        {39, "From which we can conclude that at the turn point you have been diving  9.9 minutes"},
        {40, "and with a outgoing speed of 20 meters/min you would have covered 198.00 meters."},
        {41, "and your return trip would take 7.92 minutes which would give the total dive time of 17.82 minutes."},
        {46, "Gas used            1425.60       1425.60 Litres"},
        {47, "Gas left            974.40       2054.40 Litres"},
    };
    for (const auto &[number, text] : expected)
        QCOMPARE(line(report, number), localNumbers(text));
    QCOMPARE(report.fileName, "DivePlan30_32-" + IntToStr(Trunc(ValueOf(plan->results.BottomTime))) + ".txt");
}

void TestDivePlanReport::decompressionPlan()
{
    // A stop at 20 ft on 80 %: the deco gas and its ppO2 at the stop. The
    // turn points and times stay diver 1's way out and back.
    auto plan = imperialExample();
    setStop(*plan, 20, 5);
    plan->DepthChange();
    QVERIFY(plan->results.DecoActive);
    ShortDivePlan report = MakeShortDivePlan(*plan, Today);
    QCOMPARE(report.lines.size(), 48);
    QCOMPARE(line(report, 26), localNumbers("Decompression gas  : 80.00 % oxygen"));
    QCOMPARE(line(report, 27), localNumbers("MOD for deco gas   : 24.75 feet"));
    QCOMPARE(line(report, 35), "Turn point     :    2010       2010 PSI");
    QCOMPARE(line(report, 46), localNumbers("Gas used            47.52       47.52 CuFt"));

    // The deco gas that follows the bottom gas.
    plan->inputs.BottomMixO2 = 32;
    plan->inputs.SameAsBottomGas = true;
    plan->DepthChange();
    report = MakeShortDivePlan(*plan, Today);
    QCOMPARE(line(report, 20), localNumbers("Primary gas        : 32.00 % oxygen"));
    QCOMPARE(line(report, 26), localNumbers("Decompression gas  : 32.00 % oxygen"));
    QCOMPARE(line(report, 27), localNumbers("MOD for deco gas   : 111.38 feet"));
}

void TestDivePlanReport::decoGasLineGivesItsMOD_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("ppO2");
    QTest::addColumn<int>("decoGas");
    QTest::addColumn<QString>("expected");
    // The depth where the deco gas reaches the plan's maximum ppO2, as the
    // printed worksheet gives it: (ppO2 / fO2 - 1) x 33 ft or 10 m.
    QTest::newRow("EAN50 at 1.4, (2.8 - 1) x 33 ft")
        << false << "1.4" << 50 << "MOD for deco gas   : 59.40 feet";
    QTest::newRow("80 % at 1.6, (2 - 1) x 10 m") << true << "1.6" << 80 << "MOD for deco gas   : 10.00 meters";
    QTest::newRow("oxygen at 1.6, 0.6 x 33 ft") << false << "1.6" << 100 << "MOD for deco gas   : 19.80 feet";
}

void TestDivePlanReport::decoGasLineGivesItsMOD()
{
    QFETCH(bool, metric);
    QFETCH(QString, ppO2);
    QFETCH(int, decoGas);
    QFETCH(QString, expected);
    usePlanTestUnits(metric);
    auto plan = openPlan();
    plan->inputs.Depth = metric ? 30 : 100;
    plan->inputs.PO2 = localNumbers(ppO2);
    plan->inputs.DecoGas = decoGas;
    const DiverInputs diver = metric ? DiverInputs{QString(), QStringLiteral("12"), QStringLiteral("200"), QStringLiteral("20")}
                                     : DiverInputs{QString(), QStringLiteral("80"), QStringLiteral("3000"), localNumbers("0.75")};
    plan->inputs.diver[0] = plan->inputs.diver[1] = diver;
    setStop(*plan, metric ? 6 : 20, 5);
    plan->DepthChange();
    const ShortDivePlan report = MakeShortDivePlan(*plan, Today);
    QVERIFY(!report.stopped);
    QCOMPARE(line(report, 27), localNumbers(expected));
}

void TestDivePlanReport::turnPointsFollowTheSrf_data()
{
    QTest::addColumn<QString>("rate1");
    QTest::addColumn<QString>("rate2");
    QTest::addColumn<bool>("strict");
    QTest::addColumn<bool>("fixedReserve");
    QTest::addColumn<QStringList>("expected");   // lines 7, 35, 36, 46, 47

    const QString thirds = QStringLiteral("Reserve type       : Rule of Third");
    QTest::newRow("matched rates") << "0.75" << "0.75" << false << false
        << QStringList{thirds, "Turn point     :    2010       2010 PSI", "Call point     :    1020       1020 PSI",
                       "Gas used            47.52       47.52 CuFt", "Gas left            32.48       32.48 CuFt"};
    // 0.50 and 1.00 give 0.75; diver 2 breathes twice as much over diver 1's time.
    QTest::newRow("table factor") << "0.5" << "1" << false << false
        << QStringList{thirds, "Turn point     :    2250       2250 PSI", "Call point     :    1500       1500 PSI",
                       "Gas used            36.00       72.00 CuFt", "Gas left            44.00       8.00 CuFt"};
    QTest::newRow("strict rule of thirds") << "0.5" << "1" << true << false
        << QStringList{thirds, "Turn point     :    2010       2010 PSI", "Call point     :    1020       1020 PSI",
                       "Gas used            47.52       95.04 CuFt", "Gas left            32.48       -15.04 CuFt"};
    QTest::newRow("fixed reserve still turns by the SRF") << "0.5" << "1" << false << true
        << QStringList{"Reserve type       : Fixed reserve: 500 PSI", "Turn point     :    2250       2250 PSI",
                       "Call point     :    1500       1500 PSI", "Gas used            36.00       72.00 CuFt",
                       "Gas left            44.00       8.00 CuFt"};
}

void TestDivePlanReport::turnPointsFollowTheSrf()
{
    QFETCH(QString, rate1);
    QFETCH(QString, rate2);
    QFETCH(bool, strict);
    QFETCH(bool, fixedReserve);
    QFETCH(QStringList, expected);
    auto plan = imperialExample();
    plan->inputs.diver[0].BR = localNumbers(rate1);
    plan->inputs.diver[1].BR = localNumbers(rate2);
    plan->inputs.OnlyDiver1 = strict;
    plan->inputs.Reserve = fixedReserve ? ReserveRule::FixedPressure : ReserveRule::RuleOfThird;
    plan->DepthChange();
    const ShortDivePlan report = MakeShortDivePlan(*plan, Today);
    QCOMPARE(report.lines.size(), 48);
    const int numbers[] = {7, 35, 36, 46, 47};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(line(report, numbers[i]), localNumbers(expected.at(i)));
    QCOMPARE(line(report, 14), line(report, 7));
}

void TestDivePlanReport::srfProblemIsPassedOnNotWarned_data()
{
    QTest::addColumn<QString>("rate2");
    QTest::addColumn<SrfProblem>("problem");
    QTest::addColumn<QString>("turnPoint");
    QTest::newRow("table factor") << "1" << SrfProblem::None << "Turn point     :    2250       2250 PSI";
    QTest::newRow("rate out of range") << "1.2" << SrfProblem::RateOutOfRange
                                       << "Turn point     :    2010       2010 PSI";
    QTest::newRow("rate off the grid") << "0.755" << SrfProblem::OffTheGrid
                                       << "Turn point     :    2010       2010 PSI";
}

void TestDivePlanReport::srfProblemIsPassedOnNotWarned()
{
    // The report reads the plan and says what kept its SRF from the table;
    // the plan's page, status and signals stay as they were.
    QFETCH(QString, rate2);
    QFETCH(SrfProblem, problem);
    QFETCH(QString, turnPoint);
    auto plan = imperialExample();
    plan->inputs.diver[0].BR = localNumbers("0.5");
    plan->DepthChange();
    plan->inputs.diver[1].BR = localNumbers(rate2);
    QSignalSpy beeps(plan.get(), &PlanModel::beep);
    QSignalSpy problems(plan.get(), &PlanModel::srfProblem);
    const QString status = plan->view.MainStatus;
    const PlanModel &shown = *plan;
    const ShortDivePlan report = MakeShortDivePlan(shown, Today);
    QCOMPARE(report.srfProblem, problem);
    QCOMPARE(line(report, 35), turnPoint);
    QCOMPARE(beeps.count(), 0);
    QCOMPARE(problems.count(), 0);
    QCOMPARE(plan->view.LowerPageControl, "Dive");
    QCOMPARE(plan->view.MainStatus, status);
}

void TestDivePlanReport::stopsAtAValueThatIsNotANumber_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("value");
    QTest::addColumn<int>("kept");
    QTest::addColumn<QString>("lastLine");
    QTest::addColumn<QString>("error");

    const QString notANumber = QStringLiteral("'%1' is not a valid floating point value");
    const QString zeroDivide = QStringLiteral("Floating point division by zero");
    QTest::newRow("bottom time: no name, no lines") << "BottomTime" << "" << 0 << "" << notANumber.arg("");
    QTest::newRow("rate of diver 1: no SRF, no lines") << "BR1" << "lots" << 0 << "" << notANumber.arg("lots");
    QTest::newRow("pressure of diver 2 at the turn point") << "PSI2" << "full" << 34
        << "Starter with   :    3000       full PSI" << notANumber.arg("full");
    QTest::newRow("zero rate at the time line") << "BR1" << "0" << 38 << "" << zeroDivide;
    QTest::newRow("speed out") << "Speed1" << "fast" << 39
        << "From which we can conclude that at the turn point you have been diving  8.7 minutes"
        << notANumber.arg("fast");
    QTest::newRow("zero speed back") << "Speed2" << "0" << 40
        << "and with a outgoing speed of 60 ft/min you would have covered 524.07 feet." << zeroDivide;
    QTest::newRow("tank of diver 2 at the last line") << "Tanksize2" << "big" << 46
        << "Gas used            47.52       47.52 CuFt" << notANumber.arg("big");
}

void TestDivePlanReport::stopsAtAValueThatIsNotANumber()
{
    QFETCH(QString, field);
    QFETCH(QString, value);
    QFETCH(int, kept);
    QFETCH(QString, lastLine);
    QFETCH(QString, error);
    auto plan = imperialExample();
    plan->DepthChange();

    const QHash<QString, QString *> fields = {
        {"BR1", &plan->inputs.diver[0].BR},
        {"PSI2", &plan->inputs.diver[1].PSI},
        {"Tanksize2", &plan->inputs.diver[1].Tanksize},
        {"Speed1", &plan->inputs.Speed1},
        {"Speed2", &plan->inputs.Speed2},
    };
    // A bottom time that is not there: what the planner shows before it has one.
    if (field == "BottomTime")
        plan->results.BottomTime.reset();
    else
        *fields.value(field) = value;
    const ShortDivePlan report = MakeShortDivePlan(*plan, Today);
    QVERIFY(report.stopped);
    QCOMPARE(report.error, error);
    QCOMPARE(report.lines.size(), kept);
    QCOMPARE(report.lines.value(kept - 1), localNumbers(lastLine));
    if (kept > 0)
        QCOMPARE(report.lines.first(), createdLine());
    QCOMPARE(report.fileName.isEmpty(), field == "BottomTime");
}

void TestDivePlanReport::fileName_data()
{
    QTest::addColumn<QString>("planFile");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("oxygen");
    QTest::addColumn<double>("bottomTime");
    QTest::addColumn<QString>("expected");

    QTest::newRow("unsaved plan") << "" << 30 << 32 << 41.70 << "DivePlan30_32-41.txt";
    QTest::newRow("bottom time under a minute") << "" << 130 << 21 << 0.99 << "DivePlan130_21-0.txt";
    QTest::newRow("the planner's memory is unsaved")
        << "/home/ann/Default.Dive" << 30 << 32 << 41.70 << "DivePlan30_32-41.txt";
    QTest::newRow("saved plan") << "/home/ann/Reef.Dive" << 30 << 32 << 41.70 << "/home/ann/Reef.txt";
    QTest::newRow("lower-case extension") << "C:\\Dives\\Wreck.dive" << 30 << 32 << 41.70 << "C:\\Dives\\Wreck.txt";
    QTest::newRow("only the last extension") << "/p/Blue.hole.Dive" << 30 << 32 << 41.70 << "/p/Blue.hole.txt";
    QTest::newRow("dotted folder, no extension") << "/my.plans/Reef" << 30 << 32 << 41.70 << "/my.plans/Reef.txt";
}

void TestDivePlanReport::fileName()
{
    QFETCH(QString, planFile);
    QFETCH(int, depth);
    QFETCH(int, oxygen);
    QFETCH(double, bottomTime);
    QFETCH(QString, expected);
    auto plan = openPlan();
    plan->PlanFileName = planFile;
    plan->inputs.Depth = depth;
    plan->inputs.BottomMixO2 = oxygen;
    plan->results.BottomTime = bottomTime;
    QCOMPARE(ShortDivePlanFileName(*plan), expected);
}

QTEST_GUILESS_MAIN(TestDivePlanReport)
#include "tst_diveplanreport.moc"
