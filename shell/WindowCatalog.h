#pragma once

// The child windows the main window's commands open. Each kind of window is
// made in one place, so a command, a toolbar button and the pop-up menu that
// open the same window cannot drift apart. A kind whose window is not part of
// the program yet has no maker, and its commands are disabled.

#include "widgets/ChildHost.h"

#include <functional>

class TChildForm;

using ChildMaker = std::function<TChildForm *(ChildHost &)>;

// The maker of a kind, or an empty function when there is none.
ChildMaker childMaker(ChildKind kind);
