#include "deco/window/DecoSchedule.h"
#include "shell/MDIEdit.h"
#include "shell/Main.h"
#include "tests/support/PdfFiles.h"
#include "tests/support/TestNumbers.h"
#include "tests/support/UserDriver.h"
#include "tests/support/WindowFixture.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QTextEdit>
#include <QLineEdit>
#include <QPrinter>
#include <QSpinBox>
#include <QTableWidget>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// The "Decompression schedule" window as a user works it: opened from the
// menu in either unit system, typed into, its units switched, its warnings
// on the message line, bad input refused, and its schedule sent to a note
// and printed.
class TestDecoWindow final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useTestNumberFormat(); }
    void opensWithItsDefaults_data();
    void opensWithItsDefaults();
    void diveInsideTheLimitHasNoStop_data();
    void diveInsideTheLimitHasNoStop();
    void longerDiveGetsStopsDeepestFirst();
    void decoGasTakesItsStops();
    void metricBoxConvertsTheInputs();
    void warningsGoToTheMessageLine_data();
    void warningsGoToTheMessageLine();
    void textThatIsNoNumberKeepsTheResults();
    void scheduleGoesToANote();
    void scheduleIsPrinted();
    void plannerRequestFillsTheWindow();
};

namespace {

struct Program : WindowFixture
{
    explicit Program(bool metric) : WindowFixture("[Measurements]\nMetric=" + QByteArray(metric ? "1" : "0") + "\n")
    {
        main().show();
    }
    TfmDecoSchedule *open() { return WindowFixture::open<TfmDecoSchedule>(QStringLiteral("DecompressionSchedule1")); }
};

QStringList column(const QWidget *form, const QString &table, int c)
{
    auto *t = user::control<QTableWidget>(form, table);
    QStringList cells;
    for (int r = 0; r < t->rowCount(); ++r)
        cells << t->item(r, c)->text();
    return cells;
}

} // namespace

void TestDecoWindow::opensWithItsDefaults_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QString>("descent");
    QTest::addColumn<QString>("ascent");
    QTest::addColumn<QString>("lastStop");
    QTest::addColumn<QString>("surface");
    QTest::addColumn<QString>("bottomSac");
    QTest::addColumn<QString>("decoSac");
    QTest::addColumn<QString>("volumeUnit");
    QTest::newRow("metric") << true << "40" << "20" << "10" << "3 m" << "1.01325" << "20.0" << "15.0" << "Litres";
    QTest::newRow("imperial") << false << "130" << "66" << "33" << "10 ft" << "1.00000" << "0.70" << "0.50" << "CuFt";
}

void TestDecoWindow::opensWithItsDefaults()
{
    QFETCH(bool, metric);
    QFETCH(QString, depth);
    QFETCH(QString, descent);
    QFETCH(QString, ascent);
    QFETCH(QString, lastStop);
    QFETCH(QString, surface);
    QFETCH(QString, bottomSac);
    QFETCH(QString, decoSac);
    QFETCH(QString, volumeUnit);
    Program program(metric);
    TfmDecoSchedule *w = program.open();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("Decompression schedule"));
    QCOMPARE(user::control<QCheckBox>(w, "Metric")->isChecked(), metric);
    QCOMPARE(user::text(w, "DecoDepth"), depth);
    QCOMPARE(user::text(w, "DecoBottomTime"), QStringLiteral("25"));
    QCOMPARE(user::text(w, "DecoBottomO2"), QStringLiteral("21"));
    QCOMPARE(user::text(w, "DecoBottomHe"), QStringLiteral("0"));
    for (const char *gas : {"DecoGas1", "DecoGas2", "DecoGas3"}) {
        QCOMPARE(user::text(w, QString::fromLatin1(gas) + "O2"), QStringLiteral("0"));
        QCOMPARE(user::text(w, QString::fromLatin1(gas) + "Depth"), QString());
    }
    QCOMPARE(user::text(w, "GFLow"), QStringLiteral("30"));
    QCOMPARE(user::text(w, "GFHigh"), QStringLiteral("85"));
    QCOMPARE(user::text(w, "DescentRate"), descent);
    QCOMPARE(user::text(w, "AscentRateDeco"), ascent);
    QCOMPARE(user::text(w, "LastStop"), lastStop);
    QCOMPARE(user::text(w, "DecoPPO2"), localNumbers("1.6"));
    QCOMPARE(user::control<QComboBox>(w, "DecoPPO2")->count(), 13);
    QCOMPARE(user::text(w, "SurfacePressure"), localNumbers(surface));
    QCOMPARE(user::text(w, "MinSwitchTime"), QStringLiteral("0"));
    QCOMPARE(user::text(w, "DecoBottomSAC"), localNumbers(bottomSac));
    QCOMPARE(user::text(w, "DecoDecoSAC"), localNumbers(decoSac));
    auto *gasNeeds = user::control<QTableWidget>(w, "GasNeeds");
    QCOMPARE(gasNeeds->horizontalHeaderItem(1)->text(), volumeUnit);
    auto *stops = user::control<QTableWidget>(w, "StopTable");
    QCOMPARE(stops->columnCount(), 4);
    for (int c = 0; c < 4; ++c)
        QCOMPARE(stops->horizontalHeaderItem(c)->text(),
                 (QStringList{"Depth", "Stop", "Run time", "Gas"}).at(c));
    // 40 m (130 ft) for 25 minutes on air needs stops: the limit is past.
    QVERIFY(stops->rowCount() > 0);
    QCOMPARE(user::text(w, "NoDecoLimit"), QStringLiteral("0"));
    QCOMPARE(column(w, "GasNeeds", 0), QStringList{"Air"});
    for (const char *result : {"TotalRunTime", "TotalDecoTime", "FirstStopDepth", "CNSPercent", "OTUs"})
        QVERIFY(!user::text(w, result).isEmpty());
    QVERIFY(user::control<QLineEdit>(w, "TotalRunTime")->isReadOnly());
    QVERIFY(program.dialogs().unanswered().isEmpty());
}

