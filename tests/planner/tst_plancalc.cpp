// The plan arithmetic: the settled example, hand-worked plans in both unit
// systems, the SRF table and the warnings of the steps.

#include "tests/planner/PlanTestSupport.h"
#include "tests/support/TempSettings.h"
#include "tests/support/TestNumbers.h"

#include "planner/model/SrfTable.h"

#include "core/Errors.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

using Expected = QList<QPair<QString, QString>>;
using Stops = QList<QPair<int, int>>;

// Output fields by their control names, so that a row can list what it expects.
QString field(const PlanModel &plan, const QString &name)
{
    using Read = std::function<QString(const PlanModel &)>;
    static const QHash<QString, Read> fields = [] {
        QHash<QString, Read> read;
        read.insert("MODBottomGasEdit", [](const PlanModel &plan) { return ShownMod(plan.results.MODBottomGasEdit); });
        const std::pair<const char *, PlanValue PlanResults::*> planWide[] = {
            {"PressureInATA", &PlanResults::PressureInATA},
            {"MaxPOTwo", &PlanResults::MaxPOTwo},
            {"MODDecomixEdit", &PlanResults::MODDecomixEdit},
            {"BestMix", &PlanResults::BestMix},
            {"DescentTime", &PlanResults::DescentTime},
            {"AscentTime", &PlanResults::AscentTime},
            {"AscentFromDecoTime", &PlanResults::AscentFromDecoTime},
            {"TotalDecoTime", &PlanResults::TotalDecoTime},
            {"BottomTime", &PlanResults::BottomTime},
            {"BestTime", &PlanResults::BestTime},
        };
        for (const auto &[key, member] : planWide)
            read.insert(key, [member](const PlanModel &plan) { return ShownValue(plan.results.*member); });
        // Diver 1's and diver 2's control names.
        const std::pair<std::array<const char *, 2>, PlanValue DiverResults::*> perDiver[] = {
            {{"stReserveInCuFt1", "stReserveInCuFt2"}, &DiverResults::stReserveInCuFt},
            {{"TeoretiskAvailTime", "TeoretiskAvailTime2"}, &DiverResults::TeoretiskAvailTime},
            {{"DescentComsumption1", "DescentComsumption2"}, &DiverResults::DescentComsumption},
            {{"Ascent1Consumption1", "Ascent1Consumption2"}, &DiverResults::Ascent1Consumption},
            {{"Ascent2Consumption1", "Ascent2Consumption2"}, &DiverResults::Ascent2Consumption},
            {{"DecoConsumption1", "DecoConsumption2"}, &DiverResults::DecoConsumption},
            {{"BottomTimeConsumption1", "BottomTimeConsumption2"}, &DiverResults::BottomTimeConsumption},
            {{"TotalRunTimeConsumption1", "TotalRunTimeConsumption2"}, &DiverResults::TotalRunTimeConsumption},
        };
        for (const auto &[keys, member] : perDiver)
            for (size_t n = 0; n < 2; ++n)
                read.insert(keys[n],
                            [n, member](const PlanModel &plan) { return ShownValue(plan.results.diver[n].*member); });
        const std::pair<const char *, QString PlanView::*> shown[] = {
            {"MsgStatusBar", &PlanView::MsgStatusBar}, {"ReserveStatusBar", &PlanView::ReserveStatusBar},
            {"TotalConsumptionStatusBar", &PlanView::TotalConsumptionStatusBar},
        };
        for (const auto &[key, member] : shown)
            read.insert(key, [member](const PlanModel &plan) { return plan.view.*member; });
        read.insert("SRF", [](const PlanModel &plan) { return plan.inputs.SRF; });
        return read;
    }();
    if (!fields.contains(name))
        qFatal("no output field %s", qPrintable(name));
    return fields.value(name)(plan);
}

// Every output text, to compare two states of a plan.
QStringList outputs(const PlanModel &plan)
{
    const PlanResults &r = plan.results;
    QStringList texts = {ShownMod(r.MODBottomGasEdit), ShownNitrogen(r),           plan.inputs.SRF,
                         plan.view.MsgStatusBar,       plan.view.ReserveStatusBar, plan.view.TotalConsumptionStatusBar};
    for (const PlanValue &value : {r.PressureInATA, r.MaxPOTwo, r.EAD, r.MODDecomixEdit, r.BestMix, r.SuggestedHelium,
                                   r.SuggestedOxygen, r.SuggestedNitrogen, r.DescentTime, r.BottomTime, r.AscentTime,
                                   r.TotalDecoTime, r.AscentFromDecoTime, r.BestTime})
        texts << ShownValue(value);
    for (const DiverResults &d : r.diver)
        for (const PlanValue &value :
             {d.DescentComsumption, d.BottomTimeConsumption, d.Ascent1Consumption, d.DecoConsumption,
              d.Ascent2Consumption, d.TotalRunTimeConsumption, d.stReserveInCuFt, d.TeoretiskAvailTime})
            texts << ShownValue(value);
    return texts;
}

void setStop(PlanModel &plan, int stop, int depth, int time) { plan.inputs.stop(stop) = {true, depth, time}; }

} // namespace

class TestPlanCalc : public QObject
{
    Q_OBJECT

private slots:
    void init() { usePlanTestUnits(false); }

    void openingState_data();
    void openingState();
    void settledImperialExample();
    void oneRecalculationSettlesAfterADepthChange();
    void handWorkedPlans_data();
    void handWorkedPlans();

    void roundRmvToStep_data();
    void roundRmvToStep();
    void srfTable_data();
    void srfTable();
    void srfTableShape();
    void srfOutOfRange();
    void srfOffTheGrid();
    void srfQuietSkipsTheTable();
    void recalculationPassesTheSrfProblemOn_data();
    void recalculationPassesTheSrfProblemOn();
    void planValueReadsAsItsText_data();
    void planValueReadsAsItsText();
    void modShowsNoneAsZero();
    void stopRecordsAreClampedOneByOne_data();
    void stopRecordsAreClampedOneByOne();

