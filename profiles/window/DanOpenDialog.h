#pragma once

#include <QString>

// Asks for a DAN research file or a dive log to open, starting in `folder` (the last
// folder used when empty); gives its path, or an empty text when cancelled.
QString AskForDanProfile(const QString &folder);
