#include "charts/RChart.h"

#include "charts/ChartCursors.h"
#include "core/NumText.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPaintDevice>
#include <QPainter>

#include <cmath>

namespace {
// Spans and bounds closer than this count as zero.
constexpr double Tiny = 1e-30;
// Redraws closer together than one screen frame are shown together.
constexpr int FrameMilliseconds = 16;
} // namespace

TRChart::TRChart(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(FrameMilliseconds);
    connect(&m_showTimer, &QTimer::timeout, this, &TRChart::flushScreen);
    m_sinceShown.start();
}

TRChart::~TRChart() = default;

// --- Display list ------------------------------------------------------

void TRChart::append(ItemKind kind, double x, double y, std::uint8_t markStyle)
{
    m_list.append(ChartItem{x, y, m_dataColor, m_lineWidth, m_classDefault, kind, markStyle});
}

void TRChart::ClearDrawing()
{
    m_list.clear();
    m_imagesValid = false;
}

void TRChart::MovePenTo(double x, double y) { append(ItemKind::MoveTo, x, y); }
void TRChart::DrawLineTo(double x, double y) { append(ItemKind::LineTo, x, y); }

void TRChart::AddMark(double x, double y, int markStyle)
{
    append(ItemKind::Mark, x, y, std::uint8_t(std::clamp(markStyle, 0, 255)));
}

void TRChart::AddRectangle(double x1, double y1, double x2, double y2)
{
    ChartItemExtra extra;
    extra.x2 = x2;
    extra.y2 = y2;
    m_list.append(ChartItem{x1, y1, m_dataColor, m_lineWidth, m_classDefault, ItemKind::Rectangle, 0}, extra);
}

void TRChart::AddTextAt(double x, double y, const QString &text, int fontSize)
{
    ChartItemExtra extra;
    extra.text = text.left(15);
    extra.size = fontSize;
    m_list.append(ChartItem{x, y, m_dataColor, m_lineWidth, m_classDefault, ItemKind::Text, 0}, std::move(extra));
}

// --- Ranges ------------------------------------------------------------

void TRChart::takeRange(double &lo, double &hi, double newLo, double newHi, bool log)
{
    if (!(std::abs(hi - lo) > Tiny))
        return;
    // A new window without width would leave nothing to scale by (and no
    // way back to a usable window), so such a pair is refused.
    if (!(std::abs(newHi - newLo) > Tiny) || !std::isfinite(newLo) || !std::isfinite(newHi))
        return;
    if (log) {
        // Only positive bounds have a logarithm.
        if (newLo >= Tiny && newHi >= Tiny)
            lo = newLo;
        if (newHi >= Tiny && std::abs(newHi - lo) > Tiny)
            hi = newHi;
        return;
    }
    lo = newLo;
    hi = newHi;
}

void TRChart::setRanges(double loX, double hiX, double loY, double hiY)
{
    takeRange(m_loX, m_hiX, loX, hiX, m_logX);
    takeRange(m_loY, m_hiY, loY, hiY, m_logY);
    lookChanged();
}

void TRChart::SetScaleRange(double lowX, double lowY, double highX, double highY)
{
    setRanges(lowX, highX, lowY, highY);
}

void TRChart::setBound(double &lo, double &hi, double value, bool low, bool log)
{
    if (!std::isfinite(value) || (log && value < Tiny))
        return;
    const double other = low ? hi : lo;
    if (std::abs(value - other) < Tiny) {
        lo = other - 1;
        hi = other + 1;
        if (log && lo < Tiny)
            lo = other / 10;
    } else {
        (low ? lo : hi) = value;
    }
    lookChanged();
}

void TRChart::setLog(bool &log, bool on, double lo, double hi, FigType labelType)
{
    if (on && (lo < Tiny || hi < Tiny || labelType == DateTime))
        return;
    setLook(log, on);
}

void TRChart::setXLabelType(FigType t)
{
    if (t == DateTime && m_logX)
        return;
    setLook(m_xLabelType, t);
}

