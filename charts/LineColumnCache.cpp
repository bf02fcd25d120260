#include "charts/LineColumnCache.h"

void LineColumnCache::beginDraw(std::uint64_t listGeneration, bool fromStart)
{
    if (listGeneration != m_generation) {
        m_nodes.clear();
        m_generation = listGeneration;
    }
    ++m_draw;
    m_fromStart = fromStart;
}

void LineColumnCache::endDraw()
{
    if (m_fromStart)
        std::erase_if(m_nodes, [this](const auto &node) { return node.second.lastDraw != m_draw; });
}

const LineColumnCache::Columns *LineColumnCache::find(int level, std::size_t index)
{
    const auto found = m_nodes.find(key(level, index));
    if (found == m_nodes.end())
        return nullptr;
    found->second.lastDraw = m_draw;
    return &found->second.columns;
}

void LineColumnCache::keep(int level, std::size_t index, Columns &columns)
{
    Entry &entry = m_nodes[key(level, index)];
    entry.lastDraw = m_draw;
    entry.columns.swap(columns);
}
