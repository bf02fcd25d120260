#include "charts/ChartPlot.h"

#include "charts/ChartMarks.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
// A polyline is drawn once this many points have gathered; the next one
// starts at its last point, so the two join without a gap.
constexpr std::size_t MaxPolylinePoints = 200;

QRect boxAround(QPoint p, int reach)
{
    return QRect(p.x() - reach, p.y() - reach, 2 * reach + 1, 2 * reach + 1);
}

// Whether two non-empty rectangles share a pixel (QRect::intersects, inline).
bool overlap(const QRect &a, const QRect &b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}
} // namespace

PlotDrawer::PlotDrawer(QImage &image, const PlotGeometry &geometry, const PlotStyle &style, bool thin)
    : m_image(&image), m_geo(geometry), m_style(style), m_thin(thin)
{
    // Taken before any painter is opened, so both write to the same pixels.
    m_bits = reinterpret_cast<QRgb *>(image.bits());
    m_stride = int(image.bytesPerLine() / sizeof(QRgb));
    m_imageWidth = image.width();
    m_imageHeight = image.height();
}

PlotDrawer::PlotDrawer(QPainter &painter, const PlotGeometry &geometry, const PlotStyle &style, bool thin)
    : m_painter(&painter), m_geo(geometry), m_style(style), m_thin(thin)
{
}

PlotDrawer::~PlotDrawer()
{
    if (m_ownPainter)
        delete m_painter;
}

void PlotDrawer::useColumnCache(LineColumnCache &cache)
{
    if (m_thin)
        m_cache = &cache;
}

QPainter &PlotDrawer::painter()
{
    if (!m_painter) {
        m_painter = new QPainter(m_image);
        m_ownPainter = true;
    }
    return *m_painter;
}

QRgb PlotDrawer::colorOf(const ChartItem &item) const
{
    return m_style.allBlack ? qRgb(0, 0, 0) : (item.color | 0xFF000000);
}

PlotDrawer::Extent PlotDrawer::pixelExtent(const ItemBlock &block) const
{
    const double x1 = m_geo.x.toPixelExact(block.minX) - m_geo.left;
    const double x2 = m_geo.x.toPixelExact(block.maxX) - m_geo.left;
    const double y1 = m_geo.y.toPixelExact(block.minY) - m_geo.top;
    const double y2 = m_geo.y.toPixelExact(block.maxY) - m_geo.top;
    return {std::min(x1, x2), std::max(x1, x2), std::min(y1, y2), std::max(y1, y2)};
}

bool PlotDrawer::outside(const ItemBlock &block) const
{
    if (block.alwaysDraw)
        return false;
    const Extent extent = pixelExtent(block);
    const double reach = MarkReach + 2 + block.maxWidth;
    return extent.right < -reach || extent.left > m_geo.w + reach || extent.bottom < -reach
           || extent.top > m_geo.h + reach;
}

bool PlotDrawer::inside(const ItemBlock &block) const
{
    if (block.alwaysDraw)
        return false;
    const Extent extent = pixelExtent(block);
    return extent.left >= 0 && extent.right <= m_geo.w && extent.top >= 0 && extent.bottom <= m_geo.h;
}

void PlotDrawer::draw(const DisplayList &list, DrawState &state)
{
    m_pen = state.pen;
    if (m_cache)
        m_cache->beginDraw(list.generation(), state.next == 0);
    std::size_t i = state.next;
    const std::size_t n = list.size();
    const int levels = list.levelCount();
    while (i < n) {
        if (m_thin && i % DisplayList::BlockSize == 0 && drawNodesAt(list, levels, i))
            continue;
        const ChartItem &item = list[i];
        ++m_stats.itemsWalked;
        switch (item.kind) {
        case ItemKind::LineTo:
            lineTo(QPoint(m_geo.toX(item.x), m_geo.toY(item.y)), colorOf(item), item.width);
            break;
        case ItemKind::MoveTo:
            moveTo(QPoint(m_geo.toX(item.x), m_geo.toY(item.y)));
            break;
        case ItemKind::Mark:
            flushRun(false);
            mark(item);
            break;
        case ItemKind::Rectangle:
        case ItemKind::Bar:
            flushRun(false);
            rectangle(item, list.extra(i));
            break;
        case ItemKind::Text:
            flushRun(false);
            text(item, list.extra(i));
            break;
        case ItemKind::Line:
            flushRun(false);
            line(item, list.extra(i));
            break;
        case ItemKind::End:
            break;
        }
        ++i;
    }
    flushRun(false);
    drawFrame();
    if (m_cache)
        m_cache->endDraw();
    state.next = n;
    state.pen = m_pen;
}

