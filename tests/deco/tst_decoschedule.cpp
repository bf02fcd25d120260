#include "tests/deco/DecoReplay.h"

#include "deco/model/PlanCheck.h"
#include "deco/model/Schedule.h"
#include "deco/model/Tracker.h"

#include <QtTest>

#include <cmath>

using namespace deco;

// Whole schedules: dives inside the no-decompression limit, the limit's
// boundary, the orders a schedule must keep (longer, deeper, stricter never
// shorter; more gas never longer), stops on their grid with the right gas,
// and every schedule replayed on fresh tissues.
class TestDecoSchedule final : public QObject
{
    Q_OBJECT

private slots:
    void noStopInsideTheLimit_data();
    void noStopInsideTheLimit();
    void limitAgreesWithSchedule_data();
    void limitAgreesWithSchedule();
    void shallowDiveHasNoLimit();
    void longerBottomTimeNeverShorter_data();
    void longerBottomTimeNeverShorter();
    void deeperNeverShorter_data();
    void deeperNeverShorter();
    void lowerGfHighNeverShorter_data();
    void lowerGfHighNeverShorter();
    void decoGasNeverLonger_data();
    void decoGasNeverLonger();
    void stopsOnTheGrid_data();
    void stopsOnTheGrid();
    void switchDepths_data();
    void switchDepths();
    void minimumSwitchTime();
    void replayedScheduleHolds_data();
    void replayedScheduleHolds();
    void oxygenOfAnOxygenStop();
    void gasUse();
    void warnings();
    void trackerFollowsTheSchedule();
    void diveCeilingWithOneGradientFactor_data();
    void diveCeilingWithOneGradientFactor();
    void diveCeilingSpreadsTheGradientFactors();
    void diveCeilingOfANoStopDive();
    void planWithTheScheduleStopsClears_data();
    void planWithTheScheduleStopsClears();
};

namespace {

BreathingGas gas(int o2, int he = 0) { return BreathingGas::fromPercent(o2, he); }

DiveInput dive(double depth, double bottomTime, BreathingGas bottom = gas(21), std::vector<DecoGas> deco = {})
{
    DiveInput d;
    d.depth = depth;
    d.bottomTime = bottomTime;
    d.bottomGas = bottom;
    d.decoGases = std::move(deco);
    return d;
}

DecoSettings gf(double low, double high)
{
    DecoSettings s;
    s.gfLow = low / 100.0;
    s.gfHigh = high / 100.0;
    return s;
}

std::vector<DecoGas> trimixDecoGases()
{
    return {{gas(21, 35), {}}, {gas(50), {}}, {gas(100), {}}};
}

QString describe(const Schedule &s)
{
    QString text = QStringLiteral("run %1 min, stops:").arg(s.runTime);
    for (const Stop &stop : s.stops)
        text += QStringLiteral(" %1m/%2").arg(stop.depth).arg(stop.minutes);
    return text;
}

} // namespace

void TestDecoSchedule::noStopInsideTheLimit_data()
{
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("bottomTime");
    QTest::addColumn<double>("runTime");
    // The ascent at 10 m/min follows the bottom time straight to the surface.
    QTest::newRow("12 m 40 min") << 12.0 << 40.0 << 41.2;
    QTest::newRow("18 m 15 min") << 18.0 << 15.0 << 16.8;
    QTest::newRow("30 m 5 min") << 30.0 << 5.0 << 8.0;
    QTest::newRow("a bottom time shorter than the descent") << 20.0 << 0.0 << 3.0;
}

void TestDecoSchedule::noStopInsideTheLimit()
{
    QFETCH(double, depth);
    QFETCH(double, bottomTime);
    QFETCH(double, runTime);
    const Schedule s = ComputeSchedule(dive(depth, bottomTime));
    QVERIFY2(s.stops.empty(), qPrintable(describe(s)));
    QCOMPARE(s.firstStop, 0.0);
    QCOMPARE(s.decoMinutes, 0);
    QVERIFY2(qAbs(s.runTime - runTime) < 1e-9, qPrintable(describe(s)));
    QVERIFY(NoStopTimeLeft(dive(depth, bottomTime), {}).minutes >= 0);
}

