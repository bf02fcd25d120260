#include "profiles/model/ProfileNotes.h"

#include "profiles/model/DanViewerMath.h"
#include "profiles/model/DiveLogReader.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {

// A dive number that can stand in a file name.
bool usableInFileName(const QString &number)
{
    if (number.isEmpty() || number.size() > 20)
        return false;
    for (const QChar c : number)
        if (!c.isLetterOrNumber() && c != u'-' && c != u'_')
            return false;
    return true;
}

QString noteKey(const DiveHeader &dive)
{
    return usableInFileName(dive.number) ? dive.number : QString::number(dive.position);
}

} // namespace

QString LogDiveNotePath(const QString &logPath, const DiveHeader &dive)
{
    const QFileInfo log(logPath);
    return log.dir().filePath(log.completeBaseName() + u'-' + noteKey(dive) + QStringLiteral(".txt"));
}

QStringList ProfileNotePaths(const QString &path, const std::vector<DiveHeader> &dives)
{
    QStringList notes{DanNotePath(path)};
    QSet<QString> keys;
    for (const DiveHeader &dive : dives)
        if (const QString key = noteKey(dive); !keys.contains(key)) {
            keys.insert(key);
            notes << LogDiveNotePath(path, dive);
        }
    return notes;
}

std::vector<DiveHeader> LogDivesOf(const QString &path)
{
    if (!IsDiveLogFile(path))
        return {};
    return OpenDiveLog(path).log.headers;
}