void TRChart::setYLabelType(FigType t)
{
    if (t == DateTime && m_logY)
        return;
    setLook(m_yLabelType, t);
}

void TRChart::setMouseAction(MouseActMode mode)
{
    // Clients may set the action again on every button press (to follow the
    // keys held); that must not break off the gesture under way.
    if (mode == m_mouseAction)
        return;
    m_mouseAction = mode;
    m_bandOpen = false;
    m_dragging = false;
    if (m_lastMouse.x() >= 0)
        updateCursor(m_lastMouse);
}

// --- Geometry ----------------------------------------------------------

int TRChart::plotWidth() const { return width() - m_lRim - m_rRim - m_shadowWidth; }
int TRChart::plotHeight() const { return height() - m_tRim - m_bRim - m_shadowWidth; }

QRect TRChart::plotRect() const
{
    return QRect(m_lRim, m_tRim, std::max(0, plotWidth()) + 1, std::max(0, plotHeight()) + 1);
}

PlotGeometry TRChart::geometryNow() const
{
    PlotGeometry g;
    g.w = plotWidth();
    g.h = plotHeight();
    g.left = m_lRim;
    g.top = m_tRim;
    const int right = width() - m_rRim - m_shadowWidth;
    const int bottom = height() - m_bRim - m_shadowWidth;
    g.x = AxisScale::fit(m_loX, m_hiX, m_lRim, right, g.w, width() / 2, m_logX);
    g.y = AxisScale::fit(m_loY, m_hiY, bottom, m_tRim, g.h, height() / 2, m_logY);
    return g;
}

// --- Drawing -----------------------------------------------------------

TRChart::Look TRChart::screenLook() const
{
    return {m_windColor, m_chartColor, m_scaleColor, m_scaleColor, m_gridColor, false};
}

PlotStyle TRChart::plotStyle(const Look &look) const
{
    PlotStyle s;
    s.scaleColor = look.scale.rgb();
    s.screenDpi = logicalDpiY();
    s.font = font();
    if (font().pointSizeF() > 0)
        s.font.setPixelSize(std::max(1, int(std::lround(font().pointSizeF() * s.screenDpi / 72.0))));
    s.textFont = font();
    s.textFont.setBold(m_textFontStyle & fsBold);
    s.textFont.setItalic(m_textFontStyle & fsItalic);
    s.textFont.setUnderline(m_textFontStyle & fsUnderline);
    s.textFont.setStrikeOut(m_textFontStyle & fsStrikeOut);
    s.textSolid = m_textBkStyle == tbSolid;
    s.textBkColor = m_textBkColor.rgb();
    s.allBlack = look.allBlack;
    return s;
}

void TRChart::lookChanged()
{
    m_imagesValid = false;
    if (m_autoRedraw)
        update();
}

void TRChart::drawAll(QImage &control, QImage &plot, DrawState &state, bool thin)
{
    const Look look = screenLook();
    const PlotGeometry geo = geometryNow();
    // The control image is kept while the size stays, as everything in it
    // is painted over.
    const QSize controlSize(std::max(1, width()), std::max(1, height()));
    if (control.size() != controlSize)
        control = QImage(controlSize, QImage::Format_RGB32);
    const bool inPlace = takePlotView(control, plot);
    {
        QPainter p(&control);
        drawControl(p, look, geo, !inPlace);
    }
    // Else an image of its own (never a view of the control kept from before).
    if (!inPlace)
        plot = QImage(QSize(std::max(1, geo.w + 1), std::max(1, geo.h + 1)), QImage::Format_RGB32);
    {
        QPainter p(&plot);
        drawPlotBackground(p, look, geo, &plot);
    }
    const PlotStyle style = plotStyle(look);
    state = DrawState();
    {
        PlotDrawer drawer(plot, geo, style, thin);
        drawer.useColumnCache(m_columnCache);
        drawer.draw(m_list, state);
        m_stats = drawer.stats();
    }
    if (!inPlace)
        QPainter(&control).drawImage(m_lRim, m_tRim, plot);
}