void TestDecoSchedule::limitAgreesWithSchedule_data()
{
    QTest::addColumn<double>("depth");
    QTest::addColumn<int>("o2");
    QTest::addColumn<int>("he");
    QTest::addColumn<double>("gfLow");
    QTest::addColumn<double>("gfHigh");
    QTest::newRow("18 m air 30/85") << 18.0 << 21 << 0 << 30.0 << 85.0;
    QTest::newRow("30 m air 30/85") << 30.0 << 21 << 0 << 30.0 << 85.0;
    QTest::newRow("30 m EAN32 30/85") << 30.0 << 32 << 0 << 30.0 << 85.0;
    QTest::newRow("45 m TX21/35 30/85") << 45.0 << 21 << 35 << 30.0 << 85.0;
    QTest::newRow("25 m air 100/100") << 25.0 << 21 << 0 << 100.0 << 100.0;
    QTest::newRow("40 m air 50/70") << 40.0 << 21 << 0 << 50.0 << 70.0;
}

void TestDecoSchedule::limitAgreesWithSchedule()
{
    QFETCH(double, depth);
    QFETCH(int, o2);
    QFETCH(int, he);
    QFETCH(double, gfLow);
    QFETCH(double, gfHigh);
    const DecoSettings settings = gf(gfLow, gfHigh);
    const double start = std::ceil(depth / settings.descentRate);
    const NoDecoLimit left = NoStopTimeLeft(dive(depth, start, gas(o2, he)), settings);
    QVERIFY(!left.unlimited);
    QVERIFY(left.minutes > 0);
    const Schedule at = ComputeSchedule(dive(depth, start + left.minutes, gas(o2, he)), settings);
    const Schedule after = ComputeSchedule(dive(depth, start + left.minutes + 1, gas(o2, he)), settings);
    QVERIFY2(at.stops.empty(), qPrintable(describe(at)));
    QVERIFY2(!after.stops.empty(), qPrintable(describe(after)));
    // At the limit itself nothing is left; a minute later stops are due: 0.
    QCOMPARE(NoStopTimeLeft(dive(depth, start + left.minutes, gas(o2, he)), settings).minutes, 0);
    QCOMPARE(NoStopTimeLeft(dive(depth, start + left.minutes + 1, gas(o2, he)), settings).minutes, 0);
    QCOMPARE(NoStopTimeLeft(dive(depth, start + 1, gas(o2, he)), settings).minutes, left.minutes - 1);
}

void TestDecoSchedule::shallowDiveHasNoLimit()
{
    const NoDecoLimit left = NoStopTimeLeft(dive(6.0, 10.0), {});
    QVERIFY(left.unlimited);
    QCOMPARE(left.minutes, NoDecoLimitCap);
}

void TestDecoSchedule::longerBottomTimeNeverShorter_data()
{
    QTest::addColumn<double>("depth");
    QTest::addColumn<int>("o2");
    QTest::addColumn<int>("he");
    QTest::newRow("30 m air") << 30.0 << 21 << 0;
    QTest::newRow("45 m air") << 45.0 << 21 << 0;
    QTest::newRow("60 m TX18/45") << 60.0 << 18 << 45;
    QTest::newRow("100 m TX10/70") << 100.0 << 10 << 70;
}

void TestDecoSchedule::longerBottomTimeNeverShorter()
{
    QFETCH(double, depth);
    QFETCH(int, o2);
    QFETCH(int, he);
    double previous = 0.0;
    for (double minutes = 5.0; minutes <= 90.0; minutes += 1.0) {
        const Schedule s = ComputeSchedule(dive(depth, minutes, gas(o2, he), trimixDecoGases()));
        QVERIFY2(s.runTime >= previous - 1e-9, qPrintable(QStringLiteral("%1 min: %2").arg(minutes).arg(describe(s))));
        previous = s.runTime;
    }
}

void TestDecoSchedule::deeperNeverShorter_data()
{
    QTest::addColumn<double>("bottomTime");
    QTest::addColumn<int>("o2");
    QTest::addColumn<int>("he");
    QTest::newRow("20 min air") << 20.0 << 21 << 0;
    QTest::newRow("40 min EAN32") << 40.0 << 32 << 0;
    QTest::newRow("25 min TX18/45") << 25.0 << 18 << 45;
}

