#pragma once

// The mouse cursors of the chart, drawn in code: a cross when the chart has
// no mouse action, a hand for panning and magnifiers for the zoom actions.

#include "charts/RChart.h"

#include <QCursor>

QCursor ChartCursor(MouseActMode action);
