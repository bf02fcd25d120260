#pragma once

// The look of a dive profile chart: depth over run time with the depth axis
// pointing down, a yellow line on teal, a dotted grid every 5 minutes and
// 10 depth units, rims for the scales, panning with the mouse, and the
// first 4000 s to 130 units in view. `face` is the colour around the plot
// and of the grid, the window's face colour in the viewer.
// The viewer, its printout, the benchmarks and the tests all draw with it.

#include <QColor>

class TRChart;

void SetProfileLook(TRChart &chart, const QColor &face = QColor(0xF0, 0xF0, 0xF0));
