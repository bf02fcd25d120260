// Reading dive logs (UDDF, Subsurface XML): the dive list, the header and
// samples of a dive, the summary panels and drawing of a dive in either unit
// system, the cursor's ppO2 from the gas breathed, and bad files.

#include "core/Units.h"
#include "profiles/model/DanDive.h"
#include "profiles/model/DanSummary.h"
#include "profiles/model/DiveDrawing.h"
#include "profiles/model/DiveLogReader.h"
#include "profiles/model/DiveXml.h"
#include "profiles/model/ProfileNotes.h"
#include "tests/support/TestNumbers.h"
#include "tests/support/WaterTypeScope.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Yellow = qRgb(255, 255, 0);

QString logFile(const QString &name) { return QStringLiteral(TEST_LOGS_DIR "/") + name; }

LogDive readDive(const QString &name, int index)
{
    const DiveLogOpenResult opened = OpenDiveLog(logFile(name));
    if (!opened.message.isEmpty())
        qFatal("%s", qPrintable(opened.message));
    const LogDiveResult read = ReadLogDive(opened.log, index);
    if (!read.message.isEmpty())
        qFatal("%s", qPrintable(read.message));
    return read.dive;
}

std::vector<DanDrawOp> opsOf(const std::vector<DanDrawOp> &ops, DanDrawOp::Kind kind)
{
    std::vector<DanDrawOp> out;
    std::copy_if(ops.begin(), ops.end(), std::back_inserter(out), [&](const DanDrawOp &op) { return op.kind == kind; });
    return out;
}

} // namespace