bool PlotDrawer::drawNodesAt(const DisplayList &list, int levels, std::size_t &i)
{
    // The largest complete node that starts at item i is skipped when it
    // lies outside the plot, or drawn from its summary when it can be; else
    // its first child is tried, down to a block. Only complete nodes are
    // used: items appended later could still widen a block.
    for (int level = levels - 1; level >= 0; --level) {
        const int bits = DisplayList::levelBits(level);
        const std::size_t index = i >> bits;
        if ((index << bits) != i || ((index + 1) << bits) > list.size())
            continue;
        const std::size_t end = i + (std::size_t(1) << bits);
        const ItemBlock &node = list.node(level, index);
        if (drawWholeBlock(list, node, list.distinctMarks(level), i < m_insideUntil)) {
            i = end;
            return true;
        }
        // Parts of a node that lies inside the plot are never skipped, so
        // its line can be walked without looking at their extents; a block's
        // items are walked wherever it lies.
        if (isBareLine(node) && (level == 0 || i < m_insideUntil || inside(node))) {
            continueLine(node);
            walkBareNode(list, level, index);
            endLineAfter(node);
            i = end;
            return true;
        }
        // Its parts lie inside the plot where it does.
        if (m_insideUntil < end && inside(list.node(level, index)))
            m_insideUntil = end;
    }
    return false;
}

bool PlotDrawer::drawWholeBlock(const DisplayList &list, const ItemBlock &block, const std::vector<DistinctMark> &distinct,
                                bool knownInside)
{
    if (!knownInside && outside(block)) {
        flushRun(false);
        if (block.movesPen)
            m_pen = QPoint(m_geo.toX(block.penX), m_geo.toY(block.penY));
        ++m_stats.blocksSkipped;
        return true;
    }
    if (isBareLine(block)) {
        const int column = m_geo.toX(block.lineMinX);
        if (m_geo.toX(block.lineMaxX) != column)
            return false;
        continueLine(block);
        addToColumn(column, block.lineMinX, block.lineMaxX, block.firstY, block.lineMinY, block.lineMaxY, block.lastY);
        endLineAfter(block);
        ++m_stats.blocksSummarised;
        return true;
    }
    if (block.plain && drawSummary(list, block, distinct)) {
        ++m_stats.blocksSummarised;
        return true;
    }
    return false;
}

