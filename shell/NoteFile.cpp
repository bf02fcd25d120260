#include "shell/NoteFile.h"

#include "core/Errors.h"
#include "core/SafeWrite.h"
#include "core/Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace NoteFile {

namespace {

AppError cannotOpen(const QString &fileName, const QString &reason)
{
    return AppError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, reason));
}

AppError cannotWrite(const QString &fileName, const QString &reason)
{
    return AppError(QStringLiteral("Cannot write file \"%1\". %2").arg(fileName, reason));
}

bool hasUtf16Bom(const QByteArray &bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

} // namespace

QByteArray read(const QString &fileName)
{
    const QFileInfo info(fileName);
    if (info.isDir())
        throw cannotOpen(fileName, QStringLiteral("It is a folder, not a file."));
    if (info.exists() && info.size() > MaxSize)
        throw cannotOpen(fileName, QStringLiteral("The file holds %1 MB; notes can hold at most %2 MB.")
                                       .arg((info.size() + 1024 * 1024 - 1) / (1024 * 1024))
                                       .arg(MaxSize / (1024 * 1024)));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw cannotOpen(fileName, file.errorString());
    // The size is checked again on the open file: it may have grown since.
    QByteArray bytes = file.read(MaxSize + 1);
    if (file.error() != QFileDevice::NoError)
        throw cannotOpen(fileName, file.errorString());
    if (bytes.size() > MaxSize)
        throw cannotOpen(fileName, QStringLiteral("The file is larger than %1 MB.").arg(MaxSize / (1024 * 1024)));
    return bytes;
}

void write(const QString &fileName, const QByteArray &bytes)
{
    if (QFileInfo(fileName).isDir())
        throw cannotWrite(fileName, QStringLiteral("It is a folder, not a file."));
    const QString error = WriteWholeFile(fileName, bytes);
    if (!error.isEmpty())
        throw cannotWrite(fileName, error);
}

QString plainText(const QByteArray &bytes, const QString &fileName)
{
    if (hasUtf16Bom(bytes)) {
        auto decoder = QStringDecoder(bytes.startsWith("\xFF\xFE") ? QStringConverter::Utf16LE
                                                                   : QStringConverter::Utf16BE,
                                      QStringConverter::Flag::Default);
        return decoder.decode(bytes);
    }
    if (bytes.contains('\0'))
        throw cannotOpen(fileName, QStringLiteral("It is not a text file."));
    return decodeUtf8OrWindows1252(bytes);
}

QByteArray plainTextBytes(const QString &text) { return text.toUtf8(); }

} // namespace NoteFile
