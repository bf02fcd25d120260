#include "shell/Application.h"
#include "shell/FirstPaint.h"
#include "shell/FontWarmUp.h"
#include "shell/Main.h"
#include "shell/about.h"

int main(int argc, char **argv)
{
    FontConfigWarmUp fonts;
    TidewellApplication app(argc, argv);
    fonts.wait();

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
