// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to show a main window, built with the same flags as Tidewell.
#include "shell/FirstPaint.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(900, 640);
    // With an argument, the window shows one menu: the least a window with
    // text costs (the font database has to be loaded for it).
    if (argc > 1)
        window.menuBar()->addMenu(QStringLiteral("&File"));
    quitOnFirstPaintWhenAsked(window);
    window.show();
    return QApplication::exec();
}