void TestDecoWindow::diveInsideTheLimitHasNoStop_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QString>("runTime");
    // 15 minutes and the ascent at 10 m/min (33 ft/min): 1.8 min, 60 / 33 = 1.82 min.
    QTest::newRow("18 m") << true << "18" << "16.8";
    QTest::newRow("60 ft") << false << "60" << "16.8";
}

void TestDecoWindow::diveInsideTheLimitHasNoStop()
{
    QFETCH(bool, metric);
    QFETCH(QString, depth);
    QFETCH(QString, runTime);
    Program program(metric);
    TfmDecoSchedule *w = program.open();
    user::type(w, "DecoDepth", depth);
    user::type(w, "DecoBottomTime", "15");
    QCOMPARE(user::control<QTableWidget>(w, "StopTable")->rowCount(), 0);
    QCOMPARE(user::text(w, "TotalRunTime"), localNumbers(runTime));
    QCOMPARE(user::text(w, "TotalDecoTime"), QStringLiteral("0"));
    QCOMPARE(user::text(w, "FirstStopDepth"), QStringLiteral("0"));
    const int left = user::text(w, "NoDecoLimit").toInt();
    QVERIFY(left > 0);
    // The limit's last minute still needs no stop; the next one does.
    user::type(w, "DecoBottomTime", QString::number(15 + left));
    QCOMPARE(user::control<QTableWidget>(w, "StopTable")->rowCount(), 0);
    QCOMPARE(user::text(w, "NoDecoLimit"), QStringLiteral("0"));
    user::type(w, "DecoBottomTime", QString::number(16 + left));
    QVERIFY(user::control<QTableWidget>(w, "StopTable")->rowCount() > 0);
    QVERIFY(program.dialogs().unanswered().isEmpty());
}

