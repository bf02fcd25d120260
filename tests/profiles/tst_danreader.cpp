// Reading a DAN research file: header fields, the drawing operations of the
// samples, the summary texts, and files that end early or hold bad numbers.

#include "charts/RChart.h"
#include "core/NumText.h"
#include "profiles/model/DanFields.h"
#include "profiles/model/DanProfile.h"
#include "profiles/model/DanReader.h"
#include "profiles/model/DanSummary.h"
#include "profiles/window/DanChartReplay.h"
#include "tests/profiles/DanTestFiles.h"
#include "tests/support/DanFiles.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Red = qRgb(255, 0, 0);
const QRgb Yellow = qRgb(255, 255, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Black = qRgb(0, 0, 0);

using Op = DanDrawOp;

Op moveTo(double x, double y) { return {Op::MoveTo, 0, 0, x, y, 0, 0, {}}; }
Op lineTo(double x, double y, QRgb color) { return {Op::LineTo, 0, color, x, y, 0, 0, {}}; }
Op mark(double x, double y, int style, QRgb color) { return {Op::Mark, style, color, x, y, 0, 0, {}}; }
Op band(double x1, double x2, double ceiling) { return {Op::Rectangle, 0, 0, x1, -1.0, x2, ceiling, {}}; }

std::vector<Op> opsOf(const std::vector<Op> &ops, Op::Kind kind)
{
    std::vector<Op> out;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(out), [&](const Op &op) { return op.kind == kind; });
    return out;
}

// Everything a load hands on, as text, in the order handed.
struct EventList final : DanPlotter
{
    QStringList events;
    void draw(const DanDrawOp &op) override
    {
        events << QStringLiteral("draw %1 %2 %3 %4 %5 %6 %7")
                      .arg(int(op.kind))
                      .arg(op.markStyle)
                      .arg(op.color, 0, 16)
                      .arg(op.x)
                      .arg(op.y)
                      .arg(op.x2)
                      .arg(op.y2);
    }
};

} // namespace

Q_DECLARE_METATYPE(std::vector<DanDrawOp>)

class TestDanReader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        if (!writeBytes(path, bytes))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }
    DanLoadResult load(const QByteArray &bytes, DanOpList &ops, DanLoadOptions options = {})
    {
        return LoadDanFile(file(QStringLiteral("t.nem"), bytes), options, ops);
    }

