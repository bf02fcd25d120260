#include "deco/model/Environment.h"
#include "deco/model/Gas.h"
#include "deco/model/OxygenExposure.h"
#include "deco/model/Tissues.h"

#include <QtTest>

using namespace deco;

// One compartment at a time against the published equations worked by
// hand, the ceiling of a compartment holding nitrogen and helium, gas names,
// the environment of either unit system and the oxygen clocks.
class TestDecoModel final : public QObject
{
    Q_OBJECT

private slots:
    void surfaceSaturation();
    void singleSegments_data();
    void singleSegments();
    void segmentOfNoTimeChangesNothing();
    void toleratedAmbient_data();
    void toleratedAmbient();
    void ceilingIsTheLargestCompartment();
    void gasNames_data();
    void gasNames();
    void environments_data();
    void environments();
    void cnsLimits_data();
    void cnsLimits();
    void oxygenExposures_data();
    void oxygenExposures();
    void changingExposureInSixSecondSteps();
};

namespace {
constexpr double Surface = 1.01325;
// (1.01325 - 0.0627) x 0.79
constexpr double SurfaceN2 = 0.7509345;
} // namespace

void TestDecoModel::surfaceSaturation()
{
    const Tissues t = Tissues::atSurface(Surface);
    for (int i = 0; i < CompartmentCount; ++i) {
        QCOMPARE(t.n2[i], SurfaceN2);
        QCOMPARE(t.he[i], 0.0);
    }
}

void TestDecoModel::singleSegments_data()
{
    QTest::addColumn<int>("compartment");   // 0 = 1b
    QTest::addColumn<bool>("helium");
    QTest::addColumn<double>("startN2");
    QTest::addColumn<double>("startHe");
    QTest::addColumn<double>("startDepth");
    QTest::addColumn<double>("endDepth");
    QTest::addColumn<double>("minutes");
    QTest::addColumn<int>("o2");
    QTest::addColumn<int>("he");
    QTest::addColumn<double>("expected");
    // Pi = (4.01325 - 0.0627) x 0.79 = 3.1209345; two half-times: 0.7509345 + 2.37 x 0.75
    QTest::newRow("Haldane N2 1b, 30 m air 10 min")
        << 0 << false << SurfaceN2 << 0.0 << 30.0 << 30.0 << 10.0 << 21 << 0 << 2.5284345;
    // Pi = (6.01325 - 0.0627) x 0.45 = 2.6777475; 1 - e^(-ln2/10.21 x 20) = 0.742767
    QTest::newRow("Haldane He 5, TX18/45 50 m 20 min")
        << 4 << true << SurfaceN2 << 0.0 << 50.0 << 50.0 << 20.0 << 18 << 45 << 1.98894797;
    // Pi0 = 0.7509345, R = 2 bar/min x 0.79, k = ln2/5, t = 1.5
    QTest::newRow("Schreiner N2 1b, descent to 30 m at 20 m/min")
        << 0 << false << SurfaceN2 << 0.0 << 0.0 << 30.0 << 1.5 << 21 << 0 << 0.98112046;
    // Pi0 = 2.6777475, R = -1 x 0.45, k = ln2/4.72, t = 3, P0 = 1.8
    QTest::newRow("Schreiner He 3, ascent 50 to 20 m in 3 min")
        << 2 << true << 1.0 << 1.8 << 50.0 << 20.0 << 3.0 << 18 << 45 << 1.85464018;
    // Nitrogen of 18/45 is 0.37: Pi = 5.95055 x 0.37 = 2.2017035, one half-time of 635 min
    QTest::newRow("Haldane N2 16, one half-time")
        << 15 << false << 0.5 << 0.0 << 50.0 << 50.0 << 635.0 << 18 << 45 << 1.35085175;
    // Helium held from a trimix washes out on a gas without it: Pi = 0,
    // one half-time of 10.21 min halves it.
    QTest::newRow("He 5 on air after trimix, one half-time")
        << 4 << true << 1.0 << 1.8 << 30.0 << 30.0 << 10.21 << 21 << 0 << 0.9;
    // R = 0 as well while ascending: two half-times of 1.88 min quarter it.
    QTest::newRow("He 1b on EAN50, ascent 21 to 6 m")
        << 0 << true << 1.0 << 2.0 << 21.0 << 6.0 << 3.76 << 50 << 0 << 0.5;
}

void TestDecoModel::singleSegments()
{
    QFETCH(int, compartment);
    QFETCH(bool, helium);
    QFETCH(double, startN2);
    QFETCH(double, startHe);
    QFETCH(double, startDepth);
    QFETCH(double, endDepth);
    QFETCH(double, minutes);
    QFETCH(int, o2);
    QFETCH(int, he);
    QFETCH(double, expected);
    const Environment env;
    Tissues t;
    t.n2.fill(startN2);
    t.he.fill(startHe);
    t.change(env.ambient(startDepth), env.ambient(endDepth), BreathingGas::fromPercent(o2, he), minutes);
    const double got = helium ? t.he[compartment] : t.n2[compartment];
    QVERIFY2(qAbs(got - expected) < 1e-7, qPrintable(QString::number(got, 'g', 12)));
}

