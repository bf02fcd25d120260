#pragma once

// The user's notes of profiles are text files beside the profile's file: a
// DAN research file's note is "<name>.txt", and each dive of a dive log has
// "<log base name>-<dive number>.txt" (the dive's place in the log when its
// number cannot stand in a file name). Renaming or moving a file takes the
// notes of its profiles along.

#include "profiles/model/DiveLog.h"

#include <QString>
#include <QStringList>

#include <vector>

// The note of a log's dive.
QString LogDiveNotePath(const QString &logPath, const DiveHeader &dive);

// Every note the file at `path` may have, whether it exists or not: the
// ".txt" beside it and one per dive of `dives` (its dives when it is a
// log), each note once. For the same dives the list has the same order
// whatever the path, so the lists of a file's old and new name pair up.
QStringList ProfileNotePaths(const QString &path, const std::vector<DiveHeader> &dives);

// The dives of the log at `path` as its index gives them; none for a file
// that is no dive log or cannot be read.
std::vector<DiveHeader> LogDivesOf(const QString &path);
