// Prints the gas management worksheet of a decompression plan with errors
// and a dive profile to PDF files in a folder, for pictures of the pages
// (docs/worksheet.png, docs/profile-printout.png); not a benchmark:
//   printout_pictures <folder>
// Then: pdftoppm -png -r 60 -singlefile <folder>/worksheet.pdf docs/worksheet

#include "planner/PlanModel.h"
#include "planner/PrintRule3.h"

#include "core/NumText.h"
#include "core/Units.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>

namespace {

QString pdfIn(const QString &folder, const QString &name)
{
    return QDir(folder).filePath(name);
}

void printWorksheet(const QString &pdf)
{
    programUnits() = ProgramUnits{false, true, 33};
    PlanModel plan;
    plan.Suspended = false;
    plan.inputs.Depth = 100;
    plan.inputs.PO2 = FloatToStr(1.4);
    plan.inputs.diver[0] = {QStringLiteral("Ann Diver"), QStringLiteral("80"), QStringLiteral("3000"), FloatToStr(0.75)};
    plan.inputs.diver[1] = {QStringLiteral("Bob Buddy"), QStringLiteral("100"), QStringLiteral("3500"), FloatToStr(0.9)};
    plan.inputs.DecoGas = 50;
    plan.inputs.Decom1Check = plan.inputs.Decom2Check = plan.inputs.Decom3Check = true;
    plan.inputs.DecoDepth1 = 70;
    plan.inputs.DecoTime1 = 2;
    plan.inputs.DecoDepth2 = 20;
    plan.inputs.DecoTime2 = 0;
    plan.inputs.DecoDepth3 = 10;
    plan.inputs.DecoTime3 = 5;
    plan.DepthChange();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    PrintGasWorksheet(plan, printer);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    printWorksheet(pdfIn(folder, QStringLiteral("worksheet.pdf")));
    return 0;
}
