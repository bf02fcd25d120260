// The printed gas management worksheet, printed to PDF through the same
// code the preview prints with and read back as text: the turn and call
// points of both reserve rules, gas names, the decompression band and its
// checks, the error band, a plan field that does not read as a number or
// that a value divides by, and the page's layout in two font families.

#include "tests/planner/PlanTestSupport.h"
#include "tests/support/PdfFiles.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempSettings.h"
#include "tests/support/TestNumbers.h"

#include "planner/window/PrintRule3.h"
#include "widgets/PreViewForm.h"

#include <QApplication>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>

namespace {

struct Printed
{
    WorksheetPrint print;
    QString text;    // the page's text, blanks between words made single
};

Printed printWorksheet(const PlanModel &plan, const QString &folder, QPageSize::PageSizeId paper = QPageSize::A4)
{
    const QString pdf = folder + QStringLiteral("/worksheet.pdf");
    Printed out;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(paper));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        out.print = PrintGasWorksheet(plan, printer);
    }
    out.text = PdfText(pdf).simplified();
    return out;
}

void setStop(PlanModel &plan, int stop, int depth, int time) { plan.inputs.stop(stop) = {true, depth, time}; }

// Small tanks, a rich bottom gas, three stops on oxygen without times: all
// eight checks fail.
std::unique_ptr<PlanModel> everyProblemPlan()
{
    auto plan = imperialExample();
    plan->inputs.BottomMixO2 = 40;
    plan->inputs.diver[0].Tanksize = plan->inputs.diver[1].Tanksize = QStringLiteral("10");
    plan->inputs.DecoGas = 100;
    setStop(*plan, 1, 70, 0);
    setStop(*plan, 2, 60, 0);
    setStop(*plan, 3, 50, 0);
    plan->DepthChange();
    return plan;
}

// The settled imperial example with a stop at 70 ft for 5 minutes and one
// at 20 ft without time, on EAN50: too much oxygen at the first stop.
std::unique_ptr<PlanModel> decompressionPlan()
{
    auto plan = imperialExample();
    plan->inputs.DecoGas = 50;
    setStop(*plan, 1, 70, 5);
    setStop(*plan, 2, 20, 0);
    plan->DepthChange();
    return plan;
}

} // namespace

class TestWorksheet : public QObject
{
    Q_OBJECT

private slots:
    void init() { usePlanTestUnits(false); }

    void turnAndCallPoints_data();
    void turnAndCallPoints();
    void planWithoutStops();
    void gasNames_data();
    void gasNames();
    void nitroxAboveItsLimit();
    void decompressionChecks();
    void checksListEachProblemOncePerPrint();
    void everyProblemAtOnceFitsOnePage_data();
    void everyProblemAtOnceFitsOnePage();
    void fieldThatIsNotANumberKeepsNA();
    void certifiedPressureOfZeroKeepsNA();
    void labelsNeitherOverlapNorAreCut_data();
    void labelsNeitherOverlapNorAreCut();
    void previewPrintsTheWorksheet();
    void previewReportsAPrinterThatCannotStart();

private:
    TempSettings m_settings;
    QTemporaryDir m_dir;
};

void TestWorksheet::turnAndCallPoints_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<bool>("fixedReserve");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("rule of thirds, SRF 0.67, 3000 psi")
        << false << false
        << QStringList{"Reserve type Rule of Third", "Start point 3000 PSI (80.00 CuFt)",
                       "Turn point 2010 PSI (53.60 CuFt) 2010 PSI (53.60 CuFt)",
                       "Call point 1020 PSI (27.20 CuFt) 1020 PSI (27.20 CuFt)", "Adjusted turnpoint 0.67",
                       "Volume available for dive 53.60 CuFt"};
    QTest::newRow("fixed reserve of 500 psi")
        << false << true
        << QStringList{"Reserve type Fixed reserve : 500 PSI Fixed reserve : 500 PSI",
                       "Turn point 1750 PSI (46.67 CuFt)", "Call point 500 PSI (13.33 CuFt)"};
    QTest::newRow("metric, rule of thirds")
        << true << false
        << QStringList{"Gas volumen of tanks 2400.00 Litres", "Start point 200 BAR (2400.00 Litres)",
                       "Turn point 134 BAR (1608.00 Litres)", "Call point 68 BAR (816.00 Litres)",
                       "Max Depth 30 MSW", "Ascent rate 10 msw/min"};
}

