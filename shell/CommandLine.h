#pragma once

#include <QStringList>

// The program's command line: --help and --version, and any number of file
// arguments, which the main window joins with blanks into one file name.

// Answers --help or --version and ends the program; returns when neither is
// asked. It runs before the application object exists, so that both work
// without a display.
void answerHelpOrVersion(int argc, char **argv);

// The file arguments of `arguments` (the program name first, Qt's own options
// already taken out). An unknown option ends the program with a message;
// "--" ends the options, for a file whose name starts with "-".
QStringList fileArguments(const QStringList &arguments);
