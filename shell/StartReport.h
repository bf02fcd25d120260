#pragma once

class QMainWindow;

// For the test of an installed program: when the environment variable
// TIDEWELL_QUIT_AFTER_START is set, the program writes the file of each open
// note to standard output ("note: <path>") once its start step has run (the
// welcome note and the About box, or the file named on the command line),
// then closes the About box and ends as at any exit. Without it, nothing
// changes.
void quitAfterStartWhenAsked(QMainWindow &window);