void TestDecoModel::segmentOfNoTimeChangesNothing()
{
    Tissues t = Tissues::atSurface(Surface);
    t.change(2.0, 6.0, BreathingGas::fromPercent(10, 70), 0.0);
    QCOMPARE(t.n2[0], SurfaceN2);
    QCOMPARE(t.he[0], 0.0);
}

void TestDecoModel::toleratedAmbient_data()
{
    QTest::addColumn<int>("compartment");
    QTest::addColumn<double>("n2");
    QTest::addColumn<double>("he");
    QTest::addColumn<double>("gf");
    QTest::addColumn<double>("expected");
    // a = (1.1696 x 2 + 1.6189) / 3 = 1.319367, b = (0.5578 x 2 + 0.4770) / 3 = 0.530867
    QTest::newRow("1b mixed, GF 30") << 0 << 2.0 << 1.0 << 0.3 << 2.05846328;
    // GF 100: (P - a) b
    QTest::newRow("1b mixed, GF 100") << 0 << 2.0 << 1.0 << 1.0 << 0.89219222;
    // a = (0.2327 x 2.5 + 0.5119 x 0.5) / 3, b = (0.9653 x 2.5 + 0.9267 x 0.5) / 3
    QTest::newRow("16 mixed, GF 85") << 15 << 2.5 << 0.5 << 0.85 << 2.66546049;
    // Nitrogen alone: a and b are nitrogen's; GF 0 tolerates only the tissue's own pressure
    QTest::newRow("5 nitrogen, GF 0") << 4 << 2.0 << 0.0 << 0.0 << 2.0;
    // (2 - 0.62 x 0.5) / (0.5 / 0.8126 + 0.5)
    QTest::newRow("5 nitrogen, GF 50") << 4 << 2.0 << 0.0 << 0.5 << 1.51527530;
}

void TestDecoModel::toleratedAmbient()
{
    QFETCH(int, compartment);
    QFETCH(double, n2);
    QFETCH(double, he);
    QFETCH(double, gf);
    QFETCH(double, expected);
    Tissues t;
    t.n2[compartment] = n2;
    t.he[compartment] = he;
    const double got = t.toleratedAmbient(compartment, gf);
    QVERIFY2(qAbs(got - expected) < 1e-7, qPrintable(QString::number(got, 'g', 12)));
}

void TestDecoModel::ceilingIsTheLargestCompartment()
{
    Tissues t = Tissues::atSurface(Surface);
    t.n2[0] = 2.0;
    t.he[0] = 1.0;
    // Every other compartment tolerates less than 1 bar; 1b tolerates 2.058463 bar at GF 30,
    // which is 10.45 m below a surface of 1.01325 bar in salt water.
    QVERIFY(qAbs(t.toleratedAmbient(0.3) - 2.05846328) < 1e-7);
    const Environment env;
    QVERIFY(qAbs(env.depthOf(t.toleratedAmbient(0.3)) - 10.4521328) < 1e-6);
}

void TestDecoModel::gasNames_data()
{
    QTest::addColumn<int>("o2");
    QTest::addColumn<int>("he");
    QTest::addColumn<QString>("name");
    QTest::newRow("air") << 21 << 0 << "Air";
    QTest::newRow("oxygen") << 100 << 0 << "O2";
    QTest::newRow("nitrox") << 50 << 0 << "EAN50";
    QTest::newRow("trimix") << 18 << 45 << "TX18/45";
    QTest::newRow("trimix of 21 percent") << 21 << 35 << "TX21/35";
    QTest::newRow("heliox") << 10 << 90 << "TX10/90";
}

void TestDecoModel::gasNames()
{
    QFETCH(int, o2);
    QFETCH(int, he);
    QFETCH(QString, name);
    QCOMPARE(GasName(BreathingGas::fromPercent(o2, he)), name);
}

void TestDecoModel::environments_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<bool>("salt");
    QTest::addColumn<double>("surface");
    QTest::addColumn<double>("depthMetres");
    QTest::addColumn<double>("ambient");
    QTest::newRow("metric salt 10 m") << true << true << 1.01325 << 10.0 << 2.01325;
    QTest::newRow("metric fresh 10.3 m") << true << false << 1.0 << 10.3 << 2.0;
    // 33 ft = 33 / 3.28083 m adds one atmosphere
    QTest::newRow("imperial salt 33 ft") << false << true << 1.0 << 33.0 / 3.28083 << 2.0;
    QTest::newRow("imperial fresh 33.8083 ft") << false << false << 1.0 << 33.8083 / 3.28083 << 2.0;
}