bool PlotDrawer::drawSummary(const DisplayList &list, const ItemBlock &block, const std::vector<DistinctMark> &distinct)
{
    // The line must lie in one pixel column.
    QPoint start, first, last, low, high;
    QRect lineArea;
    if (block.hasLine) {
        const int column = m_geo.toX(block.lineMinX);
        if (m_geo.toX(block.lineMaxX) != column)
            return false;
        start = QPoint(m_geo.toX(block.startX), m_geo.toY(block.startY));
        first = QPoint(column, m_geo.toY(block.firstY));
        last = QPoint(column, m_geo.toY(block.lastY));
        low = QPoint(column, m_geo.toY(block.lineMinY));
        high = QPoint(column, m_geo.toY(block.lineMaxY));
        lineArea = QRect(QPoint(column, std::min(low.y(), high.y())), QPoint(column, std::max(low.y(), high.y())));
    }
    const QRect entryArea(QPoint(std::min(start.x(), first.x()), std::min(start.y(), first.y())),
                          QPoint(std::max(start.x(), first.x()), std::max(start.y(), first.y())));

    // Marks may be drawn apart from the line only where neither covers the
    // other, and marks of another style or colour only where they do not
    // overlap: then the order of drawing does not matter.
    // Plain numbers, left unset: most summaries hold no marks.
    struct Placed
    {
        int x, y;
        QRgb color;
        int style;
    };
    std::array<Placed, 32> placed;
    std::size_t count = 0;
    // Within one pixel column marks of one style, colour and height fall on
    // the same pixels, so the block's distinct marks stand for all.
    const int blockColumn = m_geo.toX(block.minX);
    const bool fromDistinct = !block.manyDistinct && m_geo.toX(block.maxX) == blockColumn;
    const auto &marks = list.markIndex();
    const std::uint32_t markCount = fromDistinct ? block.distinctCount : block.markCount;
    for (std::uint32_t k = 0; k < markCount; ++k) {
        Placed m;
        if (fromDistinct) {
            const DistinctMark &d = distinct[block.firstDistinct + k];
            m = {blockColumn, m_geo.toY(d.y), m_style.allBlack ? qRgb(0, 0, 0) : (d.color | 0xFF000000), d.style};
        } else {
            const ChartItem &item = list[marks[block.firstMark + k]];
            m = {m_geo.toX(item.x), m_geo.toY(item.y), colorOf(item), item.markStyle};
        }
        const QRect box = boxAround(QPoint(m.x, m.y), MarkReach);
        if (block.hasLine && (overlap(box, lineArea) || overlap(box, entryArea)))
            return false;
        bool known = false;
        for (std::size_t j = 0; j < count && !known; ++j) {
            const Placed &o = placed[j];
            if (o.x == m.x && o.y == m.y && o.color == m.color && o.style == m.style)
                known = true;
            else if ((o.color != m.color || o.style != m.style) && overlap(box, boxAround(QPoint(o.x, o.y), MarkReach)))
                return false;
        }
        if (known)
            continue;
        if (count == placed.size())
            return false;
        placed[count++] = m;
    }

    if (count > 0) {
        flushRun(false);
        for (std::size_t j = 0; j < count; ++j)
            drawMarkAt(QPoint(placed[j].x, placed[j].y), placed[j].color, placed[j].style);
    }
    if (block.hasLine)
        drawSummaryLine(block, start, {first, low, high, last});
    else if (block.movesPen)
        moveTo(QPoint(m_geo.toX(block.penX), m_geo.toY(block.penY)));
    return true;
}

void PlotDrawer::continueLine(const ItemBlock &block)
{
    const QRgb color = m_style.allBlack ? qRgb(0, 0, 0) : (block.lineColor | 0xFF000000);
    if (m_line.active && m_line.color == color && m_line.width == block.lineWidth && m_line.endX == block.startX
        && m_line.endY == block.startY)
        return;
    endLine();
    moveTo(QPoint(m_geo.toX(block.startX), m_geo.toY(block.startY)));
    m_line.active = true;
    m_line.color = color;
    m_line.width = block.lineWidth;
}

void PlotDrawer::addToColumn(int column, double minX, double maxX, double first, double low, double high, double last)
{
    if (m_recording) {
        if (!m_recorded.empty() && m_recorded.back().column == column) {
            GatheredColumn &kept = m_recorded.back();
            kept.minX = std::min(kept.minX, minX);
            kept.maxX = std::max(kept.maxX, maxX);
            kept.low = std::min(kept.low, low);
            kept.high = std::max(kept.high, high);
            kept.last = last;
        } else {
            m_recorded.push_back(GatheredColumn{column, minX, maxX, first, low, high, last});
        }
    }
    // Pixel heights grow or shrink with world heights, so the lowest and
    // highest world heights give the column's extreme pixels.
    if (m_line.hasColumn && column == m_line.column) {
        m_line.low = std::min(m_line.low, low);
        m_line.high = std::max(m_line.high, high);
        m_line.last = last;
        return;
    }
    handOverColumn();
    m_line.hasColumn = true;
    m_line.column = column;
    m_line.first = first;
    m_line.low = low;
    m_line.high = high;
    m_line.last = last;
}

void PlotDrawer::handOverColumn()
{
    if (!m_line.hasColumn)
        return;
    m_line.hasColumn = false;
    // Not active meanwhile, so that lineTo does not end the line.
    m_line.active = false;
    for (double y : {m_line.first, m_line.low, m_line.high, m_line.last})
        lineTo(QPoint(m_line.column, m_geo.toY(y)), m_line.color, m_line.width);
    m_line.active = true;
}

void PlotDrawer::endLine()
{
    if (!m_line.active)
        return;
    handOverColumn();
    m_line.active = false;
}

void PlotDrawer::endLineAfter(const ItemBlock &block)
{
    m_line.endX = block.lastX;
    m_line.endY = block.lastY;
    // Mostly the pen stays where the line ends.
    if (block.movesPen && (block.penX != block.lastX || block.penY != block.lastY))
        moveTo(QPoint(m_geo.toX(block.penX), m_geo.toY(block.penY)));
}

