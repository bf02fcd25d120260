// What the chart draws: the display list's items pixel by pixel, thinning
// against drawing every segment, and redrawing only what was appended.

#include "bench/ProfileList.h"
#include "charts/ChartMarks.h"
#include "charts/RChart.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {
const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);
const QRgb Red = qRgb(255, 0, 0);

// A chart of 300 x 200 pixels with the default rims and world 0..10.
std::unique_ptr<TRChart> smallChart()
{
    auto chart = std::make_unique<TRChart>();
    chart->resize(300, 200);
    chart->setAutoRedraw(false);
    return chart;
}

QPoint pixelOf(const TRChart &chart, double x, double y)
{
    const PlotGeometry g = chart.geometryNow();
    return {g.x.toPixel(x), g.y.toPixel(y)};
}

int countColor(const QImage &image, QRgb color, QRect area)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += image.pixel(x, y) == color;
    return n;
}

// A random walk of `samples` line-to items in `colors` across x 0..1000.
void appendWalk(TRChart &chart, int samples, int width, const QList<QColor> &colors)
{
    QRandomGenerator random(7);
    double y = 50;
    chart.setLineWidth(width);
    chart.MovePenTo(0, y);
    for (int i = 1; i <= samples; ++i) {
        y = std::clamp(y + (random.generateDouble() * 6.0 - 3.0), 0.0, 100.0);
        chart.setDataColor(colors[(i / 97) % colors.size()]);
        chart.DrawLineTo(1000.0 * i / samples, y);
        if (i % 500 == 0)
            chart.MovePenTo(1000.0 * i / samples, y + 5);
    }
}
} // namespace

class TestChartDrawing : public QObject
{
    Q_OBJECT
private slots:
    void defaults()
    {
        const TRChart c;
        QVERIFY(c.AutoRedraw());
        QCOMPARE(QList<int>({c.LRim(), c.RRim(), c.TRim(), c.BRim()}), QList<int>({50, 10, 16, 32}));
        QCOMPARE(QList<int>({c.DecPlaceX(), c.DecPlaceY(), c.MinTickX(), c.MinTickY(), c.LineWidth(), c.ShadowWidth(), c.ClassDefault()}),
                 QList<int>({1, 1, 3, 3, 1, 0, 0}));
        QCOMPARE(QList<double>({c.RangeLoX(), c.RangeHiX(), c.RangeLoY(), c.RangeHiY(), c.GridDx(), c.GridDy()}),
                 QList<double>({0, 10, 0, 10, 1, 1}));
        QCOMPARE(QList<QColor>({c.DataColor(), c.ScaleColor(), c.ChartColor(), c.WindColor(), c.GridColor(), c.ShadowColor(),
                                c.ShadowBakColor(), c.TextBkColor()}),
                 QList<QColor>({Qt::black, Qt::black, Qt::white, QColor(0xC0, 0xC0, 0xC0), Qt::black, QColor(0x80, 0x80, 0x80),
                                QColor(0xC0, 0xC0, 0xC0), Qt::white}));
        QCOMPARE(c.GridStyle(), gsNone);
        QCOMPARE(c.MouseAction(), maNone);
        QCOMPARE(c.ShadowStyle(), ssFlying);
        QCOMPARE(c.TextBkStyle(), tbClear);
        QCOMPARE(c.XLabelType(), Num);
        QCOMPARE(c.YLabelType(), Num);
        QVERIFY(!c.LogScaleX() && !c.LogScaleY() && !c.MouseCursorFixed());
    }

    void depthRangeEdges()
    {
        TRChart chart;
        chart.resize(824, 400);
        SetProfileLook(chart);
        const QRect plot = chart.plotRect();
        QCOMPARE(pixelOf(chart, 2000, 130).y(), plot.bottom());
        QCOMPARE(pixelOf(chart, 2000, -1).y(), plot.top());
        QCOMPARE(pixelOf(chart, 0, 0).x(), plot.left());
        QCOMPARE(pixelOf(chart, 4000, 0).x(), plot.right());
    }

