// Pictures of the profile viewer as a user sees it (not a benchmark):
//   viewer_screenshot <folder>
// writes <folder>/viewer.png (a profile with decompression, the cursor
// read-out and the meter) and <folder>/viewer-filepanel.png (an empty
// viewer with its file panel), from generated DAN research files. The
// files are kept in <folder>/samples for trying the program by hand.
// Run it on a display or under Xvfb.

#include "charts/RChart.h"
#include "core/SettingsFile.h"
#include "profiles/window/DANGraphic.h"
#include "shell/Main.h"
#include "tests/support/DanFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

namespace {

void moveMouse(TRChart *chart, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart, &move);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QTemporaryDir settings;
    SetSettingsFileNameForTesting(settings.filePath(QStringLiteral("Tidewell.INI")));
    const QString samples = QDir(out).filePath(QStringLiteral("samples"));
    QDir().mkpath(samples);

    QList<DanDiveShape> dives;
    for (int i = 0; i < 3; ++i) {
        DanDiveShape dive;
        dive.number = i + 1;
        dive.time = QStringLiteral("1%1:2%1").arg(i);
        dive.samples = 160 + 40 * i;
        dive.intervalSeconds = 20;
        dive.maxDepth = 110 + 20 * i;
        dive.deco = {{dive.samples * 6 / 10, dive.samples * 7 / 10, 10}, {dive.samples * 7 / 10, dive.samples * 8 / 10, 20 - 10 * (i % 2)}};
        dive.warnings = {dive.samples / 2, dive.samples / 2 + 1};
        dives << dive;
        WriteDanFile(QDir(samples).filePath(QStringLiteral("03-02-97_1%1-2%1.Dan").arg(i)), {dive});
    }
    WriteDanFile(QDir(samples).filePath(QStringLiteral("02345.NEM")), dives);
    QFile note(QDir(samples).filePath(QStringLiteral("03-02-97_12-22.txt")));
    if (note.open(QIODevice::WriteOnly))
        note.write("Wreck dive, good visibility\nTwo stops on the way up.\n");
    note.close();

    TMainForm main;
    main.resize(1100, 760);
    main.show();
    main.openProfile(QDir(samples).filePath(QStringLiteral("03-02-97_12-22.Dan")));
    auto *viewer = qobject_cast<TfmDANResarchFormatGraphic *>(main.activeChild());
    viewer->parentWidget()->showMaximized();

    QTimer::singleShot(600, &app, [&] {
        const QRect plot = viewer->RChart1->plotRect();
        moveMouse(viewer->RChart1, QPoint(plot.left() + plot.width() * 45 / 100, plot.top() + plot.height() * 80 / 100));
        app.processEvents();
        main.grab().save(QDir(out).filePath(QStringLiteral("viewer.png")));
        viewer->parentWidget()->close();
        main.openWindow(ChildKind::ProfileViewer);
        auto *empty = qobject_cast<TfmDANResarchFormatGraphic *>(main.activeChild());
        empty->parentWidget()->showMaximized();
        empty->showDirectory(samples);
        QTimer::singleShot(800, &app, [&] {
            main.grab().save(QDir(out).filePath(QStringLiteral("viewer-filepanel.png")));
            app.quit();
        });
    });
    return app.exec();
}
