#include "planner/window/PrintRule3.h"

#include "core/Errors.h"
#include "core/NumText.h"
#include "widgets/BusyCursor.h"
#include "widgets/Dialogs.h"
#include "widgets/PreViewForm.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include <functional>
#include <optional>

// The design, in millimetres on a printable area 180 mm wide: a label column
// on the left of each table, values beside it. The report widens a label and
// moves what follows it when the printing font needs more room.
namespace {

using report::Band;
using report::Label;

constexpr double Width = 180;
constexpr double Row = 4.2;

Label text(double x, double y, double w, const QString &caption, bool bold = false)
{
    Label label;
    label.rect = QRectF(x, y, w, Row);
    label.text = caption;
    label.bold = bold;
    return label;
}

Label heading(const QString &caption)
{
    Label label = text(0, 2, Width, caption, true);
    label.pointSize = 10.5;
    label.rect.setHeight(5.5);
    return label;
}

Label rule(double x, double y, double w)
{
    Label label;
    label.shape = Label::HLine;
    label.rect = QRectF(x, y, w, 0);
    return label;
}

// A label whose text `read` gives just before it prints; when a plan field
// it needs does not read as a number, or its arithmetic divides by zero, the
// label keeps "N/A".
Label value(double x, double y, double w, std::function<QString()> read, Qt::Alignment align = Qt::AlignLeft)
{
    Label label = text(x, y, w, QStringLiteral("N/A"));
    label.align = align | Qt::AlignVCenter;
    label.beforePrint = [read = std::move(read)](QString &shown) {
        try {
            shown = read();
        } catch (const AppError &) {
        }
    };
    return label;
}

Band band(Band::Kind kind, const QString &name, double height)
{
    Band b;
    b.kind = kind;
    b.name = name;
    b.height = height;
    return b;
}

} // namespace

GasWorksheet::GasWorksheet(const PlanModel &plan) : m_texts(plan)
{
    addTitle();
    addAddresses();
    addDiveParameters();
    addAirConsumption();
    addDecompression();
    addErrors();
    addPageFooter();
}

int GasWorksheet::print(QPainter &painter, QPagedPaintDevice &device, const QDateTime &time)
{
    m_log.clear();
    return m_report.print(painter, device, time, &m_placed);
}

void GasWorksheet::addTitle()
{
    Band &title = m_report.add(band(Band::Title, QStringLiteral("Title"), 11));
    Label &caption = title.add(value(
        0, 0, Width, [this] { return m_texts.title(); }, Qt::AlignHCenter));
    caption.rect.setHeight(9);
    caption.pointSize = 14;
    caption.bold = true;
}

void GasWorksheet::addAddresses()
{
    Band &b = m_report.add(band(Band::Detail, QStringLiteral("QRBandDiveAddresses"), 77));
    for (int n = 0; n < 2; ++n) {
        const double x = n * 92;
        const double w = 86;
        b.add(text(x, 0, 20, n == 0 ? QStringLiteral("Diver #1") : QStringLiteral("Diver #2"), true));
        b.add(value(x + 20, 0, w - 20, [this, n] { return m_texts.diverName(n); })).bold = true;
        b.add(text(x, 5, w, QStringLiteral("Name and address")));
        for (double y : {13.0, 18.0, 23.0})
            b.add(rule(x, y, w));
        b.add(text(x, 25, w, QStringLiteral("DAN Diver insurance #  ________________________")));
        b.add(text(x, 25 + Row, w, QStringLiteral("Phone, day  ________________________")));
        b.add(text(x, 25 + 2 * Row, w, QStringLiteral("Phone, night  _______________________")));
        b.add(text(x, 25 + 3 * Row, w, QStringLiteral("Emergency numbers")));
        b.add(rule(x, 46, w));
        b.add(text(x, 48, w, QStringLiteral("Special notes (Allergies, medications, etc)")));
        b.add(rule(x, 56, w));
        const double gear = 58;
        b.add(text(x, gear, w, QStringLiteral("Personal gear setup"), true));
        b.add(text(x, gear + Row, 30, QStringLiteral("Tank size")));
        b.add(value(x + 30, gear + Row, w - 30, [this, n] { return m_texts.tankSize(n); }));
        b.add(text(x, gear + 2 * Row, 30, QStringLiteral("Tank pressure")));
        b.add(value(x + 30, gear + 2 * Row, w - 30, [this, n] { return m_texts.tankPressure(n); }));
        b.add(text(x, gear + 3 * Row, 30, QStringLiteral("RMV")));
        b.add(value(x + 30, gear + 3 * Row, w - 30, [this, n] { return m_texts.rmv(n); }));
    }
}

