#include "profiles/model/FileMove.h"

#include "profiles/model/FileCopy.h"
#include "profiles/model/NoReplaceRename.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

// A directory entry of that name, a link that leads nowhere included.
bool nameTaken(const QString &path)
{
    const QFileInfo entry(path);
    return entry.exists() || entry.isSymLink();
}

} // namespace

FileMove MoveFileInto(const QString &source, const QString &folder)
{
    FileMove move;
    move.source = source;
    const QFileInfo original(source);
    move.destination = QDir(folder).filePath(original.fileName());
    if (QFileInfo(folder) == QFileInfo(original.absolutePath())) {
        move.outcome = FileMove::AlreadyThere;
        return move;
    }
    if (nameTaken(move.destination)) {
        move.outcome = FileMove::NameTaken;
        return move;
    }
    // The copy is made under a name of its own beside the destination and
    // takes the destination's name only while that is free, so a file that
    // appeared there in the meantime is not replaced either.
    QTemporaryFile part(QDir(folder).filePath(QStringLiteral(".%1.XXXXXX").arg(original.fileName())));
    if (!part.open()) {
        move.outcome = FileMove::CopyFailed;
        return move;
    }
    part.close();
    if (!fileCopy(source, part.fileName())) {
        move.outcome = FileMove::CopyFailed;
        return move;
    }
    // A moved file keeps its permissions (the reserved name is private).
    QFile::setPermissions(part.fileName(), original.permissions());
    if (!RenameWithoutReplacing(part.fileName(), move.destination).isEmpty()) {
        move.outcome = nameTaken(move.destination) ? FileMove::NameTaken : FileMove::CopyFailed;
        return move;
    }
    part.setAutoRemove(false);
    move.outcome = QFile::remove(source) ? FileMove::Moved : FileMove::DeleteFailed;
    return move;
}

QString FileMoveMessage(const FileMove &move, const QString &copyTarget)
{
    const QString source = QDir::toNativeSeparators(move.source);
    switch (move.outcome) {
    case FileMove::Moved: return {};
    case FileMove::AlreadyThere: return QStringLiteral("%1 is in that folder already; it was not moved.").arg(source);
    case FileMove::NameTaken:
        return QStringLiteral("%1 already exists; %2 was not moved.")
            .arg(QDir::toNativeSeparators(move.destination), source);
    case FileMove::CopyFailed:
        return QStringLiteral("Copy  %1 to %2 failed.").arg(source, QDir::toNativeSeparators(copyTarget));
    case FileMove::DeleteFailed: return QStringLiteral("Delete FAILED - ") + source;
    }
    return {};
}