void TestDecoWindow::longerDiveGetsStopsDeepestFirst()
{
    Program program(true);
    TfmDecoSchedule *w = program.open();
    user::type(w, "DecoDepth", "45");
    user::type(w, "DecoBottomTime", "30");
    const QStringList depths = column(w, "StopTable", 0);
    const QStringList minutes = column(w, "StopTable", 1);
    const QStringList runTimes = column(w, "StopTable", 2);
    QVERIFY(depths.size() >= 3);
    int total = 0;
    for (int r = 0; r < depths.size(); ++r) {
        // Every 3 m from the first stop to the last one at 3 m, whole minutes.
        QCOMPARE(depths[r].toInt(), depths.first().toInt() - 3 * r);
        QVERIFY(minutes[r].toInt() >= 1);
        QCOMPARE(QString::number(minutes[r].toInt()), minutes[r]);
        QCOMPARE(QString::number(runTimes[r].toInt()), runTimes[r]);
        QVERIFY(r == 0 || runTimes[r].toInt() > runTimes[r - 1].toInt());
        total += minutes[r].toInt();
    }
    QCOMPARE(depths.last(), QStringLiteral("3"));
    QCOMPARE(user::text(w, "FirstStopDepth"), depths.first());
    QCOMPARE(user::text(w, "TotalDecoTime"), QString::number(total));
    // The run time: 30 minutes, the stops and 4.5 minutes of ascent at 10 m/min.
    QCOMPARE(user::text(w, "TotalRunTime"), localNumbers(QString::number(34.5 + total, 'f', 1)));
    QVERIFY(column(w, "StopTable", 3).count(QStringLiteral("Air")) == depths.size());
    // A lower GF high never shortens it, the last stop at 6 m drops the 3 m stop.
    user::type(w, "GFHigh", "70");
    QVERIFY(user::text(w, "TotalDecoTime").toInt() >= total);
    QVERIFY(user::choose(user::control<QComboBox>(w, "LastStop"), "6 m"));
    QCOMPARE(column(w, "StopTable", 0).last(), QStringLiteral("6"));
}

void TestDecoWindow::decoGasTakesItsStops()
{
    Program program(true);
    TfmDecoSchedule *w = program.open();
    user::type(w, "DecoDepth", "50");
    user::type(w, "DecoBottomTime", "30");
    user::type(w, "DecoGas1O2", "50");
    // Its MOD at 1.6 bar, 21.87 m, to the nearest stop.
    QCOMPARE(user::control<QLineEdit>(w, "DecoGas1Depth")->placeholderText(), QStringLiteral("21"));
    const QStringList depths = column(w, "StopTable", 0);
    const QStringList gases = column(w, "StopTable", 3);
    for (int r = 0; r < depths.size(); ++r)
        QCOMPARE(gases[r], depths[r].toInt() <= 21 ? QStringLiteral("EAN50") : QStringLiteral("Air"));
    QCOMPARE(column(w, "GasNeeds", 0), (QStringList{"Air", "EAN50"}));
    // A switch depth typed in the box is the one used.
    user::type(w, "DecoGas1Depth", "12");
    const QStringList later = column(w, "StopTable", 0);
    const QStringList laterGases = column(w, "StopTable", 3);
    for (int r = 0; r < later.size(); ++r)
        QCOMPARE(laterGases[r], later[r].toInt() <= 12 ? QStringLiteral("EAN50") : QStringLiteral("Air"));
    // Oxygen from 6 m as well, the ppO2 list lowered to 1.4: EAN50 stays at 12 m
    // as typed, oxygen moves to its MOD at 1.4 bar, 3.87 m: 3 m.
    user::type(w, "DecoGas2O2", "100");
    QCOMPARE(user::control<QLineEdit>(w, "DecoGas2Depth")->placeholderText(), QStringLiteral("6"));
    QVERIFY(user::choose(user::control<QComboBox>(w, "DecoPPO2"), localNumbers("1.40")));
    QCOMPARE(user::control<QLineEdit>(w, "DecoGas2Depth")->placeholderText(), QStringLiteral("3"));
    QCOMPARE(column(w, "StopTable", 3).last(), QStringLiteral("O2"));
    QVERIFY(program.dialogs().unanswered().isEmpty());
}

