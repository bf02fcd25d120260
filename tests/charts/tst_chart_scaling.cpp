// Scaling, tick steps and tick labels of the chart.

#include "charts/ChartDateTime.h"
#include "charts/ChartScaling.h"
#include "core/NumText.h"

#include <QtTest>

class TestChartScaling : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { numberFormatSettings() = {u'.', u','}; }

    void axisEnds_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<bool>("log");
        QTest::newRow("depth axis, 130 at the bottom") << 130.0 << -1.0 << false;
        QTest::newRow("usual") << 0.0 << 4000.0 << false;
        QTest::newRow("reversed") << 10.0 << -10.0 << false;
        QTest::newRow("logarithmic") << 0.01 << 1000.0 << true;
    }
    void axisEnds()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(bool, log);
        // Low on the bottom edge (pixel 385), high on the top edge (pixel 15).
        const AxisScale s = AxisScale::fit(low, high, 385, 15, 370, 200, log);
        QCOMPARE(s.toPixel(low), 385);
        QCOMPARE(s.toPixel(high), 15);
        QVERIFY(qAbs(s.toWorld(385) - low) < 1e-9 * qMax(1.0, qAbs(low)));
        QVERIFY(qAbs(s.toWorld(15) - high) < 1e-9 * qMax(1.0, qAbs(high)));
    }

    void noRoomMeansHalfTheControl()
    {
        const AxisScale s = AxisScale::fit(0, 10, 50, 40, -10, 30, false);
        QCOMPARE(s.k, 0.0);
        QCOMPARE(s.toPixel(7), 30);
        QCOMPARE(s.toPixel(-1e9), 30);
    }

    void pixelsAreClamped_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("pixel");
        QTest::newRow("far right") << 1e300 << 30000;
        QTest::newRow("far left") << -1e300 << -30000;
        QTest::newRow("just inside") << 29000.0 << 29000;
        QTest::newRow("half rounds to even") << 2.5 << 2;
        QTest::newRow("not a number") << std::nan("") << 0;
    }
    void pixelsAreClamped()
    {
        QFETCH(double, value);
        QFETCH(int, pixel);
        const AxisScale s = AxisScale::fit(0, 100, 0, 100, 100, 50, false);
        QCOMPARE(s.toPixel(value), pixel);
    }

    void logAxisPlacesNonPositiveValuesAtTheFloor()
    {
        const AxisScale s = AxisScale::fit(1, 100, 0, 200, 200, 100, true);
        QCOMPARE(s.toPixel(10), 100);
        QCOMPARE(s.toPixel(0), s.toPixel(LogFloor));
    }

    void numericStep_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<double>("step");
        QTest::addColumn<int>("subdivisions");
        QTest::newRow("0-300 by 10") << 0.0 << 300.0 << 10 << 20.0 << 4;
        QTest::newRow("0-130 by 10") << 0.0 << 130.0 << 10 << 10.0 << 5;
        QTest::newRow("depth axis 130 to -1") << 130.0 << -1.0 << 10 << -10.0 << 5;
        QTest::newRow("0-4000 by 4") << 0.0 << 4000.0 << 4 << 1000.0 << 5;
        QTest::newRow("0-3 by 3") << 0.0 << 3.0 << 3 << 1.0 << 5;
        QTest::newRow("0-20 by 10: just under log10 2") << 0.0 << 20.0 << 10 << 1.0 << 5;
        QTest::newRow("0-25 by 10: twos") << 0.0 << 25.0 << 10 << 2.0 << 4;
        QTest::newRow("tick count held at 20") << 0.0 << 100.0 << 50 << 5.0 << 5;
        QTest::newRow("tick count held at 2") << 0.0 << 100.0 << 0 << 50.0 << 5;
        QTest::newRow("empty span") << 4.0 << 4.0 << 3 << 0.0 << 1;
    }
    void numericStep()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, ticks);
        QFETCH(double, step);
        QFETCH(int, subdivisions);
        const TickStep t = NumericTickStep(low, high, ticks);
        QCOMPARE(t.step, step);
        QCOMPARE(t.subdivisions, subdivisions);
    }

    void numericTicks()
    {
        // 0..130 by 10: majors at every 10, four minors between.
        const auto ticks = NumericTicks(0, 130, 10);
        QCOMPARE(ticks.front().value, 0.0);
        QVERIFY(ticks.front().major);
        QCOMPARE(ticks.back().value, 130.0);
        QCOMPARE(std::count_if(ticks.begin(), ticks.end(), [](const Tick &t) { return t.major; }), 14);
        QCOMPARE(ticks.size(), size_t(66));
        // Reversed: 130 down to -1 starts at 130.
        const auto reversed = NumericTicks(130, -1, 10);
        QCOMPARE(reversed.front().value, 130.0);
        QVERIFY(reversed.front().major);
        QVERIFY(std::all_of(reversed.begin(), reversed.end(), [](const Tick &t) { return t.value >= -1 && t.value <= 130; }));
    }

    void firstTick_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("first");
        QTest::newRow("on a tick") << 20.0 << 10.0 << 20.0;
        QTest::newRow("between ticks") << 23.0 << 10.0 << 30.0;
        QTest::newRow("negative low") << -23.0 << 10.0 << -20.0;
        QTest::newRow("within a thousandth") << 29.995 << 10.0 << 30.0;
        QTest::newRow("downward step") << 130.0 << -10.0 << 130.0;
        QTest::newRow("downward between") << 127.0 << -10.0 << 120.0;
    }
    void firstTick()
    {
        QFETCH(double, low);
        QFETCH(double, step);
        QFETCH(double, first);
        QCOMPARE(FirstTick(low, step), first);
    }

    void numericLabel_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("span");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("one decimal") << 12.0 << 50.0 << 1 << "12.0";
        QTest::newRow("none") << 12.0 << 50.0 << 0 << "12";
        QTest::newRow("auto, span 50") << 12.0 << 50.0 << -2 << "12";
        QTest::newRow("auto, span 5") << 1.5 << 5.0 << -2 << "1.5";
        QTest::newRow("auto, span 0.5") << 0.25 << 0.5 << -2 << "0.25";
        QTest::newRow("auto, span 200") << 120.0 << 200.0 << -2 << "120";
        QTest::newRow("auto, huge span") << 2000000.0 << 5000000.0 << -2 << "2.00E+6";
        QTest::newRow("auto, tiny span") << 0.00002 << 0.00005 << -2 << "2.00E-5";
        QTest::newRow("exponent") << 1500.0 << 50.0 << -1 << "1.50E+3";
        QTest::newRow("near zero on a wide axis") << 0.0004 << 200000.0 << 0 << "0";
        QTest::newRow("near zero with decimals") << -0.0004 << 200000.0 << 2 << "0.0";
        QTest::newRow("cut to 8") << 123456.789 << 50.0 << 2 << "123456.7";
    }
    void numericLabel()
    {
        QFETCH(double, value);
        QFETCH(double, span);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(NumericLabel(value, span, decimals), text);
    }

    void timeStep_data()
    {
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<double>("step");
        QTest::addColumn<int>("subdivisions");
        QTest::newRow("0-4000 by 4") << 4000.0 << 4 << 600.0 << 5;
        QTest::newRow("smallest") << 10.0 << 2 << 5.0 << 5;
        QTest::newRow("too short") << 9.0 << 2 << 0.0 << 1;
        QTest::newRow("20 s by 4 subdivisions") << 60.0 << 3 << 20.0 << 4;
        QTest::newRow("two hours") << 14400.0 << 2 << 7200.0 << 4;
        QTest::newRow("only a day fits") << 200000.0 << 2 << 0.0 << 1;
    }
    void timeStep()
    {
        QFETCH(double, high);
        QFETCH(int, ticks);
        QFETCH(double, step);
        QFETCH(int, subdivisions);
        const TimeStep t = TimeTickStep(0, high, ticks);
        QCOMPARE(t.step, step);
        QCOMPARE(t.subdivisions, subdivisions);
    }

    void timeTicksAndLabels()
    {
        const auto ticks = TimeTicks(0, 4000, TimeTickStep(0, 4000, 4));
        QStringList labels;
        for (const Tick &t : ticks)
            if (t.major)
                labels << TimeLabel(t.value);
        QCOMPARE(labels, QStringList({" 00:00:00", " 00:10:00", " 00:20:00", " 00:30:00", " 00:40:00", " 00:50:00",
                                      " 01:00:00"}));
        QCOMPARE(ticks[1].value, 120.0);
        QVERIFY(!ticks[1].major);
        QCOMPARE(TimeLabel(-90), QStringLiteral("-00:01:30"));
        QCOMPARE(TimeLabel(360000), QStringLiteral(" 100:00:00"));
    }

    void logTicks()
    {
        const auto ticks = LogTicks(1, 100);
        QCOMPARE(ticks.size(), size_t(19));
        QVERIFY(ticks.front().major);
        QCOMPARE(ticks[1].value, 2.0);
        QVERIFY(!ticks[1].major);
        QVERIFY(ticks.back().major);
        QCOMPARE(ticks.back().value, 100.0);
    }

    void grid_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("spacing");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("first");
        QTest::newRow("viewer x") << 0.0 << 4000.0 << 300.0 << 14 << 0.0;
        QTest::newRow("reversed y") << 130.0 << -1.0 << 10.0 << 14 << 0.0;
        QTest::newRow("nearest multiple") << 140.0 << 1000.0 << 300.0 << 4 << 0.0;
        QTest::newRow("no spacing") << 0.0 << 10.0 << 0.0 << 0 << 0.0;
        QTest::newRow("negative spacing") << 0.0 << 10.0 << -1.0 << 0 << 0.0;
        QTest::newRow("finer than the limit") << 0.0 << 1e9 << 1.0 << 0 << 0.0;
    }
    void grid()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(double, spacing);
        QFETCH(int, count);
        QFETCH(double, first);
        const auto positions = GridPositions(low, high, spacing, 10000);
        QCOMPARE(int(positions.size()), count);
        if (count)
            QCOMPARE(positions.front(), first);
    }

    void dateTimeAxis_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("firstLabel");
        QTest::newRow("half a second") << 45000.0 << 45000.0 + 0.5 / 86400 << "DateTime range is below 1 second" << "";
        QTest::newRow("beyond the calendar") << 0.0 << 1e9 << "invalid DateTime scale" << "";
        QTest::newRow("one hour from noon") << 45000.5 << 45000.5 + 1.0 / 24 << "" << "12:00:00";
    }
    void dateTimeAxis()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(QString, message);
        QFETCH(QString, firstLabel);
        const DateTimeTicks axis = DateTimeAxis(low, high, 3, TDTLabel{});
        QCOMPARE(axis.message, message);
        if (!firstLabel.isEmpty())
            QCOMPARE(axis.labels.front().second, firstLabel);
    }
};

QTEST_MAIN(TestChartScaling)
#include "tst_chart_scaling.moc"
