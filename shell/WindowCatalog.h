#pragma once

// The child windows the program can open, as data: for each kind of window
// its maker and every place its command stands (main menu, pop-up menu,
// toolbars) with name, caption, hint, key and glyph. The main window builds
// its menus and toolbars from it, so a new kind of window is one row here
// plus the window's own files. A kind without a maker is not part of the
// program yet: its commands are shown, disabled.

#include "widgets/ChildHost.h"

#include <QIcon>
#include <QKeySequence>
#include <QList>
#include <QString>

#include <functional>

class TChildForm;

using ChildMaker = std::function<TChildForm *(ChildHost &)>;

// The hint of the commands that open the dive planner.
inline const QString PlanningHint =
    QStringLiteral("Dive planning with 'Rule of Third' |Including calculation of turn/call pressure");

// The places in the main window's menus and toolbars that hold window
// commands; the main window lays them out among its other commands.
enum class CommandPlace {
    FileMenu,                  // "&File"
    ConversionsMenu,           // "&Calculations" > "Con&versions"
    CalculationsMenu,          // "&Calculations", before "&Tanks"
    TanksMenu,                 // "&Calculations" > "&Tanks"
    CalculationsAfterTanks,    // "&Calculations", after "&Tanks"
    PlanningMenu,              // "&Planning tools", first
    PlanningTools,             // "&Planning tools", after the plan files
    DiveComputersMenu,         // "&Planning tools" > "&Dive computers"
    PopupProfiles,             // the client area's pop-up menu, first
    PopupPlans,                // the pop-up menu, after "&Load dive plan"
    PopupBlending,             // the pop-up menu, after the plans
    PopupConversions,          // the pop-up menu's "Con&versions"
    MainToolbar,               // "Toolbar"
    MiscToolbar,               // "Toolbar misc"
};

struct WindowCommand
{
    CommandPlace place;
    int order;                 // position among the commands of its place
    QString name;              // the action's object name
    QString caption;
    QString hint;
    QKeySequence shortcut = {};
    QIcon (*glyph)() = nullptr;
    bool separatorBefore = false;
};

struct WindowKind
{
    ChildKind kind;
    ChildMaker make;           // empty: not part of the program yet
    QList<WindowCommand> commands;
};

// Every kind of window, each once.
const QList<WindowKind> &windowCatalog();

// The maker of a kind, or an empty function when there is none.
ChildMaker childMaker(ChildKind kind);

// The commands of one place, in their order, with the kind each one opens.
QList<std::pair<ChildKind, WindowCommand>> commandsAt(CommandPlace place);
