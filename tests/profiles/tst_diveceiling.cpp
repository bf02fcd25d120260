// The model's ceiling over a recorded dive: what the line draws, what the
// read-out says at a moment of the dive, and that the dive's own gases are
// breathed.

#include "deco/model/Schedule.h"
#include "profiles/model/CeilingFollower.h"
#include "profiles/model/DiveCeiling.h"
#include "tests/support/TestNumbers.h"

#include <QtTest>

namespace {

// A square profile on air: down at 20 m/min, `bottom` minutes at `depth`,
// up at 10 m/min with `stopMinutes` at 6 and 3 m, a sample every `seconds`.
// From 6 m up the diver breathes mix `shallowMix`.
LogDive squareDive(double depth, double bottom, double stopMinutes, int seconds = 10, int shallowMix = 0)
{
    LogDive dive;
    dive.mixes = {DiveMix{}, DiveMix{1.0, 0}};
    struct Leg
    {
        double minutes, toDepth;
    };
    std::vector<Leg> legs{{depth / 20.0, depth},
                          {bottom - depth / 20.0, depth},
                          {(depth - 6.0) / 10.0, 6.0},
                          {stopMinutes, 6.0},
                          {0.3, 3.0},
                          {stopMinutes, 3.0},
                          {0.3, 0.0}};
    double time = 0, at = 0;
    dive.samples.push_back(DiveSample{});
    double legStart = 0;
    for (const Leg &leg : legs) {
        const double from = at;
        const double end = legStart + leg.minutes * 60.0;
        while (time + seconds <= end + 1e-6) {
            time += seconds;
            DiveSample s;
            s.time = float(time);
            s.depth = float(from + (leg.toDepth - from) * (time - legStart) / (end - legStart));
            s.gas = std::uint8_t(s.depth <= 6.0 + 1e-6 && time > depth / 20.0 * 60.0 ? shallowMix : 0);
            dive.samples.push_back(s);
        }
        legStart = end;
        at = leg.toDepth;
    }
    return dive;
}

deco::DecoSettings gf3085()
{
    deco::DecoSettings s;
    s.gfLow = 0.30;
    s.gfHigh = 0.85;
    return s;
}

std::vector<DanDrawOp> drawn(const DiveCeiling &ceiling, bool metric)
{
    DanOpList ops;
    DrawDiveCeiling(ceiling, metric, qRgb(1, 2, 3), ops);
    return ops.ops;
}

// The ceiling of the point at or before `seconds`.
float pointAt(const DiveCeiling &ceiling, double seconds)
{
    float found = 0;
    for (const CeilingPoint &p : ceiling.points())
        if (p.seconds <= seconds)
            found = p.metres;
    return found;
}

} // namespace

