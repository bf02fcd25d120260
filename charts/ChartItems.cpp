#include "charts/ChartItems.h"

#include <algorithm>

void DisplayList::clear()
{
    m_items.clear();
    m_items.shrink_to_fit();
    m_extras.clear();
    m_extras.shrink_to_fit();
    m_blocks.clear();
    m_blocks.shrink_to_fit();
    m_penKnown = false;
    m_penX = m_penY = 0;
}

void DisplayList::append(const ChartItem &item)
{
    noteInBlock(item, nullptr);
    m_items.push_back(item);
}

void DisplayList::append(const ChartItem &item, ChartItemExtra extra)
{
    noteInBlock(item, &extra);
    m_extras.emplace_back(m_items.size(), std::move(extra));
    m_items.push_back(item);
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
    // A deque keeps its items in chunks of 512 bytes plus a map of chunk pointers.
    const std::size_t perChunk = std::max<std::size_t>(1, 512 / sizeof(ChartItem));
    const std::size_t chunks = (m_items.size() + perChunk - 1) / perChunk;
    return chunks * (512 + sizeof(void *)) + m_extras.capacity() * sizeof(m_extras[0])
           + m_blocks.capacity() * sizeof(ItemBlock);
}

void DisplayList::noteInBlock(const ChartItem &item, const ChartItemExtra *extra)
{
    if (m_items.size() % BlockSize == 0) {
        ItemBlock block{item.x, item.x, item.y, item.y};
        // Lines into the block start at the pen, so its position belongs to the block.
        if (m_penKnown) {
            block.minX = std::min(block.minX, m_penX);
            block.maxX = std::max(block.maxX, m_penX);
            block.minY = std::min(block.minY, m_penY);
            block.maxY = std::max(block.maxY, m_penY);
        } else {
            block.alwaysDraw = true;
        }
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
    switch (item.kind) {
    case ItemKind::Text:
    case ItemKind::Bar:
        b.alwaysDraw = true;
        break;
    case ItemKind::Mark:
        if (item.markStyle >= 33)
            b.alwaysDraw = true;
        break;
    case ItemKind::Line:
        b.alwaysDraw = true;
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
