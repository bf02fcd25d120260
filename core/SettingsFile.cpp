#include "core/SettingsFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString &testOverride()
{
    static QString name;
    return name;
}

bool folderIsWritable(const QString &folder, const QString &fileName)
{
    const QFileInfo file(fileName);
    if (file.exists())
        return file.isWritable();
    const QFileInfo dir(folder);
    return dir.isDir() && dir.isWritable();
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
    const QString beside = ProfileNameForProgram(programPath);
    if (folderIsWritable(QFileInfo(programPath).absolutePath(), beside))
        return beside;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(folder);
    return QDir(folder).filePath(QFileInfo(beside).fileName());
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