void PlotDrawer::walkBareNode(const DisplayList &list, int level, std::size_t index)
{
    const auto children = [](std::size_t node) {
        return std::pair(node << DisplayList::FanoutBits, (node + 1) << DisplayList::FanoutBits);
    };
    if (level > GatheredLevels) {
        const auto [from, to] = children(index);
        for (std::size_t c = from; c < to; ++c)
            __builtin_prefetch(&list.lineSummary(level - 1, c));
        for (std::size_t c = from; c < to; ++c)
            walkBareNode(list, level - 1, c);
        return;
    }
    const bool keep = worthKeeping(list, level, index);
    if (keep) {
        const LineColumnCache::Columns *kept = m_cache->find(level, index);
        if (kept && replayColumns(*kept))
            return;
        m_recorded.clear();
        m_recording = true;
    }
    // The node's parts are looked into a level at a time, for the whole
    // node, before any is drawn: the parts of each level, and at last the
    // items of the blocks left, are asked of memory all at once rather than
    // one after the other, each waiting for the one it was found in.
    std::vector<LinePart> &parts = m_lineParts;
    std::vector<LinePart> &next = m_nextLineParts;
    parts.clear();
    addLinePart(list, level, index, parts);
    for (int l = level; l > 0; --l) {
        for (const LinePart &part : parts)
            if (!part.summary) {
                const auto [from, to] = children(part.index);
                for (std::size_t c = from; c < to; ++c)
                    __builtin_prefetch(&list.lineSummary(l - 1, c));
            }
        next.clear();
        for (const LinePart &part : parts) {
            if (part.summary) {
                next.push_back(part);
                continue;
            }
            const auto [from, to] = children(part.index);
            for (std::size_t c = from; c < to; ++c)
                addLinePart(list, l - 1, c, next);
        }
        std::swap(parts, next);
    }
    for (const LinePart &part : parts)
        if (!part.summary) {
            const char *items = reinterpret_cast<const char *>(&list[part.index << DisplayList::BlockBits]);
            for (std::size_t k = 0; k < DisplayList::BlockSize * sizeof(ChartItem); k += 64)
                __builtin_prefetch(items + k);
        }
    for (const LinePart &part : parts) {
        if (!part.summary) {
            walkBlockLine(list, part.index);
            continue;
        }
        const LineSummary &s = *part.summary;
        addToColumn(part.column, s.minX, s.maxX, s.firstY, s.lowY, s.highY, s.lastY);
        ++m_stats.blocksSummarised;
    }
    // Kept only once the node is walked through.
    if (keep) {
        m_recording = false;
        m_cache->keep(level, index, m_recorded);
    }
}

bool PlotDrawer::worthKeeping(const DisplayList &list, int level, std::size_t index) const
{
    // Where a column holds few items, walking them costs little more than
    // replaying the column, and kept columns would take nearly the memory
    // of the items.
    constexpr int MinItemsPerColumn = 16;
    if (!m_cache || level == 0)
        return false;
    const LineSummary &s = list.lineSummary(level, index);
    const std::size_t columns = std::size_t(std::abs(m_geo.toX(s.maxX) - m_geo.toX(s.minX))) + 1;
    return columns * MinItemsPerColumn <= std::size_t(1) << DisplayList::levelBits(level);
}

bool PlotDrawer::replayColumns(const LineColumnCache::Columns &columns)
{
    if (columns.empty())
        return false;
    const int shift = m_geo.toX(columns.front().minX) - columns.front().column;
    for (const GatheredColumn &c : columns)
        if (m_geo.toX(c.minX) != c.column + shift || m_geo.toX(c.maxX) != c.column + shift)
            return false;
    for (const GatheredColumn &c : columns)
        addToColumn(c.column + shift, c.minX, c.maxX, c.first, c.low, c.high, c.last);
    ++m_stats.nodesReplayed;
    return true;
}

void PlotDrawer::addLinePart(const DisplayList &list, int level, std::size_t index, std::vector<LinePart> &parts) const
{
    const LineSummary &s = list.lineSummary(level, index);
    if (!s.hasLine())
        return;
    const int column = m_geo.toX(s.minX);
    parts.push_back(LinePart{index, m_geo.toX(s.maxX) == column ? &s : nullptr, column});
}