void TestDecoSchedule::deeperNeverShorter()
{
    QFETCH(double, bottomTime);
    QFETCH(int, o2);
    QFETCH(int, he);
    double previous = 0.0;
    for (double depth = 10.0; depth <= 90.0; depth += 1.0) {
        const Schedule s = ComputeSchedule(dive(depth, bottomTime, gas(o2, he)));
        QVERIFY2(s.runTime >= previous - 1e-9, qPrintable(QStringLiteral("%1 m: %2").arg(depth).arg(describe(s))));
        previous = s.runTime;
    }
}

void TestDecoSchedule::lowerGfHighNeverShorter_data()
{
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("bottomTime");
    QTest::addColumn<double>("gfLow");
    QTest::newRow("40 m 25 min, GF low 30") << 40.0 << 25.0 << 30.0;
    QTest::newRow("50 m 20 min, GF low 50") << 50.0 << 20.0 << 50.0;
    QTest::newRow("30 m 40 min, GF low 20") << 30.0 << 40.0 << 20.0;
}

void TestDecoSchedule::lowerGfHighNeverShorter()
{
    QFETCH(double, depth);
    QFETCH(double, bottomTime);
    QFETCH(double, gfLow);
    double previous = 0.0;
    for (double high = 100.0; high >= gfLow; high -= 5.0) {
        const Schedule s = ComputeSchedule(dive(depth, bottomTime), gf(gfLow, high));
        QVERIFY2(s.runTime >= previous - 1e-9, qPrintable(QStringLiteral("GF high %1: %2").arg(high).arg(describe(s))));
        previous = s.runTime;
    }
    // And the most permissive factors never give more than the defaults.
    const Schedule loose = ComputeSchedule(dive(depth, bottomTime), gf(100, 100));
    const Schedule strict = ComputeSchedule(dive(depth, bottomTime), gf(30, 85));
    QVERIFY2(loose.runTime <= strict.runTime, qPrintable(describe(loose) + " / " + describe(strict)));
}

void TestDecoSchedule::decoGasNeverLonger_data()
{
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("bottomTime");
    QTest::addColumn<int>("o2");
    QTest::addColumn<int>("he");
    QTest::newRow("40 m 30 min air") << 40.0 << 30.0 << 21 << 0;
    QTest::newRow("60 m 25 min TX18/45") << 60.0 << 25.0 << 18 << 45;
    QTest::newRow("100 m 30 min TX10/70") << 100.0 << 30.0 << 10 << 70;
}

void TestDecoSchedule::decoGasNeverLonger()
{
    QFETCH(double, depth);
    QFETCH(double, bottomTime);
    QFETCH(int, o2);
    QFETCH(int, he);
    const std::vector<DecoGas> all = trimixDecoGases();
    double previous = 1e9;
    std::vector<DecoGas> some;
    for (size_t n = 0; n <= all.size(); ++n) {
        const Schedule s = ComputeSchedule(dive(depth, bottomTime, gas(o2, he), some));
        QVERIFY2(s.runTime <= previous + 1e-9, qPrintable(QStringLiteral("%1 deco gases: %2").arg(n).arg(describe(s))));
        previous = s.runTime;
        if (n < all.size())
            some.push_back(all[all.size() - 1 - n]);   // oxygen, then EAN50, then TX21/35
    }
}

void TestDecoSchedule::stopsOnTheGrid_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<double>("lastStop");
    QTest::addColumn<double>("shallowest");
    QTest::newRow("metric, last stop 3 m") << true << 3.0 << 3.0;
    QTest::newRow("metric, last stop 6 m") << true << 6.0 << 6.0;
    QTest::newRow("imperial, last stop 10 ft") << false << 10.0 << 10.0;
    QTest::newRow("imperial, last stop 20 ft") << false << 20.0 << 20.0;
}