    void noStopsLeaveDecompressionAtZero();
    void stopBelowTheDepthIsSwitchedOff();
    void quietKeepsTheStopBelowTheDepth();
    void bestMix_data();
    void bestMix();
    void narcosisDepth_data();
    void narcosisDepth();
    void trimixSuggestion();
    void depthBeyondMod();
    void gasShortageShowsAlarmWithoutSecondPass();
    void zeroAscentRateBecomesOne();
    void ascentRateEditSetsTheSharedRate();
    void unparsableDiverValuesStopQuietly();
    void metricTankThatIsNotWholeKeepsReserves();
    void suspendedPlanIgnoresRecalculation();
    void userUnitSwitch();
    void typedSrfOfZeroIsAdjusted();

private:
    TempSettings m_settings;
};

void TestPlanCalc::openingState_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<int>("ascentRate");  // program-wide, before opening
    QTest::addColumn<QStringList>("expected");
    // Depth, narcosis depth, rate text, shared rate, tanks, pressures, rates,
    // reserve pressure, speeds, ppO2.
    QTest::newRow("imperial form values")
        << false << 33
        << QStringList{"30", "133", "33.00", "33", "160", "240", "3000", "3500", "1", "1", "500", "60", "75", "1.6"};
    // The lists start from the remembered values (none yet) of the metric unit.
    QTest::newRow("metric program")
        << true << 10
        << QStringList{"10", "40", "10.00", "10", "28", "28", "200", "200", "25", "25", "35", "20", "25", "1.6"};
    QTest::newRow("zero rate becomes 1")
        << false << 0
        << QStringList{"30", "133", "1.00", "1", "160", "240", "3000", "3500", "1", "1", "500", "60", "75", "1.6"};
}

void TestPlanCalc::openingState()
{
    QFETCH(bool, metric);
    QFETCH(int, ascentRate);
    QFETCH(QStringList, expected);
    usePlanTestUnits(metric, true, ascentRate);
    const PlanModel plan;
    const PlanInputs &in = plan.inputs;
    QCOMPARE(in.Metric, metric);
    QCOMPARE((QStringList{IntToStr(in.Depth), IntToStr(in.NarcosisDepth), in.AscentRateEdit,
                          IntToStr(AscentRate()), in.diver[0].Tanksize, in.diver[1].Tanksize, in.diver[0].PSI,
                          in.diver[1].PSI, in.diver[0].BR, in.diver[1].BR, in.ReservePressure, in.Speed1,
                          in.Speed2, in.PO2}),
             localNumbers(expected));
    // Nothing is computed until the first plan has been loaded; warnings are on.
    QVERIFY(plan.Suspended);
    QVERIFY(!plan.Quiet);
    QCOMPARE(plan.view.Caption, "Dive planning with 'Rule of Third'");
    QCOMPARE(plan.view.UseSuggestedGasButton, "Use 21% oxygen");
    QCOMPARE(plan.inputs.SRF, "0");
}

void TestPlanCalc::settledImperialExample()
{
    auto plan = imperialExample();
    plan->DepthChange();
    QCOMPARE(ShownValue(plan->results.PressureInATA), localNumbers("4.03"));
    QCOMPARE(plan->inputs.SRF, localNumbers("0.67"));
    QCOMPARE(ShownValue(plan->results.diver[0].stReserveInCuFt), localNumbers("26.40"));
    QCOMPARE(ShownValue(plan->results.diver[1].stReserveInCuFt), localNumbers("26.40"));
    QCOMPARE(ShownValue(plan->results.DescentTime), localNumbers("3.03"));
    QCOMPARE(ShownValue(plan->results.AscentTime), localNumbers("3.03"));
    QCOMPARE(ShownValue(plan->results.diver[0].DescentComsumption), localNumbers("5.72"));
    QCOMPARE(ShownValue(plan->results.diver[0].Ascent1Consumption), localNumbers("5.72"));
    QCOMPARE(ShownValue(plan->results.BottomTime), localNumbers("13.93"));
    QCOMPARE(ShownValue(plan->results.BestTime), localNumbers("19.99"));
    QCOMPARE(ShownValue(plan->results.diver[0].BottomTimeConsumption), localNumbers("42.11"));
    QCOMPARE(ShownValue(plan->results.diver[0].TotalRunTimeConsumption), localNumbers("53.55"));
    QCOMPARE(ShownValue(plan->results.diver[1].TotalRunTimeConsumption), localNumbers("53.55"));
    QCOMPARE(plan->view.TotalConsumptionStatusBar, localNumbers("79.95 CuFt of 80.00 available"));
    QVERIFY(!plan->view.AlarmShapeVisible);
    QCOMPARE(ShownValue(plan->results.diver[0].TeoretiskAvailTime), localNumbers("26.47"));
    QCOMPARE(ShownValue(plan->results.diver[1].TeoretiskAvailTime), localNumbers("26.47"));
    QCOMPARE(plan->view.MsgStatusBar, "Very close to perfect gas matching");
    QCOMPARE(plan->view.ReserveStatusBar, localNumbers("26.40 CuFt / Turn pressure: 2010 PSI"));
    QCOMPARE(ShownMod(plan->results.MODBottomGasEdit), localNumbers("187.00"));
    QCOMPARE(ShownValue(plan->results.EAD), localNumbers("100.00"));
    QCOMPARE(ShownValue(plan->results.MaxPOTwo), localNumbers("0.85"));
    QCOMPARE(ShownValue(plan->results.BestMix), localNumbers("34.74"));
    QCOMPARE(ShownNitrogen(plan->results), localNumbers("65.26"));
    QCOMPARE(plan->view.UseSuggestedGasButton, "Use 34% oxygen");
    QVERIFY(plan->view.UseSuggestedGasButtonEnabled);
    QCOMPARE(plan->view.Label17Depth, localNumbers("100.00 feet"));
    QCOMPARE(plan->view.ReserveBar, (Bar{80, 26}));
    QCOMPARE(plan->view.DiverMatchProgressBar, (Bar{26, 26}));
    QCOMPARE(plan->view.GasUsedVersusAvailableGasProgress, (Bar{80000, 79950}));
}

void TestPlanCalc::oneRecalculationSettlesAfterADepthChange()
{
    // The plan was computed at another depth; one pass after the change
    // must give the settled values, and a further pass must change nothing.
    auto plan = imperialExample();
    plan->inputs.Depth = 60;
    plan->DepthChange();
    plan->inputs.Depth = 100;
    plan->DepthChange();
    const QStringList settled = outputs(*plan);
    QCOMPARE(ShownValue(plan->results.BottomTime), localNumbers("13.93"));
    QCOMPARE(ShownValue(plan->results.BestTime), localNumbers("19.99"));
    plan->DepthChange();
    QCOMPARE(outputs(*plan), settled);
}

