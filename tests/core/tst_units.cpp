#include "core/Errors.h"
#include "core/NumText.h"
#include "core/Units.h"

#include <QtTest>

// Pressure at depth, equivalent air depth and the unit conversions.
class TestUnits final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        numberFormatSettings() = NumberFormatSettings{u'.', u','};
        programUnits() = ProgramUnits{};
    }

    void absolutePressure_data();
    void absolutePressure();
    void oxygenPartialPressure();
    void equivalentAirDepth_data();
    void equivalentAirDepth();
    void freshWaterChangesPressureOnly();
    void exactFactors();
    void textConversions_data();
    void textConversions();
    void textConversionRejectsNonNumber();
};

void TestUnits::absolutePressure_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<bool>("salt");
    QTest::addColumn<double>("expected");
    for (const bool metric : {true, false})
        for (const bool salt : {true, false})
            QTest::addRow("surface %s %s", metric ? "metric" : "imperial", salt ? "salt" : "fresh")
                << 0 << metric << salt << 1.0;
    QTest::newRow("30 m salt") << 30 << true << true << 4.0;
    QTest::newRow("33 ft salt") << 33 << false << true << 2.0;
    QTest::newRow("10 m fresh") << 10 << true << false << 1.970873786407767;
    QTest::newRow("ft fresh") << 100 << false << false << 100 / 33.8083 + 1.0;
}

void TestUnits::absolutePressure()
{
    QFETCH(int, depth);
    QFETCH(bool, metric);
    QFETCH(bool, salt);
    QFETCH(double, expected);
    programUnits().saltWater = salt;
    QCOMPARE(AbsolutePressureAtDepth(depth, metric), expected);
}

void TestUnits::oxygenPartialPressure()
{
    QCOMPARE(OxygenPartialPressure(30, 32, true), 4.0 * 0.32);
    QCOMPARE(OxygenPartialPressure(0, 21, false), 0.21);
}

void TestUnits::equivalentAirDepth_data()
{
    QTest::addColumn<int>("depth");
    QTest::addColumn<int>("oxygen");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("expected");
    QTest::newRow("EAN32 at 130 ft") << 130 << 32 << false << QStringLiteral("107.30");
    QTest::newRow("air at 30 m") << 30 << 21 << true << QStringLiteral("30.00");
    QTest::newRow("oxygen clamps to zero") << 130 << 100 << false << QStringLiteral("0.00");
    QTest::newRow("EAN36 at 30 m") << 30 << 36 << true << QStringLiteral("22.41");
}

void TestUnits::equivalentAirDepth()
{
    QFETCH(int, depth);
    QFETCH(int, oxygen);
    QFETCH(bool, metric);
    QFETCH(QString, expected);
    QCOMPARE(EquivalentAirDepthText(depth, oxygen, metric), expected);
}

void TestUnits::freshWaterChangesPressureOnly()
{
    const QString saltEad = EquivalentAirDepthText(30, 32, true);
    const double saltPressure = AbsolutePressureAtDepth(30, true);
    programUnits().saltWater = false;
    QCOMPARE(EquivalentAirDepthText(30, 32, true), saltEad);
    QVERIFY(AbsolutePressureAtDepth(30, true) < saltPressure);
}

void TestUnits::exactFactors()
{
    QCOMPARE(Conversion::FeetToMetres, 0.30480091927957254);
    QCOMPARE(Conversion::LitresToCuFt, 0.035314662471284765);
    QCOMPARE(Conversion::PsiToBar, 0.06894744825494009);
    QCOMPARE(Conversion::NitroxToAirNitrogen, 1.2658227848101267);
    QCOMPARE(3280.83 * Conversion::FeetToMetres, 1000.0);
}

void TestUnits::textConversions_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("expected");
    QTest::newRow("100 ft to m") << ConvertDepthText(QStringLiteral("100"), true) << QStringLiteral("30.48");
    QTest::newRow("3280.83 ft to m") << ConvertDepthText(QStringLiteral("3280.83"), true) << QStringLiteral("1000.00");
    QTest::newRow("30 m to ft") << ConvertDepthText(QStringLiteral("30"), false) << QStringLiteral("98.42");
    QTest::newRow("80 cuft to l") << CuFtToLitresText(QStringLiteral("80")) << QStringLiteral("2265.35");
    QTest::newRow("12 l to cuft") << LitresToCuFtText(QStringLiteral("12")) << QStringLiteral("0.42");
}

void TestUnits::textConversions()
{
    QFETCH(QString, result);
    QFETCH(QString, expected);
    QCOMPARE(result, expected);
}

void TestUnits::textConversionRejectsNonNumber()
{
    QVERIFY_THROWS_EXCEPTION(ConvertError, ConvertDepthText(QStringLiteral("deep"), true));
}

QTEST_GUILESS_MAIN(TestUnits)
#include "tst_units.moc"
