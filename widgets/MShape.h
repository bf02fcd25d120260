#pragma once

#include "widgets/PaintedProperty.h"

// A control that fills its area with a repeated small shape: a background
// pattern of rectangles, diamonds, ellipses, triangles, lines or texts.

#include <QColor>
#include <QFont>
#include <QPolygon>
#include <QWidget>

enum class TMultiShapeType { msRectangle, msRoundRect, msDiamond, msEllipse, msTriangle, msLine, msText };
enum class TRepeatMode { rpNone, rpVert, rpHoriz, rpBoth };

// The angle held within -180..180 (-180 becomes 180); for triangles and
// lines rounded to a multiple of 45.
int NormalizedShapeAngle(int angle, TMultiShapeType type);
// The corners of a triangle in the box at `topLeft`, its size rounded down to
// even numbers; `angle` is a multiple of 45 (0 points right, 90 up).
QPolygon TrianglePoints(QPoint topLeft, int width, int height, int angle);

class TMultiShape final : public QWidget
{
    Q_OBJECT
public:
    explicit TMultiShape(QWidget *parent = nullptr);

    void setShapeType(TMultiShapeType type) { setPainted(*this, m_shapeType, type); }
    void setShapeW(int w) { setPainted(*this, m_shapeW, w); }
    void setShapeH(int h) { setPainted(*this, m_shapeH, h); }
    void setXSpacing(int x) { setPainted(*this, m_xSpacing, x); }
    void setYSpacing(int y) { setPainted(*this, m_ySpacing, y); }
    void setXMargin(int x) { setPainted(*this, m_xMargin, x); }
    void setYMargin(int y) { setPainted(*this, m_yMargin, y); }
    void setRepeatMode(TRepeatMode mode) { setPainted(*this, m_repeatMode, mode); }
    void setAngle(int angle) { setPainted(*this, m_angle, NormalizedShapeAngle(angle, TMultiShapeType::msRectangle)); }
    void setFilled(bool filled) { setPainted(*this, m_filled, filled); }
    void setBorder(bool border) { setPainted(*this, m_border, border); }
    void setBorderColor(QColor c) { setPainted(*this, m_borderColor, c); }
    void setBorderWidth(int w) { setPainted(*this, m_borderWidth, w); }
    void setShadow(bool shadow) { setPainted(*this, m_shadow, shadow); }
    void setShadowColor(QColor c) { setPainted(*this, m_shadowColor, c); }
    void setShadowX(int x) { setPainted(*this, m_shadowX, x); }
    void setShadowY(int y) { setPainted(*this, m_shadowY, y); }
    void setColor(QColor c) { setPainted(*this, m_color, c); }
    void setText(const QString &text) { setPainted(*this, m_text, text); }

    int columns() const;
    int rows() const;
    int Angle() const { return NormalizedShapeAngle(m_angle, m_shapeType); }
    // The top-left corner of the shape in row i, column j.
    QPoint shapeOrigin(int row, int column) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawShape(QPainter &painter, QPoint origin, const QColor &fill, const QColor &outline) const;

    TMultiShapeType m_shapeType = TMultiShapeType::msRectangle;
    int m_shapeW = 10;
    int m_shapeH = 10;
    int m_xSpacing = 20;
    int m_ySpacing = 20;
    int m_xMargin = 0;
    int m_yMargin = 0;
    TRepeatMode m_repeatMode = TRepeatMode::rpBoth;
    int m_angle = 0;
    bool m_filled = true;
    bool m_border = false;
    QColor m_borderColor{Qt::black};
    int m_borderWidth = 1;
    bool m_shadow = false;
    QColor m_shadowColor{0x80, 0x80, 0x80};
    int m_shadowX = 2;
    int m_shadowY = 2;
    QColor m_color{0x00, 0x00, 0x80};
    QString m_text;
};
