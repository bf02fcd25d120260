// The one-pass reading of a common sample line: where it reads a line, each
// field comes out as the general reader (split, then the number readers)
// gives it; any other line it leaves alone.

#include "core/NumText.h"
#include "profiles/model/DanFields.h"
#include "profiles/model/DanPlainSample.h"

#include <QtTest>

#include <cstring>

class TestDanPlainSample : public QObject
{
    Q_OBJECT

private slots:
    void readsAsTheGeneralReader_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("surface") << QByteArray(" 0.00 0.0 0 false false 0 72.0 3000");
        QTest::newRow("deco with a warning") << QByteArray(" 12.30 101.5 0 true true 10 68.5 2150");
        QTest::newRow("tabs and runs of blanks") << QByteArray("\t 1.05\t\t33.25  0 false\ttrue 20 70 1999");
        QTest::newRow("negative values") << QByteArray(" -0.05 -1.5 0 false false -3 -2.0 -1");
        QTest::newRow("minus zero") << QByteArray(" -0 -0.0 0 false false -0 0 0");
        QTest::newRow("dot without digits after") << QByteArray(" 5. 7. 0 false false 0 72 3000");
        QTest::newRow("dot without digits before") << QByteArray(" .5 .25 0 false false 0 72 3000");
        QTest::newRow("leading zeros") << QByteArray(" 0007.50 0012 0 false false 007 72 0003000");
        QTest::newRow("twelve digits") << QByteArray(" 123456.789012 99999999.9999 0 false false 999999999 72 3000");
        QTest::newRow("fields past the eighth") << QByteArray(" 0.10 3 0 false false 0 72 3000 extra 17");
        QTest::newRow("other flag words") << QByteArray(" 0.10 3 x TRUE maybe 0 72 3000");
        QTest::newRow("odd temperature, read later") << QByteArray(" 0.10 3 0 false false 0 7e1 3000");
    }
    void readsAsTheGeneralReader()
    {
        QFETCH(QByteArray, line);
        const std::string_view text(line.constData(), std::size_t(line.size()));
        DanPlainSample sample;
        QVERIFY(DanReadPlainSample(text, sample));

        std::array<std::string_view, DanSampleFields> fields;
        QCOMPARE(DanSplitFields(text, fields), DanSampleFields);
        double time = 0, depth = 0;
        int ceiling = 0, pressure = 0;
        QVERIFY(TryStrToFloat(fields[0], '.', time));
        QVERIFY(TryStrToFloat(fields[1], '.', depth));
        QVERIFY(TryDecimalToInt(fields[5], ceiling));
        QVERIFY(TryDecimalToInt(fields[7], pressure));
        // Bit for bit, the sign of a zero included.
        QVERIFY(std::memcmp(&sample.time, &time, sizeof time) == 0);
        QVERIFY(std::memcmp(&sample.depth, &depth, sizeof depth) == 0);
        QCOMPARE(sample.ceiling, ceiling);
        QCOMPARE(sample.pressure, pressure);
        QCOMPARE(sample.warning, fields[3]);
        QCOMPARE(sample.decompression, fields[4]);
        QCOMPARE(sample.temperature, fields[6]);

        double temperature = 0, plainTemperature = 0;
        if (TryStrToFloat(fields[6], '.', temperature) && DanReadPlainReal(fields[6], plainTemperature))
            QVERIFY(std::memcmp(&plainTemperature, &temperature, sizeof temperature) == 0);
    }

    void leavesOtherLinesAlone_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("blanks only") << QByteArray("   \t ");
        QTest::newRow("pressure missing") << QByteArray(" 0.10 3 0 false false 0 72");
        QTest::newRow("a plus sign") << QByteArray(" +0.10 3 0 false false 0 72 3000");
        QTest::newRow("an exponent") << QByteArray(" 0.10 3e1 0 false false 0 72 3000");
        QTest::newRow("two dots") << QByteArray(" 0.1.0 3 0 false false 0 72 3000");
        QTest::newRow("a sign alone") << QByteArray(" - 3 0 false false 0 72 3000");
        QTest::newRow("a dot alone") << QByteArray(" 0.10 . 0 false false 0 72 3000");
        QTest::newRow("a comma") << QByteArray(" 0.10 12,5 0 false false 0 72 3000");
        QTest::newRow("thirteen digits") << QByteArray(" 0.10 1234567.890123 0 false false 0 72 3000");
        QTest::newRow("letter O for zero") << QByteArray(" 0.10 3 0 false true 1O 72 3000");
        QTest::newRow("a real ceiling") << QByteArray(" 0.10 3 0 false true 2.0 72 3000");
        QTest::newRow("ten-digit pressure") << QByteArray(" 0.10 3 0 false false 0 72 3000000000");
        QTest::newRow("a form feed in a number") << QByteArray(" 0.10 3\f 0 false false 0 72 3000");
        QTest::newRow("longer than the fields' reach")
            << QByteArray(" 0.10 3 0 false false 0 72 3000 " + QByteArray(250, 'x'));
    }
    void leavesOtherLinesAlone()
    {
        QFETCH(QByteArray, line);
        DanPlainSample sample;
        QVERIFY(!DanReadPlainSample(std::string_view(line.constData(), std::size_t(line.size())), sample));
    }

    void plainRealsOnly_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("plain");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("digits") << QByteArray("72") << true;
        QTest::newRow("decimals") << QByteArray("-71.25") << true;
        QTest::newRow("trailing blank") << QByteArray("72 ") << false;
        QTest::newRow("exponent") << QByteArray("7.2e1") << false;
        QTest::newRow("infinity") << QByteArray("inf") << false;
    }
    void plainRealsOnly()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, plain);
        double value = 0;
        QCOMPARE(DanReadPlainReal(std::string_view(text.constData(), std::size_t(text.size())), value), plain);
    }
};

QTEST_APPLESS_MAIN(TestDanPlainSample)
#include "tst_danplainsample.moc"
