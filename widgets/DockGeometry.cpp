#include "widgets/DockGeometry.h"

#include <algorithm>

namespace {

QSize along(const QSize &size, Qt::Orientation orientation)
{
    return orientation == Qt::Horizontal ? size : size.transposed();
}

// Whether the span [first, last] meets the band [low, high]: it holds one of
// the band's borders, or its leading edge lies inside the band.
bool meetsBand(int first, int last, int low, int high)
{
    auto inside = [](int value, int from, int to) { return from <= value && value <= to; };
    return inside(low, first, last) || inside(high, first, last) || inside(first, low, high);
}

bool overlaps(int first, int last, int from, int to)
{
    return (from <= first && first <= to) || (from <= last && last <= to);
}

} // namespace

ButtonFlow FlowButtons(const QList<QSize> &sizes, Qt::Orientation orientation, int length, bool wrap, int spacing)
{
    ButtonFlow flow;
    int rowHeight = 0;
    for (const QSize &size : sizes)
        rowHeight = std::max(rowHeight, along(size, orientation).height());
    int x = 0;
    int y = 0;
    for (const QSize &size : sizes) {
        const int width = along(size, orientation).width();
        if (wrap && x > 0 && x + width > length) {
            x = 0;
            y += rowHeight + spacing;
        }
        flow.places << (orientation == Qt::Horizontal ? QPoint(x, y) : QPoint(y, x));
        flow.length = std::max(flow.length, x + width);
        x += width + spacing;
    }
    flow.thickness = sizes.isEmpty() ? 0 : y + rowHeight;
    return flow;
}

TDocPanel::TAlign DockTest(const QRect &outline, const QRect &client, int band, TDocPanel::TDockingSides sides)
{
    const bool acrossWidth = overlaps(outline.left(), outline.right(), client.left(), client.right());
    const bool acrossHeight = overlaps(outline.top(), outline.bottom(), client.top(), client.bottom());
    auto vertical = [&](int edge) { return meetsBand(outline.top(), outline.bottom(), edge - band, edge + band); };
    auto horizontal = [&](int edge) { return meetsBand(outline.left(), outline.right(), edge - band, edge + band); };

    if (sides.testFlag(TDocPanel::dsTop) && acrossWidth && vertical(client.top()))
        return TDocPanel::alTop;
    if (sides.testFlag(TDocPanel::dsBottom) && acrossWidth && vertical(client.bottom()))
        return TDocPanel::alBottom;
    if (sides.testFlag(TDocPanel::dsLeft) && acrossHeight && horizontal(client.left()))
        return TDocPanel::alLeft;
    if (sides.testFlag(TDocPanel::dsRight) && acrossHeight && horizontal(client.right()))
        return TDocPanel::alRight;
    return TDocPanel::alNone;
}

int OffsetFromEdge(TDocPanel::TAlign side, const QRect &rect, const QRect &client)
{
    switch (side) {
    case TDocPanel::alTop: return rect.top() - client.top();
    case TDocPanel::alBottom: return client.bottom() - rect.bottom();
    case TDocPanel::alLeft: return rect.left() - client.left();
    case TDocPanel::alRight: return client.right() - rect.right();
    case TDocPanel::alNone: break;
    }
    return 0;
}

QRect DockedOutline(TDocPanel::TAlign side, const QRect &client, int thickness)
{
    switch (side) {
    case TDocPanel::alTop:
        return {client.left(), client.top(), client.width(), thickness};
    case TDocPanel::alBottom:
        return {client.left(), client.bottom() - thickness + 1, client.width(), thickness};
    case TDocPanel::alLeft:
        return {client.left(), client.top(), thickness, client.height()};
    case TDocPanel::alRight:
        return {client.right() - thickness + 1, client.top(), thickness, client.height()};
    case TDocPanel::alNone:
        break;
    }
    return {};
}