    void scaleRangeRules()
    {
        auto chart = smallChart();
        chart->SetScaleRange(0, 130, 4000, -1);
        QCOMPARE(chart->RangeLoY(), 130.0);
        QCOMPARE(chart->RangeHiY(), -1.0);
        // A window of no width is refused; the other axis still changes.
        chart->SetScaleRange(5, 0, 5, 10);
        QCOMPARE(chart->RangeLoX(), 0.0);
        QCOMPARE(chart->RangeHiX(), 4000.0);
        QCOMPARE(chart->RangeLoY(), 0.0);
        QCOMPARE(chart->RangeHiY(), 10.0);
        // A single bound meeting the other widens the axis around it.
        chart->setRangeLoX(4000);
        QCOMPARE(chart->RangeLoX(), 3999.0);
        QCOMPARE(chart->RangeHiX(), 4001.0);
    }

    void logarithmicAxisRules()
    {
        auto chart = smallChart();
        chart->SetScaleRange(-1, 1, 100, 100);
        chart->setLogScaleX(true);
        QVERIFY(!chart->LogScaleX());      // a bound below 1e-30
        chart->setLogScaleY(true);
        QVERIFY(chart->LogScaleY());
        chart->SetScaleRange(0, -5, 10, 1000);
        QCOMPARE(chart->RangeLoY(), 1.0);  // the low bound needs both positive
        QCOMPARE(chart->RangeHiY(), 1000.0);
        chart->SetScaleRange(0, 10, 10, -3);
        QCOMPARE(chart->RangeHiY(), 1000.0); // no logarithm for a negative bound
        chart->setRangeLoY(0);
        QCOMPARE(chart->RangeLoY(), 1.0);
        chart->setYLabelType(DateTime);
        QCOMPARE(chart->YLabelType(), Num);
        chart->setLogScaleY(false);
        chart->setYLabelType(DateTime);
        chart->setLogScaleY(true);
        QVERIFY(!chart->LogScaleY());
    }

    void itemsKeepTheirStamps()
    {
        auto chart = smallChart();
        chart->setDataColor(Qt::red);
        chart->setLineWidth(3);
        chart->setClassDefault(7);
        chart->DrawLineTo(1, 1);
        chart->setDataColor(Qt::blue);
        chart->setLineWidth(1);
        chart->AddTextAt(5, 5, QStringLiteral("A text longer than fifteen"), 9);
        QCOMPARE(chart->items()[0].color, Red);
        QCOMPARE(chart->items()[0].width, 3);
        QCOMPARE(chart->items()[0].itemClass, 7);
        QCOMPARE(chart->items()[1].color, qRgb(0, 0, 255));
        QCOMPARE(chart->items().extra(1).text, QStringLiteral("A text longer t"));
        QCOMPARE(sizeof(ChartItem), size_t(24));
        chart->ClearDrawing();
        QCOMPARE(chart->items().size(), size_t(0));
    }

    void markPatterns_data()
    {
        QTest::addColumn<int>("style");
        for (int style = 0; style <= 32; ++style)
            QTest::addRow("style %d", style) << style;
    }
    void markPatterns()
    {
        QFETCH(int, style);
        auto chart = smallChart();
        chart->setDataColor(Qt::red);
        chart->AddMark(5, 5, style);
        const QImage image = chart->render();
        const QPoint c = pixelOf(*chart, 5, 5);
        const MarkRows rows = IsPatternMark(style) ? MarkPattern(style) : MarkRows{0, 0, 0, 0x08, 0, 0, 0};
        for (int r = -4; r <= 4; ++r)
            for (int col = -4; col <= 4; ++col) {
                const bool inside = qAbs(r) <= 3 && qAbs(col) <= 3;
                const bool set = inside && (rows[r + 3] & (0x40 >> (col + 3)));
                QCOMPARE(image.pixel(c.x() + col, c.y() + r), set ? Red : White);
            }
    }

    void characterMarkIsCentred()
    {
        auto chart = smallChart();
        chart->setDataColor(Qt::red);
        chart->AddMark(5, 5, 65);
        const QImage a = chart->render();
        chart->ClearDrawing();
        chart->AddMark(5, 5, 66);
        const QImage b = chart->render();
        const QPoint c = pixelOf(*chart, 5, 5);
        // The letter's dark pixels lie around the point, and differ from B's.
        QRect box;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (qRed(a.pixel(x, y)) > 128 && qGreen(a.pixel(x, y)) < 128)
                    box |= QRect(x, y, 1, 1);
        QVERIFY(!box.isEmpty());
        QVERIFY(box.height() >= 5);
        QVERIFY(qAbs(box.center().x() - c.x()) <= 1);
        QVERIFY(qAbs(box.center().y() - c.y()) <= 2);
        QVERIFY(a != b);
    }

