#include "profiles/window/DanOpenDialog.h"

#include "widgets/Dialogs.h"

QString AskForDanProfile(const QString &folder)
{
    FileDialogOptions options;
    options.title = QStringLiteral("Open");
    options.filter = QStringLiteral("DAN Research files (*.nem;*.dan)|*.nem;*.dan|"
                                    "Dive logs (*.uddf *.ssrf *.xml)|*.uddf;*.ssrf;*.xml|NEM Files (*.nem)|*.nem|"
                                    "DAN Files (*.dan)|*.dan|All files (*.*)|*.*");
    options.defaultExtension = QStringLiteral("nem");
    options.initialFolder = folder;
    options.mustExist = true;
    return Dialogs::current().openFileName(options);
}
