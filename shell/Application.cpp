#include "shell/Application.h"

#include "shell/Background.h"
#include "widgets/ErrorGuard.h"
#include "shell/Style.h"

TidewellApplication::TidewellApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Tidewell"));
    setApplicationDisplayName(QStringLiteral("Tidewell"));
    // The installed launcher's name: Wayland desktops match windows to it.
    setDesktopFileName(QStringLiteral("org.example.tidewell.Tidewell"));
    setStyle(new TidewellStyle);
    setWindowIcon(programIcon());
}

bool TidewellApplication::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