    void rectangles_data()
    {
        QTest::addColumn<double>("x2");
        QTest::addColumn<double>("y2");
        QTest::newRow("corners apart") << 6.0 << 4.0;
        QTest::newRow("corners reversed") << 2.0 << 8.0;
        QTest::newRow("one pixel") << 4.0001 << 6.0001;
    }
    void rectangles()
    {
        QFETCH(double, x2);
        QFETCH(double, y2);
        auto chart = smallChart();
        chart->setScaleColor(QColor(0, 0, 255));
        chart->setDataColor(Qt::red);
        chart->AddRectangle(4, 6, x2, y2);
        const QImage image = chart->render();
        const QPoint a = pixelOf(*chart, 4, 6), b = pixelOf(*chart, x2, y2);
        const QRect area(QPoint(qMin(a.x(), b.x()), qMin(a.y(), b.y())), QPoint(qMax(a.x(), b.x()), qMax(a.y(), b.y())));
        const QRgb blue = qRgb(0, 0, 255);
        if (a == b) {
            QCOMPARE(image.pixel(a), blue);
            QCOMPARE(countColor(image, blue, area.adjusted(-2, -2, 2, 2)), 1);
            return;
        }
        // Outline on both corners' pixels, filled inside, nothing outside.
        QCOMPARE(image.pixel(area.topLeft()), blue);
        QCOMPARE(image.pixel(area.bottomRight()), blue);
        QCOMPARE(image.pixel(area.center()), Red);
        QCOMPARE(countColor(image, Red, area.adjusted(1, 1, -1, -1)), (area.width() - 2) * (area.height() - 2));
        QCOMPARE(image.pixel(area.bottomRight() + QPoint(1, 1)), White);
    }

    void textItems()
    {
        auto chart = smallChart();
        chart->setDataColor(Qt::red);
        chart->setTextBkStyle(tbSolid);
        chart->setTextBkColor(QColor(0, 255, 0));
        chart->AddTextAt(5, 5, QStringLiteral("Dive"), 10);
        const QImage image = chart->render();
        const QPoint c = pixelOf(*chart, 5, 5);
        const QRect around(c - QPoint(30, 12), c + QPoint(30, 12));
        QVERIFY(countColor(image, qRgb(0, 255, 0), around) > 50);
        QCOMPARE(image.pixel(c + QPoint(0, 20)), White);
        chart->setTextBkStyle(tbClear);
        QCOMPARE(countColor(chart->render(), qRgb(0, 255, 0), around), 0);
    }

    void longRunsJoinWithoutGap()
    {
        auto chart = smallChart();
        chart->SetScaleRange(0, 0, 250, 10);
        chart->setDataColor(Qt::red);
        chart->MovePenTo(0, 5);
        for (int i = 1; i <= 250; ++i)
            chart->DrawLineTo(i, i % 2 ? 4.0 : 6.0);
        const QImage image = chart->render();
        QCOMPARE(chart->lastDrawStats().polylines, size_t(2));
        const QRect plot = chart->plotRect();
        for (int x = plot.left() + 1; x < plot.right(); ++x)
            QVERIFY2(countColor(image, Red, QRect(x, plot.top() + 1, 1, plot.height() - 2)) > 0, qPrintable(QString::number(x)));
    }

    void frameIsDrawnLast()
    {
        auto chart = smallChart();
        chart->setDataColor(Qt::red);
        chart->MovePenTo(0, 0);
        chart->DrawLineTo(10, 0);   // along the bottom edge
        const QImage image = chart->render();
        const QRect plot = chart->plotRect();
        QCOMPARE(image.pixel(plot.center().x(), plot.bottom()), Black);
    }

