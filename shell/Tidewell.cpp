#include "shell/Application.h"
#include "shell/FirstPaint.h"
#include "shell/Main.h"
#include "shell/about.h"

int main(int argc, char **argv)
{
    TidewellApplication app(argc, argv);

    auto *splash = new TAboutBox;
    splash->makeSplash();
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    TMainForm mainForm(QApplication::arguments().mid(1));
    quitOnFirstPaintWhenAsked(mainForm);
    mainForm.show();

    splash->close();
    delete splash;
    return QApplication::exec();
}
