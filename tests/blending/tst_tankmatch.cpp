#include "blending/model/TankMatch.h"
#include "core/Errors.h"
#include "core/NumText.h"

#include <QtTest>

class TestTankMatch : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { numberFormatSettings() = NumberFormatSettings{}; }

    void rows_data()
    {
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QStringList>("diver1");
        QTest::addColumn<QStringList>("diver2");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("position");

        QTest::newRow("imperial 80 at 0.6 against 100 at 0.75")
            << false << QStringList{"80", "3000", "0.6"} << QStringList{"100", "3500", "0.75"}
            << "80 CuFt / 100 CuFt"
            << "  133 min /   133 min|Time that divers can stay at surface breathing these tanks empty: 133.3 min / 133.3 min"
            << 133 << 133;
        QTest::newRow("metric 12 l at 20 against 15 l at 25")
            << true << QStringList{"12", "200", "20"} << QStringList{"15", "200", "25"}
            << "12 Litres / 15 Litres"
            << "  120 min /   120 min|Time that divers can stay at surface breathing these tanks empty: 120.0 min / 120.0 min"
            << 120 << 120;
        QTest::newRow("unequal supplies")
            << false << QStringList{"80", "3000", "0.75"} << QStringList{"120", "3500", "0.75"}
            << "80 CuFt / 120 CuFt"
            << "  107 min /   160 min|Time that divers can stay at surface breathing these tanks empty: 106.7 min / 160.0 min"
            << 160 << 107;
    }

    void rows()
    {
        QFETCH(bool, metric);
        QFETCH(QStringList, diver1);
        QFETCH(QStringList, diver2);
        const TankMatchRow row = MatchTanks({diver2[0], diver2[1], diver2[2]}, {diver1[0], diver1[1], diver1[2]}, metric);
        QTEST(row.label, "label");
        QTEST(row.hint, "hint");
        QTEST(row.maximum, "maximum");
        QTEST(row.position, "position");
    }

    void bestRowsTakeAllTies()
    {
        QCOMPARE(BestRows({5, 2, 7, 2, 3}), (QList<int>{1, 3}));
        QCOMPARE(BestRows({0}), QList<int>{0});
    }

    void failingRows()
    {
        QVERIFY_THROWS_EXCEPTION(ConvertError, MatchTanks({"", "3000", "1"}, {"80", "3000", "1"}, false));
        // A diver record that failed to load leaves "Load Error" as its pressure.
        QVERIFY_THROWS_EXCEPTION(ConvertError, MatchTanks({"80", "3000", "1"}, {"80", "Load Error", "1"}, false));
        try {
            MatchTanks({"80", "3000", "0"}, {"80", "3000", "1"}, false);
            QFAIL("a breathing rate of 0 must fail");
        } catch (const AppError &e) {
            QCOMPARE(e.message(), QStringLiteral("Floating point division by zero"));
        }
    }
};

QTEST_GUILESS_MAIN(TestTankMatch)
#include "tst_tankmatch.moc"