    void thinningIsPixelExact_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<double>("loX");
        QTest::addColumn<double>("hiX");
        QTest::addColumn<double>("loY");
        QTest::addColumn<double>("hiY");
        for (int width : {0, 1}) {
            QTest::addRow("width %d, whole", width) << width << 0.0 << 1000.0 << 0.0 << 100.0;
            QTest::addRow("width %d, zoomed", width) << width << 300.0 << 340.0 << 40.0 << 60.0;
            QTest::addRow("width %d, reversed", width) << width << 1000.0 << 0.0 << 100.0 << 0.0;
            QTest::addRow("width %d, far out", width) << width << -20000.0 << 20000.0 << -500.0 << 600.0;
            QTest::addRow("width %d, beside", width) << width << 2000.0 << 3000.0 << 0.0 << 100.0;
        }
    }
    void thinningIsPixelExact()
    {
        QFETCH(int, width);
        QFETCH(double, loX);
        QFETCH(double, hiX);
        QFETCH(double, loY);
        QFETCH(double, hiY);
        auto chart = smallChart();
        chart->resize(400, 300);
        appendWalk(*chart, 60000, width, {Qt::red, Qt::blue});
        chart->SetScaleRange(loX, loY, hiX, hiY);
        const QImage thin = chart->render(true);
        const DrawStats thinStats = chart->lastDrawStats();
        const QImage every = chart->render(false);
        QCOMPARE(thin, every);
        QVERIFY(thinStats.points <= chart->lastDrawStats().points);
    }

    void profileThinningIsPixelExact_data()
    {
        QTest::addColumn<double>("loX");
        QTest::addColumn<double>("hiX");
        QTest::addColumn<double>("loY");
        QTest::addColumn<double>("hiY");
        QTest::newRow("viewer start") << 0.0 << 4000.0 << 130.0 << -1.0;
        QTest::newRow("whole list") << 0.0 << 60000.0 << 130.0 << -1.0;
        QTest::newRow("zoomed in") << 1400.0 << 1600.0 << 90.0 << 60.0;
        QTest::newRow("reversed") << 60000.0 << 0.0 << -1.0 << 130.0;
        QTest::newRow("squeezed into few columns") << -200000.0 << 260000.0 << 130.0 << -1.0;
        QTest::newRow("squeezed and flat") << 0.0 << 120000.0 << 300.0 << -200.0;
    }
    void profileThinningIsPixelExact()
    {
        QFETCH(double, loX);
        QFETCH(double, hiX);
        QFETCH(double, loY);
        QFETCH(double, hiY);
        TRChart chart;
        chart.resize(600, 350);
        SetProfileLook(chart);
        AppendProfile(chart, 130000);
        chart.SetScaleRange(loX, loY, hiX, hiY);
        const QImage thin = chart.render(true);
        const DrawStats thinStats = chart.lastDrawStats();
        QCOMPARE(thin, chart.render(false));
        QVERIFY(thinStats.marks <= chart.lastDrawStats().marks);
        QVERIFY(thinStats.itemsWalked < chart.items().size());
    }

    void wideLinesAsListed()
    {
        // Wide lines are not thinned: the same polylines as drawing every item.
        auto chart = smallChart();
        appendWalk(*chart, 3000, 3, {Qt::red, Qt::blue});
        chart->SetScaleRange(0, 0, 1000, 100);
        const QImage thin = chart->render(true);
        const std::size_t polylines = chart->lastDrawStats().polylines;
        QCOMPARE(thin, chart->render(false));
        QCOMPARE(polylines, chart->lastDrawStats().polylines);
    }

    void crowdedMarksArePixelExact_data()
    {
        QTest::addColumn<double>("hiX");
        QTest::newRow("one column per 10 samples") << 4000.0;
        QTest::newRow("one column per 400 samples") << 400000.0;
    }
    void crowdedMarksArePixelExact()
    {
        QFETCH(double, hiX);
        // Marks of several styles and colours over and beside a line, the
        // same marks coming back often, as pressure marks do.
        auto chart = smallChart();
        chart->resize(400, 300);
        chart->SetScaleRange(0, 0, hiX, 100);
        QRandomGenerator random(11);
        chart->MovePenTo(0, 50);
        for (int i = 1; i <= 80000; ++i) {
            const double y = 50 + 20 * std::sin(i / 900.0);
            chart->setDataColor(Qt::darkGreen);
            chart->DrawLineTo(i, y);
            if (i % 7 == 0) {
                chart->setDataColor(i % 3 ? Qt::red : Qt::blue);
                chart->AddMark(i, std::round(y / 10) * 10 + (i % 2 ? 2 : -2), int(1 + random.bounded(25)));
                chart->MovePenTo(i, y);
            }
        }
        const QImage thin = chart->render(true);
        QVERIFY(chart->lastDrawStats().itemsWalked < chart->items().size());
        QCOMPARE(thin, chart->render(false));
    }

    void appendedItemsAreDrawnOnTheKeptImage()
    {
        TRChart chart;
        chart.resize(600, 350);
        SetProfileLook(chart);
        chart.SetScaleRange(0, 130, 20000, -1);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        std::size_t drawnBefore = 0;
        bool drewOnlyNew = true;
        AppendProfile(chart, 40000, {}, 200, [&] {
            const std::size_t before = chart.items().size();
            chart.RefreshChart();
            drewOnlyNew &= chart.lastDrawStats().polylines + chart.lastDrawStats().marks <= before - drawnBefore + 2;
            drawnBefore = before;
        });
        chart.RefreshChart();
        QVERIFY(drewOnlyNew);
        QCOMPARE(chart.controlImage(), chart.render(false));
        // Ranges changed: everything is drawn afresh.
        chart.SetScaleRange(0, 40, 5000, -1);
        chart.RefreshChart();
        QCOMPARE(chart.controlImage(), chart.render(false));
    }

    void refreshShowsAHiddenChart()
    {
        TRChart chart;
        chart.resize(200, 100);
        QVERIFY(!chart.isVisible());
        chart.RefreshChart();
        QVERIFY(chart.isVisible());
    }

    void noRoomForThePlot()
    {
        TRChart chart;
        chart.resize(40, 30);   // smaller than the rims
        chart.DrawLineTo(5, 5);
        chart.AddMark(3, 3, 9);
        QVERIFY(!chart.render().isNull());
        QCOMPARE(chart.geometryNow().x.toPixel(123), 20);
    }

    void shadowAndTitles()
    {
        auto chart = smallChart();
        chart->setShadowWidth(6);
        chart->setShadowColor(QColor(0, 0, 255));
        chart->setCaption(QStringLiteral("Caption"));
        chart->setIdAbscissa(QStringLiteral("Run Time"));
        const QImage image = chart->render();
        QCOMPARE(image.pixel(295, 100), qRgb(0, 0, 255));   // right shadow
        QCOMPARE(image.pixel(150, 196), qRgb(0, 0, 255));   // bottom shadow
        QCOMPARE(image.pixel(2, 197), qRgb(0xC0, 0xC0, 0xC0)); // shadow background
        QCOMPARE(chart->plotRect().right(), 300 - 10 - 6);
        // Caption ends left of the right rim, above the plot.
        QVERIFY(countColor(image, Black, QRect(200, 0, 84, 16)) > 10);
        QCOMPARE(countColor(image, Black, QRect(285, 1, 8, 14)), 0);
    }

    void gridStyles_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("horizontal");
        QTest::newRow("lines") << int(gsLines) << true << true;
        QTest::newRow("vertical") << int(gsVertLines) << true << false;
        QTest::newRow("horizontal dots") << int(gsHorizDotLines) << false << true;
        QTest::newRow("none") << int(gsNone) << false << false;
    }
    void gridStyles()
    {
        QFETCH(int, style);
        QFETCH(bool, vertical);
        QFETCH(bool, horizontal);
        auto chart = smallChart();
        chart->setGridColor(Qt::red);
        chart->setGridStyle(GridStyleType(style));
        chart->setGridDx(2.5);
        chart->setGridDy(2.5);
        const QImage image = chart->render();
        const QPoint grid = pixelOf(*chart, 2.5, 2.5);
        const QRect plot = chart->plotRect();
        const int onColumn = countColor(image, Red, QRect(grid.x(), plot.top() + 1, 1, plot.height() - 2));
        const int onRow = countColor(image, Red, QRect(plot.left() + 1, grid.y(), plot.width() - 2, 1));
        QCOMPARE(onColumn > plot.height() / 3, vertical);
        QCOMPARE(onRow > plot.width() / 3, horizontal);
        const bool dotted = style == gsHorizDotLines;
        if (dotted)
            QVERIFY(onRow < plot.width() * 3 / 4);
    }
};

QTEST_MAIN(TestChartDrawing)
#include "tst_chart_drawing.moc"
