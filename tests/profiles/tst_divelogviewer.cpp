// Dive logs (UDDF, Subsurface XML) in the profile viewer, used as a diver
// does: opened from every entry point, dives chosen in the dive list by
// mouse and keys, the summary panels in both unit systems, the cursor's
// ppO2, the dive's own notes beside the user's note, bad files, printing.

#include "charts/RChart.h"
#include "charts/dbm.h"
#include "core/Units.h"
#include "deco/model/Schedule.h"
#include "profiles/window/DANGraphic.h"
#include "profiles/window/PrintGraphs.h"
#include "shell/FileHist.h"
#include "shell/MDIEdit.h"
#include "shell/Main.h"
#include "tests/support/PdfFiles.h"
#include "tests/support/TestNumbers.h"
#include "tests/support/UserDriver.h"
#include "tests/support/WaterTypeScope.h"
#include "tests/support/WindowFixture.h"
#include "widgets/PanelBar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QProgressBar>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

using Viewer = TfmDANResarchFormatGraphic;

QString panel(const QWidget *viewer, const QString &bar, int index)
{
    return user::text(viewer, bar + QStringLiteral("Panel") + QString::number(index));
}

QStringList summary(const Viewer *v)
{
    QStringList texts;
    for (int i = 0; i < 7; ++i)
        texts << panel(v, QStringLiteral("StatusBar"), i);
    return texts;
}

QStringList diveEntries(const Viewer *v)
{
    QStringList entries;
    for (int row = 0; row < v->DiveList->count(); ++row)
        entries << v->DiveList->item(row)->text();
    return entries;
}

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QPoint pixelOf(const TRChart *chart, double x, double y)
{
    const PlotGeometry geo = chart->geometryNow();
    return {geo.x.toPixel(x), geo.y.toPixel(y)};
}

int countOf(const TRChart *chart, ItemKind kind)
{
    int n = 0;
    for (std::size_t i = 0; i < chart->items().size(); ++i)
        n += chart->items()[i].kind == kind;
    return n;
}

QStringList chartTexts(const TRChart *chart)
{
    QStringList texts;
    for (std::size_t i = 0; i < chart->items().size(); ++i)
        if (chart->items()[i].kind == ItemKind::Text)
            texts << chart->items().extra(i).text;
    return texts;
}

// Sets the program-wide unit system for the life of the object.
class UnitSystemScope
{
public:
    explicit UnitSystemScope(bool metric) : m_saved(programUnits().metric) { programUnits().metric = metric; }
    ~UnitSystemScope() { programUnits().metric = m_saved; }

private:
    bool m_saved;
};

// The program with private settings, scripted dialogs and a folder holding
// copies of the hand-made logs.
struct Program : WindowFixture
{
    explicit Program(const QStringList &arguments = {}, bool metric = true)
    {
        dialogs().answerDialog([](QDialog &) { return 0; }); // the welcome About box
        main(arguments);
        programUnits().metric = metric;
        shownMain();
    }
    ~Program() { programUnits().metric = true; }
    QString path(const QString &name) const { return folder.filePath(name); }
    QString log(const QString &name) const
    {
        const QString copy = path(name);
        QFile::remove(copy);
        QFile::copy(QStringLiteral(TEST_LOGS_DIR "/") + name, copy);
        return copy;
    }
    QString file(const QString &name, const QByteArray &bytes) const
    {
        QFile out(path(name));
        if (out.open(QIODevice::WriteOnly))
            out.write(bytes);
        return path(name);
    }
    Viewer *viewer()
    {
        const QList<Viewer *> open = user::windows<Viewer>(main());
        return open.isEmpty() ? nullptr : open.last();
    }
    Viewer *open(const QString &file)
    {
        main().openFileByExtension(file);
        return viewer();
    }

    QTemporaryDir folder;
};

void drop(QWidget *target, const QString &file)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
}

// A dive needing stops, as a computer records it: 45 m for 30 minutes on
// air, up at about 10 m/min to 6 m for 10 minutes and 3 m for 15, a
// waypoint every 20 s.
QByteArray decoDiveUddf()
{
    struct Leg
    {
        double minutes, toDepth;
    };
    const Leg legs[] = {{2, 45}, {28, 45}, {4, 6}, {10, 6}, {1 / 3.0, 3}, {15, 3}, {1 / 3.0, 0}};
    QByteArray waypoints = "<waypoint><divetime>0</divetime><depth>0</depth></waypoint>\n";
    double at = 0, legStart = 0;
    int time = 0;
    for (const Leg &leg : legs) {
        const double end = legStart + leg.minutes * 60;
        for (; time + 20 <= end + 1e-6;) {
            time += 20;
            const double depth = at + (leg.toDepth - at) * (time - legStart) / (end - legStart);
            waypoints += "<waypoint><divetime>" + QByteArray::number(time) + "</divetime><depth>"
                         + QByteArray::number(depth, 'f', 2) + "</depth></waypoint>\n";
        }
        legStart = end;
        at = leg.toDepth;
    }
    return "<?xml version=\"1.0\"?>\n<uddf version=\"3.2.0\">\n"
           "<gasdefinitions><mix id=\"air\"><o2>0.21</o2></mix></gasdefinitions>\n"
           "<profiledata><repetitiongroup><dive id=\"d\"><informationbeforedive>"
           "<datetime>2020-06-01T09:00:00</datetime><divenumber>7</divenumber></informationbeforedive>\n"
           "<samples>\n"
           + waypoints + "</samples></dive></repetitiongroup></profiledata></uddf>\n";
}

int ceilingItems(const TRChart *chart)
{
    int n = 0;
    for (std::size_t i = 0; i < chart->items().size(); ++i)
        n += chart->items()[i].itemClass == CeilingItemClass;
    return n;
}