void TestDecoModel::environments()
{
    QFETCH(bool, metric);
    QFETCH(bool, salt);
    QFETCH(double, surface);
    QFETCH(double, depthMetres);
    QFETCH(double, ambient);
    const Environment env = Environment::of(metric, salt, surface);
    QVERIFY(qAbs(env.ambient(depthMetres) - ambient) < 1e-12);
    QVERIFY(qAbs(env.depthOf(ambient) - depthMetres) < 1e-9);
}

void TestDecoModel::cnsLimits_data()
{
    QTest::addColumn<double>("ppO2");
    QTest::addColumn<double>("minutes");
    QTest::newRow("below 0.5: no clock") << 0.45 << 0.0;
    QTest::newRow("0.55 takes the first row") << 0.55 << 720.0;
    QTest::newRow("0.6 row") << 0.6 << 720.0;
    QTest::newRow("between 0.6 and 0.7") << 0.65 << 645.0;
    QTest::newRow("1.25 between rows") << 1.25 << 195.0;
    QTest::newRow("1.4 row") << 1.4 << 150.0;
    QTest::newRow("1.55: 120 to 45") << 1.55 << 82.5;
    QTest::newRow("1.6 row") << 1.6 << 45.0;
    QTest::newRow("above the table") << 2.0 << 45.0;
}

void TestDecoModel::cnsLimits()
{
    QFETCH(double, ppO2);
    QFETCH(double, minutes);
    QVERIFY2(qAbs(CnsLimitMinutes(ppO2) - minutes) < 1e-9, qPrintable(QString::number(CnsLimitMinutes(ppO2))));
}

void TestDecoModel::oxygenExposures_data()
{
    QTest::addColumn<double>("ppO2");
    QTest::addColumn<double>("minutes");
    QTest::addColumn<double>("cns");
    QTest::addColumn<double>("otu");
    QTest::addColumn<bool>("above");
    // 30 / 150 x 100; 30 x 1.8^0.83
    QTest::newRow("1.4 bar 30 min") << 1.4 << 30.0 << 20.0 << 48.8649472 << false;
    // 10 / 195 x 100; 10 x 1.5^0.83
    QTest::newRow("1.25 bar 10 min") << 1.25 << 10.0 << 5.12820513 << 14.0008933 << false;
    // 9 / 45 x 100; 9 x 2.4^0.83 = 9 x 2.068118
    QTest::newRow("1.7 bar 9 min") << 1.7 << 9.0 << 20.0 << 9 * 2.06811808 << true;
    QTest::newRow("0.4 bar: nothing") << 0.4 << 100.0 << 0.0 << 0.0 << false;
    // 60 / 300 x 100; 60 x 1^0.83
    QTest::newRow("1.0 bar an hour") << 1.0 << 60.0 << 20.0 << 60.0 << false;
}

void TestDecoModel::oxygenExposures()
{
    QFETCH(double, ppO2);
    QFETCH(double, minutes);
    QFETCH(double, cns);
    QFETCH(double, otu);
    QFETCH(bool, above);
    OxygenExposure exposure;
    exposure.breathe(ppO2, minutes);
    QVERIFY2(qAbs(exposure.cnsPercent() - cns) < 1e-6, qPrintable(QString::number(exposure.cnsPercent(), 'g', 10)));
    QVERIFY2(qAbs(exposure.otu() - otu) < 1e-5, qPrintable(QString::number(exposure.otu(), 'g', 10)));
    QCOMPARE(exposure.aboveTable(), above);
}

void TestDecoModel::changingExposureInSixSecondSteps()
{
    // 1.0 to 1.4 bar over 2 minutes: 20 steps of 0.1 min, each at its middle's
    // ppO2 (1.01, 1.03, ... 1.39), summed by hand from the table and 0.1 x ((p - 0.5) / 0.5)^0.83.
    OxygenExposure ramp;
    ramp.breatheChanging(1.0, 1.4, 2.0);
    QVERIFY2(qAbs(ramp.cnsPercent() - 0.96919343) < 1e-6, qPrintable(QString::number(ramp.cnsPercent(), 'g', 10)));
    QVERIFY2(qAbs(ramp.otu() - 2.63921648) < 1e-6, qPrintable(QString::number(ramp.otu(), 'g', 10)));
    // A change of 3 seconds is one step at its middle.
    OxygenExposure brief;
    brief.breatheChanging(1.3, 1.5, 0.05);
    QVERIFY(qAbs(brief.cnsPercent() - 0.05 * 100 / 150) < 1e-9);
}

QTEST_APPLESS_MAIN(TestDecoModel)
#include "tst_decomodel.moc"
