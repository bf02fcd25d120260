#pragma once

// Where the program keeps the files it writes. A portable copy (run from its
// build or unpacked folder) keeps them beside itself: a profile file named
// after the program with ".INI", and "Default.Dive"; where that folder is
// not writable, in the user's configuration folder. An installed program
// (in <prefix>/bin with <prefix>/share/tidewell beside it) never writes into
// its installation, whoever runs it: its settings go to the user's
// configuration folder, its other files to the user's data folder.

#include "core/IniFile.h"

#include <QString>

// The settings file's full name.
QString SettingsFileName();
// The settings file of a program at `programPath`: beside a portable copy
// whose folder is writable, else under the same name in the user's
// configuration folder.
QString SettingsFileNameFor(const QString &programPath);
// The folder of the settings file, with a trailing separator.
QString SettingsFolder();
// The folder of the other files the program writes ("Default.Dive"), with a
// trailing separator: the settings file's folder for a portable copy, the
// user's data folder for an installed program. Created when missing.
QString DataFolderFor(const QString &programPath);
QString DataFolder();
// The data folder of the installation a program at `programPath` would
// belong to (<prefix>/share/tidewell beside <prefix>/bin), whether or not
// it exists; the program counts as installed exactly when it does.
QString InstalledDataFolderFor(const QString &programPath);
bool IsInstalledProgram(const QString &programPath);
// The settings file name for a program at `programPath`: its extension
// (everything after the last "." of the file name) replaced by ".INI".
QString ProfileNameForProgram(const QString &programPath);
// Tests point the settings at a file of their own, and the data folder at
// its folder; an empty name restores the normal rule.
void SetSettingsFileNameForTesting(const QString &fileName);

// Opens the settings file for a few accesses in a row.
IniFile SettingsFile();

// The folder text with a path separator appended, unless it is empty or
// already ends with one.
QString WithTrailingBackslash(const QString &folder);
