#pragma once

// The pixel columns of long lines as last gathered, kept between repaints of
// one chart. A pan by whole pixels moves every column by the same number of
// pixels and leaves each column's items together, so a repaint can replay a
// node's columns, shifted, instead of reading its summaries and items again:
// for a long line in view those reads, spread over tens of megabytes, cost
// more than all the rest of the drawing. The columns keep the extent in x of
// their items; a node is replayed only when the scale now puts both ends of
// every column's extent into one column again, which holds for every item
// between them as columns follow x in order. Else it is gathered anew.

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

// One column of a line: the first, lowest, highest and last height of its
// items and the extent in x of those items.
struct GatheredColumn
{
    int column;
    double minX, maxX;
    double first, low, high, last;
};

class LineColumnCache
{
public:
    using Columns = std::vector<GatheredColumn>;

    // Starts a drawing of the list of this generation; the columns of
    // another generation are forgotten. A drawing from the list's first item
    // (`fromStart`) draws every node in view, so at its end the nodes it did
    // not use are forgotten.
    void beginDraw(std::uint64_t listGeneration, bool fromStart);
    void endDraw();

    // The columns kept for the node, or null.
    const Columns *find(int level, std::size_t index);
    // Keeps the node's columns, taken from `columns`, which is left with
    // storage to reuse.
    void keep(int level, std::size_t index, Columns &columns);

    std::size_t nodeCount() const { return m_nodes.size(); }

private:
    struct Entry
    {
        Columns columns;
        std::uint64_t lastDraw = 0;
    };
    // A node's level in the low bits of its key, its index above.
    static constexpr int LevelBits = 6;
    static std::size_t key(int level, std::size_t index) { return index << LevelBits | std::size_t(level); }
    std::unordered_map<std::size_t, Entry> m_nodes;
    std::uint64_t m_generation = 0;
    std::uint64_t m_draw = 0;
    bool m_fromStart = false;
};
