#include "platform/BandLayout.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace report {
namespace {

constexpr double MmPerInch = 25.4;
// The room a text keeps clear after it, in millimetres (about one blank), so
// that texts side by side read as separate words.
constexpr double Gap = 1.5;
// Places closer than this, in millimetres, are the same place.
constexpr double Near = 0.01;
// The smallest size a text too wide for the page shrinks to, in points.
constexpr double SmallestPointSize = 4;

bool isText(const LaidOutLabel &l) { return l.label->shape == Label::Text || l.label->shape == Label::Memo; }

bool sameLine(const LaidOutLabel &a, const LaidOutLabel &b)
{
    return a.rect.top() < b.rect.bottom() - Near && b.rect.top() < a.rect.bottom() - Near;
}

class BandLayouter
{
public:
    BandLayouter(std::vector<LaidOutLabel> &labels, const QPaintDevice &device) : m_labels(labels), m_device(device) {}

    // Moves each label down by as much as the labels above it grew, and
    // makes each text as tall as its lines. Returns how far the band's
    // bottom moved down.
    double growDown()
    {
        std::vector<size_t> order(m_labels.size());
        std::iota(order.begin(), order.end(), size_t(0));
        std::ranges::stable_sort(order, [this](size_t a, size_t b) {
            const QRectF &ra = m_labels[a].label->rect;
            const QRectF &rb = m_labels[b].label->rect;
            return ra.top() < rb.top() || (ra.top() == rb.top() && ra.height() < rb.height());
        });
        double bandDrop = 0;
        for (size_t i = 0; i < order.size(); ++i) {
            LaidOutLabel &l = m_labels[order[i]];
            const QRectF &design = l.label->rect;
            double drop = 0;
            for (size_t j = 0; j < i; ++j) {
                const LaidOutLabel &above = m_labels[order[j]];
                if (above.label->rect.bottom() <= design.top() + Near)
                    drop = std::max(drop, above.rect.bottom() - above.label->rect.bottom());
            }
            l.rect.moveTop(design.top() + drop);
            if (isText(l))
                l.rect.setHeight(std::max(design.height(), textSize(l).height()));
            bandDrop = std::max(bandDrop, l.rect.bottom() - design.bottom());
        }
        return bandDrop;
    }

    // Widens each text to hold it and moves right, column by column, the
    // labels that would otherwise overlap a text before them on their line.
    // A tight layout gives a left-aligned text only the room its text needs,
    // not its design width, so what follows it moves less.
    void pushRight(bool tight)
    {
        std::vector<double> columns;
        for (const LaidOutLabel &l : m_labels)
            if (isText(l))
                columns.push_back(l.label->rect.left());
        std::ranges::sort(columns);
        columns.erase(std::unique(columns.begin(), columns.end(),
                                  [](double a, double b) { return std::abs(a - b) < Near; }),
                      columns.end());
        for (double x : columns) {
            const auto inColumn = [x](const LaidOutLabel &l) {
                return isText(l) && std::abs(l.label->rect.left() - x) < Near;
            };
            double shift = 0;
            for (const LaidOutLabel &l : m_labels)
                if (inColumn(l))
                    for (const LaidOutLabel &before : m_labels)
                        if (isText(before) && before.label->rect.left() < x - Near && sameLine(before, l))
                            shift = std::max(shift, before.rect.right() - x);
            for (LaidOutLabel &l : m_labels)
                if (inColumn(l)) {
                    const bool left = !(l.label->align & (Qt::AlignRight | Qt::AlignHCenter));
                    const double least = tight && left ? 0 : l.label->rect.width();
                    l.rect.moveLeft(x + shift);
                    l.rect.setWidth(std::max(least, textSize(l).width() + Gap));
                }
        }
    }

    bool passes(double pageWidth) const
    {
        return std::ranges::any_of(m_labels, [pageWidth](const LaidOutLabel &l) {
            return isText(l) && l.rect.right() > pageWidth + Near;
        });
    }

    // A text that passes the right edge of the page ends there, in a size
    // small enough to hold it.
    void fitPage(double pageWidth)
    {
        for (LaidOutLabel &l : m_labels) {
            if (!isText(l) || l.rect.right() <= pageWidth + Near)
                continue;
            l.rect.setRight(pageWidth);
            const double room = l.rect.width();
            double width = textSize(l).width();
            while (width + Gap > room && l.font.pointSizeF() > SmallestPointSize) {
                const double size = l.font.pointSizeF();
                l.font.setPointSizeF(std::max(SmallestPointSize, std::min(size - 0.1, size * (room - Gap) / width)));
                width = textSize(l).width();
            }
        }
    }

private:
    // The size of a label's text in millimetres: its widest line, and a
    // line spacing for each line.
    QSizeF textSize(const LaidOutLabel &l) const
    {
        const QFontMetricsF metrics(l.font, &m_device);
        const QStringList lines = l.label->shape == Label::Memo ? l.text.split(u'\n') : QStringList{l.text};
        double width = 0;
        for (const QString &line : lines)
            width = std::max(width, metrics.horizontalAdvance(line));
        return {width * MmPerInch / m_device.logicalDpiX(),
                double(lines.size()) * metrics.lineSpacing() * MmPerInch / m_device.logicalDpiY()};
    }

    std::vector<LaidOutLabel> &m_labels;
    const QPaintDevice &m_device;
};

} // namespace

double LayOutBand(std::vector<LaidOutLabel> &labels, double designHeight, double pageWidth, const QPaintDevice &device)
{
    BandLayouter layouter(labels, device);
    const double drop = layouter.growDown();
    layouter.pushRight(false);
    if (layouter.passes(pageWidth))
        layouter.pushRight(true);
    layouter.fitPage(pageWidth);
    double height = designHeight + drop;
    for (const LaidOutLabel &l : labels)
        height = std::max(height, l.rect.bottom());
    return height;
}

} // namespace report
