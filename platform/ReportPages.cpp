#include "platform/ReportPages.h"

#include "core/NumText.h"

#include <QFontMetricsF>
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
    PagePrinter(QPainter &painter, QPagedPaintDevice &device, const Report &report, const QDateTime &time)
        : m_painter(painter), m_device(device), m_report(report), m_time(time),
          m_dotsX(device.logicalDpiX() / MmPerInch), m_dotsY(device.logicalDpiY() / MmPerInch),
          m_pageHeight(device.height() / m_dotsY)
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
    // A label as it prints this time: its text set, its height known.
    struct Prepared
    {
        const Label *label;
        QString text;
        QRectF rect;
    };

    QFont fontOf(const Label &label) const
    {
        QFont font(m_report.fontFamily);
        font.setPointSizeF(label.pointSize);
        font.setBold(label.bold);
        return font;
    }

    std::vector<Prepared> prepare(const Band &band, double &height) const
    {
        std::vector<Prepared> out;
        height = band.height;
        for (const Label &label : band.labels) {
            Prepared p{&label, label.text, label.rect};
            if (label.beforePrint)
                label.beforePrint(p.text);
            if (label.field == Label::PageNumber)
                p.text += IntToStr(m_page);
            else if (label.field == Label::PrintTime)
                p.text += PrintTimeText(m_time);
            if (label.shape == Label::Memo) {
                const QFontMetricsF metrics(fontOf(label), &m_device);
                const qsizetype lines = std::max<qsizetype>(1, p.text.split(u'\n').size());
                p.rect.setHeight(std::max(label.rect.height(), lines * metrics.lineSpacing() / m_dotsY));
            }
            height = std::max(height, p.rect.bottom());
            out.push_back(std::move(p));
        }
        return out;
    }

    void printBand(const Band &band)
    {
        if (band.beforePrint && !band.beforePrint())
            return;
        double height = 0;
        const std::vector<Prepared> labels = prepare(band, height);
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
            const std::vector<Prepared> labels = prepare(band, height);
            paint(labels, m_pageHeight - height);
        }
    }

    QRectF dots(const QRectF &mm, double top) const
    {
        return {mm.left() * m_dotsX, (top + mm.top()) * m_dotsY, mm.width() * m_dotsX, mm.height() * m_dotsY};
    }

    void paint(const std::vector<Prepared> &labels, double top)
    {
        QPen pen(Qt::black);
        pen.setWidthF(0.3 * m_dotsX);
        m_painter.setPen(pen);
        m_painter.setBrush(Qt::NoBrush);
        for (const Prepared &p : labels) {
            const QRectF area = dots(p.rect, top);
            switch (p.label->shape) {
            case Label::HLine:
                m_painter.drawLine(area.topLeft(), area.topRight());
                break;
            case Label::Frame:
                m_painter.drawRect(area);
                break;
            case Label::Text:
            case Label::Memo:
                m_painter.setFont(fontOf(*p.label));
                m_painter.drawText(area, int(p.label->align), p.text);
                break;
            }
        }
    }

    QPainter &m_painter;
    QPagedPaintDevice &m_device;
    const Report &m_report;
    const QDateTime m_time;
    const double m_dotsX, m_dotsY;  // device dots per millimetre
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

int Report::print(QPainter &painter, QPagedPaintDevice &device, const QDateTime &printTime) const
{
    return PagePrinter(painter, device, *this, printTime).run();
}

QString PrintTimeText(const QDateTime &time)
{
    return QLocale::system().toString(time, QLocale::ShortFormat);
}

} // namespace report
