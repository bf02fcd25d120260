// The model's ceiling over a recorded dive: what the line draws, what the
// read-out says at a moment of the dive, and that the dive's own gases are
// breathed.

#include "profiles/DiveCeiling.h"
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
    std::vector<Leg> legs{{depth / 20.0, depth}, {bottom - depth / 20.0, depth}, {(depth - 6.0) / 10.0, 6.0},
                          {stopMinutes, 6.0},    {0.3, 3.0},                     {stopMinutes, 3.0},
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

std::vector<DanDrawOp> drawn(const LogDive &dive, const DiveCeiling &ceiling, bool metric)
{
    DanOpList ops;
    DrawDiveCeiling(dive, ceiling, metric, qRgb(1, 2, 3), ops);
    return ops.ops;
}

} // namespace

class TestDiveCeiling final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useTestNumberFormat(); }

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
        const LogDive dive = squareDive(45, 30, 20, 5);
        const DiveCeiling ceiling(dive, gf3085());
        QCOMPARE(ceiling.ceilings().size(), dive.samples.size());
        deco::DecoTracker whole(gf3085());
        double shown = 0;
        for (const DiveSample &s : dive.samples) {
            if (s.time > seconds)
                break;
            whole.add(s.time / 60.0, s.depth, {0.21, 0});
            shown = whole.diveCeiling();
        }
        const DiveAhead ahead = ceiling.aheadAt(dive, seconds);
        QCOMPARE(ahead.ceiling, double(float(shown)));
        QCOMPARE(ahead.noDecoLimit.minutes, whole.noDecoLimit().minutes);
        QCOMPARE(ahead.noDecoLimit.unlimited, whole.noDecoLimit().unlimited);
        QCOMPARE(ahead.timeToSurface, whole.timeToSurface());
    }

    void aDiveWithoutSamplesHasNothingAhead()
    {
        const LogDive dive;
        const DiveCeiling ceiling(dive, gf3085());
        QVERIFY(ceiling.ceilings().empty());
        const DiveAhead ahead = ceiling.aheadAt(dive, 60);
        QCOMPARE(ahead.ceiling, 0.0);
        QCOMPARE(ahead.timeToSurface, 0.0);
        QVERIFY(drawn(dive, ceiling, true).empty());
    }

    void theDivesOwnGasesAreBreathed()
    {
        // The same profile with oxygen from 6 m up clears sooner than on air:
        // the ceiling reaches the surface earlier.
        const LogDive air = squareDive(45, 30, 15, 10, 0);
        const LogDive oxygen = squareDive(45, 30, 15, 10, 1);
        const DiveCeiling onAir(air, gf3085()), onOxygen(oxygen, gf3085());
        const auto cleared = [](const LogDive &dive, const DiveCeiling &c) {
            for (std::size_t i = dive.samples.size() / 2; i < dive.samples.size(); ++i)
                if (c.ceilings()[i] == 0)
                    return dive.samples[i].time;
            return std::numeric_limits<float>::max();
        };
        QVERIFY(cleared(oxygen, onOxygen) < cleared(air, onAir));
        // Until the switch both are alike.
        const std::size_t beforeSwitch = 2000 / 10;
        QCOMPARE(onOxygen.ceilings()[beforeSwitch], onAir.ceilings()[beforeSwitch]);
        QVERIFY(onAir.ceilings()[beforeSwitch] > 3.0f);
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
        const DiveCeiling ceiling(dive, gf3085());
        const std::vector<DanDrawOp> ops = drawn(dive, ceiling, metric);
        QVERIFY(!ops.empty());
        QCOMPARE(ops.front().kind, DanDrawOp::MoveTo);
        QCOMPARE(ops.front().y, 0.0);
        QCOMPARE(ops.back().kind, DanDrawOp::LineTo);
        QCOMPARE(ops.back().y, 0.0);
        const double unit = metric ? 1.0 : 3.28083;
        std::size_t first = 0;
        while (ceiling.ceilings()[first] == 0)
            ++first;
        QCOMPARE(ops.front().x, double(dive.samples[first - 1].time));
        QCOMPARE(ops[1].x, double(dive.samples[first].time));
        QCOMPARE(ops[1].y, ceiling.ceilings()[first] * unit);
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
        const float deepestCeiling = *std::max_element(ceiling.ceilings().begin(), ceiling.ceilings().end());
        QVERIFY(std::abs(deepest - deepestCeiling * unit) < 0.1 * 1.0001);
        // A point for each tenth of the unit the ceiling travels, not one for
        // every sample.
        double travel = 0;
        for (std::size_t i = 1; i < ceiling.ceilings().size(); ++i)
            travel += std::abs(ceiling.ceilings()[i] - ceiling.ceilings()[i - 1]) * unit;
        QVERIFY2(double(ops.size()) <= travel / 0.1 + 3 && ops.size() * 3 < dive.samples.size(),
                 qPrintable(QStringLiteral("%1 points, %2 samples").arg(ops.size()).arg(dive.samples.size())));
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
        QTest::newRow("no stop due") << 0.0 << 14 << false << 2.4 << true << "Ceiling: 0.0" << "NDL/TTS: 14/3 min";
        QTest::newRow("beyond the limit's cap") << 0.0 << 999 << true << 0.5 << true << "Ceiling: 0.0"
                                                << "NDL/TTS: 999+/1 min";
        QTest::newRow("in deco") << 4.56 << 0 << false << 23.0 << true << "Ceiling: 4.6" << "NDL/TTS: 0/23 min";
        // 3 m = 9.84249 ft.
        QTest::newRow("in deco, feet") << 3.0 << 0 << false << 11.2 << false << "Ceiling: 9.8" << "NDL/TTS: 0/12 min";
        QTest::newRow("at the surface") << 0.0 << 999 << true << 0.0 << true << "Ceiling: 0.0" << "NDL/TTS: 999+/0 min";
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