void TestDecoSchedule::stopsOnTheGrid()
{
    QFETCH(bool, metric);
    QFETCH(double, lastStop);
    QFETCH(double, shallowest);
    // 45 m (148 ft) for 30 minutes on air: stops from the first one up to the last, every 3 m (10 ft).
    const double toMetres = metric ? 1.0 : 1.0 / 3.28083;
    DecoSettings s;
    s.environment = Environment::of(metric, true, metric ? 1.01325 : 1.0);
    s.stopInterval = (metric ? 3.0 : 10.0) * toMetres;
    s.lastStop = lastStop * toMetres;
    s.ascentRate = (metric ? 10.0 : 33.0) * toMetres;
    s.descentRate = (metric ? 20.0 : 66.0) * toMetres;
    const Schedule schedule = ComputeSchedule(dive((metric ? 45.0 : 148.0) * toMetres, 30.0), s);
    QVERIFY(schedule.stops.size() >= 3);
    double expected = schedule.stops.front().depth;
    for (const Stop &stop : schedule.stops) {
        const double shown = stop.depth / toMetres;
        QVERIFY2(qAbs(shown - std::round(shown)) < 1e-6 && int(std::round(shown)) % (metric ? 3 : 10) == 0,
                 qPrintable(describe(schedule)));
        QVERIFY2(qAbs(stop.depth - expected) < 1e-9, qPrintable(describe(schedule)));
        expected -= s.stopInterval;
    }
    QVERIFY2(qAbs(schedule.stops.back().depth / toMetres - shallowest) < 1e-6, qPrintable(describe(schedule)));
    QCOMPARE(decoReplayFault(schedule), QString());
}

void TestDecoSchedule::switchDepths_data()
{
    QTest::addColumn<int>("o2");
    QTest::addColumn<double>("ppO2");
    QTest::addColumn<double>("given");   // < 0: automatic
    QTest::addColumn<double>("switchDepth");
    // (1.6 / 1.0 - 1.01325) x 10 = 5.87 m: nearest stop 6 m
    QTest::newRow("oxygen at 1.6") << 100 << 1.6 << -1.0 << 6.0;
    // (1.6 / 0.5 - 1.01325) x 10 = 21.87 m: 21 m
    QTest::newRow("EAN50 at 1.6") << 50 << 1.6 << -1.0 << 21.0;
    // (1.4 / 0.5 - 1.01325) x 10 = 17.87 m: 18 m
    QTest::newRow("EAN50 at 1.4") << 50 << 1.4 << -1.0 << 18.0;
    // (1.6 / 0.8 - 1.01325) x 10 = 9.87 m: 9 m
    QTest::newRow("EAN80 at 1.6") << 80 << 1.6 << -1.0 << 9.0;
    QTest::newRow("given 22 m") << 50 << 1.6 << 22.0 << 22.0;
}

void TestDecoSchedule::switchDepths()
{
    QFETCH(int, o2);
    QFETCH(double, ppO2);
    QFETCH(double, given);
    QFETCH(double, switchDepth);
    DecoSettings s;
    s.decoPPO2 = ppO2;
    DecoGas deco{gas(o2), {}};
    if (given >= 0)
        deco.switchDepth = given;
    const Schedule schedule = ComputeSchedule(dive(50.0, 30.0, gas(21), {deco}), s);
    QCOMPARE(schedule.switchDepths.at(1), switchDepth);
    // Every stop at or above the switch depth is breathed on the deco gas, the deeper ones on air.
    for (const Stop &stop : schedule.stops)
        QCOMPARE(stop.gas, stop.depth <= switchDepth + 1e-9 ? 1 : 0);
    // No segment breathes the deco gas deeper than its switch depth.
    for (const Segment &segment : schedule.segments)
        if (segment.gas == 1)
            QVERIFY(std::max(segment.startDepth, segment.endDepth) <= switchDepth + 1e-9);
    QCOMPARE(decoReplayFault(schedule), QString());
}

