#pragma once

// The child windows the main window's commands open. Each kind of window is
// made in one place, so a command, a toolbar button and the pop-up menu that
// open the same window cannot drift apart. A kind whose window is not part of
// the program yet has no maker, and its commands are disabled.

#include <functional>

class TChildForm;
class TMainForm;

enum class ChildKind {
    Notepad,
    FeetMeters,
    Temperature,
    Fathoms,
    NauticalMiles,
    Blending,
    MixEditor,
    TankContent,
    Fills,
    TankSize,
    Nitrox,
    BottomTime,
    DivePlan,
    Sac,
    GasNeeds,
    ProfileViewer,
};

using ChildMaker = std::function<TChildForm *(TMainForm *)>;

// The maker of a kind, or an empty function when there is none.
ChildMaker childMaker(ChildKind kind);
