// The yardstick of the start-up benchmark: the least a Qt Widgets program
// does to show a main window, built with the same flags as Tidewell.
#include "shell/FirstPaint.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(900, 640);
    quitOnFirstPaintWhenAsked(window);
    window.show();
    return QApplication::exec();
}