Q_DECLARE_METATYPE(Expected)
Q_DECLARE_METATYPE(Stops)

void TestPlanCalc::handWorkedPlans_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<bool>("saltWater");
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("oxygen");
    QTest::addColumn<QStringList>("diver1");   // tank, pressure, rate
    QTest::addColumn<QStringList>("diver2");
    QTest::addColumn<QString>("fixedReserve"); // empty: rule of thirds
    QTest::addColumn<bool>("strict");
    QTest::addColumn<Stops>("stops");          // depth, minutes
    QTest::addColumn<int>("ascentRate");
    QTest::addColumn<int>("view");             // the diver shown on the graphic
    QTest::addColumn<Expected>("expected");

    const Stops noStops;
    const int diver1 = int(GraphicView::Diver1);

    // 30 m on EAN32; 20 l/min is 0.71 cuft, stepped to 0.75; 25 l/min is
    // 0.88, stepped to 0.90; the table gives 0.69. Reserve 12 x 232 x 0.31.
    // Bottom time: diver 2 limits, (3000 - 930 - 375) / 4 / 25 x 0.999.
    QTest::newRow("metric, EAN32, unequal divers")
        << true << true << 30 << 32 << QStringList{"12", "232", "20"} << QStringList{"15", "200", "25"}
        << QString() << false << noStops << 10 << diver1
        << Expected{{"PressureInATA", "4.00"}, {"SRF", "0.69"}, {"MODBottomGasEdit", "33.75"},
                    {"MaxPOTwo", "1.28"}, {"stReserveInCuFt1", "863.04"}, {"stReserveInCuFt2", "930.00"},
                    {"TeoretiskAvailTime", "34.80"}, {"TeoretiskAvailTime2", "30.00"},
                    {"DescentTime", "3.00"}, {"DescentComsumption1", "150.00"}, {"DescentComsumption2", "187.50"},
                    {"BottomTime", "16.93"}, {"BestTime", "22.93"}, {"BottomTimeConsumption1", "1354.40"},
                    {"BottomTimeConsumption2", "1693.00"}, {"TotalRunTimeConsumption2", "2068.00"},
                    {"MsgStatusBar", ""}, {"ReserveStatusBar", "863.04 Litres / Turn pressure: 160 BAR"},
                    {"TotalConsumptionStatusBar", "2517.44 Litres of 2784.00 available"}};
    // Fresh water: 100 / 33.8083 + 1 = 3.96 atm.
    QTest::newRow("imperial, fresh water")
        << false << false << 100 << 21 << QStringList{"80", "3000", "0.75"} << QStringList{"80", "3000", "0.75"}
        << QString() << false << noStops << 33 << diver1
        << Expected{{"PressureInATA", "3.96"}, {"MaxPOTwo", "0.83"}, {"DescentComsumption1", "5.64"},
                    {"TeoretiskAvailTime", "26.94"}, {"BottomTime", "14.24"}, {"BestTime", "20.30"},
                    {"BottomTimeConsumption1", "42.27"}, {"TotalRunTimeConsumption1", "53.55"},
                    {"BestMix", "35.35"}, {"MODBottomGasEdit", "187.00"}};
    // A fixed reserve of 500 psi: 80 / 3000 x 500 = 13.33 cuft.
    QTest::newRow("imperial, fixed reserve")
        << false << true << 100 << 21 << QStringList{"80", "3000", "0.75"} << QStringList{"80", "3000", "0.75"}
        << QString("500") << false << noStops << 33 << diver1
        << Expected{{"stReserveInCuFt1", "13.33"}, {"BottomTime", "18.25"}, {"BestTime", "24.31"},
                    {"BottomTimeConsumption1", "55.16"}, {"TotalRunTimeConsumption1", "66.60"},
                    {"ReserveStatusBar", "13.33 CuFt / Fixed reserve: 500 PSI"},
                    {"TotalConsumptionStatusBar", "79.93 CuFt of 80.00 available"}};
    // Strict rule: SRF 0.67 although 0.75 with 1.00 would give 0.70.
    QTest::newRow("imperial, strict rule")
        << false << true << 100 << 21 << QStringList{"80", "3000", "0.75"} << QStringList{"100", "3500", "1.00"}
        << QString() << true << noStops << 33 << diver1
        << Expected{{"SRF", "0.67"}, {"stReserveInCuFt2", "33.00"}, {"TeoretiskAvailTime2", "24.81"},
                    {"DescentComsumption2", "7.62"}, {"BottomTime", "12.83"}, {"BestTime", "18.89"},
                    {"BottomTimeConsumption2", "51.71"}, {"TotalRunTimeConsumption2", "66.95"},
                    {"MsgStatusBar", ""}};
    QTest::newRow("imperial, table SRF for the same divers")
        << false << true << 100 << 21 << QStringList{"80", "3000", "0.75"} << QStringList{"100", "3500", "1.00"}
        << QString() << false << noStops << 33 << diver1 << Expected{{"SRF", "0.70"}};
    // 130 ft on EAN28 with stops 30 ft 3 min, 20 ft 3 min, 10 ft 5 min on EAN80.
    // Ascent to the deepest stop 100 / 33, after it 30 / 33; deco gas use
    // (30/33+1) x 0.75 x 3 + (20/33+1) x 0.75 x 3 + (10/33+1) x 0.75 x 5.
    QTest::newRow("imperial, three stops")
        << false << true << 130 << 28 << QStringList{"240", "3500", "0.75"} << QStringList{"240", "3500", "0.75"}
        << QString() << false << Stops{{30, 3}, {20, 3}, {10, 5}} << 33 << diver1
        << Expected{{"PressureInATA", "4.94"}, {"MODBottomGasEdit", "132.00"}, {"MODDecomixEdit", "1.53"},
                    {"DescentTime", "3.94"}, {"AscentTime", "3.03"}, {"AscentFromDecoTime", "0.91"},
                    {"TotalDecoTime", "11.00"}, {"DescentComsumption1", "8.78"}, {"Ascent1Consumption1", "6.75"},
                    {"Ascent2Consumption1", "1.72"}, {"DecoConsumption1", "12.80"}, {"BottomTime", "35.26"},
                    {"BestTime", "53.23"}, {"BottomTimeConsumption1", "130.62"},
                    {"TotalRunTimeConsumption1", "160.67"}, {"stReserveInCuFt1", "79.20"}};
    // 25 m on EAN32, fixed reserve 50 bar: 12 x 50 and 10 x 50 litres. Mean
    // pressure 2.25 bar over 2.5 minutes each way. Diver 2 limits:
    // (2000 - 500 - 180) / 3.5 / 16 x 0.999 = 23.55. The table SRF (0.60
    // with 0.75: 0.69) is shown but not used.
    QTest::newRow("metric, fixed reserve, diver 2 shown")
        << true << true << 25 << 32 << QStringList{"12", "232", "20"} << QStringList{"10", "200", "16"}
        << QString("50") << false << noStops << 10 << int(GraphicView::Diver2)
        << Expected{{"PressureInATA", "3.50"}, {"MaxPOTwo", "1.12"}, {"MODBottomGasEdit", "33.75"},
                    {"SRF", "0.69"}, {"stReserveInCuFt1", "600.00"}, {"stReserveInCuFt2", "500.00"},
                    {"TeoretiskAvailTime", "39.77"}, {"TeoretiskAvailTime2", "35.71"},
                    {"DescentTime", "2.50"}, {"AscentTime", "2.50"}, {"DescentComsumption1", "112.50"},
                    {"DescentComsumption2", "90.00"}, {"BottomTime", "23.55"}, {"BestTime", "28.55"},
                    {"BottomTimeConsumption1", "1648.50"}, {"BottomTimeConsumption2", "1318.80"},
                    {"TotalRunTimeConsumption1", "1873.50"}, {"TotalRunTimeConsumption2", "1498.80"},
                    {"BestMix", "40.00"}, {"MsgStatusBar", ""},
                    {"ReserveStatusBar", "500.00 Litres / Fixed reserve: 50 BAR"},
                    {"TotalConsumptionStatusBar", "1998.80 Litres of 2000.00 available"}};
    // 33 m in fresh water (33 / 10.3 + 1 = 4.20 bar) on EAN28 at 9 m/min,
    // fixed reserve 40 bar, one stop at 6 m for 4 minutes on EAN80. Ascent
    // 27 / 9 to the stop, 6 / 9 after it at (27 / 10.3 + 2) / 2 bar; the stop
    // costs (6 / 10.3 + 1) x rate x 4.
    QTest::newRow("metric, fresh water, fixed reserve, one stop")
        << true << false << 33 << 28 << QStringList{"15", "232", "18"} << QStringList{"12", "232", "22"}
        << QString("40") << false << Stops{{6, 4}} << 9 << diver1
        << Expected{{"PressureInATA", "4.20"}, {"MaxPOTwo", "1.18"}, {"MODBottomGasEdit", "40.00"},
                    {"MODDecomixEdit", "1.27"}, {"SRF", "0.69"}, {"stReserveInCuFt1", "600.00"},
                    {"stReserveInCuFt2", "480.00"}, {"TeoretiskAvailTime", "46.03"},
                    {"TeoretiskAvailTime2", "30.13"}, {"DescentTime", "3.67"}, {"AscentTime", "3.00"},
                    {"AscentFromDecoTime", "0.67"}, {"TotalDecoTime", "4.00"},
                    {"DescentComsumption1", "171.76"}, {"Ascent1Consumption1", "140.40"},
                    {"Ascent2Consumption1", "27.87"}, {"DecoConsumption1", "113.94"},
                    {"DecoConsumption2", "139.26"}, {"BottomTime", "18.89"}, {"BestTime", "29.56"},
                    {"BottomTimeConsumption1", "1429.40"}, {"BottomTimeConsumption2", "1747.05"},
                    {"TotalRunTimeConsumption1", "1883.37"}, {"TotalRunTimeConsumption2", "2301.89"},
                    {"ReserveStatusBar", "600.00 Litres / Fixed reserve: 40 BAR"},
                    {"TotalConsumptionStatusBar", "2483.37 Litres of 3480.00 available"}};
}

