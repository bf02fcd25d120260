#include "charts/ChartCursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
// A magnifier with its handle to the lower right; `sign` draws the glyph
// inside the lens. The hot spot is the lens centre.
QCursor magnifier(void (*sign)(QPainter &))
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 4));
    p.drawEllipse(QPointF(12, 12), 8, 8);
    p.drawLine(QPointF(18, 18), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(255, 255, 255, 160));
    p.drawEllipse(QPointF(12, 12), 8, 8);
    p.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(18, 18), QPointF(27, 27));
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::NoBrush);
    sign(p);
    p.end();
    return QCursor(pixmap, 12, 12);
}

QCursor hand()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath palm;
    palm.addRoundedRect(QRectF(7, 13, 16, 14), 5, 5);
    for (int finger = 0; finger < 4; ++finger)
        palm.addRoundedRect(QRectF(7.5 + finger * 4, 5 + (finger == 0 || finger == 3 ? 3 : 0), 3.5, 12), 1.7, 1.7);
    palm.addRoundedRect(QRectF(2, 15, 8, 3.5), 1.7, 1.7);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(Qt::white);
    p.drawPath(palm.simplified());
    p.end();
    return QCursor(pixmap, 15, 16);
}
} // namespace

QCursor ChartCursor(MouseActMode action)
{
    switch (action) {
    case maNone:
        return QCursor(Qt::CrossCursor);
    case maPan:
        return hand();
    case maZoomWind:
        return magnifier([](QPainter &p) { p.drawRect(QRectF(8, 9, 8, 6)); });
    case maZoomDrag:
        return magnifier([](QPainter &p) {
            p.drawLine(QPointF(8, 12), QPointF(16, 12));
            p.drawLine(QPointF(12, 8), QPointF(12, 16));
            p.drawLine(QPointF(8, 12), QPointF(10, 10));
            p.drawLine(QPointF(16, 12), QPointF(14, 14));
        });
    case maZoomWindPos:
        return magnifier([](QPainter &p) {
            p.drawLine(QPointF(8, 12), QPointF(16, 12));
            p.drawLine(QPointF(12, 8), QPointF(12, 16));
        });
    }
    return QCursor(Qt::ArrowCursor);
}
