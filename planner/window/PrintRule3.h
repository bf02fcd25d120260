#pragma once

// The printed gas management worksheet: a one-page form for the dive site
// with both divers' addresses and gear, the dive parameters, each diver's
// gas plan with start, turn and call pressures, the decompression stops and
// the problems found in the plan. It reads the plan it is given while it
// prints, so every print shows the plan as it is then.

#include "planner/model/WorksheetTexts.h"
#include "platform/ReportPages.h"

#include <QDateTime>
#include <QStringList>

#include <vector>

class PlanModel;
class QPagedPaintDevice;
class QPainter;
class QWidget;

class GasWorksheet
{
public:
    explicit GasWorksheet(const PlanModel &plan);
    GasWorksheet(const GasWorksheet &) = delete;
    GasWorksheet &operator=(const GasWorksheet &) = delete;

    // Prints on a painter open on `device`; the error log starts empty on
    // every print. Returns the number of pages.
    int print(QPainter &painter, QPagedPaintDevice &device, const QDateTime &time = QDateTime::currentDateTime());
    // The problems the last print found, one line each.
    const QStringList &QRErrorLog() const { return m_log.lines(); }
    // Every text of the last print as it was laid out on its page.
    const std::vector<report::PlacedText> &placedTexts() const { return m_placed; }
    const report::Report &report() const { return m_report; }
    // The font family the worksheet prints in ("Arial" unless set).
    void setFontFamily(const QString &family) { m_report.fontFamily = family; }

private:
    void addTitle();
    void addAddresses();
    void addDiveParameters();
    void addAirConsumption();
    void addDecompression();
    void addErrors();
    void addPageFooter();

    WorksheetTexts m_texts;
    WorksheetLog m_log;
    report::Report m_report;
    std::vector<report::PlacedText> m_placed;
};

// One print of the worksheet: its pages and the problems it listed.
struct WorksheetPrint
{
    int pages = 0; // 0 when the device could not be opened
    QStringList errorLog;
};

// Prints the worksheet of `plan` on `device` (a printer, a PDF file).
WorksheetPrint PrintGasWorksheet(const PlanModel &plan, QPagedPaintDevice &device,
                                 const QDateTime &time = QDateTime::currentDateTime());

// "Preview &Dive Plan": builds the worksheet of `plan` under the busy cursor,
// shows it in the print preview window and discards it when that closes.
void PreviewDivePlan(const PlanModel &plan, QWidget *parent);
