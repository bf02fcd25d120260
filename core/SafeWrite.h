#pragma once

// Writes a whole file so that it is never left half written: the new content
// goes to a temporary file beside the target, which then replaces it. When
// the folder refuses new files but the file itself may be written (a program
// folder that an administrator left read-only around a writable settings
// file), the file is written in place after a backup copy of the old content
// is made in the system's temporary folder; a failed write puts the old
// content back, and the backup is removed after success.

#include <QByteArray>
#include <QString>

class QSaveFile;

// Returns an empty text on success, else why the file could not be written.
QString WriteWholeFile(const QString &fileName, const QByteArray &bytes);

// For files written piece by piece: opens `file` so that every failed write
// shows in write()'s result, and commits it only when the disk holds all of
// it (an empty text), else gives why and leaves the old file as it was.
bool OpenWholeFile(QSaveFile &file);
QString CommitWholeFile(QSaveFile &file);

// Whether a new file can be created in `folder` (tried with a temporary file).
bool CanCreateFilesIn(const QString &folder);
