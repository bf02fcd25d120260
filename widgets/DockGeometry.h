#pragma once

// The geometry of docking, apart from any window: where buttons go in rows,
// which side an outline docks to, and where a docked outline lies.

#include "widgets/Dockbar.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

struct ButtonFlow
{
    QList<QPoint> places;  // top-left of each item, from the start of the bar
    int thickness = 0;     // extent across the bar that the rows need
    int length = 0;        // extent along the bar of the longest row
};

inline bool IsHorizontalSide(TDocPanel::TAlign side)
{
    return side != TDocPanel::alLeft && side != TDocPanel::alRight;
}

// How far the rectangle lies inside from the client area's edge at `side`.
int OffsetFromEdge(TDocPanel::TAlign side, const QRect &rect, const QRect &client);

// Lays items out in their order along `along` (rows for horizontal, columns
// for vertical), `spacing` apart. With `wrap`, an item that would pass
// `length` starts the next row, one row height (the tallest item) further.
ButtonFlow FlowButtons(const QList<QSize> &sizes, Qt::Orientation along, int length, bool wrap, int spacing);

// The side an outline docks to against the client area (both in the same
// coordinates), trying top, bottom, left and right in that order and only
// the sides in `sides`; alNone when the outline floats. A side matches when
// the outline overlaps the client area along that side and meets the band
// `band` pixels either side of its edge.
TDocPanel::TAlign DockTest(const QRect &outline, const QRect &client, int band, TDocPanel::TDockingSides sides);

// The outline of a panel of the given thickness docked at `side`: full
// length along that side of the client area.
QRect DockedOutline(TDocPanel::TAlign side, const QRect &client, int thickness);
