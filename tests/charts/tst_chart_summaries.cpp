// The display list's summaries at several levels: drawing from them sets
// the same pixels as drawing every item, whatever the zoom, with views whose
// edges fall on the boundaries of summarised runs, and while items are
// appended or the list is cleared and filled anew.

#include "charts/RChart.h"

#include <QtTest>

namespace {

// A jagged line of `items` line-to items at x = 1, 2, ...: a slow wave with
// a saw-tooth of 13 steps on it, so that every pixel column has height.
void appendLine(TRChart &chart, int items, double lift = 0)
{
    chart.MovePenTo(0, 50 + lift);
    for (int i = 1; i < items; ++i)
        chart.DrawLineTo(i, 50 + lift + 35 * std::sin(i / 4000.0) + (i % 13) * 0.9);
}

// `items` more items of a shape, at x = 1, 2, ... (or about there):
// "line" a jagged line; "back and forth" a line whose x runs back 40 steps
// after every 100; "gaps" a line with a point not a number every 333
// items; "colours" a line that changes colour every 700 items; "marks"
// marks only.
void appendShape(TRChart &chart, const QString &shape, int items)
{
    for (int i = 1; i <= items; ++i) {
        const double y = 50 + 35 * std::sin(i / 4000.0) + (i % 13) * 0.9;
        if (shape == "marks") {
            chart.AddMark(i, y, 1 + i % 3);
        } else if (shape == "back and forth") {
            const int turn = i % 140;
            chart.DrawLineTo(i - 2 * std::max(0, turn - 100), y);
        } else if (shape == "gaps") {
            chart.DrawLineTo(i, i % 333 == 0 ? std::nan("") : y);
        } else {
            chart.setDataColor(shape == "colours" && (i / 700) % 2 ? Qt::red : Qt::yellow);
            chart.DrawLineTo(i, y);
        }
    }
}

std::unique_ptr<TRChart> chartOf(int items)
{
    auto chart = std::make_unique<TRChart>();
    chart->resize(400, 300);   // a plot of 340 x 252 pixels
    chart->setAutoRedraw(false);
    appendLine(*chart, items);
    return chart;
}

// The summarised drawing against drawing every item; the summarised
// drawing's steps.
DrawStats compareWithEveryItem(TRChart &chart)
{
    const QImage thin = chart.render(true);
    const DrawStats stats = chart.lastDrawStats();
    // QCOMPARE returns on a mismatch, so it needs a function without a value.
    [&] { QCOMPARE(thin, chart.render(false)); }();
    return stats;
}

} // namespace

