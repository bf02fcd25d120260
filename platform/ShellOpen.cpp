#include "platform/ShellOpen.h"

#include <QDesktopServices>
#include <QUrl>

bool openWithAssociatedProgram(const QString &fileName)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}
