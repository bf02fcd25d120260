#include "profiles/model/FileCopy.h"

#include "core/SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

bool fileCopy(const QString &source, const QString &destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(destination);
    if (!OpenWholeFile(out))
        return false;
    constexpr qint64 BlockSize = 16384;
    char block[BlockSize];
    for (;;) {
        const qint64 got = in.read(block, BlockSize);
        if (got < 0)
            return false;
        if (got == 0)
            break;
        if (out.write(block, got) != got)
            return false;
    }
    if (!CommitWholeFile(out).isEmpty())
        return false;
    QFile copy(destination);
    if (copy.open(QIODevice::WriteOnly | QIODevice::Append))
        copy.setFileTime(QFileInfo(source).lastModified(), QFileDevice::FileModificationTime);
    return true;
}
