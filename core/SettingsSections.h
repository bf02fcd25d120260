#pragma once

// Sections of the settings file that the program writes for itself. A record
// the user names (a diver, a gas mix) lives in a section of its own name, so
// it must never take one of these names: saving or deleting it would
// overwrite or erase the program's settings.

#include "core/IniFile.h"

#include <QString>
#include <QStringList>

bool IsProgramSection(const QString &name);
// The names listed in an index section: "Total", then the names at 1..Total.
QStringList IndexedNames(const IniFile &settings, const QString &indexSection);