void TestPlanCalc::handWorkedPlans()
{
    QFETCH(bool, metric);
    QFETCH(bool, saltWater);
    QFETCH(int, depth);
    QFETCH(int, oxygen);
    QFETCH(QStringList, diver1);
    QFETCH(QStringList, diver2);
    QFETCH(QString, fixedReserve);
    QFETCH(bool, strict);
    QFETCH(Stops, stops);
    QFETCH(int, ascentRate);
    QFETCH(int, view);
    QFETCH(Expected, expected);

    usePlanTestUnits(metric, saltWater, ascentRate);
    auto plan = openPlan();
    plan->inputs.Depth = depth;
    plan->inputs.BottomMixO2 = oxygen;
    plan->inputs.PO2 = localNumbers("1.4");
    diver1 = localNumbers(diver1);
    diver2 = localNumbers(diver2);
    plan->inputs.diver[0] = {QString(), diver1[0], diver1[1], diver1[2]};
    plan->inputs.diver[1] = {QString(), diver2[0], diver2[1], diver2[2]};
    if (!fixedReserve.isEmpty()) {
        plan->inputs.Reserve = ReserveRule::FixedPressure;
        plan->inputs.ReservePressure = fixedReserve;
    }
    plan->inputs.OnlyDiver1 = strict;
    for (int k = 0; k < stops.size(); ++k)
        setStop(*plan, k + 1, stops[k].first, stops[k].second);
    plan->view.ShowGraphicsWho = GraphicView(view);
    plan->DepthChange();
    for (const auto &[name, dotted] : expected) {
        const QString text = localNumbers(dotted);
        QVERIFY2(field(*plan, name) == text,
                 qPrintable(QString("%1 is \"%2\", expected \"%3\"").arg(name, field(*plan, name), text)));
    }
}