// The number a read-out panel shows after its label.
double panelNumber(const QWidget *viewer, int index)
{
    QString text = panel(viewer, QStringLiteral("StatusBarForGraph"), index);
    return text.mid(text.indexOf(u':') + 1).trimmed().replace(u',', u'.').toDouble();
}
// A Subsurface log whose first dive takes a while to load (`samples`
// samples), followed by two short dives.
QByteArray slowLog(int samples)
{
    QByteArray log = "<divelog program='x' version='3'><dives>\n"
                     "<dive number='1' date='2021-01-01' time='10:00:00'><divecomputer>\n";
    log.reserve(samples * 48);
    for (int i = 0; i < samples; ++i)
        log += "<sample time='" + QByteArray::number(i / 60) + ":" + QByteArray::number(i % 60) + " min' depth='"
               + QByteArray::number(10 + i % 7) + ".0 m'/>\n";
    log += "</divecomputer></dive>\n";
    for (int d = 2; d <= 3; ++d)
        log += "<dive number='" + QByteArray::number(d) + "' date='2021-01-02' time='1" + QByteArray::number(d)
               + ":00:00'><divecomputer><sample time='0:10 min' depth='3.0 m'/><sample time='1:00 min' depth='4.0 m'/>"
                 "</divecomputer></dive>\n";
    return log + "</dives></divelog>\n";
}

// Counts the paint events a widget gets.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

