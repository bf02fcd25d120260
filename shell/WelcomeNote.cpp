#include "shell/WelcomeNote.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString welcomeNoteFileName()
{
    const QDir programFolder(QCoreApplication::applicationDirPath());
    // TIDEWELL_DATA_FROM_BIN is the data folder relative to the installed
    // program's folder, as the build was configured (normally ../share/tidewell).
    for (const QString &folder : {QStringLiteral("."), QStringLiteral(TIDEWELL_DATA_FROM_BIN)}) {
        const QString name = QDir::cleanPath(programFolder.filePath(folder + QStringLiteral("/readme.rtf")));
        if (QFileInfo::exists(name))
            return name;
    }
    return {};
}