void TestPlanCalc::roundRmvToStep_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<double>("stepped");
    QTest::newRow("on a step") << 0.75 << 0.75;
    QTest::newRow("on a tenth") << 0.70 << 0.70;
    QTest::newRow("0.71 moves up to 0.75") << 0.71 << 0.75;
    QTest::newRow("0.74 moves up to 0.75") << 0.74 << 0.75;
    QTest::newRow("0.76 moves up to 0.80") << 0.76 << 0.80;
    QTest::newRow("0.88 moves up to 0.90") << 0.88 << 0.90;
    QTest::newRow("0.31 moves into range") << 0.31 << 0.35;
    QTest::newRow("1.16 moves out of range") << 1.16 << 1.20;
    QTest::newRow("thousandths are dropped") << 0.753 << 0.75;
}

void TestPlanCalc::roundRmvToStep()
{
    QFETCH(double, rate);
    QFETCH(double, stepped);
    QCOMPARE(RoundRmvToStep(rate), stepped);
}

void TestPlanCalc::srfTable_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("rate1");
    QTest::addColumn<QString>("rate2");
    QTest::addColumn<QString>("srf");
    QTest::newRow("equal rates, diagonal") << false << "0.75" << "0.75" << "0.67";
    QTest::newRow("1.15 with itself") << false << "1.15" << "1.15" << "0.67";
    QTest::newRow("0.60 diagonal reads 0.68") << false << "0.60" << "0.60" << "0.68";
    QTest::newRow("0.55 diagonal") << false << "0.55" << "0.55" << "0.67";
    QTest::newRow("widest pair") << false << "0.35" << "1.15" << "0.81";
    QTest::newRow("order does not matter") << false << "1.15" << "0.35" << "0.81";
    QTest::newRow("0.40 with 0.35") << false << "0.40" << "0.35" << "0.68";
    QTest::newRow("0.60 with 0.65") << false << "0.65" << "0.60" << "0.68";
    QTest::newRow("0.45 with 0.90") << false << "0.45" << "0.90" << "0.75";
    QTest::newRow("stepped 0.71 pairs as 0.75") << false << "0.71" << "1.00" << "0.70";
    QTest::newRow("metric 20 with 20 l/min") << true << "20" << "20" << "0.67";
    QTest::newRow("metric 20 with 25 l/min") << true << "20" << "25" << "0.69";
}

void TestPlanCalc::srfTable()
{
    QFETCH(bool, metric);
    QFETCH(QString, rate1);
    QFETCH(QString, rate2);
    QFETCH(QString, srf);
    usePlanTestUnits(metric);
    auto plan = openPlan();
    QSignalSpy beeps(plan.get(), &PlanModel::beep);
    const SrfLookup lookup = plan->CalcSRF(localNumbers(rate1), localNumbers(rate2));
    QCOMPARE(MyFormat(lookup.factor), localNumbers(srf));
    QCOMPARE(lookup.problem, SrfProblem::None);
    QCOMPARE(beeps.count(), 0);
}

void TestPlanCalc::srfTableShape()
{
    // Every diagonal cell reads 0.67 but the 0.60 one; the smaller rate must
    // pick the row, so a swapped pair finds no cell.
    for (int cents = 35; cents <= 115; cents += 5) {
        const double rate = cents / 100.0;
        QCOMPARE(SrfTable(rate, rate), cents == 60 ? 0.68 : 0.67);
    }
    QCOMPARE(SrfTable(0.35, 1.15), 0.81);
    QVERIFY(!SrfTable(1.15, 0.35));
    QVERIFY(!SrfTable(0.30, 0.35));
}

void TestPlanCalc::srfOutOfRange()
{
    // The lookup only looks up: two thirds and the problem, no beep, no page.
    auto plan = openPlan();
    QSignalSpy beeps(plan.get(), &PlanModel::beep);
    const SrfLookup lookup = plan->CalcSRF(localNumbers("0.30"), localNumbers("1.20"));
    QCOMPARE(MyFormat(lookup.factor), localNumbers("0.67"));
    QCOMPARE(lookup.problem, SrfProblem::RateOutOfRange);
    QCOMPARE(beeps.count(), 0);
    QCOMPARE(plan->view.LowerPageControl, "Dive");
    // The warning: one beep, the message, the reserves page.
    const auto warning = WarningOf(lookup.problem);
    QVERIFY(warning);
    QCOMPARE(warning->beeps, 1);
    QCOMPARE(warning->message, "SRF Input: Out of range error");
    QCOMPARE(warning->page, "Reserves");
    QVERIFY(!RmvInRange(0.30));
    QVERIFY(RmvInRange(0.35));
    QVERIFY(RmvInRange(1.15));
    QVERIFY(!RmvInRange(1.20));
}

void TestPlanCalc::srfOffTheGrid()
{
    // 0.755 keeps its hundredths digit 5 and rounds to 0.76, which no row holds.
    auto plan = openPlan();
    const SrfLookup lookup = plan->CalcSRF(localNumbers("0.755"), localNumbers("0.80"));
    QCOMPARE(MyFormat(lookup.factor), localNumbers("0.67"));
    QCOMPARE(lookup.problem, SrfProblem::OffTheGrid);
    const auto warning = WarningOf(lookup.problem);
    QVERIFY(warning);
    QCOMPARE(warning->beeps, 2);
    QCOMPARE(warning->message, "Out of SRF range error");
    QCOMPARE(warning->page, "");
}

void TestPlanCalc::srfQuietSkipsTheTable()
{
    auto plan = openPlan();
    plan->Quiet = true;
    for (const auto &[rate1, rate2] : {std::pair{"0.60", "0.60"}, std::pair{"0.30", "1.20"}}) {
        const SrfLookup lookup = plan->CalcSRF(localNumbers(rate1), localNumbers(rate2));
        QCOMPARE(MyFormat(lookup.factor), localNumbers("0.67"));
        QCOMPARE(lookup.problem, SrfProblem::None);
    }
}

