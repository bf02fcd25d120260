// The chart's surroundings: background, shadow, caption, axes with their
// ticks and labels, axis titles, and the grid inside the plot area.

#include "charts/ChartDateTime.h"
#include "charts/GridPixels.h"
#include "charts/RChart.h"

#include <QRegion>

#include "core/NumText.h"

#include <QPainter>

#include <cmath>
#include <functional>

namespace {
constexpr int MinorTick = 4;
constexpr int MajorTick = 7;
// Labels of the x axis start this far below it; y labels end this far left of it.
constexpr int XLabelGap = 7;
constexpr int YLabelGap = 8;

struct AxisTicks
{
    std::vector<Tick> ticks;
    std::function<QString(double)> label;   // empty: ticks only
    QString message;                        // drawn instead of an axis
};
} // namespace

// Fonts are sized in screen pixels, so that a printout scales them like
// everything else it draws.
static QFont pixelFont(const QFont &font, double screenDpi)
{
    QFont f = font;
    if (font.pointSizeF() > 0)
        f.setPixelSize(std::max(1, int(std::lround(font.pointSizeF() * screenDpi / 72.0))));
    return f;
}

static AxisTicks axisTicks(double lo, double hi, bool log, FigType type, int minTick, int decimals,
                           const TDTLabel &dtFormat)
{
    AxisTicks axis;
    const double span = hi - lo;
    if (type == DateTime) {
        const DateTimeTicks dt = DateTimeAxis(lo, hi, std::clamp(minTick, 2, 20), dtFormat);
        axis.message = dt.message;
        for (const auto &t : dt.ticks)
            axis.ticks.push_back({t.value, t.major});
        auto labels = std::make_shared<std::vector<std::pair<double, QString>>>(dt.labels);
        axis.label = [labels](double v) {
            for (const auto &[value, text] : *labels)
                if (value == v)
                    return text;
            return QString();
        };
        return axis;
    }
    if (log) {
        axis.ticks = LogTicks(lo, hi);
        axis.label = [](double v) { return FloatToStrF(v, FloatFormat::General, 4, 1).left(8); };
    } else if (const TimeStep step = type == Time ? TimeTickStep(lo, hi, minTick) : TimeStep{}; step.step > 0) {
        axis.ticks = TimeTicks(lo, hi, step);
        axis.label = [](double v) { return TimeLabel(v); };
    } else {
        axis.ticks = NumericTicks(lo, hi, minTick);
        axis.label = [span, decimals](double v) { return NumericLabel(v, span, decimals); };
    }
    if (type == NoFigs)
        axis.label = nullptr;
    return axis;
}

void TRChart::drawControl(QPainter &p, const Look &look, const PlotGeometry &geo, bool plotArea)
{
    const QRegion background = plotArea ? QRegion(rect()) : QRegion(rect()).subtracted(plotRect());
    for (const QRect &r : background)
        p.fillRect(r, look.wind);
    if (m_shadowWidth > 0)
        drawShadow(p);
    p.setFont(pixelFont(font(), logicalDpiY()));
    p.setPen(QPen(look.text, 0));
    const QFontMetrics metrics = p.fontMetrics();
    if (!m_caption.isEmpty()) {
        const int right = width() - m_rRim - m_shadowWidth;
        p.drawText(QRect(0, m_tRim - metrics.height(), right, metrics.height()),
                   Qt::AlignRight | Qt::AlignBottom | Qt::TextDontClip, m_caption);
    }
    p.setPen(QPen(look.scale, 0));
    if (m_xLabelType != NoScales)
        drawXAxis(p, geo);
    if (m_yLabelType != NoScales)
        drawYAxis(p, geo);
    drawTitles(p, look, geo);
}

void TRChart::drawShadow(QPainter &p)
{
    const int w = width(), h = height(), s = m_shadowWidth;
    p.fillRect(w - s, 0, s, h, m_shadowBakColor);
    p.fillRect(0, h - s, w, s, m_shadowBakColor);
    // The shadow falls from the control's body, offset by its width.
    const int inset = m_shadowStyle == ssFlying ? s - 1 : 0;
    const QPolygon right({QPoint(w - s, s + inset), QPoint(w - 1, s + inset), QPoint(w - 1, h - 1), QPoint(w - s, h - 1)});
    const QPolygon bottom({QPoint(s + inset, h - s), QPoint(w - s, h - s), QPoint(w - s, h - 1), QPoint(s + inset, h - 1)});
    p.setBrush(m_shadowColor);
    p.setPen(QPen(m_shadowStyle == ssFlying ? m_shadowColor : QColor(Qt::black), 0));
    p.drawPolygon(right);
    p.drawPolygon(bottom);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 0));
    p.drawRect(0, 0, w - s - 1, h - s - 1);
}

