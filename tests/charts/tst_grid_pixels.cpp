// The grid set directly in the plot image against the same lines drawn by a
// painter with a one-pixel pen, solid or dotted: the same pixels, whatever
// the lengths, the parities of the line ends and the lines off the image.

#include "charts/GridPixels.h"

#include <QPainter>
#include <QtTest>

namespace {
constexpr QRgb Background = 0xFF008080;
constexpr QRgb GridColor = 0xFFF0F0F0;

QImage blank(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Background);
    return image;
}

// The grid as the painter draws it.
QImage painted(const GridLines &grid, int w, int h, int right, int bottom)
{
    QImage image = blank(w, h);
    QPainter p(&image);
    PaintGridLines(p, grid, right, bottom, QColor::fromRgb(GridColor));
    return image;
}
} // namespace

class TestGridPixels : public QObject
{
    Q_OBJECT
private slots:
    void sameAsPainted_data()
    {
        QTest::addColumn<int>("style"); // 0 solid lines, 1 dotted lines, 2 points
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<int>("w");
        QTest::addColumn<int>("h");
        QTest::addColumn<QList<int>>("xs");
        QTest::addColumn<QList<int>>("ys");
        const QList<int> inside{0, 1, 7, 30}, edges{-1, 0, 40, 41, 500};
        QTest::newRow("solid lines") << 0 << true << true << 41 << 31 << inside << inside;
        QTest::newRow("dotted, even length") << 1 << true << true << 41 << 31 << inside << inside;
        QTest::newRow("dotted, odd length") << 1 << true << true << 40 << 30 << inside << QList<int>{2, 29};
        QTest::newRow("dotted, vertical only") << 1 << true << false << 41 << 31 << inside << inside;
        QTest::newRow("dotted, horizontal only") << 1 << false << true << 41 << 31 << inside << inside;
        QTest::newRow("dotted at and beyond the edges") << 1 << true << true << 41 << 41 << edges << edges;
        QTest::newRow("solid at and beyond the edges") << 0 << true << true << 41 << 41 << edges << edges;
        QTest::newRow("points") << 2 << false << false << 41 << 41 << edges << inside;
        QTest::newRow("one pixel high") << 1 << true << true << 9 << 1 << QList<int>{0, 3} << QList<int>{0};
        QTest::newRow("no lines") << 1 << true << true << 9 << 9 << QList<int>{} << QList<int>{};
    }
    void sameAsPainted()
    {
        QFETCH(int, style);
        QFETCH(bool, vertical);
        QFETCH(bool, horizontal);
        QFETCH(int, w);
        QFETCH(int, h);
        QFETCH(QList<int>, xs);
        QFETCH(QList<int>, ys);
        GridLines grid;
        grid.xs.assign(xs.begin(), xs.end());
        grid.ys.assign(ys.begin(), ys.end());
        grid.vertical = vertical;
        grid.horizontal = horizontal;
        grid.dots = style == 1;
        grid.points = style == 2;
        // The plot image is one pixel wider and higher than the plot, whose
        // lines end on its last row and column.
        QImage direct = blank(w, h);
        SetGridPixels(direct, grid, w - 1, h - 1, GridColor);
        QCOMPARE(direct, painted(grid, w, h, w - 1, h - 1));
    }

    void viewOfALargerImage()
    {
        // The plot is usually a view of the control image's pixels: rows
        // are further apart than its width, and nothing beside it changes.
        QImage control = blank(60, 40);
        QImage view(control.bits() + 5 * control.bytesPerLine() + 10 * 4, 30, 20, control.bytesPerLine(),
                    QImage::Format_RGB32);
        GridLines grid;
        grid.xs = {0, 29};
        grid.ys = {0, 19};
        grid.vertical = grid.horizontal = grid.dots = true;
        SetGridPixels(view, grid, 29, 19, GridColor);
        QImage expected = blank(60, 40);
        QPainter(&expected).drawImage(10, 5, painted(grid, 30, 20, 29, 19));
        QCOMPARE(control, expected);
    }
};

QTEST_MAIN(TestGridPixels)
#include "tst_grid_pixels.moc"
