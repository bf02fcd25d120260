#include "widgets/PlainFileIcons.h"

#include <QFileInfo>
#include <QMimeDatabase>

QIcon PlainFileIcons::icon(const QFileInfo &info) const
{
    if (info.isRoot())
        return icon(Drive);
    return icon(info.isDir() ? Folder : File);
}

QString PlainFileIcons::type(const QFileInfo &info) const
{
    if (info.isDir())
        return QStringLiteral("Folder");
    return QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension).comment();
}

PlainFileIcons *plainFileIcons()
{
    static auto *icons = new PlainFileIcons;
    return icons;
}