void TRChart::drawXAxis(QPainter &p, const PlotGeometry &geo)
{
    const AxisTicks axis = axisTicks(m_loX, m_hiX, m_logX, m_xLabelType, m_minTickX, m_decPlaceX, m_dtX);
    const int y0 = m_tRim + geo.h;
    const QFontMetrics metrics = p.fontMetrics();
    if (!axis.message.isEmpty()) {
        p.drawText(QRect(m_lRim, y0 + XLabelGap, geo.w, metrics.height()), Qt::AlignCenter | Qt::TextDontClip, axis.message);
        return;
    }
    for (const Tick &t : axis.ticks) {
        const int x = geo.x.toPixel(t.value);
        if (x < m_lRim || x > m_lRim + geo.w)
            continue;
        p.drawLine(x, y0 + 1, x, y0 + (t.major ? MajorTick : MinorTick));
        if (!t.major || !axis.label)
            continue;
        const QString text = axis.label(t.value);
        const int tw = m_labelTexts.measure(p, text).pixelWidth;
        const int left = std::min(x - tw / 2, width() - tw);
        m_labelTexts.draw(p, QPoint(left, y0 + XLabelGap + metrics.ascent()), text);
    }
}

void TRChart::drawYAxis(QPainter &p, const PlotGeometry &geo)
{
    const AxisTicks axis = axisTicks(m_loY, m_hiY, m_logY, m_yLabelType, m_minTickY, m_decPlaceY, m_dtY);
    const int x0 = m_lRim;
    const QFontMetrics metrics = p.fontMetrics();
    if (!axis.message.isEmpty()) {
        p.drawText(QRect(0, m_tRim + geo.h / 2 - metrics.height() / 2, x0 - YLabelGap, metrics.height()),
                   Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip, axis.message);
        return;
    }
    for (const Tick &t : axis.ticks) {
        const int y = geo.y.toPixel(t.value);
        if (y < m_tRim || y > m_tRim + geo.h)
            continue;
        p.drawLine(x0 - (t.major ? MajorTick : MinorTick), y, x0 - 1, y);
        if (!t.major || !axis.label)
            continue;
        const QString text = axis.label(t.value);
        // Where the painter puts right-aligned text: its unrounded width.
        const qreal tw = m_labelTexts.measure(p, text).width;
        m_labelTexts.draw(p, QPointF(x0 - YLabelGap - tw, y - metrics.height() / 2 + metrics.ascent()), text);
    }
}

void TRChart::drawTitles(QPainter &p, const Look &look, const PlotGeometry &geo)
{
    p.setPen(QPen(look.text, 0));
    const QFontMetrics metrics = p.fontMetrics();
    if (!m_idAbscissa.isEmpty()) {
        const int top = height() - m_bRim - m_shadowWidth + XLabelGap + metrics.height();
        p.drawText(QRect(m_lRim, top, geo.w, metrics.height()), Qt::AlignHCenter | Qt::AlignTop | Qt::TextDontClip, m_idAbscissa);
    }
    if (!m_idOrdinate.isEmpty())
        p.drawText(QPoint(m_lRim, m_tRim - metrics.height() + metrics.ascent()), m_idOrdinate);
}

void TRChart::drawGrid(QPainter &p, const Look &look, const PlotGeometry &geo, QImage *pixels)
{
    const auto positions = [](double lo, double hi, bool log, double spacing, int pixels) {
        std::vector<double> values;
        if (log)
            for (const Tick &t : LogTicks(lo, hi))
                values.push_back(t.value);
        else
            values = GridPositions(lo, hi, spacing, std::max(1, pixels));
        return values;
    };
    GridLines grid;
    for (double v : positions(m_loX, m_hiX, m_logX, m_gridDx, geo.w))
        grid.xs.push_back(geo.toX(v));
    for (double v : positions(m_loY, m_hiY, m_logY, m_gridDy, geo.h))
        grid.ys.push_back(geo.toY(v));
    grid.vertical = m_gridStyle == gsLines || m_gridStyle == gsVertLines || m_gridStyle == gsDotLines
                    || m_gridStyle == gsVertDotLines;
    grid.horizontal = m_gridStyle == gsLines || m_gridStyle == gsHorizLines || m_gridStyle == gsDotLines
                      || m_gridStyle == gsHorizDotLines;
    grid.dots = m_gridStyle == gsDotLines || m_gridStyle == gsVertDotLines || m_gridStyle == gsHorizDotLines;
    grid.points = m_gridStyle == gsPoints;
    // A translucent colour is blended, which only the painter does.
    if (pixels && look.grid.alpha() == 255) {
        SetGridPixels(*pixels, grid, geo.w, geo.h, look.grid.rgba());
        return;
    }

    PaintGridLines(p, grid, geo.w, geo.h, look.grid);
}