void TestDecoSchedule::minimumSwitchTime()
{
    // EAN50 given at 22 m, between two stops: with 2 minutes to switch the
    // diver waits there, on the new gas; without, the ascent goes through.
    DecoSettings s;
    const auto at22 = [](const Schedule &schedule) {
        for (const Stop &stop : schedule.stops)
            if (qAbs(stop.depth - 22.0) < 1e-9)
                return stop.minutes;
        return 0;
    };
    const Schedule quick = ComputeSchedule(dive(50.0, 30.0, gas(21), {{gas(50), 22.0}}), s);
    s.minSwitchTime = 2.0;
    const Schedule waiting = ComputeSchedule(dive(50.0, 30.0, gas(21), {{gas(50), 22.0}}), s);
    QCOMPARE(at22(quick), 0);
    QCOMPARE(at22(waiting), 2);
    QCOMPARE(decoReplayFault(waiting), QString());
    // At a stop the stop lasts at least the switch time: EAN50 at 21 m.
    s.minSwitchTime = 5.0;
    const Schedule atStop = ComputeSchedule(dive(50.0, 30.0, gas(21), {{gas(50), {}}}), s);
    for (const Stop &stop : atStop.stops)
        if (qAbs(stop.depth - 21.0) < 1e-9)
            QVERIFY2(stop.minutes >= 5, qPrintable(describe(atStop)));
}

void TestDecoSchedule::replayedScheduleHolds_data()
{
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("bottomTime");
    QTest::addColumn<int>("o2");
    QTest::addColumn<int>("he");
    QTest::addColumn<bool>("decoGases");
    QTest::addColumn<double>("gfLow");
    QTest::addColumn<double>("gfHigh");
    QTest::addColumn<double>("lastStop");
    QTest::newRow("40 m 25 min air") << 40.0 << 25.0 << 21 << 0 << false << 30.0 << 85.0 << 3.0;
    QTest::newRow("60 m 40 min air, last stop 6") << 60.0 << 40.0 << 21 << 0 << false << 30.0 << 85.0 << 6.0;
    QTest::newRow("100 m 30 min TX10/70, 3 gases") << 100.0 << 30.0 << 10 << 70 << true << 30.0 << 85.0 << 3.0;
    QTest::newRow("70 m 20 min TX18/45, 3 gases, 50/80") << 70.0 << 20.0 << 18 << 45 << true << 50.0 << 80.0 << 6.0;
    QTest::newRow("150 m 15 min TX8/80, 3 gases, 20/70") << 150.0 << 15.0 << 8 << 80 << true << 20.0 << 70.0 << 3.0;
    QTest::newRow("30 m 120 min EAN32, 100/100") << 30.0 << 120.0 << 32 << 0 << false << 100.0 << 100.0 << 3.0;
}

void TestDecoSchedule::replayedScheduleHolds()
{
    QFETCH(double, depth);
    QFETCH(double, bottomTime);
    QFETCH(int, o2);
    QFETCH(int, he);
    QFETCH(bool, decoGases);
    QFETCH(double, gfLow);
    QFETCH(double, gfHigh);
    QFETCH(double, lastStop);
    DecoSettings s = gf(gfLow, gfHigh);
    s.lastStop = lastStop;
    const Schedule schedule =
        ComputeSchedule(dive(depth, bottomTime, gas(o2, he), decoGases ? trimixDecoGases() : std::vector<DecoGas>{}), s);
    QVERIFY(schedule.cleared);
    QVERIFY(!schedule.stops.empty());
    QCOMPARE(decoReplayFault(schedule), QString());
    // The ascent (stops aside) at 10 m/min and the bottom time make the rest of the run time.
    double ascent = 0.0;
    for (const Segment &segment : schedule.segments)
        if (!segment.bottom && segment.startDepth != segment.endDepth)
            ascent += segment.minutes;
    QVERIFY(qAbs(ascent - depth / 10.0) < 1e-9);
    QVERIFY(qAbs(schedule.runTime - (bottomTime + ascent + schedule.decoMinutes)) < 1e-9);
}

