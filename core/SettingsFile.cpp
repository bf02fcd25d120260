#include "core/SettingsFile.h"

#include "core/SafeWrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString &testOverride()
{
    static QString name;
    return name;
}
} // namespace

QString ProfileNameForProgram(const QString &programPath)
{
    const QFileInfo info(programPath);
    const QString name = info.fileName();
    const int dot = name.lastIndexOf(u'.');
    const QString base = dot < 0 ? name : name.left(dot);
    return info.dir().filePath(base + QStringLiteral(".INI"));
}

QString InstalledDataFolderFor(const QString &programPath)
{
    // TIDEWELL_DATA_FROM_BIN is the data folder relative to the installed
    // program's folder, as the build was configured (normally ../share/tidewell).
    return QDir::cleanPath(QFileInfo(programPath).absoluteDir().filePath(QStringLiteral(TIDEWELL_DATA_FROM_BIN)));
}

bool IsInstalledProgram(const QString &programPath) { return QFileInfo(InstalledDataFolderFor(programPath)).isDir(); }

QString SettingsFileNameFor(const QString &programPath)
{
    // Every write replaces the whole file through a new file in its folder,
    // so a portable copy keeps its settings beside itself only where new
    // files can be created, whether or not the file itself is writable. An
    // installed program never does, even for root, who can write anywhere.
    const QString beside = ProfileNameForProgram(programPath);
    if (!IsInstalledProgram(programPath) && CanCreateFilesIn(QFileInfo(programPath).absolutePath()))
        return beside;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(folder);
    const QString own = QDir(folder).filePath(QFileInfo(beside).fileName());
    // Settings an installer left beside the program are the user's start.
    if (!QFileInfo::exists(own) && QFileInfo(beside).isFile())
        QFile::copy(beside, own);
    return own;
}

QString SettingsFileName()
{
    if (!testOverride().isEmpty())
        return testOverride();
    return SettingsFileNameFor(QCoreApplication::applicationFilePath());
}

QString SettingsFolder()
{
    return WithTrailingBackslash(QFileInfo(SettingsFileName()).absolutePath());
}

QString DataFolderFor(const QString &programPath)
{
    if (!IsInstalledProgram(programPath))
        return WithTrailingBackslash(QFileInfo(SettingsFileNameFor(programPath)).absolutePath());
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return WithTrailingBackslash(folder);
}

QString DataFolder()
{
    if (!testOverride().isEmpty())
        return SettingsFolder();
    return DataFolderFor(QCoreApplication::applicationFilePath());
}

void SetSettingsFileNameForTesting(const QString &fileName) { testOverride() = fileName; }

IniFile SettingsFile() { return IniFile(SettingsFileName()); }

QString WithTrailingBackslash(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(QDir::separator()))
        return folder;
    return folder + u'/';
}
