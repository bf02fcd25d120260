#include "charts/dbm.h"

#include "core/NumText.h"

#include <QPainter>

#include <algorithm>

int LitSegments(const MeterZones &zones, int position)
{
    const int total = zones.greens + zones.yellows + zones.reds;
    // A zone without segments covers no positions.
    const int g = zones.greens > 0 ? zones.greenMax : 0;
    const int y = zones.yellows > 0 ? zones.yellowMax : 0;
    const int r = zones.reds > 0 ? zones.redMax : 0;
    auto scaled = [](int segments, int extent, int into) {
        return static_cast<int>(Round(static_cast<double>(segments) / extent * into));
    };
    int lit = 0;
    if (position >= g + y + r)
        lit = total;
    else if (position <= g)
        lit = g == 0 ? 0 : scaled(zones.greens, g, position);
    else if (position <= g + y)
        lit = zones.yellows == 0 ? total
                                 : std::max(zones.greens + scaled(zones.yellows, y, position - g), zones.greens + 1);
    else
        lit = zones.reds == 0 ? total
                              : std::max(zones.greens + zones.yellows + scaled(zones.reds, r, position - g - y),
                                         zones.greens + zones.yellows + 1);
    if (lit == 0 && position != 0)
        lit = 1;
    // A position below the scale lights nothing rather than a negative count.
    return std::clamp(lit, 0, total);
}

Tdbmeter::Tdbmeter(QWidget *parent) : QWidget(parent)
{
    resize(80, 17);
}

QImage Tdbmeter::render() const
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(m_sepColor);
    paintSegments(image);
    paintBevel(image);
    return image;
}

void Tdbmeter::paintEvent(QPaintEvent *)
{
    // Painted off-screen first and copied in one step, so the meter never flickers.
    QPainter(this).drawImage(0, 0, render());
}

void Tdbmeter::paintSegments(QImage &image) const
{
    const int total = m_zones.greens + m_zones.yellows + m_zones.reds;
    if (total <= 0)
        return;
    const bool horizontal = m_style == Tdbmeterstyle::dsHorizontal;
    const int length = horizontal ? width() : height();
    const int across = horizontal ? height() : width();
    const int segment = length / total;
    if (m_sepWidth >= segment)
        return;
    const int lit = litCount();
    QPainter painter(&image);
    // Fills [from, to) along the meter, mirrored for the left/up direction.
    auto fillSpan = [&](int from, int to, const QColor &color) {
        if (m_direction == tdbmeterdirection::ddLeftUp) {
            const int mirroredFrom = length - to;
            to = length - from;
            from = mirroredFrom;
        }
        const QRect span = horizontal ? QRect(from, 0, to - from, across) : QRect(0, from, across, to - from);
        painter.fillRect(span, color);
    };
    for (int i = 1; i <= total; ++i) {
        const bool isLit = i <= lit && (!m_showJustOne || i == lit);
        QColor color;
        if (i <= m_zones.greens)
            color = isLit ? m_greenColor : m_greenBack;
        else if (i <= m_zones.greens + m_zones.yellows)
            color = isLit ? m_yellowColor : m_yellowBack;
        else
            color = isLit ? m_redColor : m_redBack;
        fillSpan(segment * (i - 1), segment * i, color);
        fillSpan(segment * i - m_sepWidth, segment * i + 1, m_sepColor);
    }
}

void Tdbmeter::paintBevel(QImage &image) const
{
    if (m_bevelStyle == TPanelBevel::bvNone)
        return;
    int bevel = m_bevelWidth;
    if (bevel > width() / 3 || bevel > height() / 3)
        bevel = 1;
    const QColor shadow(0x80, 0x80, 0x80);
    const QColor light(Qt::white);
    const QColor topLeft = m_bevelStyle == TPanelBevel::bvLowered ? shadow : light;
    const QColor bottomRight = m_bevelStyle == TPanelBevel::bvLowered ? light : shadow;
    QPainter painter(&image);
    for (int i = 0; i < bevel; ++i) {
        painter.fillRect(QRect(i, i, width() - 2 * i, 1), topLeft);
        painter.fillRect(QRect(i, i, 1, height() - 2 * i), topLeft);
        painter.fillRect(QRect(i, height() - 1 - i, width() - 2 * i, 1), bottomRight);
        painter.fillRect(QRect(width() - 1 - i, i, 1, height() - 2 * i), bottomRight);
    }
}
