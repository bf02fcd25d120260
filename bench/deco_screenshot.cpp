// Opens "Decompression schedule" in the main window as Ctrl+F5 does, fills
// it with a trimix dive and saves a picture of it: deco_screenshot <folder>
// Writes deco-schedule.png; run on a display or under Xvfb.

#include "deco/window/DecoSchedule.h"
#include "shell/Application.h"
#include "shell/Main.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QSpinBox>
#include <QTimer>

int main(int argc, char **argv)
{
    TidewellApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    TMainForm main({QStringLiteral("x.txt")});
    main.resize(1300, 960);
    main.show();
    DecoScheduleRequest dive;
    dive.depth = 60;
    dive.bottomTime = 25;
    dive.bottomO2 = 18;
    dive.bottomHe = 45;
    dive.decoO2 = 50;
    main.openDecoSchedule(dive);
    auto *schedule = qobject_cast<TfmDecoSchedule *>(main.activeChild());
    if (!schedule)
        return 1;
    schedule->DecoGasO2[1]->setValue(100);
    schedule->parentWidget()->move(0, 0);
    schedule->parentWidget()->resize(schedule->parentWidget()->sizeHint().expandedTo(QSize(980, 700)));
    QTimer::singleShot(2500, &app, [&] {
        QCoreApplication::processEvents();
        schedule->parentWidget()->grab().save(QDir(folder).filePath(QStringLiteral("deco-schedule.png")));
        app.quit();
    });
    return app.exec();
}
