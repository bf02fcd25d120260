#pragma once

// Where the main window's floating toolbars go when they have no place of
// their own (the first start): one under the other at the right edge of the
// screen's work area, from the top of the window area down, away from the
// top-left corner where every child window opens.

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;
class TDocPanel;

// The top-left of a floating window of `size` in slot `above` pixels below
// `top`, at the right edge of `workArea`; kept inside the work area.
QPoint RightEdgePlace(const QRect &workArea, int top, int above, const QSize &size);

// Gives each toolbar a float placer: the first at the top of `client` (the
// window area) and each further one under those before it that float.
void PlaceFloatingToolbarsAtRightEdge(const QList<TDocPanel *> &bars, QWidget *client);