void TestDecoWindow::metricBoxConvertsTheInputs()
{
    Program program(true);
    TfmDecoSchedule *w = program.open();
    user::type(w, "DecoGas1O2", "50");
    user::type(w, "DecoGas1Depth", "21");
    user::click(w, "Metric");
    // 40 m x 3.28083 = 131.2 ft; 20 and 10 m/min: 65.6 and 32.8 ft/min; 21 m: 68.9 ft.
    QCOMPARE(user::text(w, "DecoDepth"), QStringLiteral("131"));
    QCOMPARE(user::text(w, "DescentRate"), QStringLiteral("66"));
    QCOMPARE(user::text(w, "AscentRateDeco"), QStringLiteral("33"));
    QCOMPARE(user::text(w, "DecoGas1Depth"), QStringLiteral("69"));
    QCOMPARE(user::text(w, "LastStop"), QStringLiteral("10 ft"));
    QCOMPARE(user::text(w, "SurfacePressure"), localNumbers("1.00000"));
    // 20 and 15 l/min are 0.706 and 0.530 cuft/min.
    QCOMPARE(user::text(w, "DecoBottomSAC"), localNumbers("0.71"));
    QCOMPARE(user::text(w, "DecoDecoSAC"), localNumbers("0.53"));
    QCOMPARE(user::control<QTableWidget>(w, "GasNeeds")->horizontalHeaderItem(1)->text(), QStringLiteral("CuFt"));
    for (const QString &depth : column(w, "StopTable", 0))
        QCOMPARE(depth.toInt() % 10, 0);
    QCOMPARE(program.main().findChild<QLabel *>("UnitsPanel")->text(), QStringLiteral("Units: Imperial"));
    user::click(w, "Metric");
    QCOMPARE(user::text(w, "DecoDepth"), QStringLiteral("40"));
    QCOMPARE(user::text(w, "DescentRate"), QStringLiteral("20"));
    QCOMPARE(user::text(w, "AscentRateDeco"), QStringLiteral("10"));
    QCOMPARE(user::text(w, "DecoGas1Depth"), QStringLiteral("21"));
    QCOMPARE(user::text(w, "LastStop"), QStringLiteral("3 m"));
    QCOMPARE(user::text(w, "SurfacePressure"), localNumbers("1.01325"));
    QVERIFY(program.dialogs().unanswered().isEmpty());
}

void TestDecoWindow::warningsGoToTheMessageLine_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("box2");
    QTest::addColumn<QString>("value2");
    QTest::addColumn<QString>("message");
    // Oxygen typed to switch at 12 m: 2.21325 bar there.
    QTest::newRow("oxygen too deep") << "DecoGas1O2" << "100" << "DecoGas1Depth" << "12"
                                     << "ppO2 of O2 reaches 2.21 at 12 meters";
    // Air at 70 m: 8.01325 x 0.21 = 1.68 bar.
    QTest::newRow("bottom gas too deep") << "DecoDepth" << "70" << "DecoBottomTime" << "20"
                                         << "ppO2 of Air reaches 1.68 at 70 meters";
    QTest::newRow("deco gas leaner than the bottom gas") << "DecoGas1O2" << "18" << "DecoGas1Depth" << "9"
                                                         << "Deco gas EAN18 is never breathed";
    // 10 % at 1.01325 bar: 0.10 bar.
    QTest::newRow("hypoxic bottom gas") << "DecoBottomO2" << "10" << "DecoBottomHe" << "50"
                                        << "TX10/50 is hypoxic at the surface (ppO2 0.10)";
}

void TestDecoWindow::warningsGoToTheMessageLine()
{
    QFETCH(QString, box);
    QFETCH(QString, value);
    QFETCH(QString, box2);
    QFETCH(QString, value2);
    QFETCH(QString, message);
    Program program(true);
    TfmDecoSchedule *w = program.open();
    QCOMPARE(program.main().messageLine(), QString());
    user::type(w, box, value);
    user::type(w, box2, value2);
    QVERIFY2(program.main().messageLine().contains(localNumbers(message)), qPrintable(program.main().messageLine()));
    // Mended, the warning goes.
    user::type(w, box, box == "DecoDepth" ? "40" : box == "DecoBottomO2" ? "21" : "0");
    if (box2 == "DecoBottomHe")
        user::type(w, box2, "0");
    QCOMPARE(program.main().messageLine(), QString());
    QVERIFY(program.dialogs().unanswered().isEmpty());
}

void TestDecoWindow::textThatIsNoNumberKeepsTheResults()
{
    Program program(true);
    TfmDecoSchedule *w = program.open();
    const QString runTime = user::text(w, "TotalRunTime");
    const int stops = user::control<QTableWidget>(w, "StopTable")->rowCount();
    user::type(w, "SurfacePressure", "x");
    QCOMPARE(program.dialogs().messageTexts(), QStringList{"'x' is not a valid floating point value"});
    QCOMPARE(user::text(w, "TotalRunTime"), runTime);
    QCOMPARE(user::control<QTableWidget>(w, "StopTable")->rowCount(), stops);
    // A good text computes again: a lower surface pressure (altitude) lengthens the dive.
    program.dialogs().clear();
    user::type(w, "SurfacePressure", localNumbers("0.8"));
    QVERIFY2(program.dialogs().messageTexts().isEmpty(), qPrintable(program.dialogs().messageTexts().join("|")));
    QVERIFY(StrToFloat(user::text(w, "TotalRunTime")) > StrToFloat(runTime));
    user::type(w, "DecoGas1O2", "50");
    user::type(w, "DecoGas1Depth", "2o");
    QCOMPARE(program.dialogs().messageTexts(), QStringList{"'2o' is not a valid floating point value"});
}