void PlotDrawer::walkBlockLine(const DisplayList &list, std::size_t block)
{
    // The pen moves lead back to where the line goes on: only the line-to
    // items count. Points that fall into one column are gathered here and
    // handed on together.
    const std::size_t first = block << DisplayList::BlockBits;
    bool open = false;
    int column = 0;
    double minX = 0, maxX = 0, firstY = 0, low = 0, high = 0, last = 0;
    for (std::size_t k = first; k < first + DisplayList::BlockSize; ++k) {
        const ChartItem &item = list[k];
        if (item.kind != ItemKind::LineTo)
            continue;
        const int x = m_geo.toX(item.x);
        if (open && x == column) {
            minX = std::min(minX, item.x);
            maxX = std::max(maxX, item.x);
            low = std::min(low, item.y);
            high = std::max(high, item.y);
            last = item.y;
            continue;
        }
        if (open)
            addToColumn(column, minX, maxX, firstY, low, high, last);
        open = true;
        column = x;
        minX = maxX = item.x;
        firstY = low = high = last = item.y;
    }
    if (open)
        addToColumn(column, minX, maxX, firstY, low, high, last);
    m_stats.itemsWalked += DisplayList::BlockSize;
}

void PlotDrawer::drawSummaryLine(const ItemBlock &block, QPoint start, const std::array<QPoint, 4> &points)
{
    const QRgb color = m_style.allBlack ? qRgb(0, 0, 0) : (block.lineColor | 0xFF000000);
    moveTo(start);
    for (const QPoint &p : points)
        lineTo(p, color, block.lineWidth);
    // Mostly the pen stays where the line ends.
    if (block.movesPen && (block.penX != block.lastX || block.penY != block.lastY))
        moveTo(QPoint(m_geo.toX(block.penX), m_geo.toY(block.penY)));
}

void PlotDrawer::lineTo(QPoint p, QRgb color, int width)
{
    endLine();
    if (m_runActive && (color != m_runColor || width != m_runWidth))
        flushRun(false);
    if (!m_runActive) {
        m_runActive = true;
        m_runColor = color;
        m_runWidth = width;
        m_points.clear();
        m_columnOpen = false;
        addRunPoint(m_pen);
    }
    addRunPoint(p);
    m_pen = p;
}

void PlotDrawer::moveTo(QPoint p)
{
    endLine();
    // A move to the pen's own pixel changes nothing that a thin line draws
    // (a wide one would end in caps instead of a join there).
    if (!(m_thin && p == m_pen && (!m_runActive || m_runWidth <= 1)))
        flushRun(false);
    m_pen = p;
}

void PlotDrawer::addRunPoint(QPoint p)
{
    if (!m_thin || m_runWidth > 1) {
        pushPoint(p);
        return;
    }
    if (m_columnOpen && p.x() == m_columnX) {
        m_minY = std::min(m_minY, p.y());
        m_maxY = std::max(m_maxY, p.y());
        m_lastY = p.y();
        return;
    }
    closeColumn();
    pushPoint(p);
    m_columnOpen = true;
    m_columnX = p.x();
    m_minY = m_maxY = m_lastY = p.y();
}

void PlotDrawer::closeColumn()
{
    if (!m_columnOpen)
        return;
    m_columnOpen = false;
    for (int y : {m_minY, m_maxY, m_lastY})
        if (m_points.empty() || m_points.back() != QPoint(m_columnX, y))
            pushPoint(QPoint(m_columnX, y));
}

void PlotDrawer::pushPoint(QPoint p)
{
    m_points.push_back(p);
    if (m_points.size() >= MaxPolylinePoints)
        flushRun(true);
}

