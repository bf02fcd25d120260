#include "charts/RChart.h"
#include "charts/dbm.h"
#include "profiles/window/DANGraphic.h"
#include "profiles/window/PrintGraphs.h"
#include "shell/Application.h"
#include "shell/FileHist.h"
#include "shell/MDIEdit.h"
#include "shell/Main.h"
#include "tests/support/DanFiles.h"
#include "tests/support/PdfFiles.h"
#include "tests/support/TestNumbers.h"
#include "tests/support/UserDriver.h"
#include "tests/support/WaterTypeScope.h"
#include "tests/support/WindowFixture.h"
#include "widgets/MShape.h"
#include "widgets/PanelBar.h"

#include <QAction>
#include <QFileSystemModel>
#include <QLabel>
#include <QHeaderView>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

using Viewer = TfmDANResarchFormatGraphic;

QString panel(const QWidget *viewer, const QString &bar, int index)
{
    return user::text(viewer, bar + QStringLiteral("Panel") + QString::number(index));
}

QString readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// A dive of `samples` samples, 20 s apart, down to 100 ft.
DanDiveShape dive(int samples = 100, const QString &time = QStringLiteral("14:23"))
{
    DanDiveShape d;
    d.samples = samples;
    d.time = time;
    return d;
}

QPoint pixelOf(const TRChart *chart, double x, double y)
{
    const PlotGeometry geo = chart->geometryNow();
    return {geo.x.toPixel(x), geo.y.toPixel(y)};
}

double spanX(const Viewer *v) { return v->RChart1->RangeHiX() - v->RChart1->RangeLoX(); }

// The program with private settings, scripted dialogs and a folder of profiles.
struct Program : WindowFixture
{
    explicit Program(const QByteArray &settingsText = {}, const QStringList &arguments = {})
        : WindowFixture(settingsText)
    {
        // The welcome About box of a start without a file, in the longer tests.
        dialogs().answerDialog([](QDialog &) { return 0; });
        shownMain(arguments);
    }
    QString path(const QString &name) const { return folder.filePath(name); }
    QString profile(const QString &name, const DanDiveShape &shape = dive())
    {
        const QString p = path(name);
        WriteDanFile(p, {shape});
        return p;
    }
    Viewer *viewer()
    {
        const QList<Viewer *> open = user::windows<Viewer>(main());
        return open.isEmpty() ? nullptr : open.last();
    }
    Viewer *openProfile(const QString &file)
    {
        main().openFileByExtension(file);
        return viewer();
    }

    QTemporaryDir folder;
};

} // namespace