void TestPlanCalc::recalculationPassesTheSrfProblemOn_data()
{
    QTest::addColumn<QString>("rate1");
    QTest::addColumn<QString>("rate2");
    QTest::addColumn<bool>("strict");
    QTest::addColumn<bool>("quiet");
    QTest::addColumn<QList<SrfProblem>>("problems");
    QTest::addColumn<QString>("srf");
    QTest::newRow("table factor") << "0.5"
                                  << "1" << false << false << QList<SrfProblem>{} << "0.75";
    QTest::newRow("rate out of range") << "0.30"
                                       << "1.20" << false << false << QList<SrfProblem>{SrfProblem::RateOutOfRange}
                                       << "0.67";
    QTest::newRow("rate off the grid") << "0.755"
                                       << "0.80" << false << false << QList<SrfProblem>{SrfProblem::OffTheGrid}
                                       << "0.67";
    QTest::newRow("strict rule looks nothing up") << "0.30"
                                                  << "1.20" << true << false << QList<SrfProblem>{} << "0.67";
    QTest::newRow("quiet plan looks nothing up") << "0.30"
                                                 << "1.20" << false << true << QList<SrfProblem>{} << "0.67";
}

void TestPlanCalc::recalculationPassesTheSrfProblemOn()
{
    // The model names the problem once a recalculation; it neither beeps for
    // it nor turns a page: that is the window's warning.
    QFETCH(QString, rate1);
    QFETCH(QString, rate2);
    QFETCH(bool, strict);
    QFETCH(bool, quiet);
    QFETCH(QList<SrfProblem>, problems);
    QFETCH(QString, srf);
    auto plan = imperialExample();
    plan->inputs.diver[0].BR = localNumbers(rate1);
    plan->inputs.diver[1].BR = localNumbers(rate2);
    plan->inputs.OnlyDiver1 = strict;
    plan->Quiet = quiet;
    QList<SrfProblem> passed;
    connect(plan.get(), &PlanModel::srfProblem, this, [&](SrfProblem problem) { passed << problem; });
    QSignalSpy beeps(plan.get(), &PlanModel::beep);
    plan->DepthChange();
    QCOMPARE(passed, problems);
    QCOMPARE(plan->inputs.SRF, localNumbers(srf));
    QCOMPARE(beeps.count(), 0);
    QCOMPARE(plan->view.LowerPageControl, "Dive");
}

void TestPlanCalc::planValueReadsAsItsText_data()
{
    QTest::addColumn<PlanValue>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("error"); // empty when the value reads as a number
    QTest::newRow("number") << PlanValue(13.93) << "13.93"
                            << "";
    QTest::newRow("negative") << PlanValue(-0.5) << "-0.50"
                              << "";
    QTest::newRow("not computed") << PlanValue() << ""
                                  << "'' is not a valid floating point value";
    QTest::newRow("infinite") << PlanValue(std::numeric_limits<double>::infinity()) << "INF"
                              << "'INF' is not a valid floating point value";
    QTest::newRow("not a number") << PlanValue(std::numeric_limits<double>::quiet_NaN()) << "NAN"
                                  << "'NAN' is not a valid floating point value";
}

void TestPlanCalc::planValueReadsAsItsText()
{
    QFETCH(PlanValue, value);
    QFETCH(QString, shown);
    QFETCH(QString, error);
    QCOMPARE(ShownValue(value), localNumbers(shown));
    try {
        const double read = ValueOf(value);
        QVERIFY2(error.isEmpty(), "read a value whose text is no number");
        QCOMPARE(read, *value);
    } catch (const ConvertError &e) {
        QCOMPARE(e.message(), error);
    }
}

void TestPlanCalc::modShowsNoneAsZero()
{
    // A ppO2 or an oxygen of 0 gives no MOD, shown "0" and read as 0; a
    // ppO2 equal to the oxygen fraction gives a MOD of 0 m, shown with decimals.
    const ModDepth none = PlanModel::MOD(localNumbers("0"), 21, true);
    QVERIFY(none.none);
    QCOMPARE(none.depth, 0.0);
    QCOMPARE(ShownMod(none), "0");
    QVERIFY(PlanModel::MOD(localNumbers("1.4"), 0, false).none);
    const ModDepth surface = PlanModel::MOD(localNumbers("0.21"), 21, true);
    QVERIFY(!surface.none);
    QCOMPARE(ShownMod(surface), localNumbers("0.00"));
    QCOMPARE(ShownMod(PlanModel::MOD(localNumbers("1.4"), 32, false)), localNumbers("111.38"));
    QCOMPARE(ShownMod(std::nullopt), "");
}

void TestPlanCalc::stopRecordsAreClampedOneByOne_data()
{
    QTest::addColumn<int>("stop");
    QTest::newRow("stop 1") << 1;
    QTest::newRow("stop 2") << 2;
    QTest::newRow("stop 3") << 3;
}

void TestPlanCalc::stopRecordsAreClampedOneByOne()
{
    // A negative depth or time reads as 0 in its own record only; the other
    // records, active or not, keep theirs.
    QFETCH(int, stop);
    auto plan = imperialExample();
    plan->inputs.stops = {{{true, 30, 2}, {false, 20, 4}, {true, 10, 9}}};
    std::array<DecoStop, 3> expected = plan->inputs.stops;
    plan->inputs.stop(stop) = {true, -5, -3};
    expected[stop - 1] = {true, 0, 0};
    plan->DepthChange();
    for (size_t k = 0; k < 3; ++k) {
        QCOMPARE(plan->inputs.stops[k].active, expected[k].active);
        QCOMPARE(plan->inputs.stops[k].depth, expected[k].depth);
        QCOMPARE(plan->inputs.stops[k].time, expected[k].time);
    }
    int minutes = 0;
    for (const DecoStop &record : expected)
        minutes += record.active ? record.time : 0;
    QCOMPARE(ValueOf(plan->results.TotalDecoTime), double(minutes));
}

void TestPlanCalc::noStopsLeaveDecompressionAtZero()
{
    auto plan = imperialExample();
    plan->DepthChange();
    QVERIFY(!plan->results.DecoActive);
    QCOMPARE(ShownValue(plan->results.AscentFromDecoTime), localNumbers("0.00"));
    QCOMPARE(ShownValue(plan->results.TotalDecoTime), localNumbers("0.00"));
    QCOMPARE(ShownValue(plan->results.diver[0].DecoConsumption), localNumbers("0.00"));
    QCOMPARE(ShownValue(plan->results.diver[1].DecoConsumption), localNumbers("0.00"));
    QCOMPARE(ShownValue(plan->results.diver[0].Ascent2Consumption), localNumbers("0.00"));
    QCOMPARE(plan->results.DeepestDecoStop, 0);
    // A stop switched on, then off again, returns the plan to the same values.
    const QStringList before = outputs(*plan);
    setStop(*plan, 1, 20, 5);
    plan->DepthChange();
    QVERIFY(plan->results.DecoActive);
    QCOMPARE(plan->results.DeepestDecoStop, 20);
    plan->inputs.stop(1).active = false;
    plan->DepthChange();
    QCOMPARE(outputs(*plan), before);
}

