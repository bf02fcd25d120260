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

QString SettingsFileNameFor(const QString &programPath)
{
    // Every write replaces the whole file through a new file in its folder,
    // so the settings live beside the program only where new files can be
    // created, whether or not the file itself is writable.
    const QString beside = ProfileNameForProgram(programPath);
    if (CanCreateFilesIn(QFileInfo(programPath).absolutePath()))
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

void SetSettingsFileNameForTesting(const QString &fileName) { testOverride() = fileName; }

IniFile SettingsFile() { return IniFile(SettingsFileName()); }

QString WithTrailingBackslash(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(QDir::separator()))
        return folder;
    return folder + u'/';
}
