#pragma once

#include <QString>

// Asks the desktop to open the file with the program it associates with the
// file's type. False when the desktop could not start one.
bool openWithAssociatedProgram(const QString &fileName);
