// A picture of the first start as a user sees it (not a benchmark):
//   startup_screenshot <file.png>
// shows the main window with a fresh settings file, opens an empty profile
// viewer (its toolbar and file list are what floating toolbars used to
// cover) and grabs the whole screen. Run it under Xvfb.

#include "core/SettingsFile.h"
#include "shell/Main.h"

#include <QApplication>
#include <QDialog>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("first-start.png");
    QTemporaryDir settings;
    SetSettingsFileNameForTesting(settings.filePath(QStringLiteral("Tidewell.INI")));
    TMainForm main;
    main.move(0, 0);
    main.show();
    QTimer::singleShot(500, &main, [&main] { main.openChild(ChildKind::ProfileViewer); });
    QTimer::singleShot(1500, &app, [&app, out] {
        QApplication::primaryScreen()->grabWindow(0).save(out);
        app.exit(0);
    });
    return QApplication::exec();
}
