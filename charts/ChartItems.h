#pragma once

// The chart's display list: drawing items in world coordinates, in the order
// appended. The common item is kept small (a line-to takes 24 bytes); the
// rare fields of rectangles, texts, lines and bars live in a side table.
// Summaries of blocks of items, and of runs of summaries at several levels
// above them, let drawing skip whole runs that lie outside the visible
// window and draw a run that falls into one pixel column in a few steps, so
// that the work follows the pixels rather than the items.

#include "charts/ChunkedVector.h"

#include <QRgb>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

enum class ItemKind : std::uint8_t { End = 0, Mark = 1, Line = 2, LineTo = 3, Rectangle = 4, Bar = 5, Text = 6, MoveTo = 7 };

struct ChartItem
{
    double x;
    double y;
    QRgb color;
    std::uint8_t width;
    std::uint8_t itemClass;
    ItemKind kind;
    std::uint8_t markStyle;
};
static_assert(sizeof(ChartItem) <= 24, "the common item stays compact");

// Fields only rectangles, texts, lines and bars use.
struct ChartItemExtra
{
    double x2 = 0;
    double y2 = 0;
    int size = 0;
    int angle = 0;
    QString text;
};

// Bounds of a block of items, the pen position on entry included, so that a
// block whose bounds lie outside the visible window can be skipped.
struct ItemBlock
{
    // The line's extremes and ends and the flags that tell whether they
    // stand for the block come first, within 64 bytes: drawing a long line
    // reads only these of most summaries.
    double lineMinX = 0, lineMaxX = 0, lineMinY = 0, lineMaxY = 0;
    double firstY = 0; // the line's first point's height
    double lastY = 0;  // its last point's height
    bool hasLine = false;
    // A plain block holds only pen moves, pattern or pixel marks and
    // line-to items of one colour and a width of 0 or 1 that form one
    // unbroken line (each starts where the one before ended, whatever pen
    // moves lie between). When its line falls into one pixel column it can
    // be drawn from this summary: the line from its start through its lowest
    // and highest point to its end, and its marks.
    bool plain = true;
    // Texts, character marks, lines and bars reach further than their point;
    // such blocks are always drawn.
    bool alwaysDraw = false;
    bool movesPen = false;     // the block moves the pen (to penX, penY)
    std::uint8_t maxWidth = 0; // widest pen of the block
    std::uint8_t lineWidth = 0;
    QRgb lineColor = 0;
    std::uint32_t markCount = 0;

    // Bounds of all items, the pen on entry included.
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    double penX = 0, penY = 0;         // the pen after the block's last item
    double startX = 0, startY = 0;     // the pen where the line starts
    double lastX = 0;                  // the line's last point's x
    std::uint32_t firstMark = 0;       // into DisplayList::markIndex()
    // The block's marks that differ in style, colour or height, when there
    // are few: within one pixel column the others draw the same pixels.
    std::uint32_t firstDistinct = 0;
    std::uint8_t distinctCount = 0;
    bool manyDistinct = false;
};
static_assert(offsetof(ItemBlock, markCount) + sizeof(std::uint32_t) <= 64, "a long line's fields share a cache line");

// What gathering a line without marks needs of a node: the line's extent
// across and its first, lowest, highest and last height. Kept apart from
// the nodes and packed, so that walking a long line reads a few cache lines
// for the parts of a node rather than a few for each part. A node without
// a line has minX and maxX not a number.
struct LineSummary
{
    double minX, maxX;
    double firstY, lowY, highY, lastY;
    bool hasLine() const { return minX == minX; }
};
static_assert(sizeof(LineSummary) == 48, "line summaries stay packed");

struct DistinctMark
{
    double y;
    QRgb color;
    std::uint8_t style;
    bool operator==(const DistinctMark &) const = default;
};

// The summary of block `a` followed by block `b`.
ItemBlock MergedBlocks(const ItemBlock &a, const ItemBlock &b);

class DisplayList
{
public:
    static constexpr int BlockBits = 5;
    static constexpr std::size_t BlockSize = std::size_t(1) << BlockBits;
    // A node of summary level k > 0 sums up Fanout nodes of level k - 1;
    // level 0 sums up BlockSize items.
    static constexpr int FanoutBits = 3;
    static constexpr std::size_t Fanout = std::size_t(1) << FanoutBits;
    // log2 of the items one node of `level` sums up.
    static constexpr int levelBits(int level) { return BlockBits + FanoutBits * level; }

    void clear();
    void append(const ChartItem &item);
    void append(const ChartItem &item, ChartItemExtra extra);

    std::size_t size() const { return m_items.size(); }
    const ChartItem &operator[](std::size_t i) const { return m_items[i]; }

    // The summary levels that hold at least one node. Level 0 holds a node
    // for every block begun, the last one possibly still growing; the
    // levels above hold only complete nodes.
    int levelCount() const { return 1 + int(m_upper.size()); }
    std::size_t nodeCount(int level) const { return level == 0 ? m_blocks.size() : m_upper[level - 1].nodes.size(); }
    const ItemBlock &node(int level, std::size_t index) const
    {
        return level == 0 ? m_blocks[index] : m_upper[level - 1].nodes[index];
    }
    // The line summary of a complete node of `level` (the last block, while
    // it still grows, has none yet).
    const LineSummary &lineSummary(int level, std::size_t index) const
    {
        return level == 0 ? m_blockLines[index] : m_upper[level - 1].lines[index];
    }
    // The distinct marks of the nodes of `level`.
    const std::vector<DistinctMark> &distinctMarks(int level) const
    {
        return level == 0 ? m_distinct : m_upper[level - 1].distinct;
    }
    static constexpr std::size_t MaxDistinctMarks = 8;
    // The item numbers of all marks, in order.
    const std::vector<std::uint32_t> &markIndex() const { return m_markIndex; }
    // The extra fields of item i (empty for a kind without them).
    const ChartItemExtra &extra(std::size_t i) const;

    // Bytes held by the items, extras, summaries and mark lists.
    std::size_t memoryBytes() const;

    // Differs between lists and changes when the list is cleared. Appending
    // leaves complete nodes as they are, so what was worked out from one
    // holds while the generation stays.
    std::uint64_t generation() const { return m_generation; }

private:
    struct UpperLevel
    {
        ChunkedVector<ItemBlock, 6> nodes;
        ChunkedVector<LineSummary, 6> lines;
        std::vector<DistinctMark> distinct;
    };

    void noteInBlock(const ChartItem &item, const ChartItemExtra *extra);
    void noteLine(ItemBlock &block, const ChartItem &item) const;
    void noteAppended();
    static LineSummary lineSummaryOf(const ItemBlock &node);
    static void addDistinct(ItemBlock &block, std::vector<DistinctMark> &list, const DistinctMark &mark);

    ChunkedVector<ChartItem, 19> m_items;                           // chunks of 12 MiB
    std::vector<std::pair<std::size_t, ChartItemExtra>> m_extras;   // sorted by item index
    ChunkedVector<ItemBlock, 14> m_blocks;
    ChunkedVector<LineSummary, 16> m_blockLines; // chunks of 3 MiB
    std::vector<DistinctMark> m_distinct;
    std::vector<UpperLevel> m_upper;   // levels 1, 2, ...
    std::vector<std::uint32_t> m_markIndex;
    bool m_penKnown = false;   // false until the first move: the pen is at the plot's corner
    double m_penX = 0, m_penY = 0;
    std::uint64_t m_generation = newGeneration();

    static std::uint64_t newGeneration();
};
