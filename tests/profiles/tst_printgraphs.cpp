// Printing a dive profile: the miniature's arithmetic, placing the chart on
// the miniature, the scaling factor, the orientation, and the printout
// itself (a DAN file drawn on the viewer's chart, printed to a PDF file
// chosen with "Printer setup" and read back as text).

#include "bench/ProfileList.h"
#include "charts/RChart.h"
#include "profiles/model/DanReader.h"
#include "profiles/model/DanSummary.h"
#include "profiles/window/DanChartReplay.h"
#include "profiles/window/PrintGraphs.h"
#include "tests/support/DanFiles.h"
#include "tests/support/PdfFiles.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TestNumbers.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The viewer's chart with a generated dive drawn on it, and its summary.
struct LoadedProfile
{
    TRChart chart;
    QStringList summary;
};

std::unique_ptr<LoadedProfile> loadProfile(const QString &folder)
{
    auto profile = std::make_unique<LoadedProfile>();
    profile->chart.resize(824, 400);
    SetProfileLook(profile->chart);
    const QString file = folder + QStringLiteral("/02345.nem");
    DanDiveShape dive;
    dive.samples = 150;
    dive.maxDepth = 96;
    dive.deco = {{60, 80, 10}};
    if (!WriteDanFile(file, {dive}))
        qFatal("cannot write %s", qPrintable(file));
    DanChartPlotter plotter(profile->chart);
    const DanLoadResult result = LoadDanFile(file, {}, plotter);
    profile->chart.setCaption(result.header.chartCaption());
    profile->summary = DanSummaryTexts(result);
    return profile;
}

// The size of the first page in points, rounded, as pdfinfo gives it.
QSize pdfPageSize(const QString &pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(30000);
    const QRegularExpressionMatch size = QRegularExpression(QStringLiteral("Page size: *([0-9.]+) x ([0-9.]+) pts"))
                                             .match(QString::fromUtf8(info.readAllStandardOutput()));
    return size.hasMatch() ? QSize(qRound(size.captured(1).toDouble()), qRound(size.captured(2).toDouble())) : QSize();
}

TRChart &miniature(const TfmPrintGraphs &dialog) { return *dialog.findChild<TRChart *>(QStringLiteral("RChart2")); }

// Moves the mouse over the miniature and clicks there, as a user places the printout.
void clickMiniature(TfmPrintGraphs &dialog, QPoint at)
{
    TRChart &chart = miniature(dialog);
    QTest::mouseMove(&chart, at);
    QMouseEvent move(QEvent::MouseMove, at, chart.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&chart, &move);
    QTest::mouseClick(&chart, Qt::LeftButton, {}, at);
}

void chooseLandscape(TfmPrintGraphs &dialog)
{
    for (auto *radio : dialog.findChild<QWidget *>(QStringLiteral("PrinterOrientationRadio"))->findChildren<QRadioButton *>())
        if (radio->text() == QStringLiteral("Landscape"))
            QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(5, radio->height() / 2));
}

} // namespace

