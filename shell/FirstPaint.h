#pragma once

class QWidget;

// For the start-up benchmark: when the environment variable
// TIDEWELL_QUIT_ON_FIRST_PAINT is set, the program ends as soon as `window`
// has painted for the first time. Without it, nothing changes.
void quitOnFirstPaintWhenAsked(QWidget &window);