bool TRChart::takePlotView(QImage &control, QImage &plot) const
{
    const QRect area(QPoint(m_lRim, m_tRim), QSize(std::max(1, plotWidth() + 1), std::max(1, plotHeight() + 1)));
    if (!control.rect().contains(area))
        return false;
    // bits() first detaches a control image shared with a copy.
    uchar *corner = control.bits() + std::size_t(area.top()) * control.bytesPerLine() + std::size_t(area.left()) * 4;
    plot = QImage(corner, area.width(), area.height(), control.bytesPerLine(), control.format());
    return true;
}

QImage TRChart::render(bool thin)
{
    QImage control, plot;
    DrawState state;
    drawAll(control, plot, state, thin);
    return control;
}

void TRChart::renderAll()
{
    drawAll(m_control, m_plot, m_drawState, true);
    m_plotInPlace = takePlotView(m_control, m_plot);
    m_imagesValid = true;
}

void TRChart::drawPlotBackground(QPainter &p, const Look &look, const PlotGeometry &geo, QImage *pixels)
{
    p.fillRect(0, 0, geo.w + 1, geo.h + 1, look.chart);
    if (m_gridStyle != gsNone)
        drawGrid(p, look, geo, pixels);
    p.setPen(QPen(look.scale, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, geo.w, geo.h);
}

void TRChart::RefreshChart()
{
    if (!isVisible()) {
        show();
        return;
    }
    if (!m_autoRedraw) {
        m_imagesValid = false;
        update();
        return;
    }
    const bool onlyAppended = m_imagesValid && m_drawState.next <= m_list.size()
                              && m_plot.size() == QSize(plotWidth() + 1, plotHeight() + 1);
    if (!onlyAppended) {
        renderAll();
        showChanged(rect());
        return;
    }
    // Only items were appended since the last drawing: draw just those onto
    // the kept plot image and bring the area they changed to the screen.
    if (m_plotInPlace)
        takePlotView(m_control, m_plot);
    const PlotGeometry geo = geometryNow();
    const PlotStyle style = plotStyle(screenLook());
    QRect changed;
    {
        PlotDrawer drawer(m_plot, geo, style, true);
        drawer.useColumnCache(m_columnCache);
        drawer.draw(m_list, m_drawState);
        m_stats = drawer.stats();
        changed = drawer.changed();
    }
    changed = changed.intersected(m_plot.rect());
    if (changed.isEmpty())
        return;
    if (!m_plotInPlace)
        QPainter(&m_control).drawImage(changed.topLeft() + QPoint(m_lRim, m_tRim), m_plot, changed);
    showChanged(changed.translated(m_lRim, m_tRim));
}

void TRChart::showChanged(const QRect &controlArea)
{
    m_pendingScreen = m_pendingScreen.united(controlArea);
    if (m_sinceShown.elapsed() >= FrameMilliseconds)
        flushScreen();
    else if (!m_showTimer.isActive())
        m_showTimer.start();
}

void TRChart::flushScreen()
{
    m_showTimer.stop();
    if (m_pendingScreen.isEmpty())
        return;
    const QRect area = m_pendingScreen;
    m_pendingScreen = QRect();
    m_sinceShown.restart();
    repaint(area);
}

void TRChart::paintEvent(QPaintEvent *event)
{
    const bool full = !m_imagesValid || m_control.size() != size();
    if (full)
        renderAll();
    QPainter p(this);
    p.drawImage(event->rect(), m_control, event->rect());
    if (m_bandOpen) {
        // The rubber band inverts what lies under it; its four edges must not
        // overlap at the corners, or those would be inverted twice.
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        const int x1 = std::min(m_bandStart.x(), m_bandEnd.x()), x2 = std::max(m_bandStart.x(), m_bandEnd.x());
        const int y1 = std::min(m_bandStart.y(), m_bandEnd.y()), y2 = std::max(m_bandStart.y(), m_bandEnd.y());
        p.fillRect(QRect(QPoint(x1, y1), QPoint(x2, y1)), Qt::black);
        if (y2 > y1)
            p.fillRect(QRect(QPoint(x1, y2), QPoint(x2, y2)), Qt::black);
        if (y2 - y1 > 1) {
            p.fillRect(QRect(QPoint(x1, y1 + 1), QPoint(x1, y2 - 1)), Qt::black);
            if (x2 > x1)
                p.fillRect(QRect(QPoint(x2, y1 + 1), QPoint(x2, y2 - 1)), Qt::black);
        }
    }
    p.end();
    if (full && m_lastMouse.x() >= 0)
        fireMouseMoveInChart(m_lastMouse, {QGuiApplication::keyboardModifiers(), QGuiApplication::mouseButtons()});
}

void TRChart::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        lookChanged();
}