class TestDanGraphic : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useTestNumberFormat(); }

    void commandLineOpensTheProfileWithItsNote()
    {
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("03-02-97_14-23.Dan"));
        DanDiveShape shape = dive(136);   // 135 x 20 s = 45 min
        QVERIFY(WriteDanFile(file, {shape}));
        writeFile(folder.filePath(QStringLiteral("03-02-97_14-23.txt")), "Wreck dive\nTwo stops.\n");
        Program program({}, {file});
        program.main().LoadADiverViaTimer();
        Viewer *v = program.viewer();
        QVERIFY(v);
        QCOMPARE(v->windowTitle(), QStringLiteral("DAN Research file : 03-02-97_14-23.Dan"));
        QCOMPARE(v->RichEditProfileNote->toPlainText(), QStringLiteral("Wreck dive\nTwo stops.\n"));
        QCOMPARE(panel(v, "DiveLogStatusBar", 2), QDir::toNativeSeparators(folder.filePath("03-02-97_14-23.txt")));
        QCOMPARE(panel(v, "StatusBarForGraph", 5), QStringLiteral("Wreck dive"));
        QVERIFY(v->SeeNoteSpeedButton->isEnabled());
        QCOMPARE(panel(v, "StatusBar", 0), localNumbers(QStringLiteral("Max Depth: 100.00")));
        QCOMPARE(panel(v, "StatusBar", 1), QStringLiteral("Run time:  45.00"));
        QCOMPARE(panel(v, "StatusBar", 5), QStringLiteral("Used: 1500 PSI"));
        QCOMPARE(panel(v, "StatusBar", 6), QStringLiteral("Sampling rate: 20 sec"));
        QCOMPARE(v->RChart1->Caption(), QStringLiteral("Dive # 1  on 03/02/97 14:23"));
        // Auto scale: 10 % below the deepest point, 5 % beyond the run time.
        QCOMPARE(v->RChart1->RangeLoY(), 110.0);
        QCOMPARE(v->RChart1->RangeHiX(), 2700 * 1.05);
        QCOMPARE(v->shownDirectory(), QDir::cleanPath(folder.path()));
        QCOMPARE(program.main().FileHistory->files().value(0), file);
        QCOMPARE(v->ProgressBar->value(), 0);
        // Opened with a file, the file panel follows the stored setting.
        QVERIFY(v->Panel1x->isVisible());
        QCOMPARE(v->SeeNoteSpeedButton->toolTip(), QStringLiteral("See attached note."));
        user::click(v->SeeNoteSpeedButton);
        QCOMPARE(v->PageControl1->currentWidget(), v->TabSheet2);
    }

    void fileThatCannotBeOpenedLeavesCaptionAndPanelsEmpty()
    {
        Program program;
        const QString missing = program.path(QStringLiteral("missing.dan"));
        Viewer *v = program.openProfile(missing);
        QCOMPARE(program.dialogs().messageTexts().size(), 1);
        QCOMPARE(v->RChart1->Caption(), QString());
        for (int i = 0; i < 7; ++i)
            QVERIFY2(panel(v, "StatusBar", i).isEmpty(), qPrintable(panel(v, "StatusBar", i)));
        QVERIFY(!program.main().FileHistory->files().contains(missing));

        // A profile on display that has gone when it is loaded again.
        const QString file = program.profile(QStringLiteral("gone.dan"));
        v = program.openProfile(file);
        QCOMPARE(v->RChart1->Caption(), QStringLiteral("Dive # 1  on 03/02/97 14:23"));
        QVERIFY(QFile::remove(file));
        user::action(v, QStringLiteral("Medium1"))->trigger();
        QCOMPARE(program.dialogs().messageTexts().size(), 2);
        QCOMPARE(v->RChart1->Caption(), QString());
        for (int i = 0; i < 7; ++i)
            QVERIFY2(panel(v, "StatusBar", i).isEmpty(), qPrintable(panel(v, "StatusBar", i)));
    }

    void profileGoesIntoTheRecentFilesOnceItIsOpen()
    {
        Program program;
        // A file without samples: the viewer says so while it opens it.
        const QString file = program.profile(QStringLiteral("short.dan"), dive(0));
        QStringList listedWhileOpening{QStringLiteral("not asked")};
        program.dialogs().whenAsked([&](const ScriptedDialogs::Question &question) {
            if (question.kind == u"message")
                listedWhileOpening = program.main().FileHistory->files();
        });
        program.openProfile(file);
        QCOMPARE(program.dialogs().messageTexts(),
                 QStringList{QStringLiteral("short.dan holds no dive samples (they begin on line 9).")});
        QVERIFY2(!listedWhileOpening.contains(file), qPrintable(listedWhileOpening.join(u',')));
        QCOMPARE(program.main().FileHistory->files().value(0), file);
    }

    void showCommandOpensAnEmptyViewerWithItsFilePanel_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("panel hidden in the settings") << QByteArray("[DAN Format]\nShowfilepanel1=0\n");
        QTest::newRow("no settings") << QByteArray();
    }
    void showCommandOpensAnEmptyViewerWithItsFilePanel()
    {
        QFETCH(QByteArray, stored);
        Program program(stored);
        Viewer *v = user::open<Viewer>(program.main(), QStringLiteral("ShowDANDiveProfiles1"));
        QVERIFY(v);
        QCOMPARE(v->windowTitle(), QStringLiteral("DAN Research file"));
        QVERIFY(v->Panel1x->isVisible());
        QVERIFY(v->HeaderControl->isVisible());
        QVERIFY(v->RChart1->items().size() <= 1);
        // With a file, the stored setting rules.
        Viewer *withFile = program.openProfile(program.profile(QStringLiteral("a.nem")));
        QCOMPARE(withFile->Panel1x->isVisible(), stored.isEmpty());
    }

    void cursorReadoutAndMeter_data()
    {
        QTest::addColumn<double>("depth");
        QTest::addColumn<QString>("ppO2");
        QTest::addColumn<int>("meter");
        QTest::newRow("33 ft") << 33.0 << "ppO2: 0.42" << 27;
        QTest::newRow("165 ft") << 165.0 << "ppO2: 1.26" << 80;
    }
    void cursorReadoutAndMeter()
    {
        QFETCH(double, depth);
        const WaterTypeScope salt(true);
        Program program;
        DanDiveShape deep = dive();
        deep.maxDepth = 180;
        Viewer *v = program.openProfile(program.profile(QStringLiteral("deep.dan"), deep));
        QTest::mouseMove(v->RChart1, pixelOf(v->RChart1, 630, depth));
        QFETCH(QString, ppO2);
        QCOMPARE(panel(v, "StatusBarForGraph", 4), localNumbers(ppO2));
        QTEST(v->ppO2DBMeter->Position(), "meter");
        QVERIFY(v->ppO2DBMeter->isVisible());
        QVERIFY(panel(v, "StatusBarForGraph", 1).startsWith(QStringLiteral("Depth: ")));
        QVERIFY(panel(v, "StatusBarForGraph", 2).startsWith(QStringLiteral("Minutes:  10.")));
        // The meter lies over the cursor bar's panel 3.
        const QRect room = v->StatusBarForGraph->panel(3)->geometry();
        QVERIFY(room.contains(v->ppO2DBMeter->geometry().center()));
        // Above the surface the read-out is cleared and the meter hidden.
        QTest::mouseMove(v->RChart1, pixelOf(v->RChart1, 600, -0.5));
        QCOMPARE(panel(v, "StatusBarForGraph", 4), QString());
        QVERIFY(!v->ppO2DBMeter->isVisible());
    }

    void computedCeilingOfADanProfileIsInFeetOnAir()
    {
        // 150 ft for some 26 minutes of 33 on air: a stop is due. The line and
        // the read-out are in feet, as the profile is.
        const WaterTypeScope salt(true);
        Program program("[DAN Format]\r\nComputedCeiling=1\r\n");
        DanDiveShape deep = dive();
        deep.maxDepth = 150;
        Viewer *v = program.openProfile(program.profile(QStringLiteral("deep.dan"), deep));
        double deepest = 0;
        int lines = 0;
        for (std::size_t i = 0; i < v->RChart1->items().size(); ++i) {
            const ChartItem &item = v->RChart1->items()[i];
            if (item.itemClass == CeilingItemClass && item.kind == ItemKind::LineTo) {
                deepest = std::max(deepest, item.y);
                ++lines;
            }
        }
        QVERIFY(lines > 2);
        // 45.7 m for 26 minutes on air wants a first stop deeper than 10 m (33 ft) at GF 30.
        QVERIFY2(deepest > 33 && deepest < 150, qPrintable(QString::number(deepest)));
        QTest::mouseMove(v->RChart1, pixelOf(v->RChart1, 1500, 100));
        const QString ceiling = panel(v, "StatusBarForGraph", CeilingPanel);
        QVERIFY2(ceiling.startsWith(QStringLiteral("Ceiling: ")), qPrintable(ceiling));
        QVERIFY2(ceiling.mid(9).replace(u',', u'.').toDouble() > 20, qPrintable(ceiling));
        QVERIFY(panel(v, "StatusBarForGraph", NdlTtsPanel).startsWith(QStringLiteral("NDL/TTS: 0/")));
        // The keyboard read-out starts at the profile's first sample.
        v->RChart1->setFocus();
        QTest::keyClick(v->RChart1, Qt::Key_Home);
        QCOMPARE(panel(v, "StatusBarForGraph", 2), QStringLiteral("Minutes:   0.00"));
    }

    void rightClicksZoomAboutTheMiddle()
    {
        Program program;
        Viewer *v = program.openProfile(program.profile(QStringLiteral("a.nem")));
        const QPoint middle = v->RChart1->plotRect().center();
        const double start = spanX(v);
        QTest::mouseClick(v->RChart1, Qt::RightButton, {}, middle);
        QVERIFY(qAbs(spanX(v) * 1.4 / start - 1) < 1e-6);
        user::click(v->ZoomOut);
        QVERIFY(v->ZoomOut->isChecked());
        QVERIFY(!v->Zoomin->isChecked());
        const double before = spanX(v);
        QTest::mouseClick(v->RChart1, Qt::RightButton, {}, middle);
        QTest::mouseClick(v->RChart1, Qt::RightButton, {}, middle);
        QVERIFY(qAbs(spanX(v) / before - 1.96) < 1e-5);
        // Ctrl presses the other zoom button first.
        const double grown = spanX(v);
        QTest::mouseClick(v->RChart1, Qt::RightButton, Qt::ControlModifier, middle);
        QVERIFY(v->Zoomin->isChecked());
        QVERIFY(qAbs(spanX(v) * 1.4 / grown - 1) < 1e-5);
        // "Reset view" returns to the view of the load.
        user::action(v, QStringLiteral("Resetview1"))->trigger();
        QCOMPARE(spanX(v), start);
    }

    void modifierKeysChooseTheMouseAction_data()
    {
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("action");
        QTest::newRow("Shift: zoom drag") << int(Qt::ShiftModifier) << int(maZoomDrag);
        QTest::newRow("Alt: zoom window") << int(Qt::AltModifier) << int(maZoomWind);
        QTest::newRow("Ctrl+Shift: zoom window position") << int(Qt::ControlModifier | Qt::ShiftModifier) << int(maZoomWindPos);
        QTest::newRow("Ctrl: pan") << int(Qt::ControlModifier) << int(maPan);
    }
    void modifierKeysChooseTheMouseAction()
    {
        QFETCH(int, keys);
        Program program;
        Viewer *v = program.openProfile(program.profile(QStringLiteral("a.nem")));
        user::action(v, QStringLiteral("None1"))->trigger();
        QCOMPARE(v->RChart1->MouseAction(), maNone);
        QTest::mouseClick(v->RChart1, Qt::LeftButton, Qt::KeyboardModifiers(keys), v->RChart1->plotRect().center());
        QTEST(int(v->RChart1->MouseAction()), "action");
        // The menu keeps its mark.
        QVERIFY(user::action(v, QStringLiteral("None1"))->isChecked());
    }

    void mediumReloadsAndTheMenuStatesSurviveAReopen()
    {
        Program program;
        const QString file = program.profile(QStringLiteral("a.nem"), dive(400));
        Viewer *v = program.openProfile(file);
        const std::size_t high = v->RChart1->items().size();
        v->RChart1->SetScaleRange(100, 50, 200, 0);   // a zoom of the user's
        user::action(v, QStringLiteral("Medium1"))->trigger();
        QCOMPARE(v->resolutionStep(), 4);
        QVERIFY(user::action(v, QStringLiteral("Medium1"))->isChecked());
        QVERIFY(!user::action(v, QStringLiteral("High1"))->isChecked());
        const std::size_t medium = v->RChart1->items().size();
        QVERIFY(medium < high);
        // A reload keeps the view of the load, not the zoom.
        QCOMPARE(v->chartView(), v->savedView());
        user::action(v, QStringLiteral("None3"))->trigger();
        QCOMPARE(v->RChart1->GridStyle(), gsNone);
        QVERIFY(user::action(v, QStringLiteral("Pan1"))->isChecked());
        user::action(v, QStringLiteral("Right1"))->trigger();
        user::action(v, QStringLiteral("Animate1"))->trigger();
        QVERIFY(user::closeWindow(v));

        Viewer *again = user::open<Viewer>(program.main(), QStringLiteral("ShowDANDiveProfiles1"));
        QVERIFY(user::action(again, QStringLiteral("Medium1"))->isChecked());
        QVERIFY(!user::action(again, QStringLiteral("High1"))->isChecked());
        QCOMPARE(again->resolutionStep(), 4);
        QVERIFY(user::action(again, QStringLiteral("None3"))->isChecked());
        QVERIFY(!user::action(again, QStringLiteral("Large1"))->isChecked());
        QCOMPARE(again->RChart1->GridStyle(), gsNone);
        QVERIFY(user::action(again, QStringLiteral("Pan1"))->isChecked());
        QVERIFY(user::action(again, QStringLiteral("Right1"))->isChecked());
        QVERIFY(user::action(again, QStringLiteral("Animate1"))->isChecked());
        again->OpenFile(file);
        QCOMPARE(again->RChart1->items().size(), medium);
        // A change of resolution before any file is loaded reloads nothing.
        Viewer *empty = user::open<Viewer>(program.main(), QStringLiteral("ShowDANDiveProfiles1"));
        user::action(empty, QStringLiteral("Low1"))->trigger();
        QCOMPARE(empty->resolutionStep(), 8);
        QVERIFY(empty->currentFile().isEmpty());
    }

    void demoLoadsEveryFileThenStops()
    {
        Program program;
        QStringList files;
        for (const char *name : {"1.dan", "2.dan", "3.nem"})
            files << program.profile(QString::fromLatin1(name));
        program.profile(QStringLiteral("ignored.txt"));
        Viewer *v = user::open<Viewer>(program.main(), QStringLiteral("ShowDANDiveProfiles1"));
        v->showDirectory(program.folder.path());
        QTRY_COMPARE(v->listedFiles(), (QStringList{"1.dan", "2.dan", "3.nem"}));
        QAction *demo = user::action(v, QStringLiteral("Startdemomode1"));
        QTRY_VERIFY(demo->isEnabled());
        demo->trigger();
        QCOMPARE(v->FileListBox1->selectionMode(), QAbstractItemView::SingleSelection);
        QStringList loaded;
        QElapsedTimer clock;
        clock.start();
        QTRY_VERIFY_WITH_TIMEOUT(v->currentFile() == files[0], 5000);
        QVERIFY(v->ShapeDemo->isVisible());
        QCOMPARE(program.main().messageLine(), QStringLiteral("Press ESCAPE between the loads to stop demo mode"));
        QTRY_VERIFY_WITH_TIMEOUT(v->currentFile() == files[1], 5000);
        QVERIFY(clock.elapsed() >= 3500);   // two ticks of 2 s
        QTRY_VERIFY_WITH_TIMEOUT(v->currentFile() == files[2], 5000);
        QTRY_COMPARE_WITH_TIMEOUT(program.main().messageLine(), QStringLiteral("Demo mode stopped."), 5000);
        QVERIFY(!v->demoActive());
        QVERIFY(!v->ShapeDemo->isVisible());
        QCOMPARE(v->FileListBox1->selectionMode(), QAbstractItemView::ExtendedSelection);
    }

    void escapeHaltsTheDemo()
    {
        Program program;
        for (const char *name : {"1.dan", "2.dan"})
            program.profile(QString::fromLatin1(name));
        Viewer *v = user::open<Viewer>(program.main(), QStringLiteral("ShowDANDiveProfiles1"));
        v->showDirectory(program.folder.path());
        QTRY_COMPARE(v->listedFiles().size(), 2);
        QTRY_VERIFY(user::action(v, QStringLiteral("Startdemomode1"))->isEnabled());
        user::action(v, QStringLiteral("Startdemomode1"))->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!v->currentFile().isEmpty(), 5000);
        QTest::keyClick(v->FileListBox1, Qt::Key_Escape);
        QCOMPARE(program.main().messageLine(), QStringLiteral("Demo mode halted"));
        QVERIFY(!v->demoActive());
        QVERIFY(!v->ShapeDemo->isVisible());
        QVERIFY(!v->DemoTimer->isActive());
    }

    void renameTakesTheNoteAlong()
    {
        Program program;
        const QString file = program.profile(QStringLiteral("old.dan"));
        writeFile(program.path(QStringLiteral("old.txt")), "First stop\n");
        Viewer *v = program.openProfile(file);
        QTRY_COMPARE(v->listedFiles(), QStringList{"old.dan"});
        QTest::mouseClick(v->FileListBox1->viewport(), Qt::LeftButton, {},
                          v->FileListBox1->visualRect(v->FileListBox1->model()->index(0, 0, v->FileListBox1->rootIndex())).center());
        program.dialogs().answerInput(QStringLiteral("new.dan"));
        user::action(v, QStringLiteral("Renamefile1"))->trigger();
        QCOMPARE(program.dialogs().asked().last().title, QStringLiteral("Rename file"));
        QCOMPARE(program.dialogs().asked().last().text, QStringLiteral("Enter new filename:"));
        QVERIFY(QFileInfo::exists(program.path("new.dan")));
        QVERIFY(!QFileInfo::exists(file));
        QCOMPARE(readFile(program.path("new.txt")), QStringLiteral("First stop\n"));
        QVERIFY(!QFileInfo::exists(program.path("old.txt")));
        // The window follows its file, and finds the note under the new name.
        QCOMPARE(v->currentFile(), program.path("new.dan"));
        QCOMPARE(panel(v, "StatusBarForGraph", 5), QStringLiteral("First stop"));
        QTRY_COMPARE(v->listedFiles(), QStringList{"new.dan"});
    }

    // The program may be started from anywhere, the folder above the one
    // the file panel shows included: the list keeps showing that folder.
    void renameKeepsTheListWhereverTheProgramStarted_data()
    {
        QTest::addColumn<QString>("start");   // relative to the profile's folder
        QTest::newRow("the folder above") << "..";
        QTest::newRow("the profile's folder") << ".";
        QTest::newRow("a folder beside it") << "../elsewhere";
    }
    void renameKeepsTheListWhereverTheProgramStarted()
    {
        QFETCH(QString, start);
        QTemporaryDir above;
        const QString folder = above.filePath(QStringLiteral("dives"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QDir().mkpath(above.filePath(QStringLiteral("elsewhere"))));
        QVERIFY(WriteDanFile(folder + QStringLiteral("/old.dan"), {dive()}));
        QVERIFY(WriteDanFile(folder + QStringLiteral("/other.dan"), {dive()}));
        const QString startedIn = QDir::currentPath();
        const auto back = qScopeGuard([&] { QDir::setCurrent(startedIn); });
        QVERIFY(QDir::setCurrent(QDir(folder).absoluteFilePath(start)));

        Program program;
        Viewer *v = program.openProfile(folder + QStringLiteral("/old.dan"));
        QTRY_COMPARE(v->listedFiles(), (QStringList{"old.dan", "other.dan"}));
        v->FileListBox1->setFocus();
        QTest::keyClick(v->FileListBox1, Qt::Key_Home);
        program.dialogs().answerInput(QStringLiteral("new.dan"));
        user::action(v, QStringLiteral("Renamefile1"))->trigger();
        QVERIFY(QFileInfo::exists(folder + QStringLiteral("/new.dan")));
        QTRY_COMPARE(v->listedFiles(), (QStringList{"new.dan", "other.dan"}));
        // The list stays on the folder while the file system settles.
        QTest::qWait(2500);
        QCOMPARE(v->listedFiles(), (QStringList{"new.dan", "other.dan"}));
        QVERIFY(v->FileListBox1->rootIndex().isValid());
        QCOMPARE(static_cast<const QFileSystemModel *>(v->FileListBox1->model())->filePath(v->FileListBox1->rootIndex()),
                 QDir::cleanPath(folder));
    }

    void renameRefusesNamesOutsideTheFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("message");
        QTest::newRow("subfolder") << "sub/x.dan" << true;
        QTest::newRow("parent folder") << "../x.dan" << true;
        QTest::newRow("backslash") << "sub\\x.dan" << true;
        QTest::newRow("dot") << "." << true;
        QTest::newRow("dot dot") << ".." << true;
        QTest::newRow("blanks") << "  " << true;
        QTest::newRow("empty answer: nothing happens") << "" << false;
        QTest::newRow("a file of that name: FAILED") << "taken.dan" << true;
    }
    void renameRefusesNamesOutsideTheFolder()
    {
        QFETCH(QString, name);
        Program program;
        QDir(program.folder.path()).mkdir(QStringLiteral("sub"));
        const QString file = program.profile(QStringLiteral("a.dan"));
        const QByteArray taken = "not a profile";
        writeFile(program.path(QStringLiteral("taken.dan")), taken);
        Viewer *v = user::open<Viewer>(program.main(), QStringLiteral("ShowDANDiveProfiles1"));
        v->showDirectory(program.folder.path());
        QTRY_COMPARE(v->listedFiles().size(), 2);
        v->FileListBox1->setCurrentIndex(v->FileListBox1->model()->index(0, 0, v->FileListBox1->rootIndex()));
        program.dialogs().answerInput(name);
        program.dialogs().answerMessage(QMessageBox::Ok);
        user::action(v, QStringLiteral("Renamefile1"))->trigger();
        QFETCH(bool, message);
        QCOMPARE(program.dialogs().asked().size(), message ? 2 : 1);
        if (name == u"taken.dan")
            QCOMPARE(program.dialogs().asked().last().text,
                     QStringLiteral("Renaming %1 to %2 FAILED")
                         .arg(QDir::toNativeSeparators(file), QDir::toNativeSeparators(program.path(name))));
        QVERIFY(QFileInfo::exists(file));
        QCOMPARE(QDir(program.folder.path()).entryList(QDir::Files), (QStringList{"a.dan", "taken.dan"}));
        QCOMPARE(QDir(program.path("sub")).entryList(QDir::Files), QStringList());
        QCOMPARE(readFile(program.path("taken.dan")).toLatin1(), taken);
    }

    void deleteAsksForEveryFile()
    {
        Program program;
        const QString first = program.profile(QStringLiteral("1.dan"));
        const QString second = program.profile(QStringLiteral("2.dan"));
        writeFile(program.path(QStringLiteral("1.txt")), "note\n");
        Viewer *v = user::open<Viewer>(program.main(), QStringLiteral("ShowDANDiveProfiles1"));
        v->showDirectory(program.folder.path());
        QTRY_COMPARE(v->listedFiles().size(), 2);
        // Nothing selected: a beep, no question.
        user::action(v, QStringLiteral("Deletefile1"))->trigger();
        QVERIFY(program.dialogs().asked().isEmpty());
        v->FileListBox1->selectAll();
        program.dialogs().answerMessage(QMessageBox::Yes);
        program.dialogs().answerMessage(QMessageBox::No);
        user::action(v, QStringLiteral("Deletefile1"))->trigger();
        QCOMPARE(
            program.dialogs().messageTexts(),
            (QStringList{QStringLiteral("Are you sure you wish to delete %1").arg(QDir::toNativeSeparators(first)),
                         QStringLiteral("Are you sure you wish to delete %1").arg(QDir::toNativeSeparators(second))}));
        QVERIFY(!QFileInfo::exists(first));
        QVERIFY(QFileInfo::exists(second));
        QVERIFY(QFileInfo::exists(program.path("1.txt")));   // notes stay
        QTRY_COMPARE(v->listedFiles(), QStringList{"2.dan"});
    }

    void moveTakesTheNotesAlong()
    {
        Program program;
        const QString withNote = program.profile(QStringLiteral("1.dan"));
        const QString clash = program.profile(QStringLiteral("2.dan"));
        writeFile(program.path(QStringLiteral("1.txt")), "note\n");
        QTemporaryDir destination;
        writeFile(destination.filePath(QStringLiteral("2.dan")), "kept");
        Viewer *v = user::open<Viewer>(program.main(), QStringLiteral("ShowDANDiveProfiles1"));
        v->showDirectory(program.folder.path());
        QTRY_COMPARE(v->listedFiles().size(), 2);
        v->FileListBox1->selectAll();
        program.dialogs().answerDirectory(destination.path());
        program.dialogs().answerMessage(QMessageBox::Ok);
        user::action(v, QStringLiteral("Movefiles1"))->trigger();
        QVERIFY(!QFileInfo::exists(withNote));
        QVERIFY(!QFileInfo::exists(program.path("1.txt")));
        QVERIFY(QFileInfo::exists(destination.filePath("1.dan")));
        QCOMPARE(readFile(destination.filePath("1.txt")), QStringLiteral("note\n"));
        // A file of the same name in the destination is never replaced.
        QVERIFY(QFileInfo::exists(clash));
        QCOMPARE(readFile(destination.filePath("2.dan")), QStringLiteral("kept"));
        QCOMPARE(program.dialogs().messageTexts().size(), 1);
        QVERIFY(program.dialogs().messageTexts().first().contains(QStringLiteral("was not moved")));
        // Moving into the folder the files are in replaces nothing either.
        v->FileListBox1->selectAll();
        program.dialogs().answerDirectory(program.folder.path());
        program.dialogs().answerMessage(QMessageBox::Ok);
        user::action(v, QStringLiteral("Movefiles1"))->trigger();
        QVERIFY(QFileInfo(clash).size() > 100);
    }

    void notesAreSavedOnLeavingAndDeletedWhenEmptied()
    {
        Program program;
        const QString file = program.profile(QStringLiteral("a.dan"));
        const QString note = program.path(QStringLiteral("a.txt"));
        Viewer *v = program.openProfile(file);
        QVERIFY(!v->SeeNoteSpeedButton->isEnabled());
        v->PageControl1->setCurrentWidget(v->TabSheet2);
        user::type(v->RichEditProfileNote, QStringLiteral("Cold water"));
        QCOMPARE(panel(v, "DiveLogStatusBar", 1), QStringLiteral("Modified"));
        user::leave(v->RichEditProfileNote);
        QCOMPARE(readFile(note), QStringLiteral("Cold water"));
        QCOMPARE(panel(v, "DiveLogStatusBar", 1), QString());
        QCOMPARE(panel(v, "DiveLogStatusBar", 2), QDir::toNativeSeparators(note));
        QCOMPARE(panel(v, "StatusBarForGraph", 5), QStringLiteral("Cold water"));
        // The separate editor shows the note and remembers it.
        const int notes = user::windows<TEditForm>(program.main()).size();
        user::click(v->SpeedButton1);
        QCOMPARE(user::windows<TEditForm>(program.main()).size(), notes + 1);
        QCOMPARE(user::windows<TEditForm>(program.main()).last()->Editor->toPlainText(), QStringLiteral("Cold water"));
        QCOMPARE(program.main().FileHistory->files().value(0), note);
        // Emptying the editor and leaving it deletes the note.
        program.main().mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(v->parentWidget()));
        user::type(v->RichEditProfileNote, QString());
        user::leave(v->RichEditProfileNote);
        QVERIFY(!QFileInfo::exists(note));
    }

    void printButtonPrintsThisViewersProfileAndSummary()
    {
        Program program;
        Viewer *first = program.openProfile(program.profile(QStringLiteral("first.dan"), dive(80, QStringLiteral("09:15"))));
        Viewer *second = program.openProfile(program.profile(QStringLiteral("second.dan")));
        QVERIFY(first && second && first != second);
        // The welcome box of the start takes the first answer; the next one is the print dialog's.
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
        bool printedFromTheDialog = false;
        program.dialogs().answerDialog([&](QDialog &dialog) {
            auto *print = qobject_cast<TfmPrintGraphs *>(&dialog);
            if (!print)
                return -1;
            printedFromTheDialog = true;
            user::click(print, QStringLiteral("Button3"));   // printer setup: the PDF file
            user::click(print, QStringLiteral("Button2"));
            return dialog.result();
        });
        // The first viewer's button prints the first viewer's profile, though the second is newer.
        program.main().mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
        const qsizetype before = program.dialogs().asked().size();
        user::click(first, QStringLiteral("SpeedButton5"));
        QVERIFY(printedFromTheDialog);
        // One dialog, the graph print dialog: its "Print" asks nothing more.
        QStringList kinds;
        for (const auto &question : program.dialogs().asked().mid(before))
            kinds << question.kind;
        QCOMPARE(kinds, (QStringList{QStringLiteral("dialog"), QStringLiteral("printerSetup")}));
        const QString text = PdfText(pdf).simplified();
        QVERIFY2(text.contains(first->RChart1->Caption().simplified()), qPrintable(text));
        QVERIFY(!text.contains(second->RChart1->Caption().simplified()));
        for (int i = 0; i < 7; ++i)
            QVERIFY2(text.contains(panel(first, QStringLiteral("StatusBar"), i).simplified()), qPrintable(QString::number(i)));
    }

    void keyboardReadoutStepsAlongTheSamples()
    {
        const WaterTypeScope salt(true);
        Program program;
        Viewer *v = program.openProfile(program.profile(QStringLiteral("a.dan"), dive(100)));
        QTest::mouseClick(v->RChart1, Qt::LeftButton, {}, v->RChart1->plotRect().center());
        QVERIFY(v->RChart1->hasFocus());
        const auto minutes = [&] { return panel(v, "StatusBarForGraph", 2); };
        QTest::keyClick(v->RChart1, Qt::Key_Home);
        QCOMPARE(minutes(), QStringLiteral("Minutes:   0.00"));
        QCOMPARE(panel(v, "StatusBarForGraph", 1), localNumbers(QStringLiteral("Depth: 0.0")));
        auto *marker = v->RChart1->findChild<QWidget *>(QStringLiteral("SampleMarker"));
        QVERIFY(marker && marker->isVisible());
        QTest::keyClick(v->RChart1, Qt::Key_Right);
        QCOMPARE(minutes(), QStringLiteral("Minutes:   0.20"));
        QTest::keyClick(v->RChart1, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(minutes(), QStringLiteral("Minutes:   3.40"));   // sample 11
        QCOMPARE(panel(v, "StatusBarForGraph", 1), localNumbers(QStringLiteral("Depth: 100.0")));
        QCOMPARE(panel(v, "StatusBarForGraph", 4), localNumbers(QStringLiteral("ppO2: 0.85")));
        QCOMPARE(v->ppO2DBMeter->Position(), 54);
        QTest::keyClick(v->RChart1, Qt::Key_Left);
        QCOMPARE(minutes(), QStringLiteral("Minutes:   3.20"));
        QTest::keyClick(v->RChart1, Qt::Key_End);
        QCOMPARE(minutes(), QStringLiteral("Minutes:  33.00"));   // sample 99
        QTest::keyClick(v->RChart1, Qt::Key_Right);
        QCOMPARE(minutes(), QStringLiteral("Minutes:  33.00"));   // no further
        QTest::keyClick(v->RChart1, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(minutes(), QStringLiteral("Minutes:  29.40"));
        // The mouse takes the read-out back.
        QTest::mouseMove(v->RChart1, pixelOf(v->RChart1, 630, 50));
        QVERIFY(!marker->isVisible());
        QVERIFY(minutes().startsWith(QStringLiteral("Minutes:  10.")));
    }

    void severalDivesAreSplitIntoTheChosenFolder()
    {
        Program program;
        const QString file = program.path(QStringLiteral("02345.NEM"));
        QVERIFY(WriteDanFile(file, {dive(50, QStringLiteral("14:23")), dive(50, QStringLiteral("16:05"))}));
        QTemporaryDir destination;
        program.dialogs().answerMessage(QMessageBox::Yes); // split
        program.dialogs().answerDirectory(destination.path());
        program.dialogs().answerMessage(QMessageBox::No); // no storage move
        Viewer *v = program.openProfile(file);
        QCOMPARE(QDir(destination.path()).entryList(QDir::Files),
                 (QStringList{"03-02-97_14-23.Dan", "03-02-97_16-05.Dan"}));
        QVERIFY(QFileInfo::exists(file));
        QCOMPARE(v->shownDirectory(), QDir::cleanPath(destination.path()));
        QVERIFY(v->Panel1x->isVisible());
        QCOMPARE(v->RChart1->items().size(), std::size_t(0));
        QVERIFY(program.dialogs().unanswered().isEmpty());
    }

    void storageMoveThatWouldLoseTheFileSaysWhy_data()
    {
        QTest::addColumn<bool>("ownFolder");
        QTest::newRow("the file's own folder") << true;
        QTest::newRow("a folder holding a file of that name") << false;
    }
    void storageMoveThatWouldLoseTheFileSaysWhy()
    {
        QFETCH(bool, ownFolder);
        Program program;
        const QString file = program.path(QStringLiteral("02345.NEM"));
        QVERIFY(WriteDanFile(file, {dive(50, QStringLiteral("14:23")), dive(50, QStringLiteral("16:05"))}));
        const QString original = readFile(file);
        QTemporaryDir pieces;
        QTemporaryDir storage;
        writeFile(storage.filePath(QStringLiteral("02345.NEM")), "kept");
        program.dialogs().answerMessage(QMessageBox::Yes); // split
        program.dialogs().answerDirectory(pieces.path());
        program.dialogs().answerMessage(QMessageBox::Yes); // move into storage
        program.dialogs().answerDirectory(ownFolder ? program.folder.path() : storage.path());
        program.dialogs().answerMessage(QMessageBox::Ok);
        program.openProfile(file);
        const QString why = ownFolder ? QStringLiteral("%1 is in that folder already; it was not moved.").arg(file)
                                      : QStringLiteral("%1 already exists; %2 was not moved.")
                                            .arg(storage.filePath(QStringLiteral("02345.NEM")), file);
        QCOMPARE(program.dialogs().messageTexts().last(), why);
        QCOMPARE(readFile(file), original);
        QCOMPARE(readFile(storage.filePath(QStringLiteral("02345.NEM"))), QStringLiteral("kept"));
        QVERIFY(program.dialogs().unanswered().isEmpty());
    }
};

// The program's own application object, so that its guarded event delivery is tested too.
int main(int argc, char **argv)
{
    TidewellApplication app(argc, argv);
    TestDanGraphic test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_dangraphic.moc"
