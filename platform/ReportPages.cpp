#include "platform/ReportPages.h"

#include "platform/BandLayout.h"

#include "core/NumText.h"

#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>

namespace report {
namespace {

constexpr double MmPerInch = 25.4;

// One print run: the painter, the page and where the next band goes.
class PagePrinter
{
public:
    PagePrinter(QPainter &painter, QPagedPaintDevice &device, const Report &report, const QDateTime &time,
                std::vector<PlacedText> *placed)
        : m_painter(painter), m_device(device), m_report(report), m_time(time), m_placed(placed),
          m_dotsX(device.logicalDpiX() / MmPerInch), m_dotsY(device.logicalDpiY() / MmPerInch),
          m_pageWidth(device.width() / m_dotsX), m_pageHeight(device.height() / m_dotsY)
    {
        for (const Band &band : report.bands)
            if (band.kind == Band::PageFooter)
                m_footerHeight = std::max(m_footerHeight, band.height);
    }

    int run()
    {
        for (Band::Kind kind : {Band::Title, Band::Detail, Band::Summary})
            for (const Band &band : m_report.bands)
                if (band.kind == kind)
                    printBand(band);
        printFooters();
        return m_page;
    }

private:
    QFont fontOf(const Label &label) const
    {
        QFont font(m_report.fontFamily);
        font.setPointSizeF(label.pointSize);
        font.setBold(label.bold);
        return font;
    }

    // The band's labels with their texts set, laid out for them; `height`
    // receives the band's height.
    std::vector<LaidOutLabel> prepare(const Band &band, double &height) const
    {
        std::vector<LaidOutLabel> out;
        for (const Label &label : band.labels) {
            LaidOutLabel l{&label, label.text, fontOf(label), label.rect};
            if (label.beforePrint)
                label.beforePrint(l.text);
            if (label.field == Label::PageNumber)
                l.text += IntToStr(m_page);
            else if (label.field == Label::PrintTime)
                l.text += PrintTimeText(m_time);
            out.push_back(std::move(l));
        }
        height = LayOutBand(out, band.height, m_pageWidth, m_device);
        return out;
    }

    void printBand(const Band &band)
    {
        if (band.beforePrint && !band.beforePrint())
            return;
        double height = 0;
        const std::vector<LaidOutLabel> labels = prepare(band, height);
        if (m_y > 0 && m_y + height > m_pageHeight - m_footerHeight) {
            printFooters();
            m_device.newPage();
            ++m_page;
            m_y = 0;
        }
        paint(labels, m_y);
        m_y += height;
    }

    void printFooters()
    {
        for (const Band &band : m_report.bands) {
            if (band.kind != Band::PageFooter || (band.beforePrint && !band.beforePrint()))
                continue;
            double height = 0;
            const std::vector<LaidOutLabel> labels = prepare(band, height);
            paint(labels, m_pageHeight - height);
        }
    }

    QRectF dots(const QRectF &mm, double top) const
    {
        return {mm.left() * m_dotsX, (top + mm.top()) * m_dotsY, mm.width() * m_dotsX, mm.height() * m_dotsY};
    }

    void paint(const std::vector<LaidOutLabel> &labels, double top)
    {
        QPen pen(Qt::black);
        pen.setWidthF(0.3 * m_dotsX);
        m_painter.setPen(pen);
        m_painter.setBrush(Qt::NoBrush);
        for (const LaidOutLabel &l : labels) {
            const QRectF area = dots(l.rect, top);
            switch (l.label->shape) {
            case Label::HLine:
                m_painter.drawLine(area.topLeft(), area.topRight());
                break;
            case Label::Frame:
                m_painter.drawRect(area);
                break;
            case Label::Text:
            case Label::Memo:
                m_painter.setFont(l.font);
                m_painter.drawText(area, int(l.label->align), l.text);
                if (m_placed)
                    m_placed->push_back({m_page, l.rect.translated(0, top), l.text, l.font});
                break;
            }
        }
    }

    QPainter &m_painter;
    QPagedPaintDevice &m_device;
    const Report &m_report;
    const QDateTime m_time;
    std::vector<PlacedText> *const m_placed;
    const double m_dotsX, m_dotsY;  // device dots per millimetre
    const double m_pageWidth;       // mm
    const double m_pageHeight;      // mm
    double m_footerHeight = 0;
    double m_y = 0;                 // mm from the top of the printable area
    int m_page = 1;
};

} // namespace

void Report::setUp(QPagedPaintDevice &device) const
{
    device.setPageOrientation(QPageLayout::Portrait);
    device.setPageMargins(margins, QPageLayout::Millimeter);
}

int Report::print(QPagedPaintDevice &device, const QDateTime &printTime) const
{
    setUp(device);
    QPainter painter;
    if (!painter.begin(&device))
        return 0;
    return print(painter, device, printTime);
}

int Report::print(QPainter &painter, QPagedPaintDevice &device, const QDateTime &printTime,
                  std::vector<PlacedText> *placed) const
{
    if (placed)
        placed->clear();
    return PagePrinter(painter, device, *this, printTime, placed).run();
}

QString PrintTimeText(const QDateTime &time)
{
    return QLocale::system().toString(time, QLocale::ShortFormat);
}

} // namespace report
