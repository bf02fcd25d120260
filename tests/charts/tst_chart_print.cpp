// Printing the chart on a paged device (a PDF), read back as text and as
// pixels with the poppler tools.

#include "bench/ProfileList.h"
#include "charts/RChart.h"
#include "tests/support/PdfFiles.h"

#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
struct Printed
{
    QString text;
    QImage page;
    int left, top;
};

Printed printToPdf(TRChart &chart, const QString &dir, bool blackAndWhite, double scale)
{
    const QString pdf = dir + QStringLiteral("/chart.pdf");
    Printed out{{}, {}, 100, 100};
    {
        QPdfWriter writer(pdf);
        writer.setResolution(300);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageOrientation(QPageLayout::Landscape);
        QPainter painter(&writer);
        chart.PrintChart(painter, out.left, out.top, blackAndWhite, scale);
    }
    out.text = PdfText(pdf);
    QProcess render;
    render.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                                              QStringLiteral("-singlefile"), pdf, dir + QStringLiteral("/page")});
    render.waitForFinished(30000);
    out.page = QImage(dir + QStringLiteral("/page.png")).convertToFormat(QImage::Format_RGB32);
    return out;
}

int countNear(const QImage &image, QRgb color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            n += qAbs(qRed(p) - qRed(color)) < 24 && qAbs(qGreen(p) - qGreen(color)) < 24 && qAbs(qBlue(p) - qBlue(color)) < 24;
        }
    return n;
}

std::unique_ptr<TRChart> viewerChart()
{
    auto chart = std::make_unique<TRChart>();
    chart->resize(824, 400);
    SetProfileLook(*chart);
    chart->setCaption(QStringLiteral("Dive # 7 on 12/08/26"));
    AppendProfile(*chart, 20000);
    chart->setDataColor(Qt::red);
    chart->AddTextAt(2000, 100, QStringLiteral("Dive Plot"), 8);
    return chart;
}
} // namespace

class TestChartPrint : public QObject
{
    Q_OBJECT
private slots:
    void printedText()
    {
        QTemporaryDir dir;
        auto chart = viewerChart();
        const Printed printed = printToPdf(*chart, dir.path(), true, 1.0);
        for (const char *expected : {"00:10:00", "00:20:00", "01:00:00", "Run Time", "Depth", "Dive # 7 on 12/08/26",
                                     "Dive Plot", "130", "50"})
            QVERIFY2(printed.text.contains(QLatin1String(expected)), expected);
    }

    void dateTimeAxis_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<QString>("expected");
        QTest::newRow("half a second") << 45000.5 << 45000.5 + 0.5 / 86400 << "DateTime range is below 1 second";
        QTest::newRow("beyond the calendar") << 0.0 << 5e6 << "invalid DateTime scale";
        QTest::newRow("an afternoon") << 45000.5 << 45000.75 << "14:00:00";
    }
    void dateTimeAxis()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        TRChart chart;
        chart.resize(600, 300);
        chart.setXLabelType(DateTime);
        chart.SetScaleRange(low, 0, high, 10);
        const Printed printed = printToPdf(chart, dir.path(), true, 1.0);
        QVERIFY2(printed.text.contains(expected), qPrintable(printed.text));
    }

    void advancesByThePrintedSize_data()
    {
        QTest::addColumn<double>("scale");
        QTest::newRow("full size") << 1.0;
        QTest::newRow("half size") << 0.5;
    }
    void advancesByThePrintedSize()
    {
        QFETCH(double, scale);
        QTemporaryDir dir;
        auto chart = viewerChart();
        const Printed printed = printToPdf(*chart, dir.path(), true, scale);
        QCOMPARE(printed.left, 100 + qRound(300 * scale * 824 / chart->logicalDpiX()));
        QCOMPARE(printed.top, 100 + qRound(300 * scale * 400 / chart->logicalDpiY()));
    }

    void colours_data()
    {
        QTest::addColumn<bool>("blackAndWhite");
        QTest::newRow("black and white") << true;
        QTest::newRow("colour") << false;
    }
    void colours()
    {
        QFETCH(bool, blackAndWhite);
        QTemporaryDir dir;
        auto chart = viewerChart();
        const Printed printed = printToPdf(*chart, dir.path(), blackAndWhite, 1.0);
        QVERIFY(!printed.page.isNull());
        const int teal = countNear(printed.page, qRgb(0, 0x80, 0x80));
        const int dark = countNear(printed.page, qRgb(0, 0, 0));
        // Items print black in any case; the plot keeps its colour unless black and white.
        QVERIFY(dark > 2000);
        QCOMPARE(teal > 10000, !blackAndWhite);
        QCOMPARE(countNear(printed.page, qRgb(255, 255, 0)), 0);
        // Printing leaves the screen's colours as they were.
        QCOMPARE(chart->ChartColor(), QColor(0, 0x80, 0x80));
    }
};

QTEST_MAIN(TestChartPrint)
#include "tst_chart_print.moc"
