#pragma once

// Draws the display list into the plot area, in pixels relative to the plot
// image's corner.
//
// Consecutive line-to items of one colour and a width of 0 or 1 are thinned:
// within one pixel column only the first, lowest, highest and last point are
// kept, which sets the same pixels as drawing every segment, since the
// segments inside one column are vertical runs between those extremes. A
// move to the pen's own pixel does not break such a run, and a mark equal to
// one drawn before at the same pixel is not drawn again unless something was
// drawn over it since. Runs of items whose summary lies wholly outside the
// plot are skipped, and runs that fall into one pixel column are drawn from
// their summary, the largest run first; a line without marks that spreads
// over several columns is gathered column by column from the summaries of
// its parts. Given a cache, the columns so gathered of nodes that put many
// items into each column are kept for the next drawing, which replays them
// when a pan has moved them by whole pixels. `thin = false` draws every item
// as listed (the reference).

#include "charts/ChartItems.h"
#include "charts/ChartScaling.h"
#include "charts/LineColumnCache.h"

#include <QFont>
#include <QPoint>
#include <QRect>

#include <array>
#include <vector>

class QImage;
class QPainter;

struct PlotStyle
{
    QRgb scaleColor = 0xFF000000;
    QFont font;                      // character marks
    QFont textFont;                  // text items: family and style; size per item
    double screenDpi = 96;           // text item sizes are points at this resolution
    bool textSolid = false;
    QRgb textBkColor = 0xFFFFFFFF;
    bool allBlack = false;           // printing: every item in black
};

struct PlotGeometry
{
    AxisScale x, y;
    int left = 0;    // pixel of the plot's left edge in the control
    int top = 0;     // pixel of the plot's top edge in the control
    int w = 0;
    int h = 0;
    int toX(double v) const { return x.toPixel(v) - left; }
    int toY(double v) const { return y.toPixel(v) - top; }
};

// Where drawing stopped, so that items appended later can be drawn on.
struct DrawState
{
    std::size_t next = 0;
    QPoint pen{0, 0};
};

struct DrawStats
{
    std::size_t polylines = 0;
    std::size_t points = 0;
    std::size_t marks = 0;
    std::size_t blocksSkipped = 0;
    std::size_t blocksSummarised = 0;
    std::size_t itemsWalked = 0;
    std::size_t nodesReplayed = 0;
};

class PlotDrawer
{
public:
    // Drawing into a 32-bit image: thin lines and marks are set directly.
    PlotDrawer(QImage &image, const PlotGeometry &geometry, const PlotStyle &style, bool thin);
    // Drawing through a painter (a printer page), already mapped to plot pixels.
    PlotDrawer(QPainter &painter, const PlotGeometry &geometry, const PlotStyle &style, bool thin);
    ~PlotDrawer();
    // Keeps and replays the columns of long lines in `cache` (thin drawing
    // only), which must stay with the one list drawn.
    void useColumnCache(LineColumnCache &cache);
    PlotDrawer(const PlotDrawer &) = delete;
    PlotDrawer &operator=(const PlotDrawer &) = delete;

    // Draws items from state.next to the end, then the plot frame again.
    void draw(const DisplayList &list, DrawState &state);

    // The area drawn on, in plot pixels (empty when nothing was drawn).
    QRect changed() const;
    const DrawStats &stats() const { return m_stats; }

private:
    struct RecentMark
    {
        int x, y;
        QRgb color;
        int style;
        bool valid = false;
    };

    QPainter &painter();
    QRgb colorOf(const ChartItem &item) const;
    // The block's extent in plot pixels, ordered left to right, top to bottom.
    struct Extent
    {
        double left, right, top, bottom;
    };
    Extent pixelExtent(const ItemBlock &block) const;
    bool outside(const ItemBlock &block) const;
    // Whether the block lies wholly within the plot image.
    bool inside(const ItemBlock &block) const;

    void lineTo(QPoint p, QRgb color, int width);
    void moveTo(QPoint p);
    void addRunPoint(QPoint p);
    void closeColumn();
    void pushPoint(QPoint p);
    void flushRun(bool keepLast);
    void drawThinSegment(QPoint a, QPoint b, QRgb color);

