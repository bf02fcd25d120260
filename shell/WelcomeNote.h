#pragma once

#include <QString>

// The help file shown at start: "readme.rtf" beside the program, or, for an
// installed program, in the data folder of its installation
// (share/tidewell/ beside bin/). Empty when there is none.
QString welcomeNoteFileName();