class TestDiveLogReader : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString file(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

private slots:
    void initTestCase()
    {
        useTestNumberFormat();
        QVERIFY(m_dir.isValid());
    }

    void diveListHoldsEveryDiveInFileOrder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("firstDrawn");
        QTest::newRow("UDDF with one dive") << "gas-switches.uddf" << QStringList{"Dive #42  2014-04-02 10:00"} << 0;
        QTest::newRow("Subsurface with a trip, a dive without samples and one without number")
            << "logbook.ssrf"
            << QStringList{"Dive #5  2010-12-05 11:26", "Dive #6  2010-12-05 15:10", "Dive #3  2010-12-06 09:00"} << 0;
        QTest::newRow("old-style <dives> file") << "old-style.xml" << QStringList{"Dive #1  2011-09-11 08:00"} << 0;
        QTest::newRow("UDDF with prefixed names, a time zone and a hand-logged dive")
            << "rebreather.uddf" << QStringList{"Dive #1  2020-06-01 07:45", "Dive #8  2020-06-01 11:00"} << 0;
    }
    void diveListHoldsEveryDiveInFileOrder()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, entries);
        QFETCH(int, firstDrawn);
        const DiveLogOpenResult opened = OpenDiveLog(logFile(name));
        QCOMPARE(opened.message, QString());
        QStringList texts;
        for (const DiveHeader &header : opened.log.headers)
            texts << header.listText();
        QCOMPARE(texts, entries);
        QCOMPARE(opened.log.firstDiveWithSamples(), firstDrawn);
    }

    void firstDiveWithSamplesIsFoundAfterHandLoggedOnes()
    {
        const QString path = file(QStringLiteral("later.ssrf"),
                                  "<divelog program='x' version='3'><dives>"
                                  "<dive number='1' date='2020-01-01' time='10:00:00' duration='20:00 min'/>"
                                  "<dive number='2' date='2020-01-02' time='10:00:00'><divecomputer><depth max='3.0 m'/></divecomputer></dive>"
                                  "<dive number='3' date='2020-01-03' time='10:00:00'><divecomputer>"
                                  "<sample time='0:10 min' depth='1.0 m'/></divecomputer></dive>"
                                  "</dives></divelog>");
        const DiveLogOpenResult opened = OpenDiveLog(path);
        QCOMPARE(opened.message, QString());
        QCOMPARE(opened.log.size(), 3);
        QCOMPARE(opened.log.firstDiveWithSamples(), 2);
        QCOMPARE(opened.log.headers[0].duration, 1200.0);
    }

    void summaryPanels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("dive");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QStringList>("panels");
        // 420 s: 7 minutes; temperatures 20, 16 and 18 °C; 12 l; 200 - 60 bar.
        QTest::newRow("UDDF, metric")
            << "gas-switches.uddf" << 0 << true
            << QStringList{localNumbers("Max Depth: 40.00"), "Run time:   7.00", localNumbers("Avg. temp: 18.0 C"),
                           localNumbers("Tank: 12.00 Litres"), "Serial # Perdix A1B2C3", "Used: 140 BAR",
                           "Sampling rate: 60 sec"};
        // 40 m x 3.28083 = 131.23 ft; 18 °C = 64.4 °F; 140 bar x 14.5038 = 2030.5 psi.
        QTest::newRow("UDDF, imperial")
            << "gas-switches.uddf" << 0 << false
            << QStringList{localNumbers("Max Depth: 131.23"), "Run time:   7.00", localNumbers("Avg. temp: 64.4 F"),
                           localNumbers("Tank: 12.00 Litres"), "Serial # Perdix A1B2C3", "Used: 2031 PSI",
                           "Sampling rate: 60 sec"};
        // Temperatures given at 0, 2 and 14 min: 26, 24, 25 °C; the second
        // computer's 50 m sample is not this dive's profile.
        QTest::newRow("Subsurface, metric")
            << "logbook.ssrf" << 0 << true
            << QStringList{localNumbers("Max Depth: 20.00"), "Run time:  16.00", localNumbers("Avg. temp: 25.0 C"),
                           "Tank: AL80", "Serial # Suunto Vyper 123456", "Used: 140 BAR", "Sampling rate: 60 sec"};
        QTest::newRow("Subsurface, imperial")
            << "logbook.ssrf" << 0 << false
            << QStringList{localNumbers("Max Depth: 65.62"), "Run time:  16.00", localNumbers("Avg. temp: 77.0 F"),
                           "Tank: AL80", "Serial # Suunto Vyper 123456", "Used: 2031 PSI", "Sampling rate: 60 sec"};
        QTest::newRow("hand-logged dive: its header")
            << "logbook.ssrf" << 1 << true
            << QStringList{localNumbers("Max Depth: 12.00"), "Run time:  30.00", "Avg. temp: ", "Tank: ",
                           "Serial # manually added dive", "Used: ", ""};
        // ft, °F and psi: 32.8083 ft = 10 m, 68 °F = 20 °C, 3000 - 2000 psi
        // = 68.9 bar; 80 cuft at 3000 psi (206.84 bar) hold 2265.3 l of gas
        // in 10.95 l of water volume, and are shown in cubic feet again.
        QTest::newRow("Subsurface in imperial units, shown metric")
            << "logbook.ssrf" << 2 << true
            << QStringList{localNumbers("Max Depth: 10.00"), "Run time:   2.00", localNumbers("Avg. temp: 20.0 C"),
                           localNumbers("Tank: 10.95 Litres"), "Serial # Imperial One", "Used: 69 BAR", "Sampling rate: 60 sec"};
        QTest::newRow("Subsurface in imperial units, shown imperial")
            << "logbook.ssrf" << 2 << false
            << QStringList{localNumbers("Max Depth: 32.81"), "Run time:   2.00", localNumbers("Avg. temp: 68.0 F"),
                           localNumbers("Tank: 80.00 CuFt"), "Serial # Imperial One", "Used: 1000 PSI",
                           "Sampling rate: 60 sec"};
        // Samples inside <dive>; temperatures 12 and 11 °C; 210 - 150 bar.
        QTest::newRow("old-style <dives>")
            << "old-style.xml" << 0 << true
            << QStringList{localNumbers("Max Depth: 8.00"), "Run time:   3.00", localNumbers("Avg. temp: 11.5 C"),
                           localNumbers("Tank: 12.00 Litres"), "Serial # ", "Used: 60 BAR", "Sampling rate: 20 sec"};
    }
    void summaryPanels()
    {
        QFETCH(QString, name);
        QFETCH(int, dive);
        QFETCH(bool, metric);
        QFETCH(QStringList, panels);
        QCOMPARE(DiveSummaryTexts(readDive(name, dive), metric), panels);
    }

    void headerOfTheDiveLogPage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("dive");
        QTest::addColumn<QStringList>("fields");   // notes, location, buddy, divemaster
        QTest::newRow("UDDF: paragraphs, linked site and buddy")
            << "gas-switches.uddf" << 0 << QStringList{"Wall dive.\nSaw a turtle.", "Blue Hole, Dahab", "Bob Fish", ""};
        QTest::newRow("Subsurface: site by id") << "logbook.ssrf" << 0
                                                << QStringList{"Current at the corner.", "Blue Corner", "Carl", "Dora"};
        QTest::newRow("old-style: location element") << "old-style.xml" << 0 << QStringList{"", "Old Quarry", "", ""};
        QTest::newRow("UDDF hand-logged dive") << "rebreather.uddf" << 1 << QStringList{"Hand log.", "", "", ""};
    }
    void headerOfTheDiveLogPage()
    {
        QFETCH(QString, name);
        QFETCH(int, dive);
        QFETCH(QStringList, fields);
        const DiveHeader h = readDive(name, dive).header;
        QCOMPARE((QStringList{h.notes, h.location, h.buddy, h.divemaster}), fields);
    }

    void uddfDiveIsDrawnWithDecoBandsAndGasSwitches()
    {
        const LogDive dive = readDive(QStringLiteral("gas-switches.uddf"), 0);
        DanOpList plot;
        const DiveDrawResult drawn = DrawLogDive(dive, true, plot);
        QCOMPARE(drawn.maxDepth, 40.0);
        QCOMPARE(drawn.maxTime, 420.0);

        QList<QPair<double, QRgb>> lines;
        for (const DanDrawOp &op : opsOf(plot.ops, DanDrawOp::LineTo))
            lines.append({op.x, op.color});
        // Yellow while a mandatory stop is due (180 to 300 s); the safety stop is not deco.
        QCOMPARE(lines, (QList<QPair<double, QRgb>>{{0, White}, {60, White}, {120, White}, {180, Yellow},
                                                     {240, Yellow}, {300, Yellow}, {360, White}, {420, White}}));
        QStringList bands;
        for (const DanDrawOp &op : opsOf(plot.ops, DanDrawOp::Rectangle))
            bands << QStringLiteral("%1-%2 to %3 from %4").arg(op.x).arg(op.x2).arg(op.y2).arg(op.y);
        QCOMPARE(bands, (QStringList{"180-240 to 9 from -1", "240-360 to 6 from -1"}));
        QStringList names;
        for (const DanDrawOp &op : opsOf(plot.ops, DanDrawOp::Text))
            names << QStringLiteral("%1 at %2 s, %3").arg(op.text).arg(op.x).arg(op.y);
        // The names stand 5 % of the deepest 40 m above their marks.
        QCOMPARE(names, (QStringList{"EAN50 at 180 s, 19", "O2 at 300 s, 4"}));
        QCOMPARE(DiveMixName(dive.mixes[dive.samples.front().gas]), QStringLiteral("TX18/45"));

        QStringList temperatures;
        for (const DanDrawOp &op : opsOf(plot.ops, DanDrawOp::Mark))
            if (op.color == qRgb(0, 0, 255))
                temperatures << QStringLiteral("%1 s: %2").arg(op.x).arg(op.y, 0, 'f', 1);
        QCOMPARE(temperatures, (QStringList{"0 s: 20.0", "60 s: 16.0", "360 s: 18.0"}));
    }

    void imperialDrawingIsInFeetAndFahrenheit()
    {
        const LogDive dive = readDive(QStringLiteral("gas-switches.uddf"), 0);
        DanOpList plot;
        const DiveDrawResult drawn = DrawLogDive(dive, false, plot);
        QCOMPARE(QString::number(drawn.maxDepth, 'f', 2), QStringLiteral("131.23"));
        // 20 °C is 68 °F.
        QCOMPARE(QString::number(drawn.maxTemperature, 'f', 1), QStringLiteral("68.0"));
        const std::vector<DanDrawOp> bands = opsOf(plot.ops, DanDrawOp::Rectangle);
        QCOMPARE(bands.size(), std::size_t(2));
        // A stop at 9 m is 29.53 ft.
        QCOMPARE(QString::number(bands[0].y2, 'f', 2), QStringLiteral("29.53"));
    }

    void subsurfaceSamplesCarryValuesOver()
    {
        const LogDive dive = readDive(QStringLiteral("logbook.ssrf"), 0);
        QCOMPARE(dive.samples.size(), std::size_t(17));
        // Temperature and pressure stay until a sample gives new ones.
        QCOMPARE(dive.samples[1].temperature, 26.0f);
        QVERIFY(!(dive.samples[1].given & DiveSample::TemperatureGiven));
        QCOMPARE(dive.samples[9].pressure, 190.0f);
        // The stop from 11:00 stays while in deco; in_deco="0" at 13:00 ends it.
        QVERIFY(dive.samples[12].inDeco);
        QCOMPARE(dive.samples[12].ceiling, 3.0f);
        QVERIFY(!dive.samples[13].inDeco);
        // EAN32 until the switch to the second cylinder at 10:00.
        QCOMPARE(DiveMixName(dive.mixes[dive.samples[9].gas]), QStringLiteral("EAN32"));
        QCOMPARE(DiveMixName(dive.mixes[dive.samples[10].gas]), QStringLiteral("EAN50"));

        DanOpList plot;
        DrawLogDive(dive, true, plot);
        QStringList pressures;
        for (const DanDrawOp &op : opsOf(plot.ops, DanDrawOp::Mark))
            if (op.color == qRgb(0, 0, 0))
                pressures << QStringLiteral("%1 s: %2").arg(op.x).arg(op.y);
        // The first pressure (200 bar) is 70 on the depth scale: 120 bar is 42.
        QCOMPARE(pressures, QStringList{"600 s: 42"});
        const std::vector<DanDrawOp> bands = opsOf(plot.ops, DanDrawOp::Rectangle);
        QCOMPARE(bands.size(), std::size_t(1));
        QCOMPARE((QList<double>{bands[0].x, bands[0].x2, bands[0].y2}), (QList<double>{660, 780, 3}));
        QCOMPARE(opsOf(plot.ops, DanDrawOp::Text).size(), std::size_t(1));
        QCOMPARE(opsOf(plot.ops, DanDrawOp::Text)[0].text, QStringLiteral("EAN50"));
    }

    void cursorPpO2IsThatOfTheGasBreathed_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("depth");
        QTest::addColumn<QString>("ppO2");
        QTest::addColumn<int>("meter");
        // Salt water: 10 m (33 ft) per atmosphere.
        QTest::newRow("TX18/45 at 40 m") << "gas-switches.uddf" << true << 100.0 << 40.0 << "ppO2: 0.90" << 57;
        QTest::newRow("EAN50 at 21 m") << "gas-switches.uddf" << true << 200.0 << 21.0 << "ppO2: 1.55" << 98;
        QTest::newRow("oxygen at 6 m") << "gas-switches.uddf" << true << 310.0 << 6.0 << "ppO2: 1.60" << 101;
        QTest::newRow("EAN32 at 66 ft") << "logbook.ssrf" << false << 300.0 << 66.0 << "ppO2: 0.96" << 61;
        QTest::newRow("rebreather: the sensors' mean") << "rebreather.uddf" << true << 40.0 << 20.0 << "ppO2: 1.28" << 81;
    }
    void cursorPpO2IsThatOfTheGasBreathed()
    {
        QFETCH(QString, name);
        QFETCH(bool, metric);
        QFETCH(double, seconds);
        QFETCH(double, depth);
        QFETCH(QString, ppO2);
        QFETCH(int, meter);
        const WaterTypeScope salt(true);
        const DanCursorReadout readout = LogDiveReadout(readDive(name, 0), metric, seconds, depth);
        QCOMPARE(readout.ppO2, localNumbers(ppO2));
        QCOMPARE(readout.meterPosition, meter);
    }

    void badInputGetsItsMessage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("tag mismatch in a dive's header")
            << "mismatch.uddf"
            << QByteArray("<uddf version=\"3.2.0\">\n<profiledata>\n<repetitiongroup>\n<dive id=\"d1\">\n"
                          "<informationbeforedive><datetime>2014-04-02T10:00:00</informationbeforedive>\n</dive>\n"
                          "</repetitiongroup></profiledata></uddf>\n")
            << "Cannot read mismatch.uddf: Opening and ending tag mismatch. (line 5)";
        QTest::newRow("broken prolog")
            << "prolog.ssrf" << QByteArray("<divelog program='x' version='3'>\n<settings>\n<divecomputerid model='a\n")
            << "Cannot read prolog.ssrf: Premature end of document. (line 4)";
        QTest::newRow("not XML at all") << "text.uddf" << QByteArray("just some words\n")
                                        << "Cannot read text.uddf: Start tag expected. (line 1)";
        QTest::newRow("no dives in a Subsurface log")
            << "empty.ssrf" << QByteArray("<divelog program='x' version='3'><settings/><dives></dives></divelog>")
            << "empty.ssrf holds no dives.";
        QTest::newRow("old-style root without dives") << "none.xml" << QByteArray("<dives><program name='x'/></dives>")
                                                      << "none.xml holds no dives.";
        QTest::newRow("UDDF without profile data") << "nodata.uddf" << QByteArray("<uddf version='3.2.0'><generator/></uddf>")
                                                   << "nodata.uddf holds no dives.";
        QTest::newRow("empty file") << "zero.uddf" << QByteArray() << "zero.uddf holds no dives.";
        QTest::newRow("another kind of XML") << "other.uddf" << QByteArray("<note><dive/></note>")
                                             << "other.uddf holds no dives.";
    }
    void badInputGetsItsMessage()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const DiveLogOpenResult opened = OpenDiveLog(file(name, bytes));
        QCOMPARE(opened.message, message);
        QCOMPARE(opened.log.size(), 0);
    }

    void brokenSamplesOfALaterDiveShowWhenChosen()
    {
        const QString path = file(QStringLiteral("later-broken.ssrf"),
                                  "<divelog program='x' version='3'><dives>\n"
                                  "<dive number='1' date='2020-01-01' time='10:00:00'><divecomputer>\n"
                                  "<sample time='0:10 min' depth='1.0 m'/></divecomputer></dive>\n"
                                  "<dive number='2' date='2020-01-02' time='10:00:00'><divecomputer>\n"
                                  "<sample time='0:10 min' depth='1.0 m'/>\n"
                                  "<sample time='0:20 min' depth='2.0 m'></divecomputer></dive>\n"
                                  "</dives></divelog>\n");
        const DiveLogOpenResult opened = OpenDiveLog(path);
        QCOMPARE(opened.message, QString());
        QCOMPARE(opened.log.size(), 2);
        QCOMPARE(ReadLogDive(opened.log, 0).dive.samples.size(), std::size_t(1));
        const LogDiveResult second = ReadLogDive(opened.log, 1);
        QCOMPARE(second.message, QStringLiteral("Cannot read later-broken.ssrf: Opening and ending tag mismatch. (line 6)"));
        QCOMPARE(second.dive.samples.size(), std::size_t(0));
    }

    void numbersAreReadWithAPointInEveryLocale()
    {
        // "12,5" is no number in a log; "12.5" is twelve and a half.
        const QString path = file(QStringLiteral("commas.ssrf"),
                                  "<divelog program='x' version='3'><dives><dive number='1'><divecomputer>"
                                  "<sample time='0:10 min' depth='12.5 m'/><sample time='0:20 min' depth='12,5 m'/>"
                                  "</divecomputer></dive></dives></divelog>");
        const DiveLogOpenResult opened = OpenDiveLog(path);
        const LogDive dive = ReadLogDive(opened.log, 0).dive;
        QCOMPARE(dive.samples.size(), std::size_t(1));
        QCOMPARE(dive.samples[0].depth, 12.5f);
    }

    // The numbers of a log: "." decimals in any locale, finite, within 1e9.
    void numberTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("value");
        QTest::newRow("decimal") << "12.5" << true << 12.5;
        QTest::newRow("negative whole") << "-3" << true << -3.0;
        QTest::newRow("exponent") << "2.1e-3" << true << 0.0021;
        QTest::newRow("capital exponent with its sign") << "1E+2" << true << 100.0;
        QTest::newRow("leading plus") << "+7.5" << true << 7.5;
        QTest::newRow("blanks around") << " 4.0\t" << true << 4.0;
        QTest::newRow("no digit before the point") << ".5" << true << 0.5;
        QTest::newRow("more digits than a short buffer holds")
            << "0.0000000000000000000000000000000000000000000000000000000000000000000125" << true << 1.25e-68;
        QTest::newRow("at the bound") << "-1e9" << true << -1e9;
        QTest::newRow("comma") << "12,5" << false << 0.0;
        QTest::newRow("group separator") << "1,000.5" << false << 0.0;
        QTest::newRow("two points") << "1.2.3" << false << 0.0;
        QTest::newRow("exponent without digits") << "1e" << false << 0.0;
        QTest::newRow("two signs") << "--1" << false << 0.0;
        QTest::newRow("unit left on") << "12.5m" << false << 0.0;
        QTest::newRow("infinity") << "inf" << false << 0.0;
        QTest::newRow("not a number") << "nan" << false << 0.0;
        QTest::newRow("beyond the bound") << "2e9" << false << 0.0;
        QTest::newRow("beyond a double") << "1e400" << false << 0.0;
        QTest::newRow("empty") << "" << false << 0.0;
    }
    void numberTexts()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        double value = -42;
        QCOMPARE(DiveNumber(text, value), ok);
        if (ok)
            QTEST(value, "value");
        else
            QCOMPARE(value, -42.0);
    }

    void danFilesGiveTheSameDiveModel()
    {
        // Feet, degrees Fahrenheit and psi, as the DAN computers write them;
        // a tank pressure with a fraction is no integer.
        const QString bad = file(QStringLiteral("a.dan"), "12345.NEM x\n"
                                                          " 7 03/02/97 14:23 a b 1500P 70 AL80\n3\n4\n5\n6\n7\n8\n"
                                                          " 0.00 0.0 0 false false 0 68.0 3000\n"
                                                          " 0.30 32.8083 0 false true 10 59.0 2900.76\n");
        const DanDiveResult broken = ReadDanDive(bad);
        QCOMPARE(broken.message, QStringLiteral("The sample line does not hold eight fields of numbers and words"));
        QCOMPARE(broken.messageLine, 10);
        QCOMPARE(broken.dive.samples.size(), std::size_t(1));

        const QString good = file(QStringLiteral("b.dan"), "12345.NEM x\n"
                                                           " 7 03/02/97 14:23 a b 1500P 70 AL80\n3\n4\n5\n6\n7\n8\n"
                                                           " 0.00 0.0 0 false false 0 68.0 2901\n"
                                                           " 0.30 32.8083 0 false true 10 59.0 2176\n"
                                                           " 1.00 16.4 0 true false 0 50.0 1450\n"
                                                           "2 03/02/97 16:05 next dive\n"
                                                           " 0.00 99.0 0 false false 0 50.0 1450\n");
        const LogDive dive = ReadDanDive(good).dive;
        QCOMPARE(dive.samples.size(), std::size_t(3));
        QCOMPARE(dive.header.listText(), QStringLiteral("Dive #7  03/02/97 14:23"));
        QCOMPARE(dive.header.computer, QStringLiteral("12345"));
        // 32.8083 ft = 10 m, 68 °F = 20 °C, 2901 psi = 200 bar, a 10 ft ceiling = 3.05 m.
        QCOMPARE(QString::number(dive.samples[1].depth, 'f', 2), QStringLiteral("10.00"));
        QCOMPARE(QString::number(dive.samples[0].temperature, 'f', 1), QStringLiteral("20.0"));
        QCOMPARE(QString::number(dive.samples[0].pressure, 'f', 1), QStringLiteral("200.0"));
        QCOMPARE(QString::number(dive.samples[1].ceiling, 'f', 2), QStringLiteral("3.05"));
        QVERIFY(dive.samples[1].inDeco && !dive.samples[2].inDeco);
        QCOMPARE(dive.samples[1].time, 30.0f);
        // Summed up as a log dive: 200 - 100 bar of air.
        QCOMPARE(DiveSummaryTexts(dive, true)[UsedPanel], QStringLiteral("Used: 100 BAR"));
        QCOMPARE(DiveMixName(dive.mixAt(40)), QStringLiteral("Air"));
    }

    void whichFilesAreLogs_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("log");
        QTest::newRow("UDDF") << "a.uddf" << QByteArray("<uddf/>") << true;
        QTest::newRow("Subsurface, capital extension") << "a.SSRF" << QByteArray("x") << true;
        QTest::newRow("xml, divelog root after a comment")
            << "a.xml" << QByteArray("<?xml version='1.0'?>\n<!-- <note> -->\n<divelog version='3'/>") << true;
        QTest::newRow("xml, old-style root") << "b.xml" << QByteArray("<dives/>") << true;
        QTest::newRow("xml, other root") << "c.xml" << QByteArray("<project><dives/></project>") << false;
        QTest::newRow("DAN file") << "a.dan" << QByteArray("<dives/>") << false;
    }
    void whichFilesAreLogs()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, log);
        QCOMPARE(IsDiveLogFile(file(name, bytes)), log);
    }

    // The notes a rename or move takes along: the ".txt" beside the file and
    // one per dive of a log, named by the dive's number or else its place.
    void notesOfAFileAreThoseOfItsDives_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("notes");
        QTest::newRow("DAN file: its own note only") << "a.dan" << QByteArray("<dives/>") << QStringList{"a.txt"};
        QTest::newRow("Subsurface: numbers, and the place of the dive without one")
            << "trip.2010.ssrf"
            << QByteArray("<divelog version='3'><dives><dive number='5'/><dive number='6'/><dive/></dives></divelog>")
            << QStringList{"trip.2010.txt", "trip.2010-5.txt", "trip.2010-6.txt", "trip.2010-3.txt"};
        QTest::newRow("numbers no file name can hold give the place")
            << "odd.ssrf"
            << QByteArray("<divelog version='3'><dives><dive number='1/2'/><dive number='..'/><dive number='A-7_b'/>"
                          "</dives></divelog>")
            << QStringList{"odd.txt", "odd-1.txt", "odd-2.txt", "odd-A-7_b.txt"};
        QTest::newRow("a number given twice has one note")
            << "twice.uddf"
            << QByteArray("<uddf><profiledata><repetitiongroup>"
                          "<dive><informationbeforedive><divenumber>9</divenumber></informationbeforedive></dive>"
                          "<dive><informationbeforedive><divenumber>9</divenumber></informationbeforedive></dive>"
                          "</repetitiongroup></profiledata></uddf>")
            << QStringList{"twice.txt", "twice-9.txt"};
        QTest::newRow("a log that cannot be read: its own note only")
            << "broken.ssrf" << QByteArray("<divelog><dives><dive number='1'><x></dive></dives></divelog>")
            << QStringList{"broken.txt"};
    }
    void notesOfAFileAreThoseOfItsDives()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, notes);
        const QString path = file(name, bytes);
        const std::vector<DiveHeader> dives = LogDivesOf(path);
        QStringList names;
        for (const QString &note : ProfileNotePaths(path, dives)) {
            QCOMPARE(QFileInfo(note).absolutePath(), m_dir.path());
            names << QFileInfo(note).fileName();
        }
        QCOMPARE(names, notes);
        // Under another name the same dives give their notes in the same order.
        const QStringList renamed = ProfileNotePaths(m_dir.filePath(QStringLiteral("new.x")), dives);
        QCOMPARE(renamed.size(), notes.size());
        for (qsizetype i = 0; i < notes.size(); ++i)
            QCOMPARE(QFileInfo(renamed[i]).fileName(), QString(notes[i]).replace(QFileInfo(name).completeBaseName(), QStringLiteral("new")));
    }
};

QTEST_GUILESS_MAIN(TestDiveLogReader)
#include "tst_divelogreader.moc"