void TRChart::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_imagesValid = false;
}

// --- Printing ----------------------------------------------------------

void TRChart::PrintChart(QPainter &painter, int &left, int &top, bool blackAndWhite, double scale)
{
    Look look = screenLook();
    if (blackAndWhite)
        look = {Qt::white, Qt::white, Qt::black, Qt::black, m_gridColor, true};
    look.allBlack = true;
    const double screenDpiX = logicalDpiX();
    const double screenDpiY = logicalDpiY();
    const double dotsX = scale * painter.device()->logicalDpiX() / screenDpiX;
    const double dotsY = scale * painter.device()->logicalDpiY() / screenDpiY;
    const PlotGeometry geo = geometryNow();

    painter.save();
    painter.translate(left, top);
    painter.scale(dotsX, dotsY);
    drawControl(painter, look, geo, true);
    painter.translate(m_lRim, m_tRim);
    painter.setClipRect(0, 0, geo.w + 1, geo.h + 1);
    drawPlotBackground(painter, look, geo, nullptr);
    const PlotStyle style = plotStyle(look);
    DrawState state;
    {
        PlotDrawer drawer(painter, geo, style, true);
        drawer.draw(m_list, state);
    }
    painter.restore();

    left += int(Round(painter.device()->logicalDpiX() * scale * width() / screenDpiX));
    top += int(Round(painter.device()->logicalDpiY() * scale * height() / screenDpiY));
    m_imagesValid = false;
    update();
}

// --- Mouse -------------------------------------------------------------

void TRChart::fireMouseMoveInChart(QPoint pos, TShiftState shift)
{
    const PlotGeometry geo = geometryNow();
    const double wx = geo.x.toWorld(pos.x());
    const double wy = geo.y.toWorld(pos.y());
    const bool inChart = plotRect().contains(pos);
    if (inChart) {
        m_mousePosX = wx;
        m_mousePosY = wy;
    }
    emit OnMouseMoveInChart(this, inChart, shift, wx, wy);
}

void TRChart::updateCursor(QPoint pos)
{
    if (m_mouseCursorFixed)
        return;
    // The cursor images are drawn only when the cursor changes, not on every move.
    const int wanted = plotRect().contains(pos) ? int(m_mouseAction) : -1;
    // Our cursors are never the arrow; an arrow means none of ours is set
    // (a client may have reset it).
    const bool oursSet = cursor().shape() != Qt::ArrowCursor;
    if (wanted < 0 ? !oursSet : (oursSet && wanted == m_cursorShown))
        return;
    m_cursorShown = wanted;
    if (wanted >= 0)
        setCursor(ChartCursor(m_mouseAction));
    else
        unsetCursor();
}