    // A line without marks, gathered column by column in world heights from
    // summaries and from the items of blocks, and handed to the run only
    // when the next column starts: the run then sees a column's first,
    // lowest, highest and last point, as if it had been given every item.
    static bool isBareLine(const ItemBlock &block) { return block.plain && block.hasLine && block.markCount == 0; }
    void continueLine(const ItemBlock &block);
    // `minX` and `maxX`: the extent in x of the points given.
    void addToColumn(int column, double minX, double maxX, double first, double low, double high, double last);
    void handOverColumn();
    void endLine();
    void endLineAfter(const ItemBlock &block);
    // The line of a bare node spread over several columns, from the
    // summaries of its parts where they fall into one column, else from
    // their parts, down to the items. Its parts' lines join without a
    // break, as the node is plain.
    void walkBareNode(const DisplayList &list, int level, std::size_t index);
    // Nodes of up to this level are walked a level at a time; a bigger one
    // is walked as its parts, one after the other, so that what is asked of
    // memory ahead is used before it is pushed out of the caches again.
    static constexpr int GatheredLevels = 3;
    // Whether the columns of a node so walked are kept for the next drawing:
    // when there is a cache and they stand for many items each.
    bool worthKeeping(const DisplayList &list, int level, std::size_t index) const;
    // The node's kept columns, moved by the pan since: false, drawing
    // nothing, when the scale no longer puts each into one column.
    bool replayColumns(const LineColumnCache::Columns &columns);
    // The parts of a bare node while it is walked: a summary that falls
    // into one column, or a node still to be looked into.
    struct LinePart
    {
        std::size_t index;
        const LineSummary *summary; // null: spread over several columns
        int column;
    };
    // Adds the node to `parts` when it holds a line.
    void addLinePart(const DisplayList &list, int level, std::size_t index, std::vector<LinePart> &parts) const;
    // The line of a bare block, from its items.
    void walkBlockLine(const DisplayList &list, std::size_t block);

    bool drawNodesAt(const DisplayList &list, int levels, std::size_t &i);
    // `knownInside`: the block lies within one found inside the plot.
    bool drawWholeBlock(const DisplayList &list, const ItemBlock &block, const std::vector<DistinctMark> &distinct,
                        bool knownInside);
    void drawSummaryLine(const ItemBlock &block, QPoint start, const std::array<QPoint, 4> &points);
    // A plain block with marks, or with marks only, from its summary.
    bool drawSummary(const DisplayList &list, const ItemBlock &block, const std::vector<DistinctMark> &distinct);
    void mark(const ChartItem &item);
    void drawMarkAt(QPoint p, QRgb color, int style);
    void rectangle(const ChartItem &item, const ChartItemExtra &extra);
    void text(const ChartItem &item, const ChartItemExtra &extra);
    void line(const ChartItem &item, const ChartItemExtra &extra);
    void drawFrame();
    void touched(QRect area);

    QImage *m_image = nullptr;
    QRgb *m_bits = nullptr;
    int m_stride = 0;
    int m_imageWidth = 0, m_imageHeight = 0;
    QPainter *m_painter = nullptr;
    bool m_ownPainter = false;
    const PlotGeometry &m_geo;
    const PlotStyle &m_style;
    const bool m_thin;

    QPoint m_pen;
    // The pending polyline.
    bool m_runActive = false;
    QRgb m_runColor = 0;
    int m_runWidth = 0;
    std::vector<QPoint> m_points;
    bool m_columnOpen = false;
    int m_columnX = 0, m_minY = 0, m_maxY = 0, m_lastY = 0;

    struct GatheredLine
    {
        bool active = false;
        QRgb color = 0;
        int width = 0;
        double endX = 0, endY = 0; // the line's last point so far
        bool hasColumn = false;
        int column = 0;
        double first = 0, low = 0, high = 0, last = 0;
    };
    GatheredLine m_line;
    LineColumnCache *m_cache = nullptr;
    // The columns of the node being gathered, while they are to be kept.
    bool m_recording = false;
    LineColumnCache::Columns m_recorded;
    // The parts of the bare node being walked, this level and the next.
    std::vector<LinePart> m_lineParts, m_nextLineParts;

    // Items before this one lie in a run found wholly inside the plot.
    std::size_t m_insideUntil = 0;

    std::array<RecentMark, 4> m_recentMarks{};
    std::size_t m_nextRecent = 0;
    int m_recentCount = 0;   // valid entries

    bool m_changedEmpty = true;
    int m_cx1 = 0, m_cy1 = 0, m_cx2 = 0, m_cy2 = 0;
    DrawStats m_stats;
};
