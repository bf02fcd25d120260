#include "widgets/MShape.h"

#include "core/NumText.h"

#include <QPainter>

int NormalizedShapeAngle(int angle, TMultiShapeType type)
{
    int a = angle % 360;
    if (a > 180)
        a -= 360;
    if (a <= -180)
        a += 360;
    if (type == TMultiShapeType::msTriangle || type == TMultiShapeType::msLine)
        a = static_cast<int>(Round(a / 45.0)) * 45;
    return a == -180 ? 180 : a;
}

QPolygon TrianglePoints(QPoint topLeft, int width, int height, int angle)
{
    const int w = width / 2 * 2;
    const int h = height / 2 * 2;
    const int x = topLeft.x();
    const int y = topLeft.y();
    const QPoint lt(x, y), rt(x + w, y), lb(x, y + h), rb(x + w, y + h);
    switch (angle) {
    case 90: return QPolygon({QPoint(x + w / 2, y), rb, lb});
    case 180: return QPolygon({QPoint(x, y + h / 2), rt, rb});
    case -90: return QPolygon({lt, rt, QPoint(x + w / 2, y + h)});
    case 45: return QPolygon({lt, rt, rb});
    case 135: return QPolygon({lt, rt, lb});
    case -135: return QPolygon({lt, lb, rb});
    case -45: return QPolygon({rt, rb, lb});
    default: return QPolygon({lt, QPoint(x + w, y + h / 2), lb});
    }
}

TMultiShape::TMultiShape(QWidget *parent) : QWidget(parent) { resize(30, 30); }

int TMultiShape::columns() const
{
    const bool repeats = m_repeatMode == TRepeatMode::rpHoriz || m_repeatMode == TRepeatMode::rpBoth;
    return repeats && m_xSpacing > 0 ? width() / m_xSpacing + 1 : 1;
}

int TMultiShape::rows() const
{
    const bool repeats = m_repeatMode == TRepeatMode::rpVert || m_repeatMode == TRepeatMode::rpBoth;
    return repeats && m_ySpacing > 0 ? height() / m_ySpacing + 1 : 1;
}

QPoint TMultiShape::shapeOrigin(int row, int column) const
{
    return {column * m_xSpacing + m_xMargin, row * m_ySpacing + m_yMargin};
}

void TMultiShape::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    const QColor outline = m_border ? m_borderColor : m_color;
    for (int i = 0; i < rows(); ++i) {
        for (int j = 0; j < columns(); ++j) {
            const QPoint origin = shapeOrigin(i, j);
            if (m_shadow)
                drawShape(painter, origin + QPoint(m_shadowX, m_shadowY), m_shadowColor, m_shadowColor);
            drawShape(painter, origin, m_color, outline);
        }
    }
}

void TMultiShape::drawShape(QPainter &painter, QPoint origin, const QColor &fill, const QColor &outline) const
{
    painter.setPen(QPen(outline, m_borderWidth));
    painter.setBrush(m_filled ? QBrush(fill) : Qt::NoBrush);
    const QRect box(origin, QSize(m_shapeW, m_shapeH));
    switch (m_shapeType) {
    case TMultiShapeType::msRectangle: painter.drawRect(box); break;
    case TMultiShapeType::msRoundRect: painter.drawRoundedRect(box, m_shapeW / 4.0, m_shapeH / 4.0); break;
    case TMultiShapeType::msDiamond:
        painter.drawPolygon(QPolygon({QPoint(box.center().x(), box.top()), QPoint(box.right(), box.center().y()),
                                      QPoint(box.center().x(), box.bottom()), QPoint(box.left(), box.center().y())}));
        break;
    case TMultiShapeType::msEllipse: painter.drawEllipse(box); break;
    case TMultiShapeType::msTriangle: painter.drawPolygon(TrianglePoints(origin, m_shapeW, m_shapeH, Angle())); break;
    case TMultiShapeType::msLine: {
        painter.save();
        painter.translate(box.center());
        painter.rotate(-Angle());
        painter.drawLine(-m_shapeW / 2, 0, m_shapeW / 2, 0);
        painter.restore();
        break;
    }
    case TMultiShapeType::msText:
        painter.setPen(fill);
        painter.drawText(box, Qt::AlignCenter, m_text);
        break;
    }
}
