// The chunked array behind the display list: elements stay as appended while
// the first chunk doubles, while further chunks are added and across a move,
// and the bytes it reports follow what it took.

#include "charts/ChunkedVector.h"

#include <QtTest>

#include <cstdint>

namespace {

// 4 KiB an element, so that a chunk of 512 is 2 MiB, taken as large memory.
struct Page
{
    std::uint64_t number;
    char filler[4088];
};

template <typename Vector>
void fill(Vector &v, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        v.push_back(std::uint64_t(i * 7 + 3));
}

} // namespace

class TestChunkedVector : public QObject
{
    Q_OBJECT

private slots:
    void keepsElements_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("empty") << 0;
        QTest::newRow("one") << 1;
        QTest::newRow("first capacity") << 64;
        QTest::newRow("first growth") << 65;
        QTest::newRow("one short of a chunk") << 255;
        QTest::newRow("a chunk") << 256;
        QTest::newRow("a chunk and one") << 257;
        QTest::newRow("several chunks") << 3 * 256 + 17;
    }
    void keepsElements()
    {
        QFETCH(int, count);
        ChunkedVector<std::uint64_t, 8> v;
        fill(v, std::size_t(count));
        QCOMPARE(v.size(), std::size_t(count));
        for (std::size_t i = 0; i < v.size(); ++i)
            QCOMPARE(v[i], std::uint64_t(i * 7 + 3));
        QVERIFY(v.bytes() >= v.size() * sizeof(std::uint64_t));

        // Moved whole, and filled anew after clearing.
        ChunkedVector<std::uint64_t, 8> moved(std::move(v));
        QCOMPARE(moved.size(), std::size_t(count));
        if (count > 0)
            QCOMPARE(moved.back(), std::uint64_t((count - 1) * 7 + 3));
        QCOMPARE(v.size(), std::size_t(0));
        moved.clear();
        QCOMPARE(moved.bytes(), std::size_t(0));
        fill(moved, 300);
        QCOMPARE(moved[299], std::uint64_t(299 * 7 + 3));
    }

    void largeChunks_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("within the small first chunk") << 40;
        QTest::newRow("first chunk grown to large memory") << 300;
        QTest::newRow("second chunk begun") << 513;
        QTest::newRow("second chunk past a huge page") << 1100;
    }
    void largeChunks()
    {
        QFETCH(int, count);
        ChunkedVector<Page, 9> v;
        for (int i = 0; i < count; ++i)
            v.push_back(Page{std::uint64_t(i), {}});
        for (int i = 0; i < count; ++i)
            QCOMPARE(v[std::size_t(i)].number, std::uint64_t(i));
        // Full chunks sit on huge-page boundaries.
        if (count >= 512)
            QCOMPARE(reinterpret_cast<std::uintptr_t>(&v[512]) % LargePageBytes, std::uintptr_t(0));
        // What was written, in whole pages of the memory it lies in: never
        // less, and less than a huge page more.
        const std::size_t written = std::size_t(count) * sizeof(Page);
        QVERIFY(v.bytes() >= written);
        QVERIFY(v.bytes() < written + LargePageBytes + 4096);
    }
};

QTEST_APPLESS_MAIN(TestChunkedVector)
#include "tst_chunked_vector.moc"
