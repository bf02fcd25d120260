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
    couldNotStart = !OpenWholeFile(file);
    if (couldNotStart)
        return file.errorString();
    if (file.write(bytes) != bytes.size())
        return file.errorString();
    return CommitWholeFile(file);
}

QString syncError(QFileDevice &file)
{
    return ::fdatasync(file.handle()) == 0 ? QString() : QString::fromLocal8Bit(std::strerror(errno));
}

// Writes `bytes` over the existing file, keeping a copy of the old content
// until the new one is complete. Unbuffered: a write that fails must fail
// at once, not later when a buffer holding half of it is flushed.
QString writeInPlace(const QString &fileName, const QByteArray &bytes)
{
    QFile target(fileName);
    if (!target.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return target.errorString();
    const QByteArray old = target.readAll();
    if (target.error() != QFileDevice::NoError)
        return target.errorString();
    QTemporaryFile backup(QDir::temp().filePath(QStringLiteral("tidewell-backup-XXXXXX")));
    if (!backup.open() || backup.write(old) != old.size() || !backup.flush() || !syncError(backup).isEmpty())
        return QStringLiteral("No backup copy of the old content could be made: %1").arg(backup.errorString());

    auto restore = [&](const QString &why) {
        const bool restored = target.seek(0) && target.write(old) == old.size() && target.resize(old.size())
                              && syncError(target).isEmpty();
        if (restored)
            return why;
        backup.setAutoRemove(false);
        return QStringLiteral("%1; the old content is kept in %2").arg(why, backup.fileName());
    };
    if (!target.seek(0) || target.write(bytes) != bytes.size() || !target.resize(bytes.size()))
        return restore(target.errorString());
    if (const QString error = syncError(target); !error.isEmpty())
        return restore(error);
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

bool OpenWholeFile(QSaveFile &file)
{
    // Unbuffered, so that a failed write shows in write()'s result: a write
    // error while QSaveFile flushes its buffer on commit goes unreported and
    // the temporary file, short of its data, replaces the old one.
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

QString CommitWholeFile(QSaveFile &file)
{
    // QSaveFile ignores a failed sync; data the disk could not take must not
    // replace the old file.
    if (const QString error = syncError(file); !error.isEmpty())
        return error;
    if (!file.commit())
        return file.errorString();
    return {};
}

bool CanCreateFilesIn(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".tidewell-probe-XXXXXX")));
    return probe.open();
}
