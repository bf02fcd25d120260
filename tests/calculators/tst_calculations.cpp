#include "calculators/model/BottomTimeCalc.h"
#include "calculators/model/ConversionCalc.h"
#include "calculators/model/GasNeedsCalc.h"
#include "calculators/model/NitroxCalc.h"
#include "calculators/model/SacCalc.h"
#include "calculators/model/TankCalc.h"
#include "core/Errors.h"
#include "core/NumText.h"
#include "core/Units.h"

#include "tests/support/WaterTypeScope.h"

#include <QtTest>


class TestCalculations : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { numberFormatSettings() = {u'.', u','}; }

    void bestMix_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<QString>("ppO2");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<bool>("salt");
        QTest::addColumn<QString>("pressure");
        QTest::addColumn<QString>("oxygen");
        QTest::newRow("30 m salt 1.4") << 30 << "1.4" << true << true << "4.000000" << "35.0000 % oxygen.  ";
        QTest::newRow("0 ft capped at 100") << 0 << "1.6" << false << true << "1.000000"
                                            << "100.0000 % oxygen.  ";
        QTest::newRow("33 ft salt 1.4") << 33 << "1.4" << false << true << "2.000000" << "70.0000 % oxygen.  ";
        QTest::newRow("10.3 m per bar in fresh water") << 30 << "1.4" << true << false << "3.912621"
                                                       << "35.7816 % oxygen.  ";
    }
    void bestMix()
    {
        QFETCH(int, depth);
        QFETCH(QString, ppO2);
        QFETCH(bool, metric);
        QFETCH(bool, salt);
        QFETCH(QString, pressure);
        QFETCH(QString, oxygen);
        WaterTypeScope water(salt);
        const BestMixResult result = BestMix(depth, ppO2, metric);
        QCOMPARE(result.absolutePressure, pressure);
        QCOMPARE(result.oxygen, oxygen);
    }

    void maximumOperatingDepth_data()
    {
        QTest::addColumn<QString>("ppO2");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QString>("mod");
        QTest::newRow("32% 1.4 imperial") << "1.4" << "32" << false << "111.3750";
        QTest::newRow("21% 1.4 imperial") << "1.4" << "21" << false << "187.0000";
        QTest::newRow("21% 1.4 metric") << "1.4" << "21" << true << "56.6667";
        QTest::newRow("21% 1.6 imperial groups thousands") << "1.6" << "1" << false << "5,247.0000";
    }
    void maximumOperatingDepth()
    {
        QFETCH(QString, ppO2);
        QFETCH(QString, percent);
        QFETCH(bool, metric);
        QFETCH(QString, mod);
        QCOMPARE(MaximumOperatingDepth(ppO2, percent, metric), mod);
        WaterTypeScope fresh(false);
        QCOMPARE(MaximumOperatingDepth(ppO2, percent, metric), mod);
    }

    void nitroxInputErrors()
    {
        QVERIFY_THROWS_EXCEPTION(ConvertError, BestMix(30, "abc", true));
        QVERIFY_THROWS_EXCEPTION(ConvertError, MaximumOperatingDepth("1.4", "x", true));
        QVERIFY_THROWS_EXCEPTION(AppError, MaximumOperatingDepth("1.4", "0", true));
        QVERIFY_THROWS_EXCEPTION(ConvertError, EquivalentAirDepth(130, "32.5", false));
    }

    void equivalentAirDepth_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QString>("ead");
        QTest::newRow("32% at 130 ft") << 130 << "32" << false << "107.30";
        QTest::newRow("100% clamps to 0") << 130 << "100" << false << "0.00";
        QTest::newRow("21% at 30 m") << 30 << "21" << true << "30.00";
    }
    void equivalentAirDepth()
    {
        QFETCH(int, depth);
        QFETCH(QString, percent);
        QFETCH(bool, metric);
        QFETCH(QString, ead);
        WaterTypeScope fresh(false);
        QCOMPARE(EquivalentAirDepth(depth, percent, metric), ead);
    }

    void nitroxNoteLines()
    {
        QCOMPARE(BestMixNoteLine("1.4", 30, "meters", "NITROX best mix", "35.0000 % oxygen.  "),
                 QStringLiteral("With 1.4 as max ppO2 at a depth of 30 metersNITROX best mix is "
                                "35.0000 % oxygen.  "));
        QCOMPARE(ModNoteLine("32", "1.4", "111.3750", "feet"),
                 QStringLiteral("Maximum Operating Depth for a 32 % oxygen mix with max 1.4 ATA is "
                                "111.3750 feet"));
        QCOMPARE(EadNoteLine("32", 130, "feet", "107.30"),
                 QStringLiteral("Equivalent Air Depth for a 32 % oxygen mix at 130 feet is 107.30 feet."));
    }

    void surfaceAirConsumption_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("rated");
        QTest::addColumn<int>("depth");
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("result");
        QTest::newRow("imperial") << false << "80" << "3000" << 33 << "600" << "10"
                                  << "Your SAC is 0.80 CuFt/Min or 30.00 PSI/Min\r\n\r\n(22.65 Liters/Min)";
        QTest::newRow("metric") << true << "12" << "200" << 10 << "40" << "10"
                                << "Your SAC is 24.00 Litres/Min or 2.00 BAR/Min\r\n\r\n(0.85 CuFt/Min)";
    }
    void surfaceAirConsumption()
    {
        QFETCH(bool, metric);
        QFETCH(QString, size);
        QFETCH(QString, rated);
        QFETCH(int, depth);
        QFETCH(QString, used);
        QFETCH(QString, minutes);
        QFETCH(QString, result);
        QCOMPARE(SacResultText({size, rated, depth, used, minutes}, metric), result);
    }

    void surfaceAirConsumptionFailures_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QString>("rated");
        QTest::addColumn<QString>("used");
        QTest::addColumn<QString>("minutes");
        QTest::newRow("zero minutes") << true << "200" << "40" << "0";
        QTest::newRow("no minutes") << false << "3000" << "600" << "";
        QTest::newRow("gas used not a number") << true << "200" << "4o" << "10";
        QTest::newRow("imperial zero rating") << false << "0" << "600" << "10";
    }
    void surfaceAirConsumptionFailures()
    {
        QFETCH(bool, metric);
        QFETCH(QString, rated);
        QFETCH(QString, used);
        QFETCH(QString, minutes);
        QVERIFY_THROWS_EXCEPTION(AppError, SacResultText({"80", rated, 33, used, minutes}, metric));
    }

    void howLongCanIStay_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<bool>("salt");
        QTest::addColumn<QString>("gas");
        QTest::addColumn<QString>("pressure");
        QTest::addColumn<int>("depth");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("text");
        const QString tail = QStringLiteral(
            "Remember you will also need gas for accent and decent and a reasonable reserve.");
        QTest::newRow("imperial 80 cuft at 66 ft")
            << false << true << "80" << "3000" << 66 << "1.0"
            << "At 66 feet the absolute pressure is 3.00 ATA. \r\n"
               "Your  80.0 CuFt is now only  26.7 CuFt. \r\n"
               "With a breahing rate of 1.0 CuFt/min you can stay at this depth for 26.67 minutes.\r\n" + tail;
        QTest::newRow("metric 12 l at 200 bar at 20 m")
            << true << true << "12" << "200" << 20 << "25"
            << "At 20 meters the absolute pressure is 3.00 ATA. \r\n"
               "Your 2400.0 Litres is now only 800.0 Litres. \r\n"
               "With a breahing rate of 25 Litres/min you can stay at this depth for 32.00 minutes.\r\n" + tail;
        QTest::newRow("fresh water changes the pressure")
            << true << false << "12" << "200" << 20 << "25"
            << "At 20 meters the absolute pressure is 2.94 ATA. \r\n"
               "Your 2400.0 Litres is now only 815.8 Litres. \r\n"
               "With a breahing rate of 25 Litres/min you can stay at this depth for 32.63 minutes.\r\n" + tail;
    }
    void howLongCanIStay()
    {
        QFETCH(bool, metric);
        QFETCH(bool, salt);
        QFETCH(QString, gas);
        QFETCH(QString, pressure);
        QFETCH(int, depth);
        QFETCH(QString, rate);
        QFETCH(QString, text);
        WaterTypeScope water(salt);
        QCOMPARE(HowLongCanIStayText({gas, pressure, rate, depth}, metric), text);
    }

    void howLongCanIStayFailures()
    {
        QVERIFY_THROWS_EXCEPTION(AppError, HowLongCanIStayText({"80", "", "0", 66}, false));
        QVERIFY_THROWS_EXCEPTION(ConvertError, HowLongCanIStayText({"80.5", "", "1", 66}, false));
        QVERIFY_THROWS_EXCEPTION(ConvertError, HowLongCanIStayText({"12", "abc", "25", 20}, true));
        // Imperial does not read the pressure list at all.
        HowLongCanIStayText({"80", "abc", "1", 66}, false);
    }

    void howMuchGas()
    {
        QCOMPARE(HowMuchGasText({30, 20, "25"}, true),
                 QStringLiteral("At 30 meters the absolute pressure is 4.00 ATA. \r\n"
                                "With a breahing rate of 25 Litres/min you need 2000.00 Litres of gas "
                                "to stay for 20 minutes. \r\n"
                                "Remember you will also need gas for accent and decent and a "
                                "reasonable reserve."));
        QVERIFY_THROWS_EXCEPTION(ConvertError, HowMuchGasText({30, 20, "x"}, true));
    }

    void tankContent_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("rated");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("text");
        QTest::newRow("metric 12 l at 150 bar") << true << "12" << "200" << "150"
                                                << "The tank currently contains 1800 Litres.";
        QTest::newRow("metric ignores the rating") << true << "12" << "abc" << "150"
                                                   << "The tank currently contains 1800 Litres.";
        QTest::newRow("imperial 80 cuft half full") << false << "80" << "3000" << "1500"
                                                    << "The tank currently contains 40.00 CuFt.";
        QTest::newRow("metric keeps width 4") << true << "3" << "200" << "10"
                                              << "The tank currently contains   30 Litres.";
    }
    void tankContent()
    {
        QFETCH(bool, metric);
        QFETCH(QString, size);
        QFETCH(QString, rated);
        QFETCH(QString, current);
        QFETCH(QString, text);
        QCOMPARE(TankContentText(size, rated, current, metric), text);
    }

    void tankContentFailures()
    {
        QVERIFY_THROWS_EXCEPTION(AppError, TankContentText("80", "0", "1500", false));
        QVERIFY_THROWS_EXCEPTION(ConvertError, TankContentText("12.5", "200", "150", true));
        QCOMPARE(FillCapacityText("12", "200"), QStringLiteral("2400.00"));
    }

    void tankConversion()
    {
        QCOMPARE(ImperialToMetricText("3000", "80"),
                 QStringLiteral("10.96 litres with 206.8 BAR. \r\n 2267 free litres"));
        QCOMPARE(MetricToImperialText("200", "12"),
                 QStringLiteral("84.76 CuFt with 2900.8 PSI.\r\n 2400 free litres."));
        QVERIFY_THROWS_EXCEPTION(AppError, ImperialToMetricText("0", "80"));
        QVERIFY_THROWS_EXCEPTION(ConvertError, MetricToImperialText("200", "twelve"));
    }

    void conversions_data()
    {
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        QTest::newRow("32 F") << FahrenheitToCelsiusText(32) << "32 degree Fahrenheit equals 0.00 degree Centigrade";
        QTest::newRow("-40 C") << CelsiusToFahrenheitText(-40) << "-40 degree Centigrade equals -40.00 degree Fahrenheit";
        QTest::newRow("37 C") << CelsiusToFahrenheitText(37) << "37 degree Centigrade equals 98.60 degree Fahrenheit";
        QTest::newRow("100 ft") << FeetToMetresText(100) << "100 feet equals 30.48 meters";
        QTest::newRow("3281 m") << MetresToFeetText(3281) << "3281 meters equals 10,764.40 feet";
        QTest::newRow("10 fathoms imperial") << FathomsToDepthText(10, false) << "10 Fahtoms equals 60.00 feet";
        QTest::newRow("60 ft to fathoms") << DepthToFathomsText(60, false) << "60 feet equals 10.00 Fahtoms";
        QTest::newRow("10 fathoms metric") << FathomsToDepthText(10, true) << "10 Fahtoms equals 18.29 meters";
        QTest::newRow("10 m to fathoms") << DepthToFathomsText(10, true) << "10 meters equals 5.47 Fahtoms";
        QTest::newRow("1 nm in meters") << FromNauticalMilesText(1, NauticalUnit::Meters)
                                        << "1 Intl.Nautical miles equals 1852.00 Meters";
        QTest::newRow("1 nm in British") << FromNauticalMilesText(1, NauticalUnit::BritishNauticalMiles)
                                         << "1 Intl.Nautical miles equals 1.00 Br.Naut.Miles";
        QTest::newRow("6076 ft to nm") << ToNauticalMilesText(6076, NauticalUnit::Feet)
                                       << "6076 Feet equals 1.00 Intl.Nautical miles";
        QTest::newRow("1000 British to nm") << ToNauticalMilesText(1000, NauticalUnit::BritishNauticalMiles)
                                            << "1000 Miles equals 1000.64 Intl.Nautical miles";
        QTest::newRow("2 km to nm") << ToNauticalMilesText(2, NauticalUnit::Kilometers)
                                    << "2 Kilometers equals 1.08 Intl.Nautical miles";
        QTest::newRow("3 nm in yards") << FromNauticalMilesText(3, NauticalUnit::Yards)
                                       << "3 Intl.Nautical miles equals 6076.12 Yards";
    }
    void conversions()
    {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }

    void wholeNumberMultiplyOverflows()
    {
        QCOMPARE(FathomsToDepthText(357913941, false),
                 QStringLiteral("357913941 Fahtoms equals 2147483646.00 feet"));
        QVERIFY_THROWS_EXCEPTION(AppError, FathomsToDepthText(357913942, false));
        QVERIFY_THROWS_EXCEPTION(AppError, FromNauticalMilesText(1159549, NauticalUnit::Meters));
        FromNauticalMilesText(1159548, NauticalUnit::Meters);
    }

    void bottomTime_data()
    {
        QTest::addColumn<int>("th");
        QTest::addColumn<int>("tm");
        QTest::addColumn<int>("bh");
        QTest::addColumn<int>("bm");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("hours");
        QTest::addColumn<int>("minutes");
        QTest::newRow("10:45 + 0:30") << 10 << 45 << 0 << 30 << "11:15" << 11 << 15;
        QTest::newRow("0:00 + 5:05") << 0 << 0 << 5 << 5 << " 5:05" << 5 << 5;
        QTest::newRow("59 stepped to 60") << 1 << 60 << 0 << 0 << " 2:00" << 2 << 0;
        QTest::newRow("three-digit hours") << 99 << 50 << 0 << 20 << "100:10" << 100 << 10;
        QTest::newRow("minutes carry twice") << 0 << 59 << 0 << 61 << " 2:00" << 2 << 0;
    }
    void bottomTime()
    {
        QFETCH(int, th);
        QFETCH(int, tm);
        QFETCH(int, bh);
        QFETCH(int, bm);
        QFETCH(QString, text);
        QFETCH(int, hours);
        QFETCH(int, minutes);
        const BottomTimeSum sum = AddBottomTime(th, tm, bh, bm);
        QCOMPARE(sum.text, text);
        QCOMPARE(sum.hours, hours);
        QCOMPARE(sum.minutes, minutes);
    }

    void bottomTimeLimits()
    {
        QCOMPARE(WrappedMinutes(60), 0);
        QCOMPARE(WrappedMinutes(-1), 59);
        QCOMPARE(WrappedMinutes(59), 59);
        QVERIFY_THROWS_EXCEPTION(AppError, AddBottomTime(2147483647, 0, 1, 0));
    }
};

QTEST_GUILESS_MAIN(TestCalculations)
#include "tst_calculations.moc"