void GasWorksheet::addDiveParameters()
{
    Band &b = m_report.add(band(Band::Detail, QStringLiteral("QRBand1"), 22));
    b.add(rule(0, 1, Width));
    b.add(heading(QStringLiteral("Dive Parameters")));
    const double y1 = 8, y2 = y1 + Row, y3 = y2 + Row;
    b.add(text(0, y1, 38, QStringLiteral("Max Depth")));
    b.add(value(38, y1, 58, [this] { return m_texts.maxDepth(); }));
    b.add(text(0, y2, 38, QStringLiteral("Primary bottom gas")));
    b.add(value(38, y2, 8, [this] { return m_texts.bottomGas(); }));
    b.add(text(46, y2, 16, QStringLiteral("% Oxygen")));
    b.add(value(62, y2, 34, [this] { return m_texts.bottomGasName(); }));
    b.add(text(0, y3, 38, QStringLiteral("Max ppO2")));
    b.add(value(38, y3, 58, [this] { return m_texts.maxPpO2(m_log); }));
    b.add(text(98, y1, 50, QStringLiteral("Maximum available bottom time")));
    b.add(value(148, y1, 16, [this] { return m_texts.bottomTime(m_log); }));
    b.add(text(164, y1, 16, QStringLiteral("minutes")));
    b.add(text(98, y2, 50, QStringLiteral("Total Run Time")));
    b.add(value(148, y2, 16, [this] { return m_texts.totalRunTime(); }));
    b.add(text(164, y2, 16, QStringLiteral("minutes")));
    b.add(text(98, y3, 50, QStringLiteral("Ascent rate")));
    b.add(value(148, y3, 32, [this] { return m_texts.ascentRate(); }));
}

void GasWorksheet::addAirConsumption()
{
    Band &b = m_report.add(band(Band::Detail, QStringLiteral("QRBand2"), 52));
    b.add(rule(0, 1, Width));
    b.add(heading(QStringLiteral("Air consumption")));
    constexpr double labelWidth = 46, columnWidth = 67;
    b.add(text(labelWidth, 8, columnWidth, QStringLiteral("Diver #1"), true));
    b.add(text(labelWidth + columnWidth, 8, columnWidth, QStringLiteral("Diver #2"), true));

    using Cell = QString (WorksheetTexts::*)(int) const;
    struct Line
    {
        const char *caption;
        std::function<QString(int)> cell;
    };
    const auto of = [this](Cell cell) { return [this, cell](int n) { return (m_texts.*cell)(n); }; };
    const std::vector<Line> lines{
        {"Gas volumen of tanks", of(&WorksheetTexts::tankGas)},
        {"Reserve type", [this](int) { return m_texts.reserveType(); }},
        {"Reserve volume", of(&WorksheetTexts::reserveVolume)},
        {"Volume available for dive", of(&WorksheetTexts::availableForDive)},
        {"Start point", of(&WorksheetTexts::startPoint)},
        {"After descent", [](int) { return QStringLiteral("N/A"); }},
        {"Turn point", of(&WorksheetTexts::turnPoint)},
        {"Call point", of(&WorksheetTexts::callPoint)},
    };
    double y = 13;
    for (const Line &line : lines) {
        b.add(text(0, y, labelWidth, QString::fromLatin1(line.caption)));
        for (int n = 0; n < 2; ++n)
            b.add(value(labelWidth + n * columnWidth, y, columnWidth, [cell = line.cell, n] { return cell(n); }));
        y += Row;
    }
    b.add(value(0, y, 100, [this] { return m_texts.adjustedTurnpoint(); }));
}