class TestDiveLogViewer : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useTestNumberFormat(); }

    void commandLineOpensALogWithItsDiveList_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("dives");
        QTest::addColumn<QString>("caption");
        QTest::newRow("UDDF") << "gas-switches.uddf" << QStringList{"Dive #42  2014-04-02 10:00"}
                              << "Dive # 42 on 2014-04-02 10:00";
        QTest::newRow("Subsurface")
            << "logbook.ssrf"
            << QStringList{"Dive #5  2010-12-05 11:26", "Dive #6  2010-12-05 15:10", "Dive #3  2010-12-06 09:00"}
            << "Dive # 5 on 2010-12-05 11:26";
        QTest::newRow("old-style <dives> in .xml") << "old-style.xml" << QStringList{"Dive #1  2011-09-11 08:00"}
                                                   << "Dive # 1 on 2011-09-11 08:00";
    }
    void commandLineOpensALogWithItsDiveList()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, dives);
        QFETCH(QString, caption);
        QTemporaryDir folder;
        const QString file = folder.filePath(name);
        QVERIFY(QFile::copy(QStringLiteral(TEST_LOGS_DIR "/") + name, file));
        Program program({file});
        program.main().LoadADiverViaTimer();
        Viewer *v = program.viewer();
        QVERIFY(v);
        QCOMPARE(v->windowTitle(), QStringLiteral("Dive log : ") + name);
        QVERIFY(v->DiveList->isVisible());
        QCOMPARE(diveEntries(v), dives);
        QCOMPARE(v->DiveList->currentRow(), 0);
        // The dive list stands above the file list.
        QTRY_VERIFY(v->DiveList->height() > 20);
        QVERIFY(v->DiveList->mapTo(v, QPoint()).y() + v->DiveList->height() <= v->FileListBox1->mapTo(v, QPoint()).y());
        QCOMPARE(v->RChart1->Caption(), caption);
        QVERIFY(countOf(v->RChart1, ItemKind::LineTo) > 0);
        QCOMPARE(program.main().FileHistory->files().value(0), file);
        QCOMPARE(v->ProgressBar->value(), 0);
    }

    void summaryPanels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("metric");
        QTest::addColumn<QStringList>("panels");
        // Auto scale: 10 % below the deepest point or the warmest water, in hundredths.
        QTest::addColumn<int>("lowY");
        QTest::newRow("UDDF, metric")
            << "gas-switches.uddf" << true
            << QStringList{localNumbers("Max Depth: 40.00"), "Run time:   7.00", localNumbers("Avg. temp: 18.0 C"),
                           localNumbers("Tank: 12.00 Litres"), "Serial # Perdix A1B2C3", "Used: 140 BAR",
                           "Sampling rate: 60 sec"}
            << 4400;
        // 40 m = 131.2332 ft.
        QTest::newRow("UDDF, imperial")
            << "gas-switches.uddf" << false
            << QStringList{localNumbers("Max Depth: 131.23"), "Run time:   7.00", localNumbers("Avg. temp: 64.4 F"),
                           localNumbers("Tank: 12.00 Litres"), "Serial # Perdix A1B2C3", "Used: 2031 PSI",
                           "Sampling rate: 60 sec"}
            << 14436;
        // The water at the start, 26 °C, stands below the deepest 20 m.
        QTest::newRow("Subsurface, metric")
            << "logbook.ssrf" << true
            << QStringList{localNumbers("Max Depth: 20.00"), "Run time:  16.00", localNumbers("Avg. temp: 25.0 C"),
                           "Tank: AL80", "Serial # Suunto Vyper 123456", "Used: 140 BAR", "Sampling rate: 60 sec"}
            << 2860;
        // 26 °C = 78.8 °F, below 65.62 ft.
        QTest::newRow("Subsurface, imperial")
            << "logbook.ssrf" << false
            << QStringList{localNumbers("Max Depth: 65.62"), "Run time:  16.00", localNumbers("Avg. temp: 77.0 F"),
                           "Tank: AL80", "Serial # Suunto Vyper 123456", "Used: 2031 PSI", "Sampling rate: 60 sec"}
            << 8668;
    }
    void summaryPanels()
    {
        QFETCH(QString, name);
        QFETCH(bool, metric);
        Program program({}, metric);
        Viewer *v = program.open(program.log(name));
        QTEST(summary(v), "panels");
        QTEST(qRound(v->RChart1->RangeLoY() * 100), "lowY");
    }

    void diveListSwitchesByClickAndKeys()
    {
        Program program;
        Viewer *v = program.open(program.log(QStringLiteral("logbook.ssrf")));
        const int firstDiveLines = countOf(v->RChart1, ItemKind::LineTo);
        QCOMPARE(firstDiveLines, 17);
        // A click on the hand-logged dive: its header, an empty chart, the message.
        QListWidget *list = v->DiveList;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        QCOMPARE(list->currentRow(), 1);
        QCOMPARE(v->RChart1->Caption(), QStringLiteral("Dive # 6 on 2010-12-05 15:10"));
        QCOMPARE(countOf(v->RChart1, ItemKind::LineTo), 0);
        QCOMPARE(panel(v, "StatusBarForGraph", 5), QStringLiteral("Dive #6 has no profile samples."));
        QCOMPARE(summary(v), (QStringList{localNumbers("Max Depth: 12.00"), "Run time:  30.00", "Avg. temp: ", "Tank: ",
                                          "Serial # manually added dive", "Used: ", ""}));
        // Down: the dive without a number, known by its place.
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(v->RChart1->Caption(), QStringLiteral("Dive # 3 on 2010-12-06 09:00"));
        QCOMPARE(countOf(v->RChart1, ItemKind::LineTo), 3);
        QCOMPARE(panel(v, "StatusBarForGraph", 5), QString());
        QCOMPARE(panel(v, "StatusBar", 0), localNumbers(QStringLiteral("Max Depth: 10.00")));
        // Up twice: back to the first dive, drawn as before.
        QTest::keyClick(list, Qt::Key_Up);
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(v->RChart1->Caption(), QStringLiteral("Dive # 5 on 2010-12-05 11:26"));
        QCOMPARE(countOf(v->RChart1, ItemKind::LineTo), firstDiveLines);
        QCOMPARE(v->windowTitle(), QStringLiteral("Dive log : logbook.ssrf"));
    }

    void firstDiveWithSamplesIsDrawnAtOpen()
    {
        Program program;
        const QString file = program.file(QStringLiteral("hand-first.ssrf"),
                                          "<divelog program='x' version='3'><dives>"
                                          "<dive number='1' date='2020-01-01' time='10:00:00' duration='20:00 min'/>"
                                          "<dive number='2' date='2020-01-02' time='11:30:00'><divecomputer>"
                                          "<sample time='0:10 min' depth='1.0 m'/><sample time='0:20 min' depth='2.0 m'/>"
                                          "</divecomputer></dive></dives></divelog>");
        Viewer *v = program.open(file);
        QCOMPARE(v->DiveList->currentRow(), 1);
        QCOMPARE(v->RChart1->Caption(), QStringLiteral("Dive # 2 on 2020-01-02 11:30"));
        QCOMPARE(countOf(v->RChart1, ItemKind::LineTo), 2);
    }

    void gasSwitchesAreMarkedWithTheirNames()
    {
        Program program;
        Viewer *v = program.open(program.log(QStringLiteral("gas-switches.uddf")));
        QCOMPARE(chartTexts(v->RChart1), (QStringList{"EAN50", "O2"}));
        // Two pieces of ceiling band while the mandatory stops were due.
        QCOMPARE(countOf(v->RChart1, ItemKind::Rectangle), 2);
    }

    void cursorShowsThePpO2OfTheGasBreathed_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("depth");
        QTest::addColumn<QString>("ppO2");
        QTest::addColumn<int>("meter");
        // Salt water, 10 m per atmosphere.
        QTest::newRow("TX18/45 at 40 m") << 100.0 << 40.0 << "ppO2: 0.90" << 57;
        QTest::newRow("EAN50 at 21 m") << 200.0 << 21.0 << "ppO2: 1.55" << 98;
        QTest::newRow("oxygen at 6 m") << 310.0 << 6.0 << "ppO2: 1.60" << 101;
    }
    void cursorShowsThePpO2OfTheGasBreathed()
    {
        QFETCH(double, seconds);
        QFETCH(double, depth);
        const WaterTypeScope salt(true);
        Program program;
        Viewer *v = program.open(program.log(QStringLiteral("gas-switches.uddf")));
        QTest::mouseMove(v->RChart1, pixelOf(v->RChart1, seconds, depth));
        const double shownDepth = panel(v, "StatusBarForGraph", 1).mid(7).replace(u',', u'.').toDouble();
        // The pointer lands on a pixel: the depth under it is within a pixel's depth.
        QVERIFY2(std::abs(shownDepth - depth) < 0.3, qPrintable(panel(v, "StatusBarForGraph", 1)));
        QFETCH(QString, ppO2);
        QCOMPARE(panel(v, "StatusBarForGraph", 4), localNumbers(ppO2));
        QTEST(v->ppO2DBMeter->Position(), "meter");
    }

    void diveLogPageShowsTheDiveAndKeepsTheUsersNote()
    {
        Program program;
        const QString file = program.log(QStringLiteral("logbook.ssrf"));
        Viewer *v = program.open(file);
        v->PageControl1->setCurrentWidget(v->TabSheet2);
        QVERIFY(v->DiveLogInfo->isVisible());
        QVERIFY(v->DiveLogInfo->isReadOnly());
        QCOMPARE(v->DiveLogInfo->toPlainText(),
                 QStringLiteral("Location: Blue Corner\nBuddy: Carl\nDivemaster: Dora\n\nCurrent at the corner."));
        user::type(v->RichEditProfileNote, QStringLiteral("Strong current"));
        user::leave(v->RichEditProfileNote);
        QCOMPARE(readFile(program.path(QStringLiteral("logbook-5.txt"))), QStringLiteral("Strong current"));
        // The third dive has no number: its note is named by its place.
        v->DiveList->setFocus();
        QTest::keyClick(v->DiveList, Qt::Key_End);
        QCOMPARE(v->DiveList->currentRow(), 2);
        QCOMPARE(v->RichEditProfileNote->toPlainText(), QString());
        user::type(v->RichEditProfileNote, QStringLiteral("Shallow"));
        // Choosing another dive saves the note of the one shown before.
        QTest::keyClick(v->DiveList, Qt::Key_Home);
        QCOMPARE(readFile(program.path(QStringLiteral("logbook-3.txt"))), QStringLiteral("Shallow"));
        QCOMPARE(v->RichEditProfileNote->toPlainText(), QStringLiteral("Strong current"));
        QCOMPARE(panel(v, "StatusBarForGraph", 5), QStringLiteral("Strong current"));
        // The log itself is never written.
        QCOMPARE(readFile(file), readFile(QStringLiteral(TEST_LOGS_DIR "/logbook.ssrf")));
    }

    void badFilesGetTheirMessages_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("malformed XML")
            << "broken.uddf"
            << QByteArray("<uddf version=\"3.2.0\">\n<profiledata>\n<repetitiongroup>\n<dive id=\"d1\">\n"
                          "<informationbeforedive><datetime>2014-04-02T10:00:00</informationbeforedive>\n</dive>\n"
                          "</repetitiongroup></profiledata></uddf>\n")
            << "Cannot read broken.uddf: Opening and ending tag mismatch. (line 5)";
        QTest::newRow("no dives") << "none.ssrf" << QByteArray("<divelog program='x' version='3'><dives/></divelog>")
                                  << "none.ssrf holds no dives.";
    }
    void badFilesGetTheirMessages()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        Program program;
        // A good log first: nothing of it may stay on display.
        Viewer *v = program.open(program.log(QStringLiteral("gas-switches.uddf")));
        program.dialogs().clear();
        program.dialogs().answerMessage(QMessageBox::Ok);
        v->OpenFile(program.file(name, bytes));
        QCOMPARE(program.dialogs().messageTexts(), QStringList{message});
        QCOMPARE(v->RChart1->items().size(), std::size_t(0));
        QCOMPARE(summary(v), QStringList(7));
        QVERIFY(!v->DiveList->isVisible());
        QCOMPARE(v->windowTitle(), QStringLiteral("Dive log : ") + name);
    }

    void openDialogOffersLogs()
    {
        Program program;
        const QString file = program.log(QStringLiteral("gas-switches.uddf"));
        program.dialogs().answerFile(file);
        Viewer *v = user::open<Viewer>(program.main(), QStringLiteral("OpenDANDiveProfile1"));
        QVERIFY(v);
        QVERIFY(program.dialogs().lastFileOptions().filter.contains(QStringLiteral(
            "DAN Research files (*.nem;*.dan)|*.nem;*.dan|Dive logs (*.uddf *.ssrf *.xml)|*.uddf;*.ssrf;*.xml")));
        QCOMPARE(v->windowTitle(), QStringLiteral("Dive log : gas-switches.uddf"));
        QCOMPARE(program.main().FileHistory->files().value(0), file);
    }

    void recentFilesReopenALog()
    {
        Program program;
        QString file = program.log(QStringLiteral("old-style.xml"));
        bool reorder = true;
        program.main().FileHistoryFileSelected(file, reorder);
        QVERIFY(program.viewer());
        QCOMPARE(program.viewer()->windowTitle(), QStringLiteral("Dive log : old-style.xml"));
    }

    void otherXmlStaysANote()
    {
        Program program;
        const int notes = user::windows<TEditForm>(program.main()).size();
        program.open(program.file(QStringLiteral("project.xml"), "<project><dives/></project>"));
        QCOMPARE(user::windows<TEditForm>(program.main()).size(), notes + 1);
        QVERIFY(!program.viewer());
    }

    void filePanelListsAndLoadsLogs()
    {
        Program program;
        const QString file = program.log(QStringLiteral("logbook.ssrf"));
        program.log(QStringLiteral("gas-switches.uddf"));
        program.log(QStringLiteral("old-style.xml"));
        program.file(QStringLiteral("other.txt"), "x");
        Viewer *v = user::open<Viewer>(program.main(), QStringLiteral("ShowDANDiveProfiles1"));
        QVERIFY(!v->DiveList->isVisible());
        v->showDirectory(program.folder.path());
        QTRY_COMPARE(v->listedFiles(), (QStringList{"gas-switches.uddf", "logbook.ssrf", "old-style.xml"}));
        QListView *files = v->FileListBox1;
        const QModelIndex row = files->model()->index(1, 0, files->rootIndex());
        QTest::mouseClick(files->viewport(), Qt::LeftButton, {}, files->visualRect(row).center());
        QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, files->visualRect(row).center());
        QCOMPARE(v->currentFile(), file);
        QCOMPARE(v->windowTitle(), QStringLiteral("Dive log : logbook.ssrf"));
        QCOMPARE(v->DiveList->count(), 3);
    }

    void droppedLogsOpen()
    {
        Program program;
        const QString log = program.log(QStringLiteral("logbook.ssrf"));
        drop(&program.main(), log);
        Viewer *v = program.viewer();
        QVERIFY(v);
        QCOMPARE(v->windowTitle(), QStringLiteral("Dive log : logbook.ssrf"));
        // A log dropped on a viewer takes that viewer's place.
        drop(v, program.log(QStringLiteral("gas-switches.uddf")));
        QCOMPARE(user::windows<Viewer>(program.main()).size(), 1);
        QCOMPARE(v->windowTitle(), QStringLiteral("Dive log : gas-switches.uddf"));
        QCOMPARE(diveEntries(v), QStringList{"Dive #42  2014-04-02 10:00"});
    }

    void aDanFileAfterALogHidesTheDiveList()
    {
        Program program;
        Viewer *v = program.open(program.log(QStringLiteral("logbook.ssrf")));
        QVERIFY(v->DiveList->isVisible());
        const QString dan = program.file(QStringLiteral("a.dan"), "1234.NEM\n 1 01/02/03 10:00 x x 100P 70 AL80\n\n\n\n\n\n\n"
                                                                   " 0.00 0 0 false false 0 70 3000\n 0.20 10 0 false false 0 70 2900\n");
        v->OpenFile(dan);
        QCOMPARE(v->windowTitle(), QStringLiteral("DAN Research file : a.dan"));
        QVERIFY(!v->DiveList->isVisible());
        QVERIFY(!v->DiveLogInfo->isVisible());
        QCOMPARE(panel(v, "StatusBar", 3), QStringLiteral("Tank: AL80"));
    }

    void progressBarMovesWhileALogLoads()
    {
        Program program;
        // Some 3 MB: 40 dives of 2,000 samples.
        QByteArray log = "<divelog program='x' version='3'><dives>\n";
        for (int d = 0; d < 40; ++d) {
            log += "<dive number='" + QByteArray::number(d + 1) + "' date='2021-01-01' time='10:00:00'><divecomputer>\n";
            for (int i = 0; i < 2000; ++i)
                log += "<sample time='" + QByteArray::number(i / 6) + ":" + QByteArray::number(i % 6 * 10) + " min' depth='"
                       + QByteArray::number(10 + i % 7) + ".0 m' temp='20.0 C'/>\n";
            log += "</divecomputer></dive>\n";
        }
        log += "</dives></divelog>\n";
        Viewer *v = user::open<Viewer>(program.main(), QStringLiteral("ShowDANDiveProfiles1"));
        QList<int> shown;
        connect(v->ProgressBar, &QProgressBar::valueChanged, v, [&](int value) { shown << value; });
        v->OpenFile(program.file(QStringLiteral("big.ssrf"), log));
        QCOMPARE(v->DiveList->count(), 40);
        QVERIFY2(std::any_of(shown.begin(), shown.end(), [](int value) { return value > 0; }), qPrintable(QString::number(shown.size())));
        QCOMPARE(v->ProgressBar->value(), 0);
    }

    // The user's notes of a log's dives are named after the log: renaming
    // the log takes them along, whether the log is on display or not. A
    // note whose new name is taken stays where it is, and the file of that
    // name is kept as it was.
    void renamingALogTakesItsDiveNotesAlong_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("clash");
        QTest::newRow("the log on display") << true << false;
        QTest::newRow("a log only listed") << false << false;
        QTest::newRow("a note name taken") << true << true;
    }
    void renamingALogTakesItsDiveNotesAlong()
    {
        QFETCH(bool, shown);
        QFETCH(bool, clash);
        Program program;
        const QString log = program.log(QStringLiteral("logbook.ssrf"));
        program.file(QStringLiteral("logbook-5.txt"), "Strong current");
        program.file(QStringLiteral("logbook-3.txt"), "Shallow");
        program.file(QStringLiteral("logbook-9.txt"), "not a dive of this log");
        if (clash)
            program.file(QStringLiteral("trip-5.txt"), "someone else's");
        Viewer *v = shown ? program.open(log)
                          : user::open<Viewer>(program.main(), QStringLiteral("ShowDANDiveProfiles1"));
        v->showDirectory(program.folder.path());
        QTRY_COMPARE(v->listedFiles(), QStringList{"logbook.ssrf"});
        v->FileListBox1->setCurrentIndex(v->FileListBox1->model()->index(0, 0, v->FileListBox1->rootIndex()));
        program.dialogs().clear();
        program.dialogs().answerInput(QStringLiteral("trip.ssrf"));
        program.dialogs().answerMessage(QMessageBox::Ok);
        user::action(v, QStringLiteral("Renamefile1"))->trigger();
        QVERIFY(QFileInfo::exists(program.path("trip.ssrf")));
        QCOMPARE(readFile(program.path("trip-3.txt")), QStringLiteral("Shallow"));
        QVERIFY(!QFileInfo::exists(program.path("logbook-3.txt")));
        QCOMPARE(readFile(program.path("logbook-9.txt")), QStringLiteral("not a dive of this log"));
        if (clash) {
            QCOMPARE(readFile(program.path("trip-5.txt")), QStringLiteral("someone else's"));
            QCOMPARE(readFile(program.path("logbook-5.txt")), QStringLiteral("Strong current"));
            QCOMPARE(program.dialogs().messageTexts(),
                     QStringList{QStringLiteral("Renaming %1 to %2 FAILED")
                                     .arg(QDir::toNativeSeparators(program.path("logbook-5.txt")),
                                          QDir::toNativeSeparators(program.path("trip-5.txt")))});
        } else {
            QCOMPARE(readFile(program.path("trip-5.txt")), QStringLiteral("Strong current"));
            QVERIFY(!QFileInfo::exists(program.path("logbook-5.txt")));
            QCOMPARE(program.dialogs().messageTexts(), QStringList());
        }
        if (!shown)
            return;
        // The window follows its log: the note of the dive on display, and
        // the other dives read from the file under its new name.
        QCOMPARE(v->windowTitle(), QStringLiteral("Dive log : trip.ssrf"));
        QCOMPARE(v->notePath(), program.path("trip-5.txt"));
        QCOMPARE(v->RichEditProfileNote->toPlainText(), clash ? QStringLiteral("someone else's") : QStringLiteral("Strong current"));
        v->DiveList->setCurrentRow(2);
        QCOMPARE(program.dialogs().messageTexts().size(), clash ? 1 : 0);
        QCOMPARE(countOf(v->RChart1, ItemKind::LineTo), 3);
        QCOMPARE(v->RichEditProfileNote->toPlainText(), QStringLiteral("Shallow"));
    }

    // A note typed and not yet saved is saved under the log's old name
    // before the rename, and goes along with the others.
    void renamingSavesTheTypedNoteFirst()
    {
        Program program;
        Viewer *v = program.open(program.log(QStringLiteral("logbook.ssrf")));
        v->showDirectory(program.folder.path());
        QTRY_COMPARE(v->listedFiles(), QStringList{"logbook.ssrf"});
        v->FileListBox1->setCurrentIndex(v->FileListBox1->model()->index(0, 0, v->FileListBox1->rootIndex()));
        user::type(v->RichEditProfileNote, QStringLiteral("Typed"));
        program.dialogs().answerInput(QStringLiteral("trip.ssrf"));
        user::action(v, QStringLiteral("Renamefile1"))->trigger();
        QCOMPARE(readFile(program.path("trip-5.txt")), QStringLiteral("Typed"));
        QVERIFY(!QFileInfo::exists(program.path("logbook-5.txt")));
        QVERIFY(!v->noteModified());
    }

    // "Move file(s)" takes a log's dive notes along; one that would replace
    // a file in the folder stays, told about in one message with the others.
    void movingALogTakesItsDiveNotesAlong_data()
    {
        QTest::addColumn<bool>("clash");
        QTest::newRow("a free folder") << false;
        QTest::newRow("a note name taken there") << true;
    }
    void movingALogTakesItsDiveNotesAlong()
    {
        QFETCH(bool, clash);
        Program program;
        const QString log = program.log(QStringLiteral("logbook.ssrf"));
        program.file(QStringLiteral("logbook-5.txt"), "Strong current");
        program.file(QStringLiteral("logbook-6.txt"), "By hand");
        program.file(QStringLiteral("logbook-3.txt"), "Shallow");
        QTemporaryDir destination;
        if (clash) {
            QFile taken(destination.filePath(QStringLiteral("logbook-6.txt")));
            QVERIFY(taken.open(QIODevice::WriteOnly));
            taken.write("kept");
        }
        Viewer *v = program.open(log);
        v->showDirectory(program.folder.path());
        QTRY_COMPARE(v->listedFiles(), QStringList{"logbook.ssrf"});
        v->FileListBox1->selectAll();
        program.dialogs().clear();
        program.dialogs().answerDirectory(destination.path());
        program.dialogs().answerMessage(QMessageBox::Ok);
        user::action(v, QStringLiteral("Movefiles1"))->trigger();
        QVERIFY(!QFileInfo::exists(log));
        QVERIFY(QFileInfo::exists(destination.filePath("logbook.ssrf")));
        QCOMPARE(readFile(destination.filePath("logbook-5.txt")), QStringLiteral("Strong current"));
        QCOMPARE(readFile(destination.filePath("logbook-3.txt")), QStringLiteral("Shallow"));
        QVERIFY(!QFileInfo::exists(program.path("logbook-5.txt")));
        QVERIFY(!QFileInfo::exists(program.path("logbook-3.txt")));
        if (clash) {
            QCOMPARE(readFile(destination.filePath("logbook-6.txt")), QStringLiteral("kept"));
            QCOMPARE(readFile(program.path("logbook-6.txt")), QStringLiteral("By hand"));
            QCOMPARE(program.dialogs().messageTexts().size(), 1);
            QVERIFY2(program.dialogs().messageTexts().first().contains(QStringLiteral("was not moved")),
                     qPrintable(program.dialogs().messageTexts().first()));
        } else {
            QCOMPARE(readFile(destination.filePath("logbook-6.txt")), QStringLiteral("By hand"));
            QCOMPARE(program.dialogs().messageTexts(), QStringList());
        }
        // The window follows the log it shows into its new folder.
        QCOMPARE(v->currentFile(), destination.filePath("logbook.ssrf"));
        v->DiveList->setCurrentRow(2);
        QCOMPARE(countOf(v->RChart1, ItemKind::LineTo), 3);
        QCOMPARE(v->RichEditProfileNote->toPlainText(), QStringLiteral("Shallow"));
    }

    // As a DAN file's note, a log's dive notes stay when the log is deleted.
    void deletingALogKeepsItsDiveNotes()
    {
        Program program;
        const QString log = program.log(QStringLiteral("logbook.ssrf"));
        program.file(QStringLiteral("logbook-5.txt"), "Strong current");
        Viewer *v = user::open<Viewer>(program.main(), QStringLiteral("ShowDANDiveProfiles1"));
        v->showDirectory(program.folder.path());
        QTRY_COMPARE(v->listedFiles(), QStringList{"logbook.ssrf"});
        v->FileListBox1->selectAll();
        program.dialogs().answerMessage(QMessageBox::Yes);
        user::action(v, QStringLiteral("Deletefile1"))->trigger();
        QVERIFY(!QFileInfo::exists(log));
        QCOMPARE(readFile(program.path("logbook-5.txt")), QStringLiteral("Strong current"));
    }

    // While a large log loads, the event loop runs (user input waits): timers
    // fire, and the progress bar repaints as it moves.
    void theWindowRepaintsWhileALogLoads()
    {
        Program program;
        const QString log = program.file(QStringLiteral("slow.ssrf"), slowLog(250'000));
        Viewer *v = user::open<Viewer>(program.main(), QStringLiteral("ShowDANDiveProfiles1"));
        bool inLoad = false;
        QList<int> seen;   // the bar's values, as a timer finds them during the load
        QTimer tick;
        tick.setInterval(0);
        connect(&tick, &QTimer::timeout, v, [&] {
            if (inLoad)
                seen << v->ProgressBar->value();
        });
        tick.start();
        const PaintCounter bar(v->ProgressBar);
        int paintsBefore = 0, paintsDuring = 0;
        {
            paintsBefore = bar.paints;
            inLoad = true;
            v->OpenFile(log);
            inLoad = false;
            paintsDuring = bar.paints - paintsBefore;
        }
        tick.stop();
        QCOMPARE(v->DiveList->count(), 3);
        QVERIFY2(seen.size() >= 2, qPrintable(QString::number(seen.size())));
        QVERIFY2(std::any_of(seen.begin(), seen.end(), [](int value) { return value > 0; }),
                 qPrintable(QString::number(seen.size())));
        QVERIFY(paintsDuring > 0);
        QCOMPARE(v->ProgressBar->value(), 0);
    }

    // What is asked of the window while a log loads (another file, another
    // dive, closing it) happens once the load is done, and never breaks it.
    void requestsDuringALoadWaitForItsEnd_data()
    {
        QTest::addColumn<QString>("request");
        QTest::newRow("another log") << "open";
        QTest::newRow("another dive") << "dive";
        QTest::newRow("another dive, then another log") << "dive, open";
        QTest::newRow("closing the window") << "close";
        QTest::newRow("closing the program") << "quit";
    }
    void requestsDuringALoadWaitForItsEnd()
    {
        QFETCH(QString, request);
        Program program;
        const QString slow = program.file(QStringLiteral("slow.ssrf"), slowLog(250'000));
        const QString other = program.log(QStringLiteral("gas-switches.uddf"));
        QPointer<Viewer> v = user::open<Viewer>(program.main(), QStringLiteral("ShowDANDiveProfiles1"));
        bool inLoad = false, asked = false, closed = true;
        QTimer::singleShot(0, v, [&] {
            if (!inLoad)
                return;
            asked = true;
            if (request.contains(u"dive"))
                v->showLogDive(2);
            if (request.contains(u"open"))
                v->OpenFile(other);
            if (request == u"close")
                closed = user::closeWindow(v);
            if (request == u"quit")
                closed = program.main().close();
        });
        inLoad = true;
        v->OpenFile(slow);
        inLoad = false;
        QVERIFY(asked);
        QVERIFY(v);
        if (request.contains(u"open")) {
            QCOMPARE(v->windowTitle(), QStringLiteral("Dive log : gas-switches.uddf"));
            QCOMPARE(diveEntries(v), QStringList{"Dive #42  2014-04-02 10:00"});
        } else if (request == u"dive") {
            QCOMPARE(v->DiveList->currentRow(), 2);
            QCOMPARE(v->RChart1->Caption(), QStringLiteral("Dive # 3 on 2021-01-02 13:00"));
            QCOMPARE(countOf(v->RChart1, ItemKind::LineTo), 2);
        } else {
            // The window stayed for the load, and closes after it.
            QVERIFY(!closed);
            QTRY_VERIFY(!v);
            QVERIFY(program.main().isVisible());
        }
    }

    void printButtonPrintsALogDiveAsADanProfile()
    {
        Program program;
        Viewer *v = program.open(program.log(QStringLiteral("gas-switches.uddf")));
        const auto welcomed = [&] {
            for (const auto &question : program.dialogs().asked())
                if (question.kind == QStringLiteral("dialog"))
                    return true;
            return false;
        };
        QTRY_VERIFY_WITH_TIMEOUT(welcomed(), 10000);
        const QString pdf = program.path(QStringLiteral("printout.pdf"));
        program.dialogs().answerPrint([&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        program.dialogs().answerDialog([&](QDialog &dialog) {
            if (!qobject_cast<TfmPrintGraphs *>(&dialog))
                return -1;
            user::click(&dialog, QStringLiteral("Button3"));   // printer setup: the PDF file
            user::click(&dialog, QStringLiteral("Button2"));
            return dialog.result();
        });
        user::click(v, QStringLiteral("SpeedButton5"));
        const QString text = PdfText(pdf).simplified();
        QVERIFY2(text.contains(QStringLiteral("Dive # 42 on 2014-04-02 10:00")), qPrintable(text));
        for (int i = 0; i < 7; ++i)
            QVERIFY2(text.contains(panel(v, QStringLiteral("StatusBar"), i).simplified()), qPrintable(QString::number(i)));
    }

    void computedCeilingIsDrawnAndReadOut()
    {
        const WaterTypeScope salt(true);
        Program program;
        Viewer *v = program.open(program.file(QStringLiteral("deco.uddf"), decoDiveUddf()));
        QAction *item = user::action(v, QStringLiteral("ComputedCeiling"));
        QVERIFY(item && item->isCheckable() && !item->isChecked());
        QCOMPARE(item->text(), QStringLiteral("Computed &ceiling"));
        QVERIFY(v->findChild<QAction *>(QStringLiteral("ComputedCeiling")));
        const auto ceilingPanelsShown = [&] {
            return v->StatusBarForGraph->panel(CeilingPanel)->isVisible()
                   && v->StatusBarForGraph->panel(NdlTtsPanel)->isVisible();
        };
        QVERIFY(!ceilingPanelsShown());
        const int profileItems = int(v->RChart1->items().size());
        QCOMPARE(ceilingItems(v->RChart1), 0);

        user::command(program.main(), QStringLiteral("ComputedCeiling"))->trigger();
        QVERIFY(item->isChecked());
        QVERIFY(ceilingPanelsShown());
        QVERIFY(ceilingItems(v->RChart1) > 2);
        QCOMPARE(int(v->RChart1->items().size()), profileItems + ceilingItems(v->RChart1));
        double deepest = 0;
        for (std::size_t i = profileItems; i < v->RChart1->items().size(); ++i)
            deepest = std::max(deepest, v->RChart1->items()[i].y);
        // The deepest ceiling lies within a stop of the first stop the model
        // plans for such a dive.
        deco::DiveInput planned;
        planned.depth = 45;
        planned.bottomTime = 30;
        const double firstStop = deco::ComputeSchedule(planned).firstStop;
        QVERIFY2(deepest > firstStop - 3 && deepest < firstStop + 3,
                 qPrintable(QStringLiteral("%1 m, first stop %2 m").arg(deepest).arg(firstStop)));

        // At the end of the bottom time a stop is due; on the way it clears.
        QTest::mouseMove(v->RChart1, pixelOf(v->RChart1, 29 * 60, 30));
        QVERIFY2(panelNumber(v, CeilingPanel) > 3.0, qPrintable(panel(v, "StatusBarForGraph", CeilingPanel)));
        QVERIFY2(panel(v, "StatusBarForGraph", NdlTtsPanel).startsWith(QStringLiteral("NDL/TTS: 0/")),
                 qPrintable(panel(v, "StatusBarForGraph", NdlTtsPanel)));
        QTest::mouseMove(v->RChart1, pixelOf(v->RChart1, 60, 10));
        QCOMPARE(panel(v, "StatusBarForGraph", CeilingPanel), localNumbers(QStringLiteral("Ceiling: 0.0")));
        // On the way down: time left before a stop is due, a short ascent.
        const QString ndlTts = panel(v, "StatusBarForGraph", NdlTtsPanel);
        const QStringList minutes = ndlTts.mid(9).chopped(4).split(u'/');
        QVERIFY2(ndlTts.startsWith(QStringLiteral("NDL/TTS: ")) && ndlTts.endsWith(QStringLiteral(" min"))
                     && minutes.size() == 2 && minutes[0].toInt() > 10 && minutes[1].toInt() >= 1
                     && minutes[1].toInt() <= 3,
                 qPrintable(ndlTts));

        // The keyboard read-out steps along the profile, not along the line.
        v->RChart1->setFocus();
        QTest::keyClick(v->RChart1, Qt::Key_End);
        QCOMPARE(panel(v, "StatusBarForGraph", 2), QStringLiteral("Minutes:  59.40"));
        QCOMPARE(panel(v, "StatusBarForGraph", 1), localNumbers(QStringLiteral("Depth: 0.0")));
        // Stops too short for GF 30/85: the diver surfaced with a ceiling, and
        // the read-out says what the line's end shows.
        const ChartItem &lineEnd = v->RChart1->items()[v->RChart1->items().size() - 1];
        QCOMPARE(lineEnd.x, 59 * 60 + 40.0);
        QVERIFY(lineEnd.y > 1.0);
        QCOMPARE(panelNumber(v, CeilingPanel), std::round(lineEnd.y * 10) / 10);
        QTest::keyClick(v->RChart1, Qt::Key_Left);
        QCOMPARE(panel(v, "StatusBarForGraph", 2), QStringLiteral("Minutes:  59.20"));

        // Off again: the line goes, the view stays.
        v->ZoomClick();
        const DanView zoomed = v->chartView();
        user::command(program.main(), QStringLiteral("ComputedCeiling"))->trigger();
        QVERIFY(!item->isChecked());
        QVERIFY(!ceilingPanelsShown());
        QCOMPARE(ceilingItems(v->RChart1), 0);
        QCOMPARE(int(v->RChart1->items().size()), profileItems);
        QCOMPARE(v->chartView(), zoomed);
    }

    void computedCeilingIsRememberedAndFollowsTheGradientFactors()
    {
        // Stored in the settings: the next viewer draws the line at once, with
        // the gradient factors of the "Deco" section; lower factors put the
        // ceiling deeper.
        const WaterTypeScope salt(true);
        const auto deepestWith = [](const QByteArray &settings) {
            Program program;
            program.settings().write(settings);
            Viewer *v = program.open(program.file(QStringLiteral("deco.uddf"), decoDiveUddf()));
            double deepest = 0;
            for (std::size_t i = 0; i < v->RChart1->items().size(); ++i)
                if (v->RChart1->items()[i].itemClass == CeilingItemClass)
                    deepest = std::max(deepest, v->RChart1->items()[i].y);
            return deepest;
        };
        const double gf3085 = deepestWith("[DAN Format]\r\nComputedCeiling=1\r\n");
        const double gf2070 = deepestWith("[DAN Format]\r\nComputedCeiling=1\r\n[Deco]\r\nGFLow=20\r\nGFHigh=70\r\n");
        QVERIFY(gf3085 > 0);
        QVERIFY2(gf2070 > gf3085, qPrintable(QStringLiteral("%1 %2").arg(gf2070).arg(gf3085)));
        QCOMPARE(deepestWith("[Deco]\r\nGFLow=20\r\nGFHigh=70\r\n"), 0.0);

        Program program;
        Viewer *v = program.open(program.file(QStringLiteral("deco.uddf"), decoDiveUddf()));
        user::command(program.main(), QStringLiteral("ComputedCeiling"))->trigger();
        QVERIFY(user::closeWindow(v));
        QVERIFY(program.settings().contents().contains("ComputedCeiling=1"));
    }
};

QTEST_MAIN(TestDiveLogViewer)
#include "tst_divelogviewer.moc"
