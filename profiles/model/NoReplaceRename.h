#pragma once

#include <QString>

// Renames `from` to `to` unless a directory entry of that name exists (a
// dangling link included); an existing file is never replaced. Gives an
// empty text on success, else the system's reason.
QString RenameWithoutReplacing(const QString &from, const QString &to);