void TestDecoWindow::scheduleGoesToANote()
{
    Program program(true);
    TfmDecoSchedule *w = program.open();
    user::type(w, "DecoGas1O2", "50");
    user::click(w, "ToNoteButton");
    auto *note = qobject_cast<TEditForm *>(program.main().activeChild());
    QVERIFY(note);
    const QString text = note->Editor->toPlainText();
    QVERIFY2(text.startsWith(QStringLiteral("Decompression schedule (ZH-L16C, GF 30/85)\n40 meters for 25 min on Air\n"
                                            "Deco gas EAN50 from 21 meters\n")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Run time: ") + user::text(w, "TotalRunTime") + QStringLiteral(" min")));
    QVERIFY(text.contains(QStringLiteral("EAN50: ")));
    for (const QString &depth : column(w, "StopTable", 0))
        QVERIFY(text.contains(QStringLiteral("\n") + depth.leftJustified(8)));
}

void TestDecoWindow::scheduleIsPrinted()
{
    Program program(true);
    TfmDecoSchedule *w = program.open();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("schedule.pdf"));
    program.dialogs().answerPrint([&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    user::click(w, "PrintButton");
    QCOMPARE(program.dialogs().asked().last().kind, QStringLiteral("print"));
    const QString text = PdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("Decompression schedule (ZH-L16C, GF 30/85)")), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Run time")));
    QCOMPARE(PdfPageCount(pdf), 1);
    // Each stop is a line of the table: depth, minutes, run time and gas in that order.
    auto *stops = user::control<QTableWidget>(w, "StopTable");
    for (int r = 0; r < stops->rowCount(); ++r) {
        const QRegularExpression row(QStringLiteral("\\n\\s*%1\\s+%2\\s+%3\\s+Air")
                                         .arg(stops->item(r, 0)->text(), stops->item(r, 1)->text(),
                                              stops->item(r, 2)->text()));
        QVERIFY2(text.contains(row), qPrintable(row.pattern() + "\n" + text));
    }
    // Cancelled, nothing is printed.
    QFile::remove(pdf);
    user::click(w, "PrintButton");
    QVERIFY(!QFile::exists(pdf));
}

void TestDecoWindow::plannerRequestFillsTheWindow()
{
    // What the planner hands over: imperial, 150 ft for 30 minutes on EAN28
    // with EAN80, GF 40/75, into a window that starts metric.
    Program program(true);
    DecoScheduleRequest request;
    request.metric = false;
    request.depth = 150;
    request.bottomTime = 30;
    request.bottomO2 = 28;
    request.decoO2 = 80;
    request.gfLow = 40;
    request.gfHigh = 75;
    program.main().openDecoSchedule(request);
    auto *w = qobject_cast<TfmDecoSchedule *>(program.main().activeChild());
    QVERIFY(w);
    QVERIFY(!user::control<QCheckBox>(w, "Metric")->isChecked());
    QCOMPARE(user::text(w, "DecoDepth"), QStringLiteral("150"));
    QCOMPARE(user::text(w, "DecoBottomTime"), QStringLiteral("30"));
    QCOMPARE(user::text(w, "DecoBottomO2"), QStringLiteral("28"));
    QCOMPARE(user::text(w, "DecoGas1O2"), QStringLiteral("80"));
    QCOMPARE(user::text(w, "GFLow"), QStringLiteral("40"));
    QCOMPARE(user::text(w, "GFHigh"), QStringLiteral("75"));
    QCOMPARE(user::text(w, "DescentRate"), QStringLiteral("66"));
    QCOMPARE(user::text(w, "LastStop"), QStringLiteral("10 ft"));
    QVERIFY(column(w, "StopTable", 3).contains(QStringLiteral("EAN80")));
    QCOMPARE(program.main().findChild<QLabel *>("UnitsPanel")->text(), QStringLiteral("Units: Imperial"));
}

QTEST_MAIN(TestDecoWindow)
#include "tst_decowindow.moc"