class TestDiveCeiling final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useTestNumberFormat(); }

    // The ceiling worked out while the samples come, on a thread of its
    // own, is the ceiling of the whole dive: every point, and the read-out.
    void followedAsItComesIsTheWholeDive_data()
    {
        QTest::addColumn<int>("samples");
        QTest::addColumn<int>("seconds");
        QTest::newRow("no samples") << 0 << 1;
        QTest::newRow("one sample") << 1 << 1;
        QTest::newRow("ends between points") << 137 << 3;
        QTest::newRow("ends on a point") << 101 << 1;
        QTest::newRow("many chunks and snapshots") << 40000 << 1;
        // More chunks than may wait for the model: the adding side is held
        // back whenever the model falls behind.
        QTest::newRow("more chunks than may wait") << 300000 << 1;
    }
    void followedAsItComesIsTheWholeDive()
    {
        QFETCH(int, samples);
        QFETCH(int, seconds);
        CeilingDive dive = CeilingDiveOf(squareDive(45, 30, 20, seconds, 1));
        dive.samples.resize(std::min<std::size_t>(dive.samples.size(), std::size_t(samples)));
        while (dive.samples.size() < std::size_t(samples)) {
            CeilingSample last = dive.samples.back();
            last.seconds += float(seconds);
            dive.samples.push_back(last);
        }

        CeilingFollower follower(dive.mixes, gf3085());
        for (const CeilingSample &sample : dive.samples)
            follower.add(sample);
        const std::unique_ptr<DiveCeiling> followed = follower.finish();
        if (samples == 0) {
            QVERIFY(!followed);
            return;
        }
        QVERIFY(followed);
        const DiveCeiling whole(dive, gf3085());
        QCOMPARE(followed->points().size(), whole.points().size());
        for (std::size_t i = 0; i < whole.points().size(); ++i) {
            QCOMPARE(followed->points()[i].seconds, whole.points()[i].seconds);
            QCOMPARE(followed->points()[i].metres, whole.points()[i].metres);
        }
        QCOMPARE(drawn(*followed, true), drawn(whole, true));
        for (const float moment : {0.0f, dive.samples.back().seconds / 2, dive.samples.back().seconds}) {
            const DiveAhead a = followed->aheadAt(moment), b = whole.aheadAt(moment);
            QCOMPARE(a.ceiling, b.ceiling);
            QCOMPARE(a.noDecoLimit.minutes, b.noDecoLimit.minutes);
            QCOMPARE(a.timeToSurface, b.timeToSurface);
        }
    }

    // A load that stops early drops its follower with samples still to
    // come: the follower's thread ends.
    void droppedFollowerEnds()
    {
        const CeilingDive dive = CeilingDiveOf(squareDive(45, 30, 20, 1));
        for (int repeat = 0; repeat < 3; ++repeat) {
            CeilingFollower follower(dive.mixes, gf3085());
            for (const CeilingSample &sample : dive.samples)
                follower.add(sample);
        }
    }

    void aMomentIsTheDiveReplayedToIt_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::newRow("the first sample") << 0.0;
        QTest::newRow("between samples") << 1234.5;
        QTest::newRow("a snapshot's own sample") << 2560.0;
        QTest::newRow("the sample after it") << 2570.0;
        QTest::newRow("the sample before the next") << 5110.0;
        QTest::newRow("at the bottom") << 1500.0;
        QTest::newRow("at the 6 m stop") << 2400.0;
        QTest::newRow("beyond the end") << 1e6;
    }
    void aMomentIsTheDiveReplayedToIt()
    {
        // The read-out starts from the snapshot nearest before the moment;
        // it must give what following the whole dive up to there gives.
        QFETCH(double, seconds);
        LogDive dive = squareDive(45, 30, 20, 5);
        dive.mixes = {DiveMix{}};
        const DiveCeiling ceiling(CeilingDiveOf(dive), gf3085());
        deco::DecoTracker whole(gf3085());
        for (const DiveSample &s : dive.samples) {
            if (s.time > seconds)
                break;
            whole.add(s.time / 60.0, s.depth, {0.21, 0});
            whole.diveCeiling();
        }
        const DiveAhead ahead = ceiling.aheadAt(seconds);
        // The whole walk asked for the ceiling at every sample, the line only
        // every ten seconds: the first stop may differ by what the tissues
        // move in ten seconds.
        QVERIFY2(std::abs(ahead.ceiling - whole.diveCeiling()) < 0.005,
                 qPrintable(QStringLiteral("%1 %2").arg(ahead.ceiling).arg(whole.diveCeiling())));
        QCOMPARE(ahead.noDecoLimit.minutes, whole.noDecoLimit().minutes);
        QCOMPARE(ahead.noDecoLimit.unlimited, whole.noDecoLimit().unlimited);
        QCOMPARE(ahead.timeToSurface, whole.timeToSurface());
    }

    void theAscentSwitchesToTheDivesRicherMixes()
    {
        // At the end of the bottom time on air: with oxygen carried (the
        // dive's second mix, breathed from 6 m) the way up is shorter; the
        // time left before a stop and the ceiling do not change.
        LogDive airOnly = squareDive(45, 30, 20, 10);
        airOnly.mixes = {DiveMix{}};
        const LogDive withOxygen = squareDive(45, 30, 20, 10, 1);
        const DiveAhead onAir = DiveCeiling(CeilingDiveOf(airOnly), gf3085()).aheadAt(29 * 60);
        const DiveAhead carried = DiveCeiling(CeilingDiveOf(withOxygen), gf3085()).aheadAt(29 * 60);
        QVERIFY2(carried.timeToSurface < onAir.timeToSurface - 5,
                 qPrintable(QStringLiteral("%1 %2").arg(carried.timeToSurface).arg(onAir.timeToSurface)));
        QCOMPARE(carried.noDecoLimit.minutes, onAir.noDecoLimit.minutes);
        QCOMPARE(carried.ceiling, onAir.ceiling);
        // The schedule of the model for the same gases agrees within a few
        // minutes (its descent and bottom differ a little from the recording).
        deco::DiveInput planned;
        planned.depth = 45;
        planned.bottomTime = 29;
        planned.decoGases = {{deco::BreathingGas{1.0, 0}, {}}};
        const double scheduled = deco::ComputeSchedule(planned, gf3085()).runTime - 29;
        QVERIFY2(std::abs(carried.timeToSurface - scheduled) < 4,
                 qPrintable(QStringLiteral("%1 %2").arg(carried.timeToSurface).arg(scheduled)));
    }

    void aPointEveryTenSeconds_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<int>("pointEvery");
        QTest::newRow("1 s samples") << 1 << 10;
        QTest::newRow("3 s samples") << 3 << 12;
        QTest::newRow("10 s samples") << 10 << 10;
        QTest::newRow("20 s samples") << 20 << 20;
    }
    void aPointEveryTenSeconds()
    {
        // The first sample, every sample ten seconds or more after the last
        // point, and the last sample.
        QFETCH(int, interval);
        QFETCH(int, pointEvery);
        const LogDive dive = squareDive(30, 20, 5, interval);
        const DiveCeiling ceiling(CeilingDiveOf(dive), gf3085());
        const std::vector<CeilingPoint> &points = ceiling.points();
        QCOMPARE(points.front().seconds, 0.0f);
        QCOMPARE(points.back().seconds, dive.samples.back().time);
        for (std::size_t i = 1; i + 1 < points.size(); ++i)
            QCOMPARE(points[i].seconds - points[i - 1].seconds, float(pointEvery));
    }

    void aDiveWithoutSamplesHasNothingAhead()
    {
        const LogDive dive;
        const DiveCeiling ceiling(CeilingDiveOf(dive), gf3085());
        QVERIFY(ceiling.points().empty());
        const DiveAhead ahead = ceiling.aheadAt(60);
        QCOMPARE(ahead.ceiling, 0.0);
        QCOMPARE(ahead.timeToSurface, 0.0);
        QVERIFY(drawn(ceiling, true).empty());
    }

    void theDivesOwnGasesAreBreathed()
    {
        // The same profile with oxygen from 6 m up clears sooner than on air:
        // the ceiling reaches the surface earlier.
        const LogDive air = squareDive(45, 30, 15, 10, 0);
        const LogDive oxygen = squareDive(45, 30, 15, 10, 1);
        const DiveCeiling onAir(CeilingDiveOf(air), gf3085()), onOxygen(CeilingDiveOf(oxygen), gf3085());
        const auto cleared = [](const DiveCeiling &c) {
            for (std::size_t i = c.points().size() / 2; i < c.points().size(); ++i)
                if (c.points()[i].metres == 0)
                    return c.points()[i].seconds;
            return std::numeric_limits<float>::max();
        };
        QVERIFY(cleared(onOxygen) < cleared(onAir));
        // Until the switch both are alike.
        QCOMPARE(pointAt(onOxygen, 2000), pointAt(onAir, 2000));
        QVERIFY(pointAt(onAir, 2000) > 3.0f);
    }

    void theLineStaysBelowTheSurface_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::newRow("metres") << true;
        QTest::newRow("feet") << false;
    }
    void theLineStaysBelowTheSurface()
    {
        // The line leaves the surface where the ceiling does, follows it in
        // the drawn unit and comes back to the surface where it clears; a
        // point is drawn only where the ceiling moved a tenth of the unit.
        QFETCH(bool, metric);
        const LogDive dive = squareDive(45, 30, 35, 2);
        const DiveCeiling ceiling(CeilingDiveOf(dive), gf3085());
        const std::vector<DanDrawOp> ops = drawn(ceiling, metric);
        const std::vector<CeilingPoint> &points = ceiling.points();
        QVERIFY(!ops.empty());
        QCOMPARE(ops.front().kind, DanDrawOp::MoveTo);
        QCOMPARE(ops.front().y, 0.0);
        QCOMPARE(ops.back().kind, DanDrawOp::LineTo);
        QCOMPARE(ops.back().y, 0.0);
        const double unit = metric ? 1.0 : 3.28083;
        std::size_t first = 0;
        while (points[first].metres == 0)
            ++first;
        QCOMPARE(ops.front().x, double(points[first - 1].seconds));
        QCOMPARE(ops[1].x, double(points[first].seconds));
        QCOMPARE(ops[1].y, points[first].metres * unit);
        double deepest = 0;
        double previous = 0;
        for (std::size_t i = 1; i < ops.size(); ++i) {
            QCOMPARE(ops[i].kind, DanDrawOp::LineTo);
            QCOMPARE(ops[i].color, qRgb(1, 2, 3));
            QVERIFY(ops[i].x > ops[i - 1].x);
            if (i > 1 && i + 1 < ops.size())
                QVERIFY(std::abs(ops[i].y - previous) >= 0.1 - 1e-9 || ops[i + 1].y == 0);
            previous = ops[i].y;
            deepest = std::max(deepest, ops[i].y);
        }
        double deepestPoint = 0, travel = 0;
        for (std::size_t i = 0; i < points.size(); ++i) {
            deepestPoint = std::max(deepestPoint, points[i].metres * unit);
            if (i > 0)
                travel += std::abs(points[i].metres - points[i - 1].metres) * unit;
        }
        QVERIFY(std::abs(deepest - deepestPoint) < 0.1 * 1.0001);
        // A line point for each tenth of the unit the ceiling travels.
        QVERIFY2(double(ops.size()) <= travel / 0.1 + 3,
                 qPrintable(QStringLiteral("%1 line points, %2 ceiling points").arg(ops.size()).arg(points.size())));
    }

    void readoutTexts_data()
    {
        QTest::addColumn<double>("ceiling");
        QTest::addColumn<int>("ndl");
        QTest::addColumn<bool>("unlimited");
        QTest::addColumn<double>("tts");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QString>("ceilingText");
        QTest::addColumn<QString>("ndlTtsText");
        QTest::newRow("no stop due") << 0.0 << 14 << false << 2.4 << true << "Ceiling: 0.0"
                                     << "NDL/TTS: 14/3 min";
        QTest::newRow("beyond the limit's cap") << 0.0 << 999 << true << 0.5 << true << "Ceiling: 0.0"
                                                << "NDL/TTS: 999+/1 min";
        QTest::newRow("in deco") << 4.56 << 0 << false << 23.0 << true << "Ceiling: 4.6"
                                 << "NDL/TTS: 0/23 min";
        // 3 m = 9.84249 ft.
        QTest::newRow("in deco, feet") << 3.0 << 0 << false << 11.2 << false << "Ceiling: 9.8"
                                       << "NDL/TTS: 0/12 min";
        QTest::newRow("at the surface") << 0.0 << 999 << true << 0.0 << true << "Ceiling: 0.0"
                                        << "NDL/TTS: 999+/0 min";
    }
    void readoutTexts()
    {
        QFETCH(double, ceiling);
        QFETCH(int, ndl);
        QFETCH(bool, unlimited);
        QFETCH(double, tts);
        QFETCH(bool, metric);
        QFETCH(QString, ceilingText);
        QFETCH(QString, ndlTtsText);
        DiveAhead ahead;
        ahead.ceiling = ceiling;
        ahead.noDecoLimit = {ndl, unlimited};
        ahead.timeToSurface = tts;
        QCOMPARE(CeilingReadout(ahead, metric), localNumbers(ceilingText));
        QCOMPARE(NdlTtsReadout(ahead), ndlTtsText);
    }
};

QTEST_GUILESS_MAIN(TestDiveCeiling)
#include "tst_diveceiling.moc"
