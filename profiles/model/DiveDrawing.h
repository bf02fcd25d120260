#pragma once

// A dive of a log drawn as the same chart operations a DAN research file
// gives (DanDrawing.h), in the viewer's unit system, and the summary panels
// and cursor read-out of such a dive.

#include "profiles/model/DanDrawing.h"
#include "profiles/model/DanViewerMath.h"
#include "profiles/model/DiveLog.h"

#include <QStringList>

#include <functional>

struct DiveDrawResult
{
    double maxDepth = 0;       // in the drawn depth unit
    double maxTime = 0;        // seconds
    double maxTemperature = 0; // in the drawn temperature unit
};

// Mark styles of a log dive besides the DAN ones.
constexpr int GasSwitchMark = 24;
constexpr int GasNameFontSize = 8;

// Depth over time in metres (metric) or feet; the line white, yellow while
// in deco; the ceiling band from the surface to the computer's stop depth
// while in deco; blue temperature marks (°C or °F) on the depth scale where
// the file gave one; black tank pressure marks (the first pressure at 70)
// at most every tenth sample; a green mark at each gas switch with the
// mix's name a little above it. `redraw` is called every 200 samples.
DiveDrawResult DrawLogDive(const LogDive &dive, bool metric, DanPlotter &plotter,
                           const std::function<void()> &redraw = {});

// The seven summary panels of a log dive, in the window's unit system.
QStringList DiveSummaryTexts(const LogDive &dive, bool metric);

// The read-out at (x seconds, y depth in the drawn unit): the ppO2 of the
// mix breathed then, or the recorded ppO2 of a rebreather.
DanCursorReadout LogDiveReadout(const LogDive &dive, bool metric, double x, double y);
