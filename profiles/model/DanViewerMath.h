#pragma once

// The arithmetic of the profile viewer, kept apart from its widgets: the
// cursor read-out, the zoom about the middle of the view, the note beside a
// profile and the check of a new file name.

#include <QString>

#include <optional>

// The texts and the meter position for a point of the chart: x in seconds,
// y a depth in feet. The ppO2 is that of air at the depth rounded to the
// nearest foot, in the program's current water type.
struct DanCursorReadout
{
    QString depth;   // "Depth: %3.1f"
    QString minutes; // "Minutes: %3.0f.%s"
    QString ppO2;    // "ppO2: %1.2f"
    double partialPressure = 0;
    int meterPosition = 0; // ppO2 x 62.5 rounded, plus 1: 1.6 gives 101
};

// The read-out works in whole minutes and seconds and in whole feet. A view
// zoomed out far enough reaches points whose numbers no integer holds, so
// the point is held within these bounds (some 31 700 years, and a billion
// feet) first.
constexpr double LongestReadoutTime = 1e12;
constexpr double DeepestReadoutDepth = 1e9;

// The read-out of a point of the chart; a point beyond a trillion seconds
// or a billion feet reads as that bound.
DanCursorReadout DanReadout(double x, double y);
// The read-out of a point of the chart with the ppO2 breathed there.
DanCursorReadout DanReadoutWith(double x, double y, double partialPressure);
// The mouse's read-out: nothing when the pointer lies outside the plot, at
// or below zero on either axis, or where the view gives no number.
std::optional<DanCursorReadout> DanCursorAt(bool inPlot, double x, double y);

struct DanView
{
    double loX = 0, loY = 0, hiX = 0, hiY = 0;
    bool operator==(const DanView &) const = default;
};

// The view zoomed about its middle: the span shrinks by 1.4 when zooming
// in and grows by 1.4 when zooming out; each axis keeps its direction.
// Centre and half spans are held in single precision.
DanView DanZoom(const DanView &view, bool zoomIn);

// The note of a profile: the same path with the extension ".txt".
QString DanNotePath(const QString &profilePath);

// Why `name` cannot be the new name of a file in its own folder, or an
// empty text when it can: no path separators, not empty, not "." or "..".
QString DanNewNameProblem(const QString &name);
