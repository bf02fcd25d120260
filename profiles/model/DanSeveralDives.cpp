#include "profiles/model/DanSeveralDives.h"

#include "profiles/model/FileMove.h"

#include <QDir>
#include <QFileInfo>

QString DanSplitQuestion()
{
    return QStringList{QString(),
                       QStringLiteral("The file you are trying to read contains information for several dives."),
                       QString(),
                       QStringLiteral("In order to ease administration of the dive information and speed of"),
                       QStringLiteral("reading the file will be split into several smaller files, each"),
                       QStringLiteral("containing only dive."),
                       QString(),
                       QStringLiteral("First you must select a destination directory for the new files."),
                       QString(),
                       QStringLiteral("Do you wish to continue ?"),
                       QString()}
        .join(u'\n');
}

QString DanStorageQuestion(const QString &fileName)
{
    return QStringList{QStringLiteral("%1 is now split up into smaller files and").arg(fileName),
                       QStringLiteral("Tidewell can now easily access these files."),
                       QString(),
                       QStringLiteral("It is recommended that you move the larger file into a storage"),
                       QStringLiteral("directory for safe storage and only access the smaller files."),
                       QString(),
                       QStringLiteral("Do you wish to move %1 into a storage directory ?").arg(fileName)}
        .join(u'\n');
}

QString MoveToDanStorage(const QString &path, const DanSeveralDivesCallbacks &callbacks)
{
    const QFileInfo file(path);
    const QString storage = QDir::cleanPath(file.absolutePath() + QStringLiteral("/DAN Data Storage"));
    QDir().mkpath(storage);
    const QString chosen = QDir::cleanPath(callbacks.chooseDirectory ? callbacks.chooseDirectory(storage) : storage);
    if (chosen != storage)
        QDir().rmdir(storage); // only when empty
    if (chosen.isEmpty() || chosen == u'.')
        return {};
    // Refused, with a message, when the chosen folder is the file's own or
    // holds a file of that name: the original is deleted only once a
    // separate copy of it is in place.
    const FileMove move = MoveFileInto(file.absoluteFilePath(), chosen);
    if (const QString message = FileMoveMessage(move, QDir(chosen).filePath(file.completeBaseName()));
        !message.isEmpty())
        callbacks.showMessage(message);
    return move.copied() ? move.destination : QString();
}

DanSeveralDivesResult OfferDanSplit(const QString &path, const DanSeveralDivesCallbacks &callbacks)
{
    DanSeveralDivesResult result;
    if (callbacks.beep)
        callbacks.beep();
    if (!callbacks.askYesNo(DanSplitQuestion()))
        return result;
    if (callbacks.busy)
        callbacks.busy(true);
    result.pieces = ReadFilesForMultibleNEMs(path, callbacks);
    if (callbacks.busy)
        callbacks.busy(false);
    for (const QString &message : std::as_const(result.pieces.messages))
        callbacks.showMessage(message);
    if (result.pieces.cancelled)
        return result;
    result.split = true;
    const QString fileName = QFileInfo(path).fileName();
    if (callbacks.askYesNo(DanStorageQuestion(fileName)))
        result.storedAt = MoveToDanStorage(path, callbacks);
    return result;
}
