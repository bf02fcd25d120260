#pragma once

// What a child window may ask of the program that holds it. The main window
// implements it; tests give windows a small fake. A window gets its host
// when it is made and reaches the rest of the program only through it.

#include <QFont>
#include <QRect>
#include <QString>
#include <QStringList>

class TChildForm;
// What a window hands to another one; each is defined beside the window it opens.
struct BlendRequest;
struct GasNeedsRequest;
struct TankComparisonRequest;

// The kinds of child window the program can open.
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
    TankComparison,
    DecoSchedule,
};

// A dive handed to a new "Decompression schedule" window, in the units
// `metric` names; what it leaves out keeps the window's defaults.
struct DecoScheduleRequest
{
    bool metric = true;
    int depth = 40;
    int bottomTime = 25;         // minutes, descent included
    int bottomO2 = 21, bottomHe = 0;
    int decoO2 = 0;              // a deco gas of nitrox; 0: none
    int gfLow = 30, gfHigh = 85;
};

// Program commands that a window's own menus offer as well.
enum class ProgramCommand {
    OpenFile,       // the open dialog of the main window
    LoadDivePlan,   // a plan file into a new planner
    Exit,           // end the program, as the main window's "Exit"
};

class ChildHost
{
public:
    virtual ~ChildHost() = default;

    // Shows a window's units in the status bar's units panel.
    virtual void showUnits(bool metric) = 0;
    // The program's message line: hints and the windows' warnings.
    virtual void showMessage(const QString &text) = 0;
    // Opens a new window of `kind` and makes it active; nullptr when the
    // program has no window of that kind.
    virtual TChildForm *openWindow(ChildKind kind) = 0;
    // A new decompression schedule window computing `request`, shown and active.
    virtual void openDecoSchedule(const DecoScheduleRequest &request) = 0;
    // A new blending worksheet holding `request`'s mix, shown and active;
    // the worksheet, or nullptr when the program has none.
    virtual TChildForm *openBlending(const BlendRequest &request) = 0;
    // A new tank comparison with `request`'s rows, shown and active.
    virtual void openTankComparison(const TankComparisonRequest &request) = 0;
    // A new gas calculations window answering `request`, shown and active.
    virtual void openGasNeeds(const GasNeedsRequest &request) = 0;
    // A new note window holding `lines`, one paragraph each, shown and active.
    virtual void showInNewNote(const QStringList &lines) = 0;
    // A new plain-text note named `fileName` (also its caption; empty for
    // none) in `font`, holding `lines` and scrolled to its first line.
    virtual void showReport(const QString &fileName, const QFont &font, const QStringList &lines) = 0;
    // Where a window's frame stands in the program's client area, and a
    // move of the frame's top-left corner there.
    virtual QRect windowFrame(const TChildForm &window) const = 0;
    virtual void placeWindow(TChildForm &window, const QPoint &topLeft) = 0;
    // Runs a program command; whether it is available now.
    virtual void runCommand(ProgramCommand command) = 0;
    virtual bool commandAvailable(ProgramCommand command) const = 0;
    // A new note window showing the file, in the font family `fontFamily`
    // when one is given.
    virtual void openNoteFile(const QString &fileName, const QString &fontFamily) = 0;
    // Puts the file at the front of the recent files list.
    virtual void addRecentFile(const QString &fileName) = 0;
    // A new profile viewer showing the DAN research file or dive log; the
    // file goes to the recent files list.
    virtual void openProfile(const QString &fileName) = 0;
};