void PlotDrawer::flushRun(bool keepLast)
{
    endLine();
    if (!m_runActive)
        return;
    if (!keepLast)
        closeColumn();
    if (!m_points.empty()) {
        ++m_stats.polylines;
        m_stats.points += m_points.size();
        int x1 = m_points[0].x(), x2 = x1, y1 = m_points[0].y(), y2 = y1;
        for (const QPoint &p : m_points) {
            x1 = std::min(x1, p.x());
            x2 = std::max(x2, p.x());
            y1 = std::min(y1, p.y());
            y2 = std::max(y2, p.y());
        }
        const int reach = m_runWidth / 2 + 1;
        touched(QRect(QPoint(x1 - reach, y1 - reach), QPoint(x2 + reach, y2 + reach)));
        if (m_bits && m_runWidth <= 1) {
            if (m_points.size() == 1)
                drawThinSegment(m_points[0], m_points[0], m_runColor);
            for (std::size_t k = 1; k < m_points.size();) {
                if (m_points[k].x() != m_points[k - 1].x()) {
                    drawThinSegment(m_points[k - 1], m_points[k], m_runColor);
                    ++k;
                    continue;
                }
                // Joined vertical segments in one column cover the span
                // between their extremes: each pixel is set once.
                const int x = m_points[k].x();
                int low = m_points[k - 1].y(), high = low;
                for (; k < m_points.size() && m_points[k].x() == x; ++k) {
                    low = std::min(low, m_points[k].y());
                    high = std::max(high, m_points[k].y());
                }
                drawThinSegment(QPoint(x, low), QPoint(x, high), m_runColor);
            }
        } else {
            QPainter &p = painter();
            QPen pen{QColor(m_runColor)};
            pen.setWidth(m_runWidth);
            if (m_runWidth > 1) {
                pen.setCapStyle(Qt::RoundCap);
                pen.setJoinStyle(Qt::RoundJoin);
            }
            p.setPen(pen);
            if (m_points.size() == 1)
                p.drawPoint(m_points[0]);
            else
                p.drawPolyline(m_points.data(), int(m_points.size()));
        }
    }
    if (keepLast) {
        const QPoint last = m_points.back();
        m_points.clear();
        m_points.push_back(last);
    } else {
        m_points.clear();
        m_runActive = false;
    }
}