void GasWorksheet::addDecompression()
{
    Band &b = m_report.add(band(Band::Detail, QStringLiteral("QRBandDeco"), 47));
    b.beforePrint = [this] { return m_texts.decompression(); };
    b.add(rule(0, 1, Width));
    b.add(heading(QStringLiteral("Decompression")));
    b.add(text(0, 8, 38, QStringLiteral("Decompression Gas")));
    b.add(value(38, 8, 14, [this] { return m_texts.decoGas(); }));
    b.add(text(52, 8, 16, QStringLiteral("% Oxygen")));
    b.add(value(68, 8, 30, [this] { return m_texts.decoGasName(); }));
    b.add(text(100, 8, 34, QStringLiteral("MOD for Deco gas")));
    b.add(value(134, 8, 46, [this] { return m_texts.decoMod(); }));

    constexpr double labelWidth = 60, columnWidth = 40;
    const double top = 14;
    for (int k = 1; k <= 3; ++k) {
        const double x = labelWidth + (k - 1) * columnWidth;
        b.add(text(x, top, columnWidth, Format("Deco %d", {k}), true));
        b.add(value(x, top + Row, columnWidth, [this, k] { return m_texts.stopDepth(k); }));
        b.add(value(x, top + 2 * Row, columnWidth, [this, k] { return m_texts.stopTime(k, m_log); }));
        b.add(value(x, top + 3 * Row, columnWidth, [this, k] { return m_texts.stopPpO2(k, m_log); }));
        for (int n = 0; n < 2; ++n)
            b.add(value(x, top + (5 + n) * Row, columnWidth, [this, k, n] { return m_texts.stopAir(k, n); }));
    }
    b.add(text(0, top + Row, labelWidth, QStringLiteral("Depth")));
    b.add(text(0, top + 2 * Row, labelWidth, QStringLiteral("Time in minutes")));
    b.add(text(0, top + 3 * Row, labelWidth, QStringLiteral("Partial Pressure of Oxygen (PO2)")));
    b.add(text(0, top + 4 * Row, labelWidth, QStringLiteral("Air consumption"), true));
    for (int n = 0; n < 2; ++n)
        b.add(value(0, top + (5 + n) * Row, labelWidth, [this, n] { return m_texts.diverCaption(n); }));

    const double y = top + 7 * Row + 1;
    b.add(text(0, y, 38, QStringLiteral("Total deco time")));
    b.add(value(38, y, 20, [this] { return m_texts.totalDecoTime(); }));
    b.add(text(58, y, 20, QStringLiteral("minutes")));
    b.add(text(100, y, 40, QStringLiteral("Max ppO2 during deco")));
    b.add(value(140, y, 40, [this] { return m_texts.maxDecoPpO2(); }));
}

void GasWorksheet::addErrors()
{
    Band &b = m_report.add(band(Band::Summary, QStringLiteral("QRBand3"), 12));
    b.beforePrint = [this] { return !m_log.lines().isEmpty(); };
    b.add(rule(0, 1, Width));
    b.add(heading(QStringLiteral("Errors in dive plan:")));
    Label &log = b.add(value(0, 8, Width, [this] { return m_log.lines().join(u'\n'); }));
    log.shape = Label::Memo;
    log.pointSize = 8.5;
    log.align = Qt::AlignLeft | Qt::AlignTop;
}

void GasWorksheet::addPageFooter()
{
    Band &b = m_report.add(band(Band::PageFooter, QStringLiteral("PageFooter"), 8));
    b.add(rule(0, 1, Width));
    Label &page = b.add(text(0, 2.5, 50, QStringLiteral("Page number ")));
    page.field = Label::PageNumber;
    Label &printed = b.add(text(50, 2.5, 80, QStringLiteral("Printed at ")));
    printed.field = Label::PrintTime;
    printed.align = Qt::AlignHCenter | Qt::AlignVCenter;
    b.add(text(130, 2.5, 50, QStringLiteral("Dive plan"))).align = Qt::AlignRight | Qt::AlignVCenter;
}

WorksheetPrint PrintGasWorksheet(const PlanModel &plan, QPagedPaintDevice &device, const QDateTime &time)
{
    GasWorksheet worksheet(plan);
    worksheet.report().setUp(device);
    QPainter painter;
    if (!painter.begin(&device))
        return {};
    const int pages = worksheet.print(painter, device, time);
    return {pages, worksheet.QRErrorLog()};
}

void PreviewDivePlan(const PlanModel &plan, QWidget *parent)
{
    std::optional<BusyCursor> busy(std::in_place);
    GasWorksheet worksheet(plan);
    TfmtPreViewForm preview([&worksheet](QPainter &painter,
                                         QPagedPaintDevice &device) { return worksheet.print(painter, device); },
                            parent);
    worksheet.report().setUp(preview.printer());
    busy.reset();
    Dialogs::current().execDialog(preview);
}
