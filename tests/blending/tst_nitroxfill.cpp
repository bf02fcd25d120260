#include "blending/model/NitroxFillCalc.h"
#include "core/Errors.h"
#include "core/NumText.h"
#include "core/Units.h"

#include <QtTest>

class TestNitroxFill : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        numberFormatSettings() = NumberFormatSettings{};
        programUnits().saltWater = true;
    }

    void fills_data()
    {
        QTest::addColumn<bool>("byDepth");
        QTest::addColumn<int>("depth");
        QTest::addColumn<QString>("ppO2");
        QTest::addColumn<QString>("eanx");
        QTest::addColumn<QString>("pressure");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QString>("gasPercentages");
        QTest::addColumn<QString>("idealFill");
        QTest::addColumn<QString>("airTopFill");

        QTest::newRow("EANx 32, imperial")
            << false << 82 << "1.6" << "32" << "3500" << false << "32.00% O2 and 68.00% N2"
            << "To make an EAN32, fill with 1120.00 PSI O2 and 2380.00 PSI N2"
            << "To make an EAN32, fill with 3012.66 PSI Air and 487.34 PSI O2";
        QTest::newRow("82 feet at 1.6")
            << true << 82 << "1.6" << "32" << "3500" << false
            << "The best NITROX gas mix to use at 82 feet would be an EAN45.  (45.90% O2 and 54.10% N2)."
            << "To make an EAN45, fill with 1606.96 PSI O2 and 1893.04 PSI N2"
            << "To make an EAN45, fill with 2396.26 PSI Air and 1103.74 PSI O2";
        QTest::newRow("30 meters at 1.6")
            << true << 30 << "1.6" << "32" << "200" << true
            << "The best NITROX gas mix to use at 30 meters would be an EAN40.  (40.00% O2 and 60.00% N2)."
            << "To make an EAN40, fill with 80.00 BAR O2 and 120.00 BAR N2"
            << "To make an EAN40, fill with 151.90 BAR Air and 48.10 BAR O2";
        QTest::newRow("air needs no oxygen")
            << false << 0 << "1.6" << "21" << "3500" << false << "21.00% O2 and 79.00% N2"
            << "To make an EAN21, fill with 735.00 PSI O2 and 2765.00 PSI N2"
            << "To make an EAN21, fill with 3500.00 PSI Air and 0.00 PSI O2";
        QTest::newRow("below air")
            << false << 0 << "1.6" << "20" << "3500" << false << "20.00% O2 and 80.00% N2"
            << "To make an EAN20, fill with 700.00 PSI O2 and 2800.00 PSI N2"
            << "The optimal O2 procentage (EAN20) is less than what is contained in air.\n\rAir Top Fill not possible.";
        QTest::newRow("31.995 is called EAN32")
            << false << 0 << "1.6" << "31.995" << "3500" << false << "32.00% O2 and 68.00% N2"
            << "To make an EAN32, fill with 1119.83 PSI O2 and 2380.18 PSI N2"
            << "To make an EAN32, fill with 3012.88 PSI Air and 487.12 PSI O2";
        QTest::newRow("EANx 100")
            << false << 0 << "1.6" << "100" << "3500" << false << "100.00% O2 and 0.00% N2"
            << "To make an EAN100, fill with 3500.00 PSI O2 and 0.00 PSI N2"
            << "Best gas mix is 100% Oxygen (O2). Fill with 3500 PSI O2";
        // The best mix at the surface is beyond pure oxygen: pure oxygen it is.
        QTest::newRow("surface best mix is pure oxygen")
            << true << 0 << "1.6" << "32" << "3500" << false
            << "The best gas mix to use at 0 feet would be 100% Oxygen (O2)."
            << "To make an EAN100, fill with 3500.00 PSI O2 and 0.00 PSI N2"
            << "Best gas mix is 100% Oxygen (O2). Fill with 3500 PSI O2";
        QTest::newRow("negative percent") << false << 0 << "1.6" << "-5" << "3500" << false << "Invalid mix" << "" << "";
        // A named mix above 100 % is no mix at all.
        QTest::newRow("150 percent") << false << 0 << "1.6" << "150" << "3500" << false << "Invalid mix" << "" << "";
    }

    void fills()
    {
        QFETCH(bool, byDepth);
        QFETCH(int, depth);
        QFETCH(QString, ppO2);
        QFETCH(QString, eanx);
        QFETCH(QString, pressure);
        QFETCH(bool, metric);
        NitroxFillTexts texts{QStringLiteral("old"), QStringLiteral("old"), QStringLiteral("old")};
        NitroxFill({byDepth, depth, ppO2, eanx, pressure, metric}, texts);
        QTEST(texts.gasPercentages, "gasPercentages");
        QTEST(texts.idealFill, "idealFill");
        QTEST(texts.airTopFill, "airTopFill");
    }

    void unreadableInputs()
    {
        NitroxFillTexts texts{QStringLiteral("mix"), QStringLiteral("ideal"), QStringLiteral("top")};
        try {
            NitroxFill({false, 0, QStringLiteral("1.6"), QStringLiteral("32"), QStringLiteral("207.5"), false}, texts);
            QFAIL("a fill pressure with decimals must fail");
        } catch (const ConvertError &e) {
            QCOMPARE(e.message(), QStringLiteral("'207.5' is not a valid integer value"));
        }
        QCOMPARE(texts.gasPercentages, QStringLiteral("32.00% O2 and 68.00% N2"));
        QCOMPARE(texts.idealFill, QStringLiteral("ideal"));
        QCOMPARE(texts.airTopFill, QStringLiteral("top"));

        NitroxFillTexts kept{QStringLiteral("mix"), QStringLiteral("ideal"), QStringLiteral("top")};
        QVERIFY_THROWS_EXCEPTION(ConvertError, NitroxFill({true, 30, QStringLiteral("x"), QStringLiteral("32"),
                                                          QStringLiteral("200"), true}, kept));
        QCOMPARE(kept.gasPercentages, QStringLiteral("mix"));
    }
};

QTEST_GUILESS_MAIN(TestNitroxFill)
#include "tst_nitroxfill.moc"