class TestPrintGraphs : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { useTestNumberFormat(); }

    void printedArea_data()
    {
        QTest::addColumn<int>("printerDpi");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<QRectF>("area");
        QTest::newRow("300 dpi, full size") << 300 << 1.0 << QPoint(100, 100)
                                            << QRectF(QPointF(100, 100), QPointF(2675, 1350));
        QTest::newRow("600 dpi, double size, moved") << 600 << 2.0 << QPoint(500, 700)
                                                     << QRectF(QPointF(500, 700), QPointF(10800, 5700));
    }
    void printedArea()
    {
        QFETCH(int, printerDpi);
        QFETCH(double, scale);
        QFETCH(QPoint, place);
        QFETCH(QRectF, area);
        const PrinterMetrics printer{printerDpi, printerDpi, 200, 287};
        QCOMPARE(PrintedChartArea({place.x(), place.y(), scale}, printer, 96, 96, QSize(824, 400)), area);
    }

    void scrollBarSetsTheScaling_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("percent");
        QTest::addColumn<int>("fontSize");
        QTest::newRow("smallest") << -90 << " 10 %" << 1;
        QTest::newRow("screen size") << 0 << "100 %" << 8;
        QTest::newRow("largest") << 100 << "200 %" << 16;
    }
    void scrollBarSetsTheScaling()
    {
        QFETCH(int, position);
        QFETCH(QString, percent);
        QFETCH(int, fontSize);
        auto profile = loadProfile(m_dir.path());
        TfmPrintGraphs dialog(profile->chart, profile->summary);
        dialog.findChild<QScrollBar *>(QStringLiteral("SBScalF"))->setValue(position);
        QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("Scaling : ") + percent);
        const DisplayList &items = miniature(dialog).items();
        QCOMPARE(items[1].kind, ItemKind::Text);
        QCOMPARE(items.extra(1).text, QStringLiteral("Dive Profile"));
        QCOMPARE(items.extra(1).size, fontSize);
    }

    void miniatureHasThePageProportions()
    {
        auto profile = loadProfile(m_dir.path());
        TfmPrintGraphs dialog(profile->chart, profile->summary);
        const QWidget *bevel2 = dialog.findChild<QWidget *>(QStringLiteral("Bevel2"));
        const QWidget *bevel3 = dialog.findChild<QWidget *>(QStringLiteral("Bevel3"));
        const PrinterMetrics page = PrinterMetricsOf(dialog.printer());
        QRect shown = miniature(dialog).geometry();
        QCOMPARE(shown.top(), 5);
        QCOMPARE(shown.height(), bevel3->y() - 10);
        QCOMPARE(shown.width(), qRound(double(shown.height()) * page.pageWidthMm / page.pageHeightMm));
        QVERIFY(shown.right() < bevel2->x());

        chooseLandscape(dialog);
        shown = miniature(dialog).geometry();
        QCOMPARE(dialog.printer().pageLayout().orientation(), QPageLayout::Landscape);
        QCOMPARE(shown.width(), bevel2->x() - 10);
        QVERIFY(shown.width() > shown.height());
        QVERIFY(shown.bottom() < bevel3->y());
    }

    void clickAndDragPlaceTheChart()
    {
        auto profile = loadProfile(m_dir.path());
        TfmPrintGraphs dialog(profile->chart, profile->summary);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        TRChart &chart = miniature(dialog);
        clickMiniature(dialog, chart.rect().center());
        const QSizeF page = PageDots(PrinterMetricsOf(dialog.printer()));
        QVERIFY(qAbs(dialog.placement().left - page.width() / 2) < page.width() / 50);
        QVERIFY(qAbs(dialog.placement().top - page.height() / 2) < page.height() / 50);
        QCOMPARE(chart.items()[0].x, double(dialog.placement().left));

        // A drag with the left button held moves the place along.
        const QPoint to = chart.rect().center() / 2;
        QMouseEvent drag(QEvent::MouseMove, to, chart.mapToGlobal(to), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&chart, &drag);
        QVERIFY(qAbs(dialog.placement().left - page.width() / 4) < page.width() / 50);

        chooseLandscape(dialog);
        QCOMPARE(dialog.placement().left, 100);
        QCOMPARE(dialog.placement().top, 100);
    }

    void printsPlacementChartAndSummary()
    {
        auto profile = loadProfile(m_dir.path());
        const QString pdf = m_dir.filePath(QStringLiteral("profile.pdf"));
        ScriptedDialogs dialogs;
        dialogs.answerPrint([&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        int result = -1;
        dialogs.answerDialog([&](QDialog &dialog) {
            auto *print = qobject_cast<TfmPrintGraphs *>(&dialog);
            if (!print)
                return -1;
            print->findChild<QPushButton *>(QStringLiteral("Button3"))->click();   // printer setup: the PDF file
            print->findChild<QScrollBar *>(QStringLiteral("SBScalF"))->setValue(-20);
            print->findChild<QPushButton *>(QStringLiteral("Button2"))->click();
            result = dialog.result();
            return result;
        });
        PrintDiveProfile(profile->chart, profile->summary, nullptr);
        QCOMPARE(result, int(QDialog::Accepted));
        // "Print" prints on the printer the dialog laid the page out for, asking nothing more.
        QStringList kinds;
        for (const ScriptedDialogs::Question &question : dialogs.asked())
            kinds << question.kind;
        QCOMPARE(kinds, (QStringList{QStringLiteral("dialog"), QStringLiteral("printerSetup")}));
        const QString text = PdfText(pdf).simplified();
        QVERIFY2(text.startsWith(localNumbers(QStringLiteral("Position of Dive Profile: x=100 y=100 Scaling factor: 0.80"))),
                 qPrintable(text));
        QStringList expected{QStringLiteral("Run Time"), QStringLiteral("Depth"), QStringLiteral("00:10:00"),
                             profile->chart.Caption(), QStringLiteral("Printed by Tidewell on")};
        QCOMPARE(profile->summary.size(), 7);
        expected << profile->summary;
        for (const QString &line : expected)
            QVERIFY2(text.contains(line.simplified()), qPrintable(line));
        QVERIFY(text.indexOf(profile->summary.last().simplified()) > text.indexOf(profile->chart.Caption()));
    }

    void orientationChosenInTheDialogIsThePrintedPage()
    {
        auto profile = loadProfile(m_dir.path());
        const QString pdf = m_dir.filePath(QStringLiteral("landscape.pdf"));
        ScriptedDialogs dialogs;
        dialogs.answerPrint([&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        TfmPrintGraphs dialog(profile->chart, profile->summary);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.findChild<QPushButton *>(QStringLiteral("Button3"))->click();
        chooseLandscape(dialog);
        dialog.findChild<QPushButton *>(QStringLiteral("Button2"))->click();
        QCOMPARE(dialogs.asked().size(), 1);
        const QSize page = pdfPageSize(pdf);
        QVERIFY2(page.width() > page.height(), qPrintable(QStringLiteral("%1 x %2").arg(page.width()).arg(page.height())));
    }

    void summaryThatDoesNotFitGoesOnTheNextPage()
    {
        auto profile = loadProfile(m_dir.path());
        const QString pdf = m_dir.filePath(QStringLiteral("low.pdf"));
        ScriptedDialogs dialogs;
        dialogs.answerPrint([&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        TfmPrintGraphs dialog(profile->chart, profile->summary);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.findChild<QPushButton *>(QStringLiteral("Button3"))->click();
        const QRect area = miniature(dialog).rect();
        clickMiniature(dialog, QPoint(area.width() / 10, area.height() * 3 / 4));
        dialog.findChild<QPushButton *>(QStringLiteral("Button2"))->click();
        QCOMPARE(PdfPageCount(pdf), 2);
        const QStringList pages = PdfText(pdf).split(u'\f');
        QVERIFY2(pages[0].contains(QStringLiteral("Position of Dive Profile")), qPrintable(pages.join("<FF>")));
        QVERIFY(pages[1].contains(QStringLiteral("Printed by Tidewell on")));
    }

    void printerThatCannotStartKeepsTheDialogOpen()
    {
        auto profile = loadProfile(m_dir.path());
        ScriptedDialogs dialogs;
        dialogs.answerPrint([&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(m_dir.filePath(QStringLiteral("missing/profile.pdf")));
            return true;
        });
        dialogs.answerMessage(QMessageBox::Ok);
        TfmPrintGraphs dialog(profile->chart, profile->summary);
        dialog.show();
        dialog.findChild<QPushButton *>(QStringLiteral("Button3"))->click();
        dialog.findChild<QPushButton *>(QStringLiteral("Button2"))->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialogs.messageTexts().size(), 1);
    }
};

QTEST_MAIN(TestPrintGraphs)
#include "tst_printgraphs.moc"
