#pragma once

// The plot's grid set directly in a 32-bit image, the same pixels a painter
// sets with a one-pixel pen (solid, or dotted: every other pixel from the
// line's start), without the painter's dash stroker, which costs more than
// the rest of a frame's background.

#include <QRgb>

#include <vector>

class QColor;
class QImage;
class QPainter;

struct GridLines
{
    std::vector<int> xs; // vertical lines, in plot pixels
    std::vector<int> ys; // horizontal lines
    bool vertical = false;
    bool horizontal = false;
    bool dots = false;
    bool points = false; // a pixel at each crossing instead of lines
};

// Vertical lines run from row 0 to `bottom`, horizontal ones from column 0
// to `right`, both ends included; pixels outside the image are left out.
void SetGridPixels(QImage &image, const GridLines &grid, int right, int bottom, QRgb color);

// The same grid drawn by the painter with a one-pixel pen: for printers and
// translucent colours, which the painter blends.
void PaintGridLines(QPainter &painter, const GridLines &grid, int right, int bottom, const QColor &color);