void TestWorksheet::turnAndCallPoints()
{
    QFETCH(bool, metric);
    QFETCH(bool, fixedReserve);
    QFETCH(QStringList, expected);
    auto plan = imperialExample();
    if (metric) {
        usePlanTestUnits(true, true, 10);
        plan = openPlan();
        plan->inputs.Depth = 30;
        for (DiverInputs &diver : plan->inputs.diver) {
            diver.Tanksize = QStringLiteral("12");
            diver.PSI = QStringLiteral("200");
            diver.BR = QStringLiteral("20");
        }
    }
    plan->inputs.Reserve = fixedReserve ? ReserveRule::FixedPressure : ReserveRule::RuleOfThird;
    plan->DepthChange();
    const Printed printed = printWorksheet(*plan, m_dir.path());
    for (const QString &line : localNumbers(expected))
        QVERIFY2(printed.text.contains(line), qPrintable(line + QStringLiteral("\n") + printed.text));
    if (fixedReserve)
        QVERIFY(!printed.text.contains(QStringLiteral("Adjusted turnpoint")));
}

void TestWorksheet::planWithoutStops()
{
    auto plan = imperialExample();
    plan->DepthChange();
    const Printed printed = printWorksheet(*plan, m_dir.path());
    QCOMPARE(printed.print.pages, 1);
    QVERIFY(printed.text.startsWith(QStringLiteral("Dive Plan Air - Non decompression dive")));
    QVERIFY(!printed.text.contains(QStringLiteral("Decompression Gas")));
    QVERIFY(!printed.text.contains(QStringLiteral("Errors in dive plan:")));
    QVERIFY(printed.print.errorLog.isEmpty());
    QVERIFY(printed.text.contains(localNumbers(QStringLiteral("Maximum available bottom time 13.93 minutes"))));
    QVERIFY(printed.text.contains(QStringLiteral("Page number 1")));
}

void TestWorksheet::gasNames_data()
{
    QTest::addColumn<int>("oxygen");
    QTest::addColumn<bool>("decompressionGas");
    QTest::addColumn<QString>("name");
    QTest::newRow("air") << 21 << false << "Air";
    QTest::newRow("EAN36") << 36 << false << "EAN36";
    QTest::newRow("40 % bottom gas") << 40 << false << "Special mix EAN40";
    QTest::newRow("50 % as bottom gas") << 50 << false << "Special mix EAN50";
    QTest::newRow("50 % as deco gas") << 50 << true << "DECO50";
    QTest::newRow("oxygen as deco gas") << 100 << true << "100% Oxygen";
    QTest::newRow("air as deco gas") << 21 << true << "Air";
}

void TestWorksheet::gasNames()
{
    QFETCH(int, oxygen);
    QFETCH(bool, decompressionGas);
    QFETCH(QString, name);
    QCOMPARE(WorksheetGasName(oxygen, decompressionGas), name);
}

void TestWorksheet::nitroxAboveItsLimit()
{
    auto plan = imperialExample();
    plan->inputs.BottomMixO2 = 40;
    plan->DepthChange();
    const Printed printed = printWorksheet(*plan, m_dir.path());
    QVERIFY2(printed.text.contains(QStringLiteral("Primary bottom gas 40 % Oxygen Special mix EAN40")), qPrintable(printed.text));
    QVERIFY(printed.text.contains(localNumbers(QStringLiteral("Max ppO2 1.61 ATA"))));
    QCOMPARE(printed.print.errorLog,
             QStringList{QStringLiteral("Error: ppO2 is higher than set as maximum. Choose another gas.")});
    QVERIFY(printed.text.contains(
        QStringLiteral("Errors in dive plan: Error: ppO2 is higher than set as maximum. Choose another gas.")));
}

void TestWorksheet::decompressionChecks()
{
    auto plan = decompressionPlan();
    const Printed printed = printWorksheet(*plan, m_dir.path());
    QVERIFY(printed.text.startsWith(QStringLiteral("Dive Plan Air with Decompression")));
    const QStringList expectedLog{
        QStringLiteral("Error: ppO2 for Deco 1 is higher than set as maximum. Choose another gas."),
        QStringLiteral("Warning: No decompression time selected for ") + localNumbers(QStringLiteral("20.00 FSW")),
    };
    QCOMPARE(printed.print.errorLog, expectedLog);
    for (const QString &line : expectedLog)
        QCOMPARE(printed.text.count(line), 1);
    for (const char *line : {"Decompression Gas 50.00 % Oxygen DECO50", "MOD for Deco gas 59.40 FSW",
                             "Depth 70.00 FSW 20.00 FSW N/A", "Time in minutes 5.00 0.00 N/A",
                             "Partial Pressure of Oxygen (PO2) 1.56 ATA 0.80 ATA N/A", "Max ppO2 during deco 1.56 ATA",
                             "Total deco time 5.00 minutes"})
        QVERIFY2(printed.text.contains(localNumbers(QString::fromLatin1(line))), line);
}