void TestPlanCalc::stopBelowTheDepthIsSwitchedOff()
{
    auto plan = imperialExample();
    setStop(*plan, 1, 20, 3);
    setStop(*plan, 2, 120, 2);
    QSignalSpy beeps(plan.get(), &PlanModel::beep);
    plan->DepthChange();
    QVERIFY(!plan->inputs.stop(2).active);
    QVERIFY(plan->inputs.stop(1).active);
    QCOMPARE(plan->view.MsgStatusBar, "Decompression depth cannot exceed depth.");
    QCOMPARE(plan->view.MainStatus, "Deco2 depth > depth");
    QCOMPARE(beeps.count(), 1);
    QCOMPARE(plan->results.DeepestDecoStop, 20);
    QCOMPARE(ShownValue(plan->results.TotalDecoTime), localNumbers("3.00"));
}

void TestPlanCalc::quietKeepsTheStopBelowTheDepth()
{
    auto plan = imperialExample();
    plan->Quiet = true;
    setStop(*plan, 1, 120, 2);
    QSignalSpy beeps(plan.get(), &PlanModel::beep);
    plan->DepthChange();
    QVERIFY(plan->inputs.stop(1).active);
    QCOMPARE(plan->view.MsgStatusBar, "Decompression depth cannot exceed depth.");
    QCOMPARE(beeps.count(), 0);
    // The only stop lies below the depth: no decompression time is counted.
    QCOMPARE(ShownValue(plan->results.TotalDecoTime), localNumbers("0.00"));
    QCOMPARE(ShownValue(plan->results.AscentFromDecoTime), localNumbers("0.00"));
}

void TestPlanCalc::bestMix_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<QString>("po2");
    QTest::addColumn<QString>("bestMix");
    QTest::addColumn<QString>("nitrogen");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("hint");
    QTest::newRow("above 100 shows 100") << 0 << "1.6" << "100.00" << "0" << true << "";
    QTest::newRow("nitrox") << 100 << "1.4" << "34.74" << "65.26" << true << "";
    QTest::newRow("below 21") << 200 << "1.4" << "19.83" << "80.17" << false
                              << "Air or other gas mix recommended";
}

void TestPlanCalc::bestMix()
{
    QFETCH(int, depth);
    QFETCH(QString, po2);
    auto plan = imperialExample();
    plan->inputs.Depth = depth;
    plan->inputs.PO2 = localNumbers(po2);
    plan->DepthChange();
    QFETCH(QString, bestMix);
    QFETCH(QString, nitrogen);
    QCOMPARE(ShownValue(plan->results.BestMix), localNumbers(bestMix));
    QCOMPARE(ShownNitrogen(plan->results), localNumbers(nitrogen));
    QTEST(plan->view.BestMixEnabled, "enabled");
    QTEST(plan->view.GroupBox5Hint, "hint");
    plan->UseSuggestedGasCheckBoxClick();
    QCOMPARE(plan->inputs.BottomMixO2, int(Trunc(ValueOf(plan->results.BestMix))));
    QVERIFY(!plan->view.UseSuggestedGasButtonEnabled);
}

void TestPlanCalc::narcosisDepth_data()
{
    QTest::addColumn<int>("rule");
    QTest::addColumn<int>("typed");
    QTest::addColumn<int>("narcosisDepth");
    QTest::addColumn<QString>("status");
    QTest::newRow("50 % of 30 ft") << int(NarcosisRule::FiftyPercent) << 0 << 15 << "";
    QTest::newRow("10 % of 30 ft") << int(NarcosisRule::TenPercent) << 0 << 3 << "";
    QTest::newRow("fixed depth kept") << int(NarcosisRule::Fixed) << 20 << 20 << "";
    QTest::newRow("fixed depth beyond the depth")
        << int(NarcosisRule::Fixed) << 133 << 30 << "Narcosis Depth greater than depth. Adjusted.";
}

void TestPlanCalc::narcosisDepth()
{
    QFETCH(int, rule);
    QFETCH(int, typed);
    auto plan = imperialExample();
    plan->inputs.Depth = 30;
    plan->inputs.Narcosis = NarcosisRule(rule);
    plan->inputs.NarcosisDepth = typed;
    plan->DepthChange();
    QTEST(plan->inputs.NarcosisDepth, "narcosisDepth");
    QTEST(plan->view.MainStatus, "status");
    QCOMPARE(plan->inputs.NarcosisDepthEnabled(), NarcosisRule(rule) == NarcosisRule::Fixed);
}

void TestPlanCalc::trimixSuggestion()
{
    // 60 m, narcosis depth 30 m, ppO2 1.4: fN2 = 40 x 0.79 / 70, fO2 = 1.4 / 7.
    usePlanTestUnits(true, true, 10);
    auto plan = openPlan();
    plan->inputs.Depth = 60;
    plan->inputs.Narcosis = NarcosisRule::Fixed;
    plan->inputs.NarcosisDepth = 30;
    plan->inputs.PO2 = localNumbers("1.4");
    plan->DepthChange();
    QVERIFY(plan->view.SuggestedTrimixEnabled);
    QCOMPARE(ShownValue(plan->results.SuggestedOxygen), localNumbers("20.00"));
    QCOMPARE(ShownValue(plan->results.SuggestedNitrogen), localNumbers("45.14"));
    QCOMPARE(ShownValue(plan->results.SuggestedHelium), localNumbers("34.86"));
    QCOMPARE(plan->view.SuggestedTrimixGroupbox, "Suggested Trimix 20/35");
    // Shallow enough for nitrox: no helium to suggest.
    plan->inputs.Depth = 10;
    plan->inputs.NarcosisDepth = 5;
    plan->DepthChange();
    QVERIFY(!plan->view.SuggestedTrimixEnabled);
    QCOMPARE(ShownValue(plan->results.SuggestedHelium), "");
    QCOMPARE(plan->view.SuggestedTrimixGroupbox, "Suggested Trimix/Heliox");
}

