#include "shell/Background.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

// Deep water with rising bubbles.
QPixmap bubbles()
{
    QPixmap tile(160, 160);
    QPainter p(&tile);
    QLinearGradient water(0, 0, 0, 160);
    water.setColorAt(0, QColor(0x1d, 0x5f, 0x8a));
    water.setColorAt(1, QColor(0x0e, 0x3b, 0x5c));
    p.fillRect(tile.rect(), water);
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

QIcon nitroxGlyph()
{
    QPixmap glyph(20, 20);
    glyph.fill(Qt::transparent);
    QPainter p(&glyph);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x2e, 0x8b, 0x57));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(glyph.rect().adjusted(1, 1, -1, -1), 4, 4);
    QFont font;
    font.setBold(true);
    font.setPixelSize(15);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(glyph.rect(), Qt::AlignCenter, QStringLiteral("N"));
    return QIcon(glyph);
}

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64}) {
        QPixmap flag(size, size);
        flag.fill(Qt::transparent);
        QPainter p(&flag);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd0, 0x1f, 0x2a));
        p.drawRoundedRect(QRectF(0, size * 0.12, size, size * 0.76), size / 10.0, size / 10.0);
        p.setPen(QPen(Qt::white, size * 0.16));
        p.setClipRect(QRectF(0, size * 0.12, size, size * 0.76));
        p.drawLine(QPointF(0, size * 0.12), QPointF(size, size * 0.88));
        icon.addPixmap(flag);
    }
    return icon;
}