void TestWorksheet::checksListEachProblemOncePerPrint()
{
    auto plan = decompressionPlan();
    GasWorksheet worksheet(*plan);
    for (int print = 0; print < 2; ++print) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir.filePath(QStringLiteral("again.pdf")));
        QPainter painter(&printer);
        worksheet.print(painter, printer);
        QCOMPARE(worksheet.QRErrorLog().size(), 2);
    }
}

void TestWorksheet::everyProblemAtOnceFitsOnePage_data()
{
    QTest::addColumn<QPageSize::PageSizeId>("paper");
    QTest::newRow("A4") << QPageSize::A4;
    QTest::newRow("Letter") << QPageSize::Letter;
}

void TestWorksheet::everyProblemAtOnceFitsOnePage()
{
    QFETCH(QPageSize::PageSizeId, paper);
    auto plan = everyProblemPlan();
    const Printed printed = printWorksheet(*plan, m_dir.path(), paper);
    QCOMPARE(printed.print.errorLog.size(), 8);
    QCOMPARE(printed.print.pages, 1);
    QVERIFY(printed.text.endsWith(QStringLiteral("Dive plan")));
}

void TestWorksheet::fieldThatIsNotANumberKeepsNA()
{
    auto plan = imperialExample();
    plan->DepthChange();
    plan->inputs.diver[0].PSI = QStringLiteral("lots");
    const Printed printed = printWorksheet(*plan, m_dir.path());
    QVERIFY2(printed.text.contains(QStringLiteral("Turn point N/A 2010 PSI")), qPrintable(printed.text));
    QVERIFY(printed.text.contains(QStringLiteral("Tank pressure lots PSI")));
}

// An imperial tank certified to 0 psi: the gas left at a pressure divides by
// the certified pressure, so that diver's start, turn and call points keep
// "N/A"; the other diver's print.
void TestWorksheet::certifiedPressureOfZeroKeepsNA()
{
    auto plan = imperialExample();
    plan->DepthChange();
    plan->inputs.diver[0].PSI = QStringLiteral("0");
    const Printed printed = printWorksheet(*plan, m_dir.path());
    for (const char *line : {"Start point N/A 3000 PSI (80.00 CuFt)", "Turn point N/A 2010 PSI (53.60 CuFt)",
                             "Call point N/A 1020 PSI (27.20 CuFt)", "Tank pressure 0 PSI"})
        QVERIFY2(printed.text.contains(localNumbers(QString::fromLatin1(line))), qPrintable(printed.text));
    QVERIFY(!printed.text.contains(QRegularExpression(QStringLiteral("\\b(nan|inf)\\b"),
                                                      QRegularExpression::CaseInsensitiveOption)));
}

void TestWorksheet::labelsNeitherOverlapNorAreCut_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("metric");
    QTest::addColumn<QStringList>("expected");   // texts side by side, read back with blanks between
    for (const char *family : {"DejaVu Sans", "Liberation Sans"}) {
        QTest::addRow("%s, every problem", family)
            << QString::fromLatin1(family) << false
            << QStringList{"Primary bottom gas 40 % Oxygen Special mix EAN40", "Decompression Gas 100.00 % Oxygen 100% Oxygen",
                           "Partial Pressure of Oxygen (PO2) 3.12 ATA 2.82 ATA 2.52 ATA", "Max Depth 100 FSW"};
        QTest::addRow("%s, metric with a fixed reserve", family)
            << QString::fromLatin1(family) << true
            << QStringList{"Maximum available bottom time", "Reserve type Fixed reserve : 50 BAR Fixed reserve : 50 BAR",
                           "Primary bottom gas 21 % Oxygen Air", "Decompression Gas 50.00 % Oxygen DECO50"};
    }
}

