#include "shell/WelcomeNote.h"

#include "core/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString welcomeNoteFileName()
{
    const QString program = QCoreApplication::applicationFilePath();
    for (const QString &folder : {QFileInfo(program).absolutePath(), InstalledDataFolderFor(program)}) {
        const QString name = QDir(folder).filePath(QStringLiteral("readme.rtf"));
        if (QFileInfo::exists(name))
            return name;
    }
    return {};
}