void TestDecoSchedule::oxygenOfAnOxygenStop()
{
    // 50 m for 20 minutes on air with oxygen from 6 m: the oxygen stops alone
    // at 1.61325 bar (6 m) and 1.31325 bar (3 m) are known by hand, the rest of
    // the dive adds to them.
    const Schedule s = ComputeSchedule(dive(50.0, 20.0, gas(21), {{gas(100), {}}}));
    double at6 = 0.0, at3 = 0.0;
    for (const Stop &stop : s.stops) {
        if (stop.depth == 6.0)
            at6 = stop.minutes;
        if (stop.depth == 3.0)
            at3 = stop.minutes;
    }
    QVERIFY(at6 > 0 && at3 > 0);
    // Above 1.6 bar: 45 min limit; 1.31325 bar: 180 + (150 - 180) x 0.1325 = 176.025 min.
    const double oxygenStops = at6 * 100.0 / 45.0 + at3 * 100.0 / 176.025;
    QVERIFY2(s.cnsPercent > oxygenStops, qPrintable(QString::number(s.cnsPercent)));
    QVERIFY(s.oxygenAboveTable);
    // The bottom alone: 18.3 min at 6.01325 x 0.21 = 1.2628 bar (limit 191.16 min).
    QVERIFY(s.cnsPercent > oxygenStops + 18.3 * 100.0 / 191.16);
}

void TestDecoSchedule::gasUse()
{
    // 20 m for 10 minutes on air, no stop: 1 min descent (mean 2.01325 bar),
    // 9 min at 3.01325 bar at 20 l/min; ascent 2 min (mean 2.01325 bar) at 15 l/min.
    const Schedule s = ComputeSchedule(dive(20.0, 10.0));
    QVERIFY(s.stops.empty());
    const std::vector<double> use = GasUse(s, 20.0, 15.0);
    QCOMPARE(use.size(), size_t(1));
    QVERIFY2(qAbs(use[0] - (20 * 2.01325 + 20 * 9 * 3.01325 + 15 * 2 * 2.01325)) < 1e-9, qPrintable(QString::number(use[0])));
}

void TestDecoSchedule::warnings()
{
    // Air at 80 m (1.89 bar), oxygen given at 12 m (2.21 bar there) and
    // TX15/50, which has less oxygen than air and so is never switched to.
    const Schedule s = ComputeSchedule(
        dive(80.0, 10.0, gas(21), {{gas(100), 12.0}, {gas(15, 50), {}}}));
    const std::vector<DecoWarning> found = Warnings(s);
    const auto has = [&](DecoWarning::Kind kind, int gasIndex) {
        return std::any_of(found.begin(), found.end(),
                           [&](const DecoWarning &w) { return w.kind == kind && w.gas == gasIndex; });
    };
    QVERIFY(has(DecoWarning::PPO2Above, 0));
    QVERIFY(has(DecoWarning::PPO2Above, 1));   // oxygen at 12 m: 2.21 bar
    QVERIFY(has(DecoWarning::GasUnused, 2));   // less oxygen than air: never a switch
    QVERIFY(!has(DecoWarning::HypoxicAtSurface, 0));
    for (const DecoWarning &w : found)
        if (w.kind == DecoWarning::PPO2Above && w.gas == 0) {
            QCOMPARE(w.depth, 80.0);
            QVERIFY(qAbs(w.ppO2 - 9.01325 * 0.21) < 1e-9);
        }
    const Schedule hypoxic = ComputeSchedule(dive(100.0, 20.0, gas(10, 70), {{gas(50), {}}}));
    const std::vector<DecoWarning> more = Warnings(hypoxic);
    QVERIFY(std::any_of(more.begin(), more.end(), [](const DecoWarning &w) {
        return w.kind == DecoWarning::HypoxicAtSurface && w.gas == 0;
    }));
}

void TestDecoSchedule::trackerFollowsTheSchedule()
{
    // Fed the schedule's own profile (each segment's end as a sample), the
    // tracker holds the schedule's tissues; at the bottom its time to surface
    // is the schedule's ascent, and at the end the ceiling is at the surface.
    const Schedule s = ComputeSchedule(dive(45.0, 30.0));
    DecoTracker tracker;
    double time = 0.0;
    Tissues replayed = Tissues::atSurface(1.01325);
    for (const Segment &segment : s.segments) {
        if (segment.bottom && segment.startDepth == segment.endDepth) {
            QVERIFY(qAbs(tracker.ceiling(0.3)) < 1e-12);
        }
        time += segment.minutes;
        tracker.add(time, segment.endDepth, s.gases[size_t(segment.gas)]);
        replayed.change(1.01325 + segment.startDepth / 10.0, 1.01325 + segment.endDepth / 10.0,
                        s.gases[size_t(segment.gas)], segment.minutes);
        if (segment.bottom && segment.startDepth == segment.endDepth) {
            QVERIFY2(qAbs(tracker.timeToSurface() - (s.runTime - 30.0)) < 1e-6,
                     qPrintable(QString::number(tracker.timeToSurface())));
            QCOMPARE(tracker.noDecoLimit().minutes, 0);
            QVERIFY(tracker.ceiling(0.3) > 0.0);
        }
    }
    for (int i = 0; i < CompartmentCount; ++i)
        QVERIFY(qAbs(tracker.tissues().n2[i] - replayed.n2[i]) < 1e-9);
    QCOMPARE(tracker.ceiling(0.85), 0.0);
    QCOMPARE(tracker.depth(), 0.0);
}