// The worksheet laid out in the family the test chooses: every text in
// that family, within the printable width, as wide and as tall as its text
// in that font, and clear of every other text on its page.
void TestWorksheet::labelsNeitherOverlapNorAreCut()
{
    QFETCH(QString, family);
    QFETCH(bool, metric);
    QFETCH(QStringList, expected);
    if (QFontInfo(QFont(family)).family() != family) {
        if (family == QStringLiteral("Liberation Sans"))
            QSKIP("Liberation Sans is not installed (Debian package fonts-liberation2)");
        QFAIL(qPrintable(family + QStringLiteral(" is not installed")));
    }
    auto plan = everyProblemPlan();
    if (metric) {
        usePlanTestUnits(true, true, 10);
        plan = openPlan();
        plan->inputs.Depth = 30;
        plan->inputs.Reserve = ReserveRule::FixedPressure;
        plan->inputs.ReservePressure = QStringLiteral("50");
        plan->inputs.DecoGas = 50;
        for (DiverInputs &diver : plan->inputs.diver)
            diver = {QStringLiteral("Maximiliane Oberhuber-Westenfeld"), QStringLiteral("12"), QStringLiteral("200"),
                     QStringLiteral("20")};
        setStop(*plan, 1, 6, 3);
        plan->DepthChange();
    }

    const QString pdf = m_dir.filePath(QStringLiteral("layout.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    GasWorksheet worksheet(*plan);
    worksheet.setFontFamily(family);
    worksheet.report().setUp(printer);
    int pages = 0;
    {
        QPainter painter(&printer);
        pages = worksheet.print(painter, printer);
    }
    QCOMPARE(pages, 1);
    const QString text = PdfText(pdf).simplified();
    for (const QString &line : localNumbers(expected))
        QVERIFY2(text.contains(line), qPrintable(line + QStringLiteral("\n") + text));

    const double dotsX = printer.logicalDpiX() / 25.4;
    const double dotsY = printer.logicalDpiY() / 25.4;
    const double pageWidth = printer.width() / dotsX;
    constexpr double Tolerance = 0.001;   // mm
    std::vector<report::PlacedText> texts;
    for (const report::PlacedText &placed : worksheet.placedTexts())
        if (!placed.text.isEmpty())
            texts.push_back(placed);
    QVERIFY(texts.size() > 100);
    for (size_t i = 0; i < texts.size(); ++i) {
        const report::PlacedText &t = texts[i];
        const QString where = QStringLiteral("\"%1\" at %2, %3 (%4 x %5 mm)")
                                  .arg(t.text.left(40)).arg(t.rect.x()).arg(t.rect.y()).arg(t.rect.width()).arg(t.rect.height());
        QCOMPARE(QFontInfo(t.font).family(), family);
        const QFontMetricsF metrics(t.font, &printer);
        const QStringList lines = t.text.split(u'\n');
        double width = 0;
        for (const QString &line : lines)
            width = std::max(width, metrics.horizontalAdvance(line) / dotsX);
        const double height = ((lines.size() - 1) * metrics.lineSpacing() + metrics.height()) / dotsY;
        QVERIFY2(width <= t.rect.width() + Tolerance, qPrintable(QStringLiteral("too narrow: ") + where));
        QVERIFY2(height <= t.rect.height() + Tolerance, qPrintable(QStringLiteral("too low: ") + where));
        QVERIFY2(t.rect.left() >= -Tolerance && t.rect.right() <= pageWidth + Tolerance,
                 qPrintable(QStringLiteral("off the page: ") + where));
        for (size_t j = i + 1; j < texts.size(); ++j) {
            const QRectF overlap = t.rect.intersected(texts[j].rect);
            QVERIFY2(texts[j].page != t.page || overlap.width() < Tolerance || overlap.height() < Tolerance,
                     qPrintable(where + QStringLiteral(" overlaps \"") + texts[j].text.left(40) + u'"'));
        }
    }
}

void TestWorksheet::previewPrintsTheWorksheet()
{
    auto plan = imperialExample();
    plan->DepthChange();
    const QString pdf = m_dir.filePath(QStringLiteral("preview.pdf"));
    ScriptedDialogs dialogs;
    dialogs.answerPrint([&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    dialogs.answerDialog([&](QDialog &dialog) {
        auto *preview = qobject_cast<TfmtPreViewForm *>(&dialog);
        if (!preview || QApplication::overrideCursor())
            return -1;
        preview->show();
        if (preview->pageCount() != 1 || !preview->isMaximized())
            return -2;
        dialog.findChild<QPushButton *>(QStringLiteral("PrintButton"))->click();
        return int(QDialog::Rejected);
    });
    PreviewDivePlan(*plan, nullptr);
    QCOMPARE(dialogs.unanswered().size(), 0);
    QCOMPARE(dialogs.asked().first().title, QStringLiteral("Print preview"));
    QCOMPARE(PdfPageCount(pdf), 1);
    QVERIFY(PdfText(pdf).simplified().contains(localNumbers(QStringLiteral("Call point 1020 PSI (27.20 CuFt)"))));
}

void TestWorksheet::previewReportsAPrinterThatCannotStart()
{
    auto plan = imperialExample();
    plan->DepthChange();
    ScriptedDialogs dialogs;
    dialogs.answerPrint([&](QPrinter &printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(m_dir.filePath(QStringLiteral("no such folder/worksheet.pdf")));
        return true;
    });
    dialogs.answerMessage(QMessageBox::Ok);
    dialogs.answerDialog([&](QDialog &dialog) {
        dialog.show();
        dialog.findChild<QPushButton *>(QStringLiteral("PrintButton"))->click();
        return dialog.isVisible() ? int(QDialog::Rejected) : -1;
    });
    PreviewDivePlan(*plan, nullptr);
    QCOMPARE(dialogs.messageTexts().size(), 1);
    QVERIFY(dialogs.messageTexts().first().startsWith(QStringLiteral("The print job could not be started")));
}

QTEST_MAIN(TestWorksheet)
#include "tst_worksheet.moc"
