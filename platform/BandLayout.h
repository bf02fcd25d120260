#pragma once

// Where the labels of one report band go this time they print, worked out
// from the measured size of their texts (see ReportPages.h).

#include "platform/ReportPages.h"

#include <QFont>
#include <QRectF>
#include <QString>

#include <vector>

class QPaintDevice;

namespace report {

// A label as it prints this time: its text set, its font, its place in
// millimetres within the band.
struct LaidOutLabel
{
    const Label *label = nullptr;
    QString text;
    QFont font;
    QRectF rect;
};

// Lays the labels of a band out for their texts in their fonts on `device`,
// within a printable area `pageWidth` millimetres wide; `labels` start at
// their design places. Returns the band's height.
double LayOutBand(std::vector<LaidOutLabel> &labels, double designHeight, double pageWidth,
                  const QPaintDevice &device);

} // namespace report
