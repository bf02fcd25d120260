#pragma once

class QWidget;

// For the start-up benchmark: when the environment variable
// TIDEWELL_QUIT_ON_FIRST_PAINT is set, `window` closes (and so the program
// ends, saving as at any exit) as soon as it has painted for the first time.
// Without it, nothing changes.
void quitOnFirstPaintWhenAsked(QWidget &window);
