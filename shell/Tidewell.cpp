#include "shell/Application.h"
#include "shell/CommandLine.h"
#include "shell/FirstPaint.h"
#include "shell/FontWarmUp.h"
#include "shell/Main.h"
#include "shell/StartReport.h"
#include "shell/about.h"

int main(int argc, char **argv)
{
    answerHelpOrVersion(argc, argv);
    FontConfigWarmUp fonts;
    TidewellApplication app(argc, argv);
    const QStringList files = fileArguments(QApplication::arguments());
    fonts.wait();

    auto *splash = new TAboutBox;
    splash->makeSplash();
    splash->show();
    splash->repaint();
    QApplication::processEvents();

    TMainForm mainForm(files);
    quitOnFirstPaintWhenAsked(mainForm);
    quitAfterStartWhenAsked(mainForm);
    mainForm.show();

    splash->close();
    delete splash;
    return QApplication::exec();
}
