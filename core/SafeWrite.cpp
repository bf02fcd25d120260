#include "core/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace {

QString writeThroughTemporaryFile(const QString &fileName, const QByteArray &bytes, bool &couldNotStart)
{
    QSaveFile file(fileName);
    // Unbuffered, so that a failed write shows in write()'s result: a write
    // error while QSaveFile flushes its buffer on commit goes unreported and
    // the temporary file, short of its data, replaces the old one.
    couldNotStart = !file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    if (couldNotStart)
        return file.errorString();
    if (file.write(bytes) != bytes.size())
        return file.errorString();
    // QSaveFile ignores a failed sync; data the disk could not take must not
    // replace the old file.
    if (::fdatasync(file.handle()) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (!file.commit())
        return file.errorString();
    return {};
}

// Writes `bytes` over the existing file, keeping a copy of the old content
// until the new one is complete.
QString writeInPlace(const QString &fileName, const QByteArray &bytes)
{
    QFile target(fileName);
    if (!target.open(QIODevice::ReadWrite))
        return target.errorString();
    const QByteArray old = target.readAll();
    QTemporaryFile backup(QDir::temp().filePath(QStringLiteral("tidewell-backup-XXXXXX")));
    if (!backup.open() || backup.write(old) != old.size() || !backup.flush())
        return QStringLiteral("No backup copy of the old content could be made: %1").arg(backup.errorString());

    auto restore = [&](const QString &why) {
        target.seek(0);
        const bool restored = target.write(old) == old.size() && target.resize(old.size()) && target.flush();
        if (restored)
            return why;
        backup.setAutoRemove(false);
        return QStringLiteral("%1; the old content is kept in %2").arg(why, backup.fileName());
    };
    if (!target.seek(0) || target.write(bytes) != bytes.size() || !target.resize(bytes.size()) || !target.flush())
        return restore(target.errorString());
    return {};
}

} // namespace

QString WriteWholeFile(const QString &fileName, const QByteArray &bytes)
{
    bool couldNotStart = false;
    const QString error = writeThroughTemporaryFile(fileName, bytes, couldNotStart);
    if (error.isEmpty() || !couldNotStart)
        return error;
    const QFileInfo info(fileName);
    if (info.exists() && info.isFile() && info.isWritable() && !CanCreateFilesIn(info.absolutePath()))
        return writeInPlace(fileName, bytes);
    return error;
}

bool CanCreateFilesIn(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".tidewell-probe-XXXXXX")));
    return probe.open();
}
