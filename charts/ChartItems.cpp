#include "charts/ChartItems.h"

#include <algorithm>
#include <atomic>
#include <cmath>

std::uint64_t DisplayList::newGeneration()
{
    static std::atomic<std::uint64_t> last{0};
    return ++last;
}

void DisplayList::clear()
{
    m_generation = newGeneration();
    m_items.clear();
    m_extras.clear();
    m_extras.shrink_to_fit();
    m_blocks.clear();
    m_blockLines.clear();
    m_distinct.clear();
    m_distinct.shrink_to_fit();
    m_upper.clear();
    m_upper.shrink_to_fit();
    m_markIndex.clear();
    m_markIndex.shrink_to_fit();
    m_penKnown = false;
    m_penX = m_penY = 0;
}

void DisplayList::append(const ChartItem &item)
{
    noteInBlock(item, nullptr);
    m_items.push_back(item);
    noteAppended();
}

void DisplayList::append(const ChartItem &item, ChartItemExtra extra)
{
    noteInBlock(item, &extra);
    m_extras.emplace_back(m_items.size(), std::move(extra));
    m_items.push_back(item);
    noteAppended();
}

void DisplayList::noteAppended()
{
    if (m_items.size() % BlockSize == 0)
        m_blockLines.push_back(lineSummaryOf(m_blocks.back()));
    // Each level whose last node has just become complete gains a node
    // above it.
    for (int level = 1; m_items.size() % (std::size_t(1) << levelBits(level)) == 0; ++level) {
        if (std::size_t(level) > m_upper.size())
            m_upper.emplace_back();
        const std::size_t count = nodeCount(level - 1);
        const std::vector<DistinctMark> &below = distinctMarks(level - 1);
        UpperLevel &upper = m_upper[level - 1];
        const std::size_t first = count - Fanout;
        ItemBlock merged = node(level - 1, first);
        for (std::size_t b = first + 1; b < count; ++b)
            merged = MergedBlocks(merged, node(level - 1, b));
        merged.firstDistinct = std::uint32_t(upper.distinct.size());
        merged.distinctCount = 0;
        merged.manyDistinct = false;
        for (std::size_t b = first; b < count; ++b) {
            const ItemBlock &child = node(level - 1, b);
            merged.manyDistinct |= child.manyDistinct;
            for (std::uint32_t k = 0; k < child.distinctCount; ++k)
                addDistinct(merged, upper.distinct, below[child.firstDistinct + k]);
        }
        upper.nodes.push_back(merged);
        upper.lines.push_back(lineSummaryOf(merged));
    }
}

LineSummary DisplayList::lineSummaryOf(const ItemBlock &node)
{
    if (!node.hasLine)
        return {std::nan(""), std::nan(""), 0, 0, 0, 0};
    return {node.lineMinX, node.lineMaxX, node.firstY, node.lineMinY, node.lineMaxY, node.lastY};
}

void DisplayList::addDistinct(ItemBlock &block, std::vector<DistinctMark> &list, const DistinctMark &mark)
{
    if (block.manyDistinct)
        return;
    for (std::uint32_t k = 0; k < block.distinctCount; ++k)
        if (list[block.firstDistinct + k] == mark)
            return;
    if (block.distinctCount == MaxDistinctMarks) {
        block.manyDistinct = true;
        return;
    }
    list.push_back(mark);
    ++block.distinctCount;
}

ItemBlock MergedBlocks(const ItemBlock &a, const ItemBlock &b)
{
    ItemBlock m = a;
    m.minX = std::min(a.minX, b.minX);
    m.maxX = std::max(a.maxX, b.maxX);
    m.minY = std::min(a.minY, b.minY);
    m.maxY = std::max(a.maxY, b.maxY);
    m.alwaysDraw = a.alwaysDraw || b.alwaysDraw;
    m.maxWidth = std::max(a.maxWidth, b.maxWidth);
    if (b.movesPen) {
        m.movesPen = true;
        m.penX = b.penX;
        m.penY = b.penY;
    }
    m.plain = a.plain && b.plain;
    m.markCount = a.markCount + b.markCount;
    if (!b.hasLine)
        return m;
    if (!a.hasLine) {
        m.hasLine = true;
        m.lineColor = b.lineColor;
        m.lineWidth = b.lineWidth;
        m.startX = b.startX;
        m.startY = b.startY;
        m.firstY = b.firstY;
        m.lineMinX = b.lineMinX;
        m.lineMaxX = b.lineMaxX;
        m.lineMinY = b.lineMinY;
        m.lineMaxY = b.lineMaxY;
    } else {
        // One unbroken line: b's starts where a's ended, in the same pen.
        if (a.lineColor != b.lineColor || a.lineWidth != b.lineWidth || b.startX != a.lastX || b.startY != a.lastY)
            m.plain = false;
        m.lineMinX = std::min(a.lineMinX, b.lineMinX);
        m.lineMaxX = std::max(a.lineMaxX, b.lineMaxX);
        m.lineMinY = std::min(a.lineMinY, b.lineMinY);
        m.lineMaxY = std::max(a.lineMaxY, b.lineMaxY);
    }
    m.lastX = b.lastX;
    m.lastY = b.lastY;
    return m;
}

