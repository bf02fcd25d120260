#pragma once

// Where the program keeps its settings: a profile file named after the
// program with ".INI", beside the program; where that folder is not writable
// (an installed program), in the user's configuration folder.

#include "core/IniFile.h"

#include <QString>

// The settings file's full name.
QString SettingsFileName();
// The settings file of a program at `programPath`: beside it when its folder
// is writable, else under the same name in the user's configuration folder.
QString SettingsFileNameFor(const QString &programPath);
// The folder of the settings file, with a trailing separator.
QString SettingsFolder();
// The settings file name for a program at `programPath`: its extension
// (everything after the last "." of the file name) replaced by ".INI".
QString ProfileNameForProgram(const QString &programPath);
// Tests point the settings at a file of their own; an empty name restores
// the normal rule.
void SetSettingsFileNameForTesting(const QString &fileName);

// Opens the settings file for a few accesses in a row.
IniFile SettingsFile();

// The folder text with a path separator appended, unless it is empty or
// already ends with one.
QString WithTrailingBackslash(const QString &folder);
