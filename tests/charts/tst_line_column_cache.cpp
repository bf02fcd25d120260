// The columns kept between drawings: what a drawing from the list's start
// did not use is forgotten, a drawing of appended items forgets nothing, and
// nothing is kept across lists or a list cleared.

#include "charts/ChartItems.h"
#include "charts/LineColumnCache.h"

#include <QtTest>

namespace {
LineColumnCache::Columns columnsAt(int column) { return {GatheredColumn{column, 1.0, 2.0, 5.0, 4.0, 6.0, 5.5}}; }
} // namespace

class TestLineColumnCache : public QObject
{
    Q_OBJECT
private slots:
    void keptColumnsAreFoundByLevelAndIndex()
    {
        LineColumnCache cache;
        cache.beginDraw(1, true);
        LineColumnCache::Columns columns = columnsAt(7);
        cache.keep(2, 5, columns);
        columns = columnsAt(9);
        cache.keep(3, 5, columns);
        cache.endDraw();
        QVERIFY(!cache.find(1, 5));
        QVERIFY(!cache.find(2, 6));
        QVERIFY(cache.find(2, 5));
        QCOMPARE(cache.find(2, 5)->front().column, 7);
        QCOMPARE(cache.find(3, 5)->front().column, 9);
    }

    void keepingAgainReplacesAndGivesBackStorage()
    {
        LineColumnCache cache;
        cache.beginDraw(1, true);
        LineColumnCache::Columns columns(40, GatheredColumn{});
        cache.keep(1, 0, columns);
        QVERIFY(columns.empty());
        columns = columnsAt(3);
        cache.keep(1, 0, columns);
        QCOMPARE(cache.find(1, 0)->size(), std::size_t(1));
        QCOMPARE(columns.size(), std::size_t(40)); // the old columns, to reuse
    }

    void drawingsForgetWhatTheyDidNotUse_data()
    {
        QTest::addColumn<bool>("fromStart");
        QTest::addColumn<bool>("unusedKept");
        QTest::newRow("a drawing from the start") << true << false;
        QTest::newRow("a drawing of appended items") << false << true;
    }
    void drawingsForgetWhatTheyDidNotUse()
    {
        QFETCH(bool, fromStart);
        QFETCH(bool, unusedKept);
        LineColumnCache cache;
        cache.beginDraw(1, true);
        for (std::size_t i = 0; i < 3; ++i) {
            LineColumnCache::Columns columns = columnsAt(int(i));
            cache.keep(3, i, columns);
        }
        cache.endDraw();
        cache.beginDraw(1, fromStart);
        QVERIFY(cache.find(3, 1));
        cache.endDraw();
        QCOMPARE(cache.nodeCount(), unusedKept ? std::size_t(3) : std::size_t(1));
        QVERIFY(cache.find(3, 1));
        QCOMPARE(cache.find(3, 0) != nullptr, unusedKept);
    }

    void anotherGenerationStartsEmpty()
    {
        LineColumnCache cache;
        cache.beginDraw(4, false);
        LineColumnCache::Columns columns = columnsAt(1);
        cache.keep(1, 0, columns);
        cache.endDraw();
        cache.beginDraw(5, false);
        QVERIFY(!cache.find(1, 0));
        QCOMPARE(cache.nodeCount(), std::size_t(0));
    }

    void listsDifferInGeneration()
    {
        // Two lists never share a generation; clearing changes it, appending
        // does not.
        DisplayList a, b;
        QVERIFY(a.generation() != b.generation());
        const std::uint64_t first = a.generation();
        a.append(ChartItem{1, 2, 0, 1, 0, ItemKind::LineTo, 0});
        QCOMPARE(a.generation(), first);
        a.clear();
        QVERIFY(a.generation() != first);
        QVERIFY(a.generation() != b.generation());
    }
};

QTEST_GUILESS_MAIN(TestLineColumnCache)
#include "tst_line_column_cache.moc"