const ChartItemExtra &DisplayList::extra(std::size_t i) const
{
    static const ChartItemExtra none;
    const auto it = std::lower_bound(m_extras.begin(), m_extras.end(), i,
                                     [](const auto &entry, std::size_t index) { return entry.first < index; });
    return it != m_extras.end() && it->first == i ? it->second : none;
}

std::size_t DisplayList::memoryBytes() const
{
    std::size_t bytes = m_items.bytes() + m_blocks.bytes() + m_blockLines.bytes()
                        + m_extras.capacity() * sizeof(m_extras[0]) + m_markIndex.capacity() * sizeof(std::uint32_t)
                        + m_distinct.capacity() * sizeof(DistinctMark) + m_upper.capacity() * sizeof(UpperLevel);
    for (const UpperLevel &level : m_upper)
        bytes += level.nodes.bytes() + level.lines.bytes() + level.distinct.capacity() * sizeof(DistinctMark);
    return bytes;
}

void DisplayList::noteInBlock(const ChartItem &item, const ChartItemExtra *extra)
{
    if (m_items.size() % BlockSize == 0) {
        ItemBlock block;
        block.minX = block.maxX = item.x;
        block.minY = block.maxY = item.y;
        // Lines into the block start at the pen, so its position belongs to the block.
        if (m_penKnown) {
            block.minX = std::min(block.minX, m_penX);
            block.maxX = std::max(block.maxX, m_penX);
            block.minY = std::min(block.minY, m_penY);
            block.maxY = std::max(block.maxY, m_penY);
        } else {
            block.alwaysDraw = true;
            block.plain = false;
        }
        block.firstMark = std::uint32_t(m_markIndex.size());
        block.firstDistinct = std::uint32_t(m_distinct.size());
        m_blocks.push_back(block);
    }
    ItemBlock &b = m_blocks.back();
    const auto include = [&b](double x, double y) {
        b.minX = std::min(b.minX, x);
        b.maxX = std::max(b.maxX, x);
        b.minY = std::min(b.minY, y);
        b.maxY = std::max(b.maxY, y);
    };
    include(item.x, item.y);
    b.maxWidth = std::max(b.maxWidth, item.width);
    if (extra)
        include(extra->x2, extra->y2);
    if (item.kind == ItemKind::LineTo)
        noteLine(b, item);
    switch (item.kind) {
    case ItemKind::Text:
    case ItemKind::Bar:
        b.alwaysDraw = true;
        b.plain = false;
        break;
    case ItemKind::Rectangle:
        b.plain = false;
        break;
    case ItemKind::Mark:
        if (item.markStyle >= 33) {
            b.alwaysDraw = true;
            b.plain = false;
        }
        m_markIndex.push_back(std::uint32_t(m_items.size()));
        ++b.markCount;
        addDistinct(b, m_distinct, DistinctMark{item.y, item.color, item.markStyle});
        break;
    case ItemKind::Line:
        b.alwaysDraw = true;
        b.plain = false;
        m_penKnown = true;
        m_penX = extra ? extra->x2 : item.x;
        m_penY = extra ? extra->y2 : item.y;
        b.movesPen = true;
        b.penX = m_penX;
        b.penY = m_penY;
        break;
    case ItemKind::LineTo:
    case ItemKind::MoveTo:
        m_penKnown = true;
        m_penX = item.x;
        m_penY = item.y;
        b.movesPen = true;
        b.penX = m_penX;
        b.penY = m_penY;
        break;
    default:
        break;
    }
}

void DisplayList::noteLine(ItemBlock &b, const ChartItem &item) const
{
    if (!b.hasLine) {
        b.hasLine = true;
        b.lineColor = item.color;
        b.lineWidth = item.width;
        b.startX = m_penX;
        b.startY = m_penY;
        b.lineMinX = b.lineMaxX = item.x;
        b.firstY = b.lineMinY = b.lineMaxY = item.y;
        if (!m_penKnown || item.width > 1)
            b.plain = false;
    } else if (item.color != b.lineColor || item.width != b.lineWidth || m_penX != b.lastX || m_penY != b.lastY) {
        b.plain = false;
    }
    // A point off the number line has no place between the line's extremes.
    if (!std::isfinite(item.x) || !std::isfinite(item.y))
        b.plain = false;
    b.lastX = item.x;
    b.lastY = item.y;
    b.lineMinX = std::min(b.lineMinX, item.x);
    b.lineMaxX = std::max(b.lineMaxX, item.x);
    b.lineMinY = std::min(b.lineMinY, item.y);
    b.lineMaxY = std::max(b.lineMaxY, item.y);
}
