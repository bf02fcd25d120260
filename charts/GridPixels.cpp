#include "charts/GridPixels.h"

#include <QImage>
#include <QPainter>

void SetGridPixels(QImage &image, const GridLines &grid, int right, int bottom, QRgb color)
{
    const int w = image.width(), h = image.height();
    const auto bits = reinterpret_cast<QRgb *>(image.bits());
    const std::size_t stride = image.bytesPerLine() / sizeof(QRgb);
    const auto set = [&](int x, int y) {
        if (x >= 0 && x < w && y >= 0 && y < h)
            bits[std::size_t(y) * stride + x] = color;
    };
    if (grid.points) {
        for (int x : grid.xs)
            for (int y : grid.ys)
                set(x, y);
        return;
    }
    const int step = grid.dots ? 2 : 1;
    if (grid.vertical)
        for (int x : grid.xs)
            for (int y = 0; y <= bottom && y < h; y += step)
                set(x, y);
    if (grid.horizontal)
        for (int y : grid.ys)
            for (int x = 0; x <= right && x < w; x += step)
                set(x, y);
}

void PaintGridLines(QPainter &painter, const GridLines &grid, int right, int bottom, const QColor &color)
{
    QPen pen(color, 0);
    // Dotted lines set every other pixel.
    if (grid.dots)
        pen.setDashPattern({1.0, 1.0});
    painter.setPen(pen);
    if (grid.points) {
        for (int x : grid.xs)
            for (int y : grid.ys)
                painter.drawPoint(x, y);
        return;
    }
    if (grid.vertical)
        for (int x : grid.xs)
            painter.drawLine(x, 0, x, bottom);
    if (grid.horizontal)
        for (int y : grid.ys)
            painter.drawLine(0, y, right, y);
}
