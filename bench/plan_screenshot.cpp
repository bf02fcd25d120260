// Opens the dive planner in the main window as F4 does and saves pictures of
// it: plan_screenshot <folder>
// Run it beside a settings file and "Default.Dive" (the program's folder is
// the settings folder), on a display or under Xvfb. Writes
// planner-<units>-time.png and planner-<units>-diver.png (the profile graphic
// in minutes and in diver 1's gas) and planner-<units>-team.png, <units>
// being the plan's unit system.

#include "planner/window/Rule3.h"
#include "shell/Application.h"
#include "shell/Main.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTimer>

int main(int argc, char **argv)
{
    TidewellApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    TMainForm main({QStringLiteral("x.txt")});
    main.resize(1300, 960);
    main.show();
    main.action(QStringLiteral("NewDivePlan1"))->trigger();
    auto *plan = qobject_cast<TfmRuleOfThird *>(main.activeChild());
    if (!plan)
        return 1;
    // The window's controls, by their names.
    auto *graphicsWho = plan->findChild<QComboBox *>(QStringLiteral("ShowGraphicsWho"));
    auto *upperPages = plan->findChild<QTabWidget *>(QStringLiteral("UpperPageControl"));
    auto *lowerPages = plan->findChild<QTabWidget *>(QStringLiteral("LowerPageControl"));
    if (!graphicsWho || !upperPages || !lowerPages)
        return 1;
    const QString units = plan->isMetric() ? QStringLiteral("metric") : QStringLiteral("imperial");
    plan->parentWidget()->move(0, 0);
    auto picture = [&](const QString &name) {
        QCoreApplication::processEvents();
        plan->parentWidget()->grab().save(QDir(folder).filePath(QStringLiteral("planner-%1-%2.png").arg(units, name)));
    };
    QTimer::singleShot(2500, &app, [&] {
        upperPages->setCurrentIndex(1);
        graphicsWho->setCurrentIndex(2);
        emit graphicsWho->activated(2);
        picture(QStringLiteral("time"));
        graphicsWho->setCurrentIndex(0);
        emit graphicsWho->activated(0);
        picture(QStringLiteral("diver"));
        upperPages->setCurrentIndex(2);
        lowerPages->setCurrentIndex(1);
        picture(QStringLiteral("team"));
        app.quit();
    });
    return app.exec();
}
