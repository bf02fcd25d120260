#pragma once

#include <QString>

// Copies `source` to `destination` (replacing a file of that name) in
// blocks of 16384 bytes and gives the copy the source's modification time.
// True when every block was written whole; the destination appears only
// complete.
bool fileCopy(const QString &source, const QString &destination);