namespace {

// The schedule's profile as a dive computer records it: a sample every
// `seconds`, the depth interpolated along each segment.
struct RecordedSample
{
    double minutes, depth;
    BreathingGas gas;
};
std::vector<RecordedSample> recorded(const Schedule &s, double seconds)
{
    std::vector<RecordedSample> samples;
    double start = 0.0;
    const double step = seconds / 60.0;
    double next = step;
    for (const Segment &segment : s.segments) {
        const double end = start + segment.minutes;
        for (; next <= end + 1e-9; next += step) {
            const double part = (next - start) / segment.minutes;
            samples.push_back({next, segment.startDepth + (segment.endDepth - segment.startDepth) * part,
                               s.gases[size_t(segment.gas)]});
        }
        start = end;
    }
    samples.push_back({start, 0.0, s.gases[0]});
    return samples;
}

} // namespace

void TestDecoSchedule::diveCeilingWithOneGradientFactor_data()
{
    QTest::addColumn<double>("factor");
    QTest::newRow("30/30") << 30.0;
    QTest::newRow("85/85") << 85.0;
    QTest::newRow("100/100") << 100.0;
}

void TestDecoSchedule::diveCeilingWithOneGradientFactor()
{
    // With GF low equal to GF high nothing is spread: the dive's ceiling is
    // the plain ceiling of that factor at every sample.
    QFETCH(double, factor);
    const DecoSettings settings = gf(factor, factor);
    const Schedule s = ComputeSchedule(dive(50.0, 25.0, gas(21), {{gas(50), {}}}), settings);
    DecoTracker tracker(settings);
    bool hadCeiling = false;
    for (const RecordedSample &sample : recorded(s, 10.0)) {
        tracker.add(sample.minutes, sample.depth, sample.gas);
        const double plain = tracker.ceiling(factor / 100.0);
        QCOMPARE(tracker.diveCeiling(), plain);
        hadCeiling = hadCeiling || plain > 0.0;
    }
    QVERIFY(hadCeiling);
}

void TestDecoSchedule::diveCeilingSpreadsTheGradientFactors()
{
    // 45 m for 30 minutes on air at GF 30/85, sampled every 10 s. The dive's
    // first stop is its deepest GF-low ceiling so far; the ceiling shown lies
    // where the factor of its own depth puts it (GF low at the first stop,
    // GF high at the surface, in a straight line), within a centimetre on
    // the diver's side, so always between the two plain ceilings.
    const DecoSettings settings = gf(30, 85);
    const Schedule s = ComputeSchedule(dive(45.0, 30.0), settings);
    DecoTracker tracker(settings);
    double firstStop = 0.0;
    double deepestShown = 0.0;
    bool spread = false;
    for (const RecordedSample &sample : recorded(s, 10.0)) {
        tracker.add(sample.minutes, sample.depth, sample.gas);
        const double low = tracker.ceiling(0.30), high = tracker.ceiling(0.85);
        firstStop = std::max(firstStop, low);
        const double shown = tracker.diveCeiling();
        deepestShown = std::max(deepestShown, shown);
        const QString at = QStringLiteral("at %1 min, %2 m: shown %3, GF-low %4, GF-high %5")
                               .arg(sample.minutes)
                               .arg(sample.depth)
                               .arg(shown)
                               .arg(low)
                               .arg(high);
        QVERIFY2(shown >= high - 1e-9 && shown <= low + 1e-9, qPrintable(at));
        // No ceiling while GF high allows the surface, even where the first
        // stop has just deepened with the GF-low ceiling.
        if (high == 0.0)
            QVERIFY2(shown == 0.0, qPrintable(at));
        if (high > 0.0) {
            const double factor = shown >= firstStop ? 0.30 : 0.85 - 0.55 * shown / firstStop;
            QVERIFY2(tracker.ceiling(factor) <= shown + 1e-9, qPrintable(at));
            QVERIFY2(tracker.ceiling(factor) >= shown - 0.01, qPrintable(at));
            spread = spread || (shown < low - 0.1 && shown > high + 0.1);
        }
    }
    QVERIFY(spread);
    // The deepest ceiling shown is the first stop the schedule rounds to its grid.
    QVERIFY2(deepestShown <= s.firstStop && deepestShown > s.firstStop - s.settings.stopInterval,
             qPrintable(QStringLiteral("%1 m, first stop %2 m").arg(deepestShown).arg(s.firstStop)));
    QCOMPARE(tracker.diveCeiling(), 0.0);
}

