#include "planner/window/ProfileGraphic.h"

#include <QPainter>
#include <QPolygonF>

ProfileGraphic::ProfileGraphic(QWidget *parent) : QFrame(parent)
{
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);
}

void ProfileGraphic::setDecompression(bool shown)
{
    if (m_deco == shown)
        return;
    m_deco = shown;
    update();
}

void ProfileGraphic::place(QWidget *child, QPointF place)
{
    for (auto &[widget, at] : m_places)
        if (widget == child) {
            at = place;
            arrange();
            return;
        }
    m_places.append({child, place});
    arrange();
}

QList<QPointF> ProfileGraphic::corners() const
{
    // Surface at 0.12 of the height, bottom at 0.70, stops at 0.40.
    if (m_deco)
        return {{0.03, 0.12}, {0.16, 0.70}, {0.50, 0.70}, {0.62, 0.40}, {0.84, 0.40}, {0.95, 0.12}};
    return {{0.03, 0.12}, {0.18, 0.70}, {0.66, 0.70}, {0.90, 0.12}};
}

void ProfileGraphic::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = contentsRect();
    auto at = [&](QPointF f) {
        return QPointF(area.left() + f.x() * area.width(), area.top() + f.y() * area.height());
    };
    // The surface.
    painter.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DashLine));
    painter.drawLine(at({0.0, 0.12}), at({1.0, 0.12}));
    QPolygonF line;
    for (const QPointF &corner : corners())
        line << at(corner);
    painter.setPen(QPen(QColor(0, 0, 160), 3));
    painter.drawPolyline(line);
}

void ProfileGraphic::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    arrange();
}

void ProfileGraphic::arrange()
{
    const QRect area = contentsRect();
    for (const auto &[widget, at] : m_places)
        if (widget) {
            widget->adjustSize();
            widget->move(area.left() + qRound(at.x() * area.width()), area.top() + qRound(at.y() * area.height()));
        }
}