void TestPlanCalc::depthBeyondMod()
{
    auto plan = imperialExample();
    plan->inputs.Depth = 200;
    QSignalSpy status(plan.get(), &PlanModel::mainStatus);
    plan->DepthChange();
    QCOMPARE(ShownMod(plan->results.MODBottomGasEdit), localNumbers("187.00"));
    QVERIFY(plan->view.GaugeRed);
    QCOMPARE(plan->view.Gauge, (Bar{187, 200}));
    QVERIFY(status.contains(QVariantList{"Need for a gas change. Depth exceed MOD for bottom gas."}));
}

void TestPlanCalc::gasShortageShowsAlarmWithoutSecondPass()
{
    // 13 cuft tanks at 100 ft: reserve and descent and ascent take more
    // than the tank holds.
    auto plan = imperialExample();
    plan->inputs.diver[0].Tanksize = plan->inputs.diver[1].Tanksize = "13";
    plan->DepthChange();
    QVERIFY(ValueOf(plan->results.BottomTime) <= 0);
    QCOMPARE(plan->view.MainStatus, "Error: Timing invalid. No bottom time available.");
    QVERIFY(plan->view.AlarmShapeVisible);
    const QStringList first = outputs(*plan);
    plan->DepthChange();
    QCOMPARE(outputs(*plan), first);
    // The alarm belongs to a diver's view; the time view hides it.
    plan->view.ShowGraphicsWho = GraphicView::Time;
    plan->DepthChange();
    QVERIFY(!plan->view.AlarmShapeVisible);
    QVERIFY(!plan->view.GasStatusVisible);
}

void TestPlanCalc::zeroAscentRateBecomesOne()
{
    auto plan = imperialExample();
    programUnits().ascentRate = 0;
    plan->DepthChange();
    QCOMPARE(AscentRate(), 1);
    QCOMPARE(ShownValue(plan->results.DescentTime), localNumbers("100.00"));
}

void TestPlanCalc::ascentRateEditSetsTheSharedRate()
{
    auto plan = imperialExample();
    plan->inputs.AscentRateEdit = localNumbers("59.6");
    plan->AscentRateEditChange();
    QCOMPARE(AscentRate(), 60);
    QCOMPARE(ShownValue(plan->results.DescentTime), localNumbers("1.67"));
    plan->inputs.AscentRateEdit = "fast";
    QVERIFY_THROWS_EXCEPTION(ConvertError, plan->AscentRateEditChange());
    QCOMPARE(AscentRate(), 60);
}

void TestPlanCalc::unparsableDiverValuesStopQuietly()
{
    auto plan = imperialExample();
    plan->DepthChange();
    const QString bottomTime = ShownValue(plan->results.BottomTime);
    plan->inputs.diver[1].BR = "Load Error";
    plan->DepthChange();
    QCOMPARE(ShownValue(plan->results.BottomTime), bottomTime);
    plan->inputs.diver[1].BR = "0";
    plan->DepthChange();
    QCOMPARE(ShownValue(plan->results.diver[1].TeoretiskAvailTime), localNumbers("26.47"));
    QCOMPARE(ShownValue(plan->results.BottomTime), bottomTime);
}

void TestPlanCalc::metricTankThatIsNotWholeKeepsReserves()
{
    usePlanTestUnits(true, true, 10);
    auto plan = openPlan();
    plan->inputs.Depth = 30;
    plan->inputs.diver[0].Tanksize = plan->inputs.diver[1].Tanksize = "12";
    plan->inputs.diver[0].PSI = plan->inputs.diver[1].PSI = "232";
    plan->inputs.diver[0].BR = plan->inputs.diver[1].BR = "20";
    plan->DepthChange();
    QCOMPARE(ShownValue(plan->results.diver[0].stReserveInCuFt), localNumbers("918.72")); // 12 x 232 x (1 - 0.67)
    plan->inputs.diver[0].Tanksize = localNumbers("12.5");
    plan->inputs.diver[0].PSI = "200";
    plan->DepthChange();
    QCOMPARE(ShownValue(plan->results.diver[0].stReserveInCuFt), localNumbers("918.72"));
}

void TestPlanCalc::suspendedPlanIgnoresRecalculation()
{
    auto plan = imperialExample();
    plan->Suspended = true;
    plan->DepthChange();
    QCOMPARE(ShownValue(plan->results.PressureInATA), "");
    QCOMPARE(ShownValue(plan->results.BottomTime), "");
}

void TestPlanCalc::userUnitSwitch()
{
    auto plan = imperialExample();
    plan->PlanFileName = "/plans/reef.Dive";
    plan->inputs.diver[0].Name = "Zovu, 80";
    plan->inputs.AscentRateEdit = "33";
    plan->inputs.Metric = true;
    plan->MetricClick();
    QCOMPARE(plan->inputs.Depth, 30);
    QCOMPARE(plan->inputs.AscentRateEdit, localNumbers("10.06"));
    QCOMPARE(AscentRate(), 10);
    QCOMPARE(plan->inputs.ReservePressure, "35");
    QCOMPARE(plan->inputs.Speed1, "20");
    QCOMPARE(plan->inputs.Speed2, "25");
    QCOMPARE(plan->inputs.diver[0].Tanksize, "28");
    QCOMPARE(plan->inputs.diver[0].PSI, "200");
    QCOMPARE(plan->inputs.diver[0].BR, "25");
    QCOMPARE(plan->inputs.diver[0].Name, "");
    QCOMPARE(plan->PlanFileName, "");
    QCOMPARE(ShownValue(plan->results.PressureInATA), localNumbers("4.00"));
}

void TestPlanCalc::typedSrfOfZeroIsAdjusted()
{
    auto plan = imperialExample();
    plan->inputs.SRF = "0";
    QStringList shown;
    plan->SRFChange([&](const QString &text) { shown << text; });
    QCOMPARE(shown, QStringList{"SRF Adjusted"});
    QCOMPARE(plan->inputs.SRF, localNumbers("0.67"));
    plan->inputs.SRF = localNumbers("0.5");
    plan->SRFChange([&](const QString &text) { shown << text; });
    QCOMPARE(shown.size(), 1);
}

QTEST_GUILESS_MAIN(TestPlanCalc)
#include "tst_plancalc.moc"