// One-pixel line with both end points set (Bresenham), clipped to the image.
void PlotDrawer::drawThinSegment(QPoint a, QPoint b, QRgb color)
{
    const int w = m_imageWidth;
    const int h = m_imageHeight;
    int x0 = a.x(), y0 = a.y();
    const int x1 = b.x(), y1 = b.y();
    if (std::max(x0, x1) < 0 || std::min(x0, x1) >= w || std::max(y0, y1) < 0 || std::min(y0, y1) >= h)
        return;
    if (x0 == x1) {
        const int from = std::max(0, std::min(y0, y1));
        const int to = std::min(h - 1, std::max(y0, y1));
        const int stride = m_stride;
        QRgb *pixel = m_bits + std::size_t(from) * stride + x0;
        for (int y = from; y <= to; ++y, pixel += stride)
            *pixel = color;
        return;
    }
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        if (x0 >= 0 && x0 < w && y0 >= 0 && y0 < h)
            m_bits[std::size_t(y0) * m_stride + x0] = color;
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void PlotDrawer::mark(const ChartItem &item)
{
    const QPoint p(m_geo.toX(item.x), m_geo.toY(item.y));
    const QRgb color = colorOf(item);
    const int style = item.markStyle;
    if (IsCharacterMark(style)) {
        QPainter &painter = this->painter();
        painter.setFont(m_style.font);
        painter.setPen(QColor(color));
        const QString glyph{QChar(char16_t(style))};
        const QFontMetrics metrics(m_style.font);
        const QRect box(p.x() - metrics.horizontalAdvance(glyph) / 2, p.y() - metrics.height() / 2,
                        metrics.horizontalAdvance(glyph), metrics.height());
        painter.drawText(box, Qt::AlignCenter, glyph);
        touched(box.adjusted(-2, -2, 2, 2));
        return;
    }
    drawMarkAt(p, color, style);
}

void PlotDrawer::drawMarkAt(QPoint p, QRgb color, int style)
{
    if (m_thin) {
        for (const RecentMark &r : m_recentMarks)
            if (r.valid && r.x == p.x() && r.y == p.y() && r.color == color && r.style == style)
                return;
    }
    ++m_stats.marks;
    const QRect box = boxAround(p, MarkReach);
    touched(box);
    if (m_bits)
        SetMarkPixels(m_bits, m_stride, m_imageWidth, m_imageHeight, p.x(), p.y(), style, color);
    else
        PaintMarkPixels(painter(), p.x(), p.y(), style, color);
    m_recentCount += m_recentMarks[m_nextRecent].valid ? 0 : 1;
    m_recentMarks[m_nextRecent] = {p.x(), p.y(), color, style, true};
    m_nextRecent = (m_nextRecent + 1) % m_recentMarks.size();
}

void PlotDrawer::rectangle(const ChartItem &item, const ChartItemExtra &extra)
{
    const QPoint a(m_geo.toX(item.x), m_geo.toY(item.y));
    const QPoint b(m_geo.toX(extra.x2), m_geo.toY(extra.y2));
    QPainter &p = painter();
    if (a == b) {
        p.fillRect(a.x(), a.y(), 1, 1, QColor(m_style.scaleColor));
        touched(QRect(a, a));
        return;
    }
    const QRect area(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                     QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
    p.fillRect(area, QColor(colorOf(item)));
    p.setPen(QPen(QColor(m_style.scaleColor), 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(area.adjusted(0, 0, -1, -1));
    touched(area);
}

void PlotDrawer::text(const ChartItem &item, const ChartItemExtra &extra)
{
    QPainter &p = painter();
    QFont font = m_style.textFont;
    font.setPixelSize(std::max(1, int(std::lround(extra.size * m_style.screenDpi / 72.0))));
    p.setFont(font);
    const QFontMetrics metrics(font, p.device());
    const QSize size(metrics.horizontalAdvance(extra.text), metrics.height());
    const QPoint c(m_geo.toX(item.x), m_geo.toY(item.y));
    const QRect box(c.x() - size.width() / 2, c.y() - size.height() / 2, size.width(), size.height());
    if (m_style.textSolid)
        p.fillRect(box, QColor(m_style.textBkColor));
    p.setPen(QColor(colorOf(item)));
    p.drawText(box, Qt::AlignCenter | Qt::TextDontClip, extra.text);
    touched(box.adjusted(-2, -2, 2, 2));
}

void PlotDrawer::line(const ChartItem &item, const ChartItemExtra &extra)
{
    m_pen = QPoint(m_geo.toX(item.x), m_geo.toY(item.y));
    lineTo(QPoint(m_geo.toX(extra.x2), m_geo.toY(extra.y2)), colorOf(item), item.width);
    flushRun(false);
}

// The frame is drawn again over whatever the items covered of it; where
// nothing was drawn it is still there from the background.
void PlotDrawer::drawFrame()
{
    const QRect area = changed().intersected(QRect(0, 0, m_geo.w + 1, m_geo.h + 1));
    if (area.isEmpty())
        return;
    if (m_bits) {
        const QRgb color = m_style.scaleColor | 0xFF000000;
        const auto row = [&](int y) {
            if (y >= area.top() && y <= area.bottom())
                std::fill(m_bits + std::size_t(y) * m_stride + area.left(), m_bits + std::size_t(y) * m_stride + area.right() + 1, color);
        };
        const auto column = [&](int x) {
            if (x >= area.left() && x <= area.right())
                for (int y = area.top(); y <= area.bottom(); ++y)
                    m_bits[std::size_t(y) * m_stride + x] = color;
        };
        row(0);
        row(m_geo.h);
        column(0);
        column(m_geo.w);
        return;
    }
    QPainter &p = painter();
    p.save();
    p.setClipRect(area);
    p.setPen(QPen(QColor(m_style.scaleColor), 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, m_geo.w, m_geo.h);
    p.restore();
}

void PlotDrawer::touched(QRect area)
{
    const int x1 = area.left(), x2 = area.right(), y1 = area.top(), y2 = area.bottom();
    if (m_changedEmpty) {
        m_cx1 = x1, m_cx2 = x2, m_cy1 = y1, m_cy2 = y2;
        m_changedEmpty = false;
    } else {
        m_cx1 = std::min(m_cx1, x1), m_cx2 = std::max(m_cx2, x2);
        m_cy1 = std::min(m_cy1, y1), m_cy2 = std::max(m_cy2, y2);
    }
    // Whatever was drawn over a recent mark hides it, so that mark must be
    // drawn again when it comes up next.
    if (m_recentCount == 0)
        return;
    for (RecentMark &r : m_recentMarks)
        if (r.valid && x1 <= r.x + MarkReach && x2 >= r.x - MarkReach && y1 <= r.y + MarkReach && y2 >= r.y - MarkReach) {
            r.valid = false;
            --m_recentCount;
        }
}

QRect PlotDrawer::changed() const
{
    return m_changedEmpty ? QRect() : QRect(QPoint(m_cx1, m_cy1), QPoint(m_cx2, m_cy2));
}