class TestChartSummaries : public QObject
{
    Q_OBJECT
private slots:
    void levelsOfAList_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("levels");
        QTest::addColumn<int>("blocks");
        QTest::addColumn<int>("topNodes");
        // Blocks of 32 items; each level above sums up 8 nodes: 256, 2048,
        // 16384, 131072 items.
        QTest::newRow("empty") << 0 << 1 << 0 << 0;
        QTest::newRow("one item") << 1 << 1 << 1 << 1;
        QTest::newRow("one block and one item") << 33 << 1 << 2 << 2;
        QTest::newRow("just short of level 1") << 255 << 1 << 8 << 8;
        QTest::newRow("level 1 complete") << 256 << 2 << 8 << 1;
        QTest::newRow("level 2 complete") << 2048 << 3 << 64 << 1;
        QTest::newRow("three level-4 nodes") << 3 * 131072 + 5 << 5 << 12289 << 3;
    }
    void levelsOfAList()
    {
        QFETCH(int, items);
        QFETCH(int, levels);
        QFETCH(int, blocks);
        QFETCH(int, topNodes);
        TRChart chart;
        for (int i = 0; i < items; ++i)
            chart.DrawLineTo(i, i % 7);
        const DisplayList &list = chart.items();
        QCOMPARE(list.levelCount(), levels);
        QCOMPARE(list.nodeCount(0), std::size_t(blocks));
        QCOMPARE(list.nodeCount(levels - 1), std::size_t(topNodes));
    }

    void summaryOfARun()
    {
        // A level-1 node sums up 256 items, the pen on entry included.
        TRChart chart;
        chart.MovePenTo(-4, 2);
        for (int i = 1; i < 600; ++i)
            chart.DrawLineTo(i, i % 2 ? 10 : -10);
        const ItemBlock &first = chart.items().node(1, 0);
        QCOMPARE(first.minX, -4.0);
        QCOMPARE(first.maxX, 255.0);
        QVERIFY(!first.plain);   // its line starts at the plot's corner
        const ItemBlock &second = chart.items().node(1, 1);
        QCOMPARE(second.minX, 255.0);
        QCOMPARE(second.maxX, 511.0);
        QCOMPARE(second.minY, -10.0);
        QCOMPARE(second.maxY, 10.0);
        QVERIFY(second.plain);
        QCOMPARE(second.startX, 255.0);
        QCOMPARE(second.startY, 10.0);
        QCOMPARE(second.firstY, -10.0);
        QCOMPARE(second.lastX, 511.0);
        QCOMPARE(second.lastY, 10.0);
        QCOMPARE(second.penX, 511.0);
    }

    void drawingIsPixelExactAtEveryZoom_data()
    {
        QTest::addColumn<double>("loX");
        QTest::addColumn<double>("hiX");
        // 300,000 items: summaries up to level 4 (131,072 items). The plot
        // is 340 pixels wide, so a span of 340 * n items puts n items into
        // a column.
        QTest::newRow("whole list") << 0.0 << 300000.0;
        QTest::newRow("whole list reversed") << 300000.0 << 0.0;
        QTest::newRow("2048 items a column, from a level-3 edge") << 16384.0 << 16384.0 + 340 * 2048;
        QTest::newRow("256 items a column, from a level-2 edge") << 2048.0 << 2048.0 + 340 * 256;
        QTest::newRow("32 items a column, from a level-4 edge") << 131072.0 << 131072.0 + 340 * 32;
        QTest::newRow("8 items a column") << 262144.0 << 262144.0 + 340 * 8;
        QTest::newRow("half a column past a level-3 edge") << 16384.0 - 1024 << 16384.0 - 1024 + 340 * 2048;
        QTest::newRow("one level-4 node in view") << 131072.0 << 262143.0;
        QTest::newRow("squeezed into a few columns") << -3000000.0 << 3000000.0;
        QTest::newRow("the list's end") << 299000.0 << 301000.0;
        QTest::newRow("beside the list") << 400000.0 << 500000.0;
    }
    void drawingIsPixelExactAtEveryZoom()
    {
        QFETCH(double, loX);
        QFETCH(double, hiX);
        auto chart = chartOf(300000);
        QCOMPARE(chart->items().levelCount(), 5);
        chart->SetScaleRange(loX, 0, hiX, 100);
        compareWithEveryItem(*chart);
    }

    void theWorkFollowsThePixels()
    {
        // The whole list in view: far fewer steps than items, and not many
        // more at 100 times the items.
        auto small = chartOf(3000);
        auto big = chartOf(300000);
        small->SetScaleRange(0, 0, 3000, 100);
        big->SetScaleRange(0, 0, 300000, 100);
        small->render(true);
        big->render(true);
        const DrawStats &s = small->lastDrawStats();
        const DrawStats &b = big->lastDrawStats();
        const std::size_t bigSteps = b.itemsWalked + b.blocksSummarised + b.blocksSkipped;
        QVERIFY2(bigSteps < 300000 / 10, qPrintable(QString::number(bigSteps)));
        QVERIFY2(bigSteps < 10 * (s.itemsWalked + s.blocksSummarised + s.blocksSkipped), qPrintable(QString::number(bigSteps)));
    }

    void summariesFollowAppends_data()
    {
        QTest::addColumn<QList<int>>("chunks");
        // Refreshed after each chunk: runs of the list are summarised only
        // once they are complete, while drawing goes on from where it stopped.
        QTest::newRow("ends inside blocks") << QList<int>{1000, 3, 20000, 77, 131072, 5000};
        QTest::newRow("ends on level edges") << QList<int>{2047, 14336, 114688, 16384};
        QTest::newRow("one item at a time past a level-2 edge") << QList<int>{2046, 1, 1, 1, 1, 300};
    }
    void summariesFollowAppends()
    {
        QFETCH(QList<int>, chunks);
        TRChart chart;
        chart.resize(400, 300);
        chart.SetScaleRange(0, 0, 170000, 100);
        chart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&chart));
        chart.MovePenTo(0, 50);
        int i = 1;
        for (int chunk : chunks) {
            for (int end = i + chunk; i < end; ++i)
                chart.DrawLineTo(i, 50 + 35 * std::sin(i / 4000.0) + (i % 13) * 0.9);
            chart.RefreshChart();
        }
        QCOMPARE(chart.controlImage(), chart.render(false));
        compareWithEveryItem(chart);
    }

    void interruptedLinesArePixelExact_data()
    {
        QTest::addColumn<QString>("interruption");
        QTest::addColumn<int>("at"); // the item where it happens
        QTest::addColumn<double>("itemsPerColumn");
        // 60,000 items in a 340-pixel plot; the line is interrupted every
        // 5,000 items from `at` on. Drawn from summaries, whole nodes of a
        // line are gathered column by column down to their items; an
        // interruption must end such a line where the items end it.
        const QList<std::pair<const char *, int>> places{{"mid-block", 1000 + 17},
                                                         {"last in a block", 32 * 40 - 1},
                                                         {"on a block edge", 32 * 40},
                                                         {"on a level-1 edge", 256 * 5},
                                                         {"on a level-2 edge", 2048}};
        const QList<std::pair<const char *, double>> zooms{{"one column per 2048 items", 2048},
                                                           {"per 256", 256},
                                                           {"per 40", 40},
                                                           {"per 3", 3},
                                                           {"whole list", 60000.0 / 340}};
        for (const char *interruption :
             {"gap", "colour", "width", "move away and back", "move away", "mark", "nothing"})
            for (const auto &[place, at] : places)
                for (const auto &[zoom, perColumn] : zooms)
                    QTest::addRow("%s %s, %s", interruption, place, zoom) << QString(interruption) << at << perColumn;
    }
    void interruptedLinesArePixelExact()
    {
        QFETCH(QString, interruption);
        QFETCH(int, at);
        QFETCH(double, itemsPerColumn);
        TRChart chart;
        chart.resize(400, 300);
        chart.setAutoRedraw(false);
        chart.setDataColor(Qt::yellow);
        chart.MovePenTo(0, 50);
        for (int i = 1; i < 60000; ++i) {
            const double y = 50 + 35 * std::sin(i / 4000.0) + (i % 13) * 0.9;
            const bool here = i >= at && (i - at) % 5000 == 0;
            if (here && interruption == "gap")
                chart.DrawLineTo(i, std::nan(""));
            else if (here && interruption == "move away and back") {
                chart.MovePenTo(i - 3000, 0);
                chart.MovePenTo(i - 1, 50 + 35 * std::sin((i - 1) / 4000.0) + ((i - 1) % 13) * 0.9);
            } else if (here && interruption == "move away")
                chart.MovePenTo(i, 10);
            else if (here && interruption == "mark")
                chart.AddMark(i, y + 3, 1);
            chart.setDataColor(here && interruption == "colour" ? Qt::red : Qt::yellow);
            chart.setLineWidth(here && interruption == "width" ? 0 : 1);
            chart.DrawLineTo(i, y);
        }
        // From a level-2 edge, so that nodes of every size meet the plot's edges.
        const double lo = 2048 * 3;
        chart.SetScaleRange(lo, 0, lo + 340 * itemsPerColumn, 100);
        compareWithEveryItem(chart);
        chart.SetScaleRange(0, 0, 60000, 100);
        compareWithEveryItem(chart);
    }

    void pointsOffTheNumberLineAreNotSummarised_data()
    {
        QTest::addColumn<int>("at"); // items 32 to 63 form the second block
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::newRow("height not a number") << 40 << 40.0 << std::nan("");
        QTest::newRow("height not a number, last in its block") << 63 << 63.0 << std::nan("");
        QTest::newRow("x not a number") << 40 << std::nan("") << 5.0;
        QTest::newRow("infinite height") << 40 << 40.0 << HUGE_VAL;
        QTest::newRow("finite") << 40 << 40.0 << 5.0;
    }
    void pointsOffTheNumberLineAreNotSummarised()
    {
        // A block's lowest and highest points stand for its line only when
        // every point has a place between them.
        QFETCH(int, at);
        QFETCH(double, x);
        QFETCH(double, y);
        TRChart chart;
        chart.MovePenTo(0, 0);
        for (int i = 1; i < 96; ++i)
            chart.DrawLineTo(i == at ? x : i, i == at ? y : i % 5);
        const DisplayList &list = chart.items();
        QVERIFY(!list.node(0, 0).plain); // it begins before the pen's first move
        QCOMPARE(list.node(0, 1).plain, std::isfinite(x) && std::isfinite(y));
        QVERIFY(list.node(0, 2).plain);
    }

    void lineSummariesStandForTheirNodes_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<int>("items");
        // Every complete node at every level has a line summary equal to its
        // own line fields; the block still growing has none yet.
        QTest::newRow("a line over level-2 edges, ending inside a block") << "line" << 2048 * 3 + 17;
        QTest::newRow("a line ending on a level-1 edge") << "line" << 256 * 9;
        QTest::newRow("marks only") << "marks" << 600;
        QTest::newRow("a line back and forth") << "back and forth" << 5000;
        QTest::newRow("a line with gaps") << "gaps" << 3000;
        QTest::newRow("lines of two colours by turns") << "colours" << 3000;
    }
    void lineSummariesStandForTheirNodes()
    {
        QFETCH(QString, shape);
        QFETCH(int, items);
        TRChart chart;
        chart.MovePenTo(0, 0);
        appendShape(chart, shape, items - 1);
        const DisplayList &list = chart.items();
        QCOMPARE(list.size(), std::size_t(items));
        for (int level = 0; level < list.levelCount(); ++level) {
            const std::size_t complete = list.size() >> DisplayList::levelBits(level);
            QVERIFY(list.nodeCount(level) >= complete);
            for (std::size_t i = 0; i < complete; ++i) {
                const ItemBlock &node = list.node(level, i);
                const LineSummary &line = list.lineSummary(level, i);
                const QByteArray where = QByteArray::number(level) + "/" + QByteArray::number(qulonglong(i));
                QVERIFY2(line.hasLine() == (node.hasLine && !std::isnan(node.lineMinX)), where);
                if (!line.hasLine())
                    continue;
                QVERIFY2(line.minX == node.lineMinX && line.maxX == node.lineMaxX, where);
                QVERIFY2(line.lowY == node.lineMinY && line.highY == node.lineMaxY, where);
                QVERIFY2(line.firstY == node.firstY && line.lastY == node.lastY, where);
            }
        }
    }

    void unusualLinesArePixelExact_data()
    {
        QTest::addColumn<QString>("shape");
        QTest::addColumn<double>("itemsPerColumn");
        // 40,000 items in a 340-pixel plot, from a level-2 edge on.
        for (const char *shape : {"back and forth", "gaps", "colours", "marks"})
            for (double perColumn : {2048.0, 300.0, 40.0, 3.0, 40000.0 / 340})
                QTest::addRow("%s, %g items a column", shape, perColumn) << QString(shape) << perColumn;
    }
    void unusualLinesArePixelExact()
    {
        QFETCH(QString, shape);
        QFETCH(double, itemsPerColumn);
        TRChart chart;
        chart.resize(400, 300);
        chart.setAutoRedraw(false);
        chart.MovePenTo(0, 50);
        appendShape(chart, shape, 40000);
        const double lo = 2048;
        chart.SetScaleRange(lo, 0, lo + 340 * itemsPerColumn, 100);
        compareWithEveryItem(chart);
        chart.SetScaleRange(-500, 0, 40500, 100);
        compareWithEveryItem(chart);
    }

    void pansReplayKeptColumns_data()
    {
        QTest::addColumn<double>("loX");
        QTest::addColumn<double>("hiX");
        QTest::addColumn<double>("pixels");
        QTest::addColumn<QString>("replayed"); // "yes", "no", "some"
        // 300,000 items at whole x in a 340-pixel plot. Views from x = 0.3
        // put no item on the edge between two columns.
        QTest::newRow("whole list, 5 pixels right") << 0.3 << 300000.3 << 5.0 << "yes";
        QTest::newRow("whole list, 17 pixels left") << 0.3 << 300000.3 << -17.0 << "yes";
        QTest::newRow("whole list reversed, 5 pixels") << 300000.3 << 0.3 << 5.0 << "yes";
        QTest::newRow("whole list, a third of a pixel") << 0.3 << 300000.3 << 1.0 / 3 << "no";
        QTest::newRow("whole list, half a pixel") << 0.3 << 300000.3 << 0.5 << "no";
        // Items on the edge between two columns go to the even one: an odd
        // pan moves them to the other side, so the nodes that hold such an
        // item are gathered anew.
        QTest::newRow("items on column edges, 5 pixels") << 0.0 << 300000.0 << 5.0 << "some";
        QTest::newRow("2048 items a column, 3 pixels") << 16384.3 << 16384.3 + 340 * 2048 << 3.0 << "yes";
        QTest::newRow("20 items a column, 3 pixels") << 6000.3 << 6000.3 + 340 * 20 << 3.0 << "yes";
        QTest::newRow("900 items a column, 2.5 pixels") << 1000.3 << 1000.3 + 340 * 900 << 2.5 << "no";
        QTest::newRow("10 items a column: not kept") << 6000.3 << 6000.3 + 340 * 10 << 3.0 << "no";
    }
    void pansReplayKeptColumns()
    {
        // Every repaint sets the same pixels as drawing every item, whether
        // it replays the columns kept from the one before or gathers anew.
        QFETCH(double, loX);
        QFETCH(double, hiX);
        QFETCH(double, pixels);
        QFETCH(QString, replayed);
        auto chart = chartOf(300000);
        chart->SetScaleRange(loX, 0, hiX, 100);
        const DrawStats firstStats = compareWithEveryItem(*chart);
        QCOMPARE(firstStats.nodesReplayed, std::size_t(0));
        const double shift = (hiX - loX) * pixels / chart->plotWidth();
        for (int step = 1; step <= 3; ++step) {
            chart->SetScaleRange(loX + step * shift, 0, hiX + step * shift, 100);
            const DrawStats stats = compareWithEveryItem(*chart);
            if (replayed == "some")
                QVERIFY(stats.nodesReplayed > 0 && stats.itemsWalked > firstStats.itemsWalked / 4);
            else
                QCOMPARE(stats.nodesReplayed > 0, replayed == "yes");
        }
    }

    void zoomAndNewItemsGatherAnew()
    {
        auto chart = chartOf(200000);
        chart->SetScaleRange(0.3, 0, 200000.3, 100);
        compareWithEveryItem(*chart);
        // Zoomed out: each column takes other items.
        chart->SetScaleRange(0.3, 0, 250000.3, 100);
        QCOMPARE(compareWithEveryItem(*chart).nodesReplayed, std::size_t(0));
        // Items appended draw on the kept columns.
        appendShape(*chart, "line", 60000);
        QVERIFY(compareWithEveryItem(*chart).nodesReplayed > 0);
        // A list cleared and filled anew with a higher line at the same
        // places: nothing kept of the old one may be drawn.
        chart->ClearDrawing();
        appendLine(*chart, 260000, 20);
        QCOMPARE(compareWithEveryItem(*chart).nodesReplayed, std::size_t(0));
    }

    void clearedListIsSummarisedAnew()
    {
        // A list cleared and filled with another line, shorter and higher:
        // nothing of the old summaries may be drawn.
        auto chart = chartOf(140000);
        chart->SetScaleRange(0, 0, 140000, 100);
        chart->render(true);
        chart->ClearDrawing();
        QCOMPARE(chart->items().levelCount(), 1);
        QCOMPARE(chart->items().nodeCount(0), std::size_t(0));
        appendLine(*chart, 20000, 10);
        QCOMPARE(chart->items().levelCount(), 4);   // 20,000 items reach level 3 (16,384)
        compareWithEveryItem(*chart);
        chart->SetScaleRange(0, 0, 20000, 100);
        compareWithEveryItem(*chart);
    }
};

QTEST_MAIN(TestChartSummaries)
#include "tst_chart_summaries.moc"