void TRChart::mousePressEvent(QMouseEvent *event)
{
    emit OnMouseDown(event);
    const QPoint pos = event->position().toPoint();
    const QRect plot = plotRect();
    if (event->button() == Qt::RightButton && m_bandOpen) {
        m_bandOpen = false;
        update();
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (m_mouseAction != maZoomWind && m_mouseAction != maZoomWindPos)
        return;
    if (!m_bandOpen) {
        if (!plot.contains(pos))
            return;
        m_bandOpen = true;
        m_bandStart = m_bandEnd = pos;
        update();
        return;
    }
    // The second click closes the band and zooms to it.
    m_bandOpen = false;
    update();
    m_bandEnd = QPoint(std::clamp(pos.x(), plot.left(), plot.right()), std::clamp(pos.y(), plot.top(), plot.bottom()));
    if (m_bandEnd.x() == m_bandStart.x() || m_bandEnd.y() == m_bandStart.y())
        return;
    const PlotGeometry geo = geometryNow();
    double loX = geo.x.toWorld(m_bandStart.x()), hiX = geo.x.toWorld(m_bandEnd.x());
    double loY = geo.y.toWorld(m_bandStart.y()), hiY = geo.y.toWorld(m_bandEnd.y());
    if (m_mouseAction == maZoomWindPos) {
        if (loX > hiX)
            std::swap(loX, hiX);
        if (loY > hiY)
            std::swap(loY, hiY);
    }
    setRanges(loX, hiX, loY, hiY);
}

void TRChart::mouseReleaseEvent(QMouseEvent *event)
{
    emit OnMouseUp(event);
    if (event->button() == Qt::LeftButton) {
        if (rect().contains(event->position().toPoint()))
            emit OnClick();
        m_dragging = false;
    }
}

void TRChart::mouseDoubleClickEvent(QMouseEvent *event)
{
    emit OnDblClick();
    mousePressEvent(event);
}

void TRChart::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (!m_mouseCursorFixed)
        unsetCursor();
}

void TRChart::mouseMoveEvent(QMouseEvent *event)
{
    emit OnMouseMove(event);
    const QPoint pos = event->position().toPoint();
    m_lastMouse = pos;
    updateCursor(pos);
    const QRect plot = plotRect();
    const bool left = event->buttons() & Qt::LeftButton;

    if (m_bandOpen) {
        m_bandEnd = QPoint(std::clamp(pos.x(), plot.left(), plot.right()), std::clamp(pos.y(), plot.top(), plot.bottom()));
        update();
    } else if ((m_mouseAction == maPan || m_mouseAction == maZoomDrag) && left) {
        if (!m_dragging) {
            if (plot.contains(pos)) {
                m_dragging = true;
                m_dragStart = pos;
                m_startLoX = m_loX;
                m_startHiX = m_hiX;
                m_startLoY = m_loY;
                m_startHiY = m_hiY;
            }
        } else if (m_mouseAction == maPan) {
            const double fx = double(pos.x() - m_dragStart.x()) / std::max(1, plotWidth());
            const double fy = double(pos.y() - m_dragStart.y()) / std::max(1, plotHeight());
            double loX, hiX, loY, hiY;
            if (m_logX) {
                const double f = std::pow(m_startHiX / m_startLoX, -fx);
                loX = m_startLoX * f;
                hiX = m_startHiX * f;
            } else {
                const double dx = (m_startHiX - m_startLoX) * fx;
                loX = m_startLoX - dx;
                hiX = m_startHiX - dx;
            }
            if (m_logY) {
                const double f = std::pow(m_startHiY / m_startLoY, fy);
                loY = m_startLoY * f;
                hiY = m_startHiY * f;
            } else {
                const double dy = (m_startHiY - m_startLoY) * fy;
                loY = m_startLoY + dy;
                hiY = m_startHiY + dy;
            }
            setRanges(loX, hiX, loY, hiY);
        } else {
            const double cx = (m_startHiX + m_startLoX) / 2;
            const double cy = (m_startHiY + m_startLoY) / 2;
            const double halfX = (m_startHiX - m_startLoX) * (1 - double(pos.x() - m_dragStart.x()) / width()) * 0.5;
            const double halfY = (m_startHiY - m_startLoY) * (double(pos.y() - m_dragStart.y()) / height() + 1) * 0.5;
            setRanges(cx - halfX, cx + halfX, cy - halfY, cy + halfY);
        }
    }
    fireMouseMoveInChart(pos, {event->modifiers(), event->buttons()});
}