private slots:
    void initTestCase()
    {
        // The user's own separators, a comma in the German run.
        useSystemNumberFormat();
        QVERIFY(m_dir.isValid());
    }

    void smallFileDrawsItsOperations()
    {
        DanOpList ops;
        const DanLoadResult result = load(danHead() + danSample("0.00", "0.0") + danSample("0.20", "10.0", "true", "true", "10", "71", "2900")
                                              + danSample("0.40", "12.0", "false", "true", "10", "70", "2800")
                                              + danSample("1.00", "5.0", "false", "false", "0", "70", "2700"),
                                          ops);
        QVERIFY2(result.complete(), qPrintable(result.message));
        const std::vector<Op> expected{
            moveTo(0, 0),
            lineTo(0, 0, White),
            lineTo(20, 10, Red), mark(20, 10, DanDotMark, Red),
            lineTo(40, 12, Yellow),
            lineTo(60, 5, White), band(20, 60, 10),
        };
        QCOMPARE(ops.ops.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            QVERIFY2(ops.ops[i] == expected[i], qPrintable(QString::number(i)));
        QCOMPARE(result.maxDepth, 12.0);
        QCOMPARE(result.maxTime, 60.0);
        QCOMPARE(result.header.chartCaption(), QStringLiteral("Dive # 1  on 03/02/97 14:23"));
        const QStringList panels = DanSummaryTexts(result);
        QCOMPARE(panels, (QStringList{Format(QStringLiteral("Max Depth: %3.2f"), {12.0}), QStringLiteral("Run time:   1.00"),
                                      QStringLiteral("Avg. temp: 72"), QStringLiteral("Tank: 80"), QStringLiteral("Serial # 02345"),
                                      QStringLiteral("Used: 1500 PSI"), QStringLiteral("Sampling rate: 20 sec")}));

        // The same operations on the chart: one item each, in the pen's colour.
        TRChart chart;
        chart.setWindColor(QColor(0xC0, 0xC0, 0xC0));
        DanChartPlotter plotter(chart);
        for (const Op &op : ops.ops)
            plotter.draw(op);
        const DisplayList &items = chart.items();
        QCOMPARE(items.size(), expected.size());
        const std::vector<ItemKind> kinds{ItemKind::MoveTo, ItemKind::LineTo, ItemKind::LineTo, ItemKind::Mark,
                                          ItemKind::LineTo, ItemKind::LineTo, ItemKind::Rectangle};
        for (std::size_t i = 0; i < kinds.size(); ++i)
            QCOMPARE(items[i].kind, kinds[i]);
        QCOMPARE(items[2].color, Red);
        QCOMPARE(items[4].color, Yellow);
        QCOMPARE(items[6].color, qRgb(0xC0, 0xC0, 0xC0));
        QCOMPARE(items[6].width, 0);
        QCOMPARE(items.extra(6).x2, 60.0);
        QCOMPARE(items.extra(6).y2, 10.0);
        QCOMPARE(chart.LineWidth(), 1);
    }

    void timesInSeconds_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<double>("seconds");
        QTest::newRow("12.30 is 750 s") << QByteArray("12.30") << 750.0;
        QTest::newRow("0.05 is 5 s") << QByteArray("0.05") << 5.0;
        QTest::newRow("45.07 is 2707 s") << QByteArray("45.07") << 2707.0;
        QTest::newRow("whole minutes") << QByteArray("3") << 180.0;
    }
    void timesInSeconds()
    {
        QFETCH(QByteArray, text);
        QFETCH(double, seconds);
        DanOpList ops;
        const DanLoadResult result = load(danHead() + danSample(text, "10"), ops);
        QVERIFY2(result.complete(), qPrintable(result.message));
        QCOMPARE(qRound(result.maxTime * 1000), qRound(seconds * 1000));
    }

    void segmentColours_data()
    {
        QTest::addColumn<QByteArray>("deco");
        QTest::addColumn<QByteArray>("ceiling");
        QTest::addColumn<QByteArray>("depth");
        QTest::addColumn<QRgb>("color");
        QTest::newRow("deco at the ceiling: red") << QByteArray("true") << QByteArray("30") << QByteArray("30") << Red;
        QTest::newRow("deco above the ceiling: red") << QByteArray("true") << QByteArray("30") << QByteArray("29.5") << Red;
        QTest::newRow("deco one deeper: yellow") << QByteArray("true") << QByteArray("30") << QByteArray("31") << Yellow;
        QTest::newRow("no deco: white") << QByteArray("false") << QByteArray("50") << QByteArray("30") << White;
        QTest::newRow("no deco, deep: white") << QByteArray("false") << QByteArray("0") << QByteArray("90") << White;
        QTest::newRow("'False' is not 'false'") << QByteArray("False") << QByteArray("0") << QByteArray("90") << Yellow;
    }
    void segmentColours()
    {
        QFETCH(QByteArray, deco);
        QFETCH(QByteArray, ceiling);
        QFETCH(QByteArray, depth);
        QFETCH(QRgb, color);
        DanOpList ops;
        load(danHead() + danSample("0.00", "0") + danSample("0.20", depth, "false", deco, ceiling), ops);
        const std::vector<Op> lines = opsOf(ops.ops, Op::LineTo);
        QCOMPARE(lines.size(), std::size_t(2));
        QCOMPARE(lines[1].color, color);
    }

    void gasUsed_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("panel");
        QTest::newRow("1500P") << QByteArray("1500P") << QStringLiteral("Used: 1500 PSI");
        QTest::newRow("1500") << QByteArray("1500") << QStringLiteral("Used: 1500");
        QTest::newRow("P alone") << QByteArray("P") << QStringLiteral("Used:  PSI");
    }
    void gasUsed()
    {
        QFETCH(QByteArray, field);
        QFETCH(QString, panel);
        DanOpList ops;
        const DanLoadResult result = load(danHead("1 03/02/97 14:23 45 60 " + field + " 72 80") + danSample("0.00", "0"), ops);
        QCOMPARE(DanUsedText(result.header), panel);
    }

    void runTime_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<QString>("panel");
        QTest::newRow("2707 s") << 2707.0 << QStringLiteral("Run time:  45.07");
        QTest::newRow("750 s") << 750.0 << QStringLiteral("Run time:  12.30");
        QTest::newRow("65 s") << 65.0 << QStringLiteral("Run time:   1.05");
        QTest::newRow("over 100 minutes") << 6030.0 << QStringLiteral("Run time: 100.30");
    }
    void runTime()
    {
        QFETCH(double, seconds);
        QFETCH(QString, panel);
        QCOMPARE(DanRunTimeText(seconds), panel);
    }

    void pressureMarks_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("tenth");
        QTest::addColumn<QList<double>>("marks");
        QTest::newRow("3000, half left: 35") << QByteArray("3000") << QByteArray("1500") << QList<double>{35};
        QTest::newRow("3000, 2000 left: 46.67 -> 47") << QByteArray("3000") << QByteArray("2000") << QList<double>{47};
        QTest::newRow("3000, 2100 left: 49") << QByteArray("3000") << QByteArray("2100") << QList<double>{49};
        QTest::newRow("first pressure 0: none") << QByteArray("0") << QByteArray("1500") << QList<double>{};
    }
    void pressureMarks()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, tenth);
        QFETCH(QList<double>, marks);
        QByteArray bytes = danHead() + danSample("0.00", "5", "false", "false", "0", "72", first);
        for (int i = 1; i < 10; ++i)
            bytes += danSample(DanMinutesText(i * 10), "5", "false", "false", "0", "72", i == 9 ? tenth : QByteArray("2500"));
        bytes += danSample("1.40", "5");
        DanOpList ops;
        const DanLoadResult result = load(bytes, ops);
        QVERIFY2(result.complete(), qPrintable(result.message));
        QList<double> drawn;
        for (const Op &op : opsOf(ops.ops, Op::Mark)) {
            QCOMPARE(op.markStyle, DanPressureMark);
            QCOMPARE(op.color, Black);
            QCOMPARE(op.x, 90.0);
            drawn << op.y;
        }
        QCOMPARE(drawn, marks);
        QCOMPARE(result.sampleCount, 11);
    }

    void ceilingBands_data()
    {
        // Samples every 10 s: deco flag and ceiling per sample.
        QTest::addColumn<QList<int>>("ceilings");   // 0 = no deco
        QTest::addColumn<std::vector<DanDrawOp>>("bands");
        QTest::newRow("one phase, closed where it ends") << QList<int>{0, 10, 10, 10, 0} << std::vector<Op>{band(10, 40, 10)};
        QTest::newRow("ceiling change closes a piece") << QList<int>{0, 20, 20, 10, 10, 0}
                                                      << std::vector<Op>{band(10, 30, 20), band(30, 50, 10)};
        QTest::newRow("open at the end: not drawn") << QList<int>{0, 10, 10} << std::vector<Op>{};
        QTest::newRow("begun at time 0: not closed by the end") << QList<int>{10, 10, 0, 0} << std::vector<Op>{};
        QTest::newRow("begun at time 0: closed by a change") << QList<int>{10, 20, 0} << std::vector<Op>{band(0, 10, 10), band(10, 20, 20)};
    }
    void ceilingBands()
    {
        QFETCH(QList<int>, ceilings);
        QFETCH(std::vector<DanDrawOp>, bands);
        QByteArray bytes = danHead();
        for (int i = 0; i < ceilings.size(); ++i)
            bytes += danSample(DanMinutesText(i * 10), "40", "false", ceilings[i] ? "true" : "false", QByteArray::number(ceilings[i]));
        DanOpList ops;
        QVERIFY(load(bytes, ops).complete());
        QVERIFY(opsOf(ops.ops, Op::Rectangle) == bands);
    }

    void temperatureEveryTwentiethSample()
    {
        DanDiveShape dive;
        dive.samples = 30;
        DanOpList ops;
        const QString path = m_dir.filePath(QStringLiteral("warm.nem"));
        QVERIFY(WriteDanFile(path, {dive}));
        const DanLoadResult result = LoadDanFile(path, {}, ops);
        QVERIFY(result.complete());
        std::vector<Op> blue;
        for (const Op &op : opsOf(ops.ops, Op::Mark))
            if (op.color == Blue)
                blue.push_back(op);
        QCOMPARE(blue.size(), std::size_t(1));
        QCOMPARE(blue[0].x, 19.0 * 20);
        QCOMPARE(blue[0].markStyle, DanDotMark);
        // The pen goes to the temperature and back to the profile.
        const auto at = std::find(ops.ops.begin(), ops.ops.end(), blue[0]);
        QVERIFY(*(at - 1) == moveTo(380, 62));
        QVERIFY(*(at + 1) == moveTo(380, 100));
        QCOMPARE(result.maxTemperature, 72.0 - 10.0);
        QCOMPARE(DanAutoScale(result).lowY, 110.0);   // max depth 100 beats 62 degrees
        QCOMPARE(DanAutoScale(result).highX, 29 * 20 * 1.05);
    }

    void resolutionStep_data()
    {
        QTest::addColumn<int>("step");
        QTest::newRow("High: every sample") << 1;
        QTest::newRow("Medium") << 4;
        QTest::newRow("Low") << 8;
    }
    void resolutionStep()
    {
        QFETCH(int, step);
        DanDiveShape dive;
        dive.samples = 997;
        const QString path = m_dir.filePath(QStringLiteral("steps.nem"));
        QVERIFY(WriteDanFile(path, {dive}));
        // Which sample lines the running character count selects.
        QFile text(path);
        QVERIFY(text.open(QIODevice::ReadOnly));
        qint64 count = 0;
        int expected = 0, lineNumber = 0;
        bool lastTaken = false;
        while (!text.atEnd()) {
            const QByteArray line = text.readLine().trimmed();
            if (++lineNumber < 9)
                continue;
            count += line.size() + 1;   // the leading blank that trimmed() dropped
            lastTaken = count % step == 0;
            expected += lastTaken;
        }
        expected += !lastTaken;   // the final sample is always drawn, once
        DanOpList ops;
        DanLoadOptions options;
        options.resolutionStep = step;
        const DanLoadResult result = LoadDanFile(path, options, ops);
        QVERIFY(result.complete());
        const std::vector<Op> lines = opsOf(ops.ops, Op::LineTo);
        QCOMPARE(int(lines.size()), expected);
        QCOMPARE(result.sampleCount, expected);
        QCOMPARE(lines.back().x, 996.0 * 20);
        if (step == 1)
            QCOMPARE(expected, 997);
    }

    void redrawRhythm_data()
    {
        QTest::addColumn<bool>("animate");
        QTest::addColumn<int>("redraws");
        QTest::newRow("every 200") << false << 2;
        QTest::newRow("Animate: every 20") << true << 25;
    }
    void redrawRhythm()
    {
        QFETCH(bool, animate);
        QFETCH(int, redraws);
        DanDiveShape dive;
        dive.samples = 500;
        const QString path = m_dir.filePath(QStringLiteral("rhythm.nem"));
        QVERIFY(WriteDanFile(path, {dive}));
        QList<qint64> positions;
        DanLoadOptions options;
        options.animate = animate;
        options.redraw = [&](qint64 position) { positions << position; };
        DanOpList ops;
        const DanLoadResult result = LoadDanFile(path, options, ops);
        QCOMPARE(positions.size(), redraws);
        QVERIFY(std::is_sorted(positions.begin(), positions.end()));
        QVERIFY(positions.back() <= result.charactersRead);
        QCOMPARE(DanProgressMaximum(1005), 1005 - 100);
    }

    void faultyFiles_data()
    {
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("line");
        QTest::newRow("truncated in mid-line") << QByteArray(" 0.40 12.5 0 fal") << QStringLiteral("The sample line ends before its tank pressure field") << 11;
        QTest::newRow("truncated after the time") << QByteArray(" 0.40\r\n") << QStringLiteral("The sample line ends before its tank pressure field") << 11;
        QTest::newRow("time not a number") << danSample("0.4x", "12") << QStringLiteral("'0.4x' is not a valid floating point value") << 11;
        QTest::newRow("comma in the depth") << danSample("0.40", "12,5") << QStringLiteral("'12,5' is not a valid floating point value") << 11;
        QTest::newRow("ceiling not an integer") << danSample("0.40", "12", "false", "true", "1O") << QStringLiteral("'1O' is not a valid integer value") << 11;
        QTest::newRow("time past any dive") << danSample("1e308", "12") << QStringLiteral("'1e308' is out of range for the time field") << 11;
        QTest::newRow("depth past any dive") << danSample("0.40", "-2e12") << QStringLiteral("'-2e12' is out of range for the depth field") << 11;
    }
    void faultyFiles()
    {
        QFETCH(QByteArray, tail);
        QFETCH(QString, message);
        QFETCH(int, line);
        DanOpList ops;
        const DanLoadResult result = load(danHead() + danSample("0.00", "0") + danSample("0.20", "10") + tail, ops);
        QCOMPARE(result.message, message);
        QCOMPARE(result.messageLine, line);
        QVERIFY(!result.complete());
        // What was read before stays drawn.
        const std::vector<Op> lines = opsOf(ops.ops, Op::LineTo);
        QCOMPARE(lines.size(), std::size_t(2));
        QCOMPARE(lines[1].x, 20.0);
        QVERIFY(DanSummaryTexts(result)[MaxDepthPanel].isEmpty());
    }

    void emptyLinesAmongSamplesAreSkipped()
    {
        DanOpList ops;
        const DanLoadResult result = load(danHead() + danSample("0.00", "0") + "\r\n" + danSample("0.20", "10") + "   \r\n\r\n" + danSample("0.40", "5") + "\r\n", ops);
        QVERIFY2(result.complete(), qPrintable(result.message));
        QCOMPARE(result.sampleCount, 3);
        QCOMPARE(opsOf(ops.ops, Op::LineTo).back().x, 40.0);
    }

    void shortFiles_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("used");
        QTest::newRow("empty") << 0 << QString() << QString();
        QTest::newRow("line 1 only") << 1 << QStringLiteral("02345") << QString();
        QTest::newRow("header, no samples") << 2 << QStringLiteral("02345") << QStringLiteral("1500 PSI");
        QTest::newRow("eight lines") << 8 << QStringLiteral("02345") << QStringLiteral("1500 PSI");
    }
    void shortFiles()
    {
        QFETCH(int, lines);
        QFETCH(QString, serial);
        QFETCH(QString, used);
        const QList<QByteArray> all = danHead().split('\n');
        DanOpList ops;
        const DanLoadResult result = load(all.mid(0, lines).join('\n'), ops);
        QCOMPARE(result.message, QStringLiteral("t.nem holds no dive samples (they begin on line 9)."));
        QCOMPARE(result.header.serial, serial);
        QCOMPARE(result.header.gasUsed, used);
        QCOMPARE(opsOf(ops.ops, Op::LineTo).size(), std::size_t(0));
    }

    void missingFileGivesTheSystemsMessage()
    {
        DanOpList ops;
        const DanLoadResult result = LoadDanFile(m_dir.filePath(QStringLiteral("none.nem")), {}, ops);
        QVERIFY(!result.message.isEmpty());
        QVERIFY(ops.ops.empty());
    }

    void secondDiveStopsTheLoad()
    {
        DanDiveShape first, second;
        second.number = 2;
        second.time = QStringLiteral("16:05");
        first.samples = second.samples = 30;
        const QString path = m_dir.filePath(QStringLiteral("two.nem"));
        QVERIFY(WriteDanFile(path, {first, second}));
        DanOpList ops;
        const DanLoadResult result = LoadDanFile(path, {}, ops);
        QVERIFY(result.severalDives);
        QCOMPARE(result.sampleCount, 30);   // the first dive stays drawn
        QCOMPARE(opsOf(ops.ops, Op::LineTo).size(), std::size_t(30));
        QVERIFY(DanSummaryTexts(result)[RunTimePanel].isEmpty());
    }

    // A file of many batches of drawing: what the load draws, with its
    // redraws in between, and the samples it hands on are what its sample
    // lines give when drawn one by one.
    void longFileDrawsAsItsLinesOneByOne()
    {
        DanDiveShape dive;
        dive.samples = 30000;
        dive.intervalSeconds = 2;
        dive.deco = {{9000, 18000, 20}};
        dive.warnings = {5, 12000, 29999};
        const QString path = m_dir.filePath(QStringLiteral("long.nem"));
        QVERIFY(WriteDanFile(path, {dive}));

        EventList loaded;
        QStringList loadedSamples; // handed on by the reading thread
        DanLoadOptions options;
        options.redraw = [&](qint64 position) { loaded.events << QStringLiteral("redraw %1").arg(position); };
        options.sample = [&](double t, double d) { loadedSamples << QStringLiteral("%1 %2").arg(t).arg(d); };
        const DanLoadResult result = LoadDanFile(path, options, loaded);
        QVERIFY2(result.complete(), qPrintable(result.message));
        QCOMPARE(result.sampleCount, 30000);

        EventList expected;
        QStringList expectedSamples;
        expected.draw(DanDrawOp());
        qint64 position = 0;
        DanProfile profile(expected, false, [&] { expected.events << QStringLiteral("redraw %1").arg(position); });
        profile.setSampleSink([&](double t, double d) { expectedSamples << QStringLiteral("%1 %2").arg(t).arg(d); });
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        for (int number = 1; !file.atEnd(); ++number) {
            const QByteArray line = file.readLine().chopped(2); // without "\r\n"
            if (number < 9)
                continue;
            position += line.size();
            profile.ParseData(std::string_view(line.constData(), std::size_t(line.size())));
        }
        QCOMPARE(loaded.events.size(), expected.events.size());
        QCOMPARE(loaded.events, expected.events);
        QCOMPARE(loadedSamples, expectedSamples);
        QCOMPARE(result.charactersRead, position);
    }

    // A bad line after many batches: all drawn before it is handed on.
    void badLineAfterManyBatches()
    {
        QByteArray bytes = danHead();
        for (int i = 0; i < 25000; ++i)
            bytes += danSample(QByteArray::number(i / 60) + '.' + QByteArray::number(i % 60).rightJustified(2, '0'),
                               "10");
        bytes += danSample("9x", "10");
        DanOpList ops;
        const DanLoadResult result = load(bytes, ops);
        QCOMPARE(result.message, QStringLiteral("'9x' is not a valid floating point value"));
        QCOMPARE(result.messageLine, 8 + 25001);
        QCOMPARE(opsOf(ops.ops, Op::LineTo).size(), std::size_t(25000));
    }

    // A drawing side that fails ends the load with its error, also while
    // the reading side is batches ahead.
    void failingDrawingEndsTheLoad()
    {
        DanDiveShape dive;
        dive.samples = 40000;
        const QString path = m_dir.filePath(QStringLiteral("fails.nem"));
        QVERIFY(WriteDanFile(path, {dive}));
        struct FailingPlotter final : DanPlotter
        {
            int drawn = 0;
            void draw(const DanDrawOp &) override
            {
                if (++drawn == 5000)
                    throw std::runtime_error("out of paper");
            }
        } plotter;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, LoadDanFile(path, {}, plotter));
        QCOMPARE(plotter.drawn, 5000);
    }

    void numbersReadAlikeInEveryLocale()
    {
        const NumberFormatSettings before = numberFormatSettings();
        DanOpList ops;
        const DanLoadResult result = load(danHead() + danSample("12.30", "33.5") + danSample("12.35", "33.75"), ops);
        QVERIFY(result.complete());
        QCOMPARE(result.maxDepth, 33.75);
        QCOMPARE(qRound(result.maxTime), 755);
        QCOMPARE(numberFormatSettings().decimalSeparator, before.decimalSeparator);
        // Panels follow the user's separators.
        QCOMPARE(DanMaxDepthText(33.75), QStringLiteral("Max Depth: 33") + before.decimalSeparator + QStringLiteral("75"));
    }
};

QTEST_MAIN(TestDanReader)
#include "tst_danreader.moc"
