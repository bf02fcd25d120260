// Prints the gas management worksheet of a decompression plan with errors
// (in the system's font for Arial, and in DejaVu Sans) and a dive profile to
// PDF files in a folder, for pictures of the pages (docs/worksheet.png,
// docs/worksheet-dejavu.png, docs/profile-printout.png), with pictures of
// the print preview and the print dialog; not a benchmark:
//   printout_pictures <folder>
// Then: pdftoppm -png -r 60 -singlefile <folder>/worksheet.pdf docs/worksheet

#include "bench/ProfileList.h"
#include "planner/model/PlanModel.h"
#include "planner/window/PrintRule3.h"
#include "profiles/model/DanReader.h"
#include "profiles/model/DanSummary.h"
#include "profiles/window/DanChartReplay.h"
#include "profiles/window/PrintGraphs.h"
#include "tests/support/DanFiles.h"
#include "tests/support/ScriptedDialogs.h"

#include "core/NumText.h"
#include "core/Units.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>

namespace {

QString pdfIn(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name);
}

void printWorksheet(const QString &folder, const QString &pdf)
{
    programUnits() = ProgramUnits{false, true, 33};
    PlanModel plan;
    plan.Suspended = false;
    plan.inputs.Depth = 100;
    plan.inputs.PO2 = FloatToStr(1.4);
    plan.inputs.diver[0] = {QStringLiteral("Ann Diver"), QStringLiteral("80"), QStringLiteral("3000"), FloatToStr(0.75)};
    plan.inputs.diver[1] = {QStringLiteral("Bob Buddy"), QStringLiteral("100"), QStringLiteral("3500"), FloatToStr(0.9)};
    plan.inputs.DecoGas = 50;
    plan.inputs.stops = {{{true, 70, 2}, {true, 20, 0}, {true, 10, 5}}};
    plan.DepthChange();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    PrintGasWorksheet(plan, printer);

    // The same page in DejaVu Sans, the font a machine without Arial or a
    // stand-in of its widths prints it in.
    QPrinter dejaVu(QPrinter::HighResolution);
    dejaVu.setOutputFormat(QPrinter::PdfFormat);
    dejaVu.setOutputFileName(pdfIn(folder, QStringLiteral("worksheet-dejavu.pdf")));
    GasWorksheet worksheet(plan);
    worksheet.setFontFamily(QStringLiteral("DejaVu Sans"));
    worksheet.report().setUp(dejaVu);
    {
        QPainter painter(&dejaVu);
        worksheet.print(painter, dejaVu);
    }

    ScriptedDialogs dialogs;
    dialogs.answerDialog([&](QDialog &preview) {
        preview.show();
        preview.resize(1000, 700);
        preview.grab().save(QDir(folder).filePath(QStringLiteral("preview.png")));
        return 0;
    });
    PreviewDivePlan(plan, nullptr);
}

// A generated dive on the viewer's chart, printed at 80 % a little in from
// the page's corner, the print dialog answered with the PDF file.
void printProfile(const QString &folder, const QString &pdf)
{
    TRChart chart;
    chart.resize(824, 400);
    SetProfileLook(chart);
    DanDiveShape dive;
    dive.samples = 150;
    dive.maxDepth = 96;
    dive.deco = {{60, 80, 10}};
    const QString file = QDir(folder).filePath(QStringLiteral("02345.nem"));
    WriteDanFile(file, {dive});
    DanChartPlotter plotter(chart);
    const DanLoadResult result = LoadDanFile(file, {}, plotter);
    chart.setCaption(result.header.chartCaption());

    ScriptedDialogs dialogs;
    dialogs.answerPrint([&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    TfmPrintGraphs dialog(chart, DanSummaryTexts(result));
    dialog.findChild<QScrollBar *>(QStringLiteral("SBScalF"))->setValue(-20);
    dialog.show();
    dialog.grab().save(QDir(folder).filePath(QStringLiteral("print-dialog.png")));
    dialog.findChild<QPushButton *>(QStringLiteral("Button2"))->click();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    printWorksheet(folder, pdfIn(folder, QStringLiteral("worksheet.pdf")));
    printProfile(folder, pdfIn(folder, QStringLiteral("profile.pdf")));
    return 0;
}
