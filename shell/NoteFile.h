#pragma once

// Reading and writing the files of note windows. The checks here keep a note
// window from loading what is not a note (a folder, a binary file, a file too
// large to edit) and turn every failure into an error with a clear text.

#include <QByteArray>
#include <QString>

namespace NoteFile {

// Larger files are refused: the editor would take many seconds and much
// memory to lay them out, and nobody edits such notes by hand.
constexpr qint64 MaxSize = 20 * 1024 * 1024;

// The whole file. Raises AppError when it is missing, a folder, unreadable
// or larger than MaxSize.
QByteArray read(const QString &fileName);

// Replaces the file with `bytes` in one step, so a failed write leaves the
// old file as it was. Raises AppError when the file cannot be written
// (read-only file or folder, a folder of that name, a full disk).
void write(const QString &fileName, const QByteArray &bytes);

// The text of a plain-text note: UTF-8 or UTF-16 with a byte-order mark,
// UTF-8, or else Windows-1252. Raises AppError for binary content.
QString plainText(const QByteArray &bytes, const QString &fileName);

// Plain notes are written as UTF-8 without a byte-order mark.
QByteArray plainTextBytes(const QString &text);

} // namespace NoteFile
