#include "shell/Background.h"

#include <QPainter>
#include <QPainterPath>

#include <functional>

namespace {

// Deep water with rising bubbles.
QPixmap bubbles()
{
    QPixmap tile(160, 160);
    QPainter p(&tile);
    // One flat colour, so that the tiles join without seams.
    p.fillRect(tile.rect(), QColor(0x16, 0x4d, 0x74));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 90), 1.5));
    p.setBrush(QColor(255, 255, 255, 25));
    const struct { int x, y, r; } rings[] = {
        {24, 30, 6}, {40, 64, 4}, {30, 100, 9}, {110, 20, 5}, {124, 52, 8},
        {100, 92, 3}, {132, 128, 6}, {70, 140, 4}, {80, 12, 3}, {60, 80, 2},
    };
    for (const auto &b : rings)
        p.drawEllipse(QPoint(b.x, b.y), b.r, b.r);
    return tile;
}

// Sandy sea floor with gentle ripples.
QPixmap ripples()
{
    QPixmap tile(200, 120);
    QPainter p(&tile);
    p.fillRect(tile.rect(), QColor(0x2a, 0x6f, 0x7f));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 255, 255, 45), 2));
    for (int row = 0; row < 6; ++row) {
        QPainterPath wave;
        const int y = 10 + row * 20;
        wave.moveTo(0, y);
        for (int x = 0; x < 200; x += 50) {
            wave.quadTo(x + 12.5, y - 6, x + 25, y);
            wave.quadTo(x + 37.5, y + 6, x + 50, y);
        }
        p.drawPath(wave);
    }
    return tile;
}

} // namespace

QPixmap backgroundPicture(int choice)
{
    return choice == 0 ? bubbles() : ripples();
}

namespace {

// A transparent square of `size` pixels with antialiased drawing by `draw`.
QPixmap glyph(int size, const std::function<void(QPainter &)> &draw)
{
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    draw(p);
    return picture;
}

} // namespace

QIcon nitroxGlyph()
{
    return QIcon(glyph(20, [](QPainter &p) {
        p.setBrush(QColor(0x2e, 0x8b, 0x57));
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(1, 1, 18, 18), 4, 4);
        // The "N" is drawn as strokes: no font needs loading for it.
        p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(6, 15), QPointF(6, 5), QPointF(14, 15), QPointF(14, 5)}));
    }));
}

QIcon openPlanGlyph()
{
    return QIcon(glyph(20, [](QPainter &p) {
        p.setPen(QPen(QColor(0x8a, 0x6d, 0x1c), 1));
        p.setBrush(QColor(0xe8, 0xc4, 0x5c));
        p.drawPolygon(QPolygonF({QPointF(2, 5), QPointF(8, 5), QPointF(10, 7), QPointF(18, 7), QPointF(18, 16),
                                 QPointF(2, 16)}));
        p.setBrush(QColor(0xf6, 0xdc, 0x8a));
        p.drawPolygon(QPolygonF({QPointF(4, 9), QPointF(19, 9), QPointF(17, 16), QPointF(2, 16)}));
    }));
}

QIcon exitGlyph()
{
    return QIcon(glyph(16, [](QPainter &p) {
        p.setPen(QPen(QColor(0x40, 0x40, 0x40), 1.2));
        p.setBrush(QColor(0xb0, 0x8a, 0x5a));
        p.drawRect(QRectF(2.5, 1.5, 8, 13));
        p.setPen(QPen(QColor(0xc0, 0x20, 0x20), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(8, 8), QPointF(15, 8));
        p.drawPolyline(QPolygonF({QPointF(12, 5), QPointF(15, 8), QPointF(12, 11)}));
    }));
}

QIcon extensionGlyph(Qt::Orientation orientation, Qt::LayoutDirection direction)
{
    // Toolbars show it small; each size is drawn on its own to stay crisp.
    QIcon icon;
    for (const int size : {8, 16}) {
        icon.addPixmap(glyph(size, [&](QPainter &p) {
            const qreal unit = size / 16.0;
            p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.6 * unit + 0.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            // Drawn pointing right, then turned about the middle.
            p.translate(size / 2.0, size / 2.0);
            p.scale(unit, unit);
            if (orientation == Qt::Vertical)
                p.rotate(90);
            else if (direction == Qt::RightToLeft)
                p.rotate(180);
            for (const qreal x : {-5.0, 0.5})
                p.drawPolyline(QPolygonF({QPointF(x, -4.5), QPointF(x + 4.5, 0), QPointF(x, 4.5)}));
        }));
    }
    return icon;
}

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        icon.addPixmap(glyph(size, [size](QPainter &p) {
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0xd0, 0x1f, 0x2a));
            p.drawRoundedRect(QRectF(0, size * 0.12, size, size * 0.76), size / 10.0, size / 10.0);
            p.setPen(QPen(Qt::white, size * 0.16));
            p.setClipRect(QRectF(0, size * 0.12, size, size * 0.76));
            p.drawLine(QPointF(0, size * 0.12), QPointF(size, size * 0.88));
        }));
    }
    return icon;
}
