#include "deco/window/DecoPrintout.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <array>

namespace {

// Writes lines top down, starting a new page when the next one does not fit.
class PageWriter
{
public:
    PageWriter(QPainter &painter, QPagedPaintDevice &device) : m_painter(painter), m_device(device)
    {
        const QFont font(QStringLiteral("Arial"), 11);
        m_painter.setFont(font);
        m_bottom = m_painter.viewport().height();
    }

    QFontMetricsF metrics() const { return QFontMetricsF(m_painter.font(), &m_device); }
    double lineHeight() const { return metrics().lineSpacing(); }

    // One line of cells, each at its x position.
    void line(const QStringList &cells, const std::vector<double> &columns = {0.0}, bool bold = false)
    {
        if (m_y + lineHeight() > m_bottom && m_y > 0.0) {
            m_device.newPage();
            m_y = 0.0;
        }
        QFont font = m_painter.font();
        font.setBold(bold);
        m_painter.setFont(font);
        const double baseline = m_y + metrics().ascent();
        for (qsizetype i = 0; i < cells.size() && i < qsizetype(columns.size()); ++i)
            m_painter.drawText(QPointF(columns[size_t(i)], baseline), cells[i]);
        font.setBold(false);
        m_painter.setFont(font);
        m_y += lineHeight();
    }
    void gap() { m_y += lineHeight() / 2; }

    // Column positions for rows of cells: each column as wide as its widest
    // text in bold (the header) or plain, plus a gap of two average characters.
    std::vector<double> columns(const std::vector<QStringList> &rows) const
    {
        QFont bold = m_painter.font();
        bold.setBold(true);
        const QFontMetricsF plain = metrics();
        const QFontMetricsF strong(bold, &m_device);
        std::vector<double> widths;
        for (const QStringList &row : rows)
            for (qsizetype i = 0; i < row.size(); ++i) {
                if (size_t(i) >= widths.size())
                    widths.push_back(0.0);
                widths[size_t(i)] = std::max({widths[size_t(i)], plain.horizontalAdvance(row[i]),
                                              strong.horizontalAdvance(row[i])});
            }
        std::vector<double> x;
        double at = 0.0;
        for (double width : widths) {
            x.push_back(at);
            at += width + 2 * plain.averageCharWidth();
        }
        return x;
    }

private:
    QPainter &m_painter;
    QPagedPaintDevice &m_device;
    double m_y = 0.0;
    double m_bottom = 0.0;
};

} // namespace

void PrintDecoSchedule(QPainter &painter, QPagedPaintDevice &device, const deco::ScheduleTexts &texts)
{
    PageWriter page(painter, device);
    // The heading: the first lines of the text form, up to its empty line.
    bool first = true;
    for (const QString &line : texts.lines) {
        if (line.isEmpty())
            break;
        page.line({line}, {0.0}, first);
        first = false;
    }
    page.gap();

    const QStringList header{QStringLiteral("Depth"), QStringLiteral("Stop"), QStringLiteral("Run time"),
                             QStringLiteral("Gas")};
    std::vector<QStringList> rows{header};
    for (const deco::ScheduleTexts::StopRow &stop : texts.stops)
        rows.push_back({stop.depth, stop.stop, stop.runTime, stop.gas});
    const std::vector<double> columns = page.columns(rows);
    page.line(header, columns, true);
    for (size_t r = 1; r < rows.size(); ++r)
        page.line(rows[r], columns);
    page.gap();

    std::vector<QStringList> totals{
        {QStringLiteral("Run time"), texts.totalRunTime + QStringLiteral(" min")},
        {QStringLiteral("Deco time"), texts.totalDecoTime + QStringLiteral(" min")},
        {QStringLiteral("First stop"), texts.firstStopDepth},
        {QStringLiteral("No-deco limit"), texts.noDecoLimit},
        {QStringLiteral("CNS %"), texts.cnsPercent},
        {QStringLiteral("OTU"), texts.otus},
    };
    for (const deco::ScheduleTexts::GasRow &gas : texts.gasNeeds)
        totals.push_back({gas.gas, gas.volume + u' ' + texts.volumeUnit});
    const std::vector<double> totalColumns = page.columns(totals);
    for (const QStringList &row : totals)
        page.line(row, totalColumns);
    if (!texts.warnings.isEmpty()) {
        page.gap();
        for (const QString &warning : texts.warnings)
            page.line({warning});
    }
}
