#include "profiles/model/DanViewerMath.h"
#include "tests/support/TestNumbers.h"
#include "tests/support/WaterTypeScope.h"

#include <QtTest>

class TestDanViewerMath : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useTestNumberFormat(); }

    void readoutOfAPoint_data()
    {
        QTest::addColumn<bool>("salt");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<QString>("depth");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("ppO2");
        QTest::addColumn<int>("meter");
        QTest::newRow("salt, 33 ft: 2 ATA") << true << 750.0 << 33.0 << "Depth: 33.0" << "Minutes:  12.30" << "ppO2: 0.42" << 27;
        QTest::newRow("salt, 165 ft") << true << 65.0 << 165.0 << "Depth: 165.0" << "Minutes:   1.05" << "ppO2: 1.26" << 80;
        QTest::newRow("fresh, 33 ft") << false << 60.0 << 33.0 << "Depth: 33.0" << "Minutes:   1.00" << "ppO2: 0.41" << 27;
        QTest::newRow("depth rounded to the foot, seconds rounded up to 60") << true << 119.6 << 32.6 << "Depth: 32.6"
                                                                << "Minutes:   1.60" << "ppO2: 0.42" << 27;
        QTest::newRow("1.6 ATA fills the meter") << true << 30.0 << 218.0 << "Depth: 218.0" << "Minutes:   0.30"
                                                 << "ppO2: 1.60" << 101;
        // A view zoomed out some 120 times: the point is held at 10^12 s and
        // 10^9 ft. 10^12 s are 16666666666 min and 40 s; 10^9 / 33 + 1 ATA
        // of air give 6363636.5736 ATA of oxygen, x 62.5 = 397727285.85.
        const double inf = std::numeric_limits<double>::infinity();
        QTest::newRow("beyond the integers") << true << 1e21 << 1e19 << "Depth: 1000000000.0"
                                             << "Minutes: 16666666666.40" << "ppO2: 6363636.57" << 397727287;
        QTest::newRow("infinitely far") << true << inf << inf << "Depth: 1000000000.0"
                                        << "Minutes: 16666666666.40" << "ppO2: 6363636.57" << 397727287;
    }
    void readoutOfAPoint()
    {
        QFETCH(bool, salt);
        QFETCH(double, x);
        QFETCH(double, y);
        const WaterTypeScope water(salt);
        const std::optional<DanCursorReadout> readout = DanCursorAt(true, x, y);
        QVERIFY(readout);
        QFETCH(QString, depth);
        QFETCH(QString, minutes);
        QFETCH(QString, ppO2);
        QCOMPARE(readout->depth, localNumbers(depth));
        // Minutes and seconds: the "." is the format's own, in every locale.
        QCOMPARE(readout->minutes, minutes);
        QCOMPARE(readout->ppO2, localNumbers(ppO2));
        QTEST(readout->meterPosition, "meter");
    }

    void noReadoutOutsideThePlot_data()
    {
        QTest::addColumn<bool>("inPlot");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("outside") << false << 100.0 << 30.0;
        QTest::newRow("time 0") << true << 0.0 << 30.0;
        QTest::newRow("above the surface") << true << 100.0 << -0.5;
        QTest::newRow("at the surface") << true << 100.0 << 0.0;
        QTest::newRow("no time") << true << std::numeric_limits<double>::quiet_NaN() << 30.0;
        QTest::newRow("no depth") << true << 100.0 << std::numeric_limits<double>::quiet_NaN();
    }
    void noReadoutOutsideThePlot()
    {
        QFETCH(bool, inPlot);
        QFETCH(double, x);
        QFETCH(double, y);
        QVERIFY(!DanCursorAt(inPlot, x, y));
    }

    void zoomAboutTheMiddle()
    {
        const DanView start{0, 130, 4000, -1};
        const DanView out = DanZoom(DanZoom(start, false), false);
        QVERIFY(qAbs((out.hiX - out.loX) / 4000 - 1.96) < 1e-6);
        QVERIFY(qAbs((out.loY - out.hiY) / 131 - 1.96) < 1e-6);
        // The middle stays, and depth still grows downward.
        QVERIFY(qAbs((out.hiX + out.loX) / 2 - 2000) < 1e-3);
        QVERIFY(qAbs((out.hiY + out.loY) / 2 - 64.5) < 1e-3);
        QVERIFY(out.loY > out.hiY);
        const DanView in = DanZoom(start, true);
        QVERIFY(qAbs((in.hiX - in.loX) * 1.4 - 4000) < 1e-3);
        // Held in single precision: the bounds are floats.
        QCOMPARE(double(float(in.loX)), in.loX);
    }

    void newNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("refused");
        QTest::newRow("plain name") << "03-02-97_14-23.Dan" << false;
        QTest::newRow("name with blanks") << "Wreck dive.dan" << false;
        QTest::newRow("empty") << "" << true;
        QTest::newRow("blanks only") << "   " << true;
        QTest::newRow("dot") << "." << true;
        QTest::newRow("dot dot") << ".." << true;
        QTest::newRow("into a subfolder") << "sub/a.dan" << true;
        QTest::newRow("up a folder") << "../a.dan" << true;
        QTest::newRow("backslash") << "sub\\a.dan" << true;
        QTest::newRow("absolute") << "/tmp/a.dan" << true;
    }
    void newNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, refused);
        QCOMPARE(!DanNewNameProblem(name).isEmpty(), refused);
    }

    void notePaths_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("note");
        QTest::newRow("nem") << "/dives/02345.NEM" << "/dives/02345.txt";
        QTest::newRow("two dots") << "/dives/03-02-97.14-23.Dan" << "/dives/03-02-97.14-23.txt";
        QTest::newRow("dotted folder, no extension") << "/dives.old/profile" << "/dives.old/profile.txt";
    }
    void notePaths()
    {
        QFETCH(QString, profile);
        QTEST(DanNotePath(profile), "note");
    }
};

QTEST_GUILESS_MAIN(TestDanViewerMath)
#include "tst_danviewermath.moc"
