#pragma once

// The chart's display list: drawing items in world coordinates, in the order
// appended. The common item is kept small (a line-to takes 24 bytes); the
// rare fields of rectangles, texts, lines and bars live in a side table.
// A summary per block of items lets drawing skip blocks that lie wholly
// outside the visible window.

#include <QRgb>
#include <QString>

#include <cstdint>
#include <deque>
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

// Bounds of a block of items, with the pen position on entry, so that a
// block whose bounds lie outside the visible window can be skipped.
struct ItemBlock
{
    double minX, maxX, minY, maxY;
    // Texts, character marks, lines and bars reach further than their point;
    // such blocks are always drawn.
    bool alwaysDraw = false;
    std::uint8_t maxWidth = 0;   // widest pen of the block
    // The pen after the block's last item, when the block moves it.
    bool movesPen = false;
    double penX = 0, penY = 0;
};

class DisplayList
{
public:
    static constexpr std::size_t BlockSize = 256;

    void clear();
    void append(const ChartItem &item);
    void append(const ChartItem &item, ChartItemExtra extra);

    std::size_t size() const { return m_items.size(); }
    const ChartItem &operator[](std::size_t i) const { return m_items[i]; }
    const std::deque<ChartItem> &items() const { return m_items; }
    const std::vector<ItemBlock> &blocks() const { return m_blocks; }
    // The extra fields of item i (empty for a kind without them).
    const ChartItemExtra &extra(std::size_t i) const;

    // Bytes held by the items, extras and block summaries.
    std::size_t memoryBytes() const;

private:
    void noteInBlock(const ChartItem &item, const ChartItemExtra *extra);

    std::deque<ChartItem> m_items;
    std::vector<std::pair<std::size_t, ChartItemExtra>> m_extras;   // sorted by item index
    std::vector<ItemBlock> m_blocks;
    bool m_penKnown = false;   // false until the first move: the pen is at the plot's corner
    double m_penX = 0, m_penY = 0;
};