void TestDecoSchedule::diveCeilingOfANoStopDive()
{
    // 18 m for 40 minutes on air needs no stop at GF high, though its GF-low
    // ceiling leaves the surface: nothing is shown.
    const DecoSettings settings = gf(30, 85);
    const Schedule s = ComputeSchedule(dive(18.0, 40.0), settings);
    QCOMPARE(s.firstStop, 0.0);
    DecoTracker tracker(settings);
    double deepestLow = 0.0;
    for (const RecordedSample &sample : recorded(s, 20.0)) {
        tracker.add(sample.minutes, sample.depth, sample.gas);
        deepestLow = std::max(deepestLow, tracker.ceiling(0.30));
        QCOMPARE(tracker.diveCeiling(), 0.0);
    }
    QVERIFY(deepestLow > 0.0);
}

void TestDecoSchedule::planWithTheScheduleStopsClears_data()
{
    QTest::addColumn<double>("depth");
    QTest::addColumn<double>("bottomTime");
    QTest::addColumn<int>("decoO2");
    QTest::newRow("40 m 25 min air") << 40.0 << 25.0 << 0;
    QTest::newRow("45 m 30 min air, EAN50") << 45.0 << 30.0 << 50;
    QTest::newRow("30 m 40 min air, EAN80") << 30.0 << 40.0 << 80;
}

void TestDecoSchedule::planWithTheScheduleStopsClears()
{
    // A plan holding the schedule's own stops clears; one without its last
    // stop is caught on the way up, with its ceiling below the surface.
    QFETCH(double, depth);
    QFETCH(double, bottomTime);
    QFETCH(int, decoO2);
    std::vector<DecoGas> deco;
    if (decoO2 > 0)
        deco.push_back({gas(decoO2), {}});
    const Schedule s = ComputeSchedule(dive(depth, bottomTime, gas(21), deco));
    QVERIFY(s.stops.size() >= 2);
    PlannedDive plan;
    plan.depth = depth;
    plan.descentMinutes = depth / 20.0;
    plan.bottomMinutes = bottomTime - plan.descentMinutes;
    plan.ascentRate = 10.0;
    plan.bottomGas = gas(21);
    if (decoO2 > 0) {
        plan.decoGas = gas(decoO2);
        plan.decoGasFrom = s.switchDepths[1];
    }
    for (const Stop &stop : s.stops)
        plan.stops.push_back({stop.depth, double(stop.minutes)});
    DecoSettings settings;
    settings.descentRate = 20.0;
    const PlanCheck clear = CheckPlannedDive(plan, settings);
    QVERIFY2(clear.clear, qPrintable(QStringLiteral("ceiling %1 m at %2 min").arg(clear.ceiling).arg(clear.runTime)));
    plan.stops.pop_back();
    const PlanCheck short_ = CheckPlannedDive(plan, settings);
    QVERIFY(!short_.clear);
    QVERIFY(short_.ceiling > 0.0 && short_.ceiling <= s.stops.back().depth);
    QVERIFY(short_.runTime > bottomTime);
}

QTEST_APPLESS_MAIN(TestDecoSchedule)
#include "tst_decoschedule.moc"
