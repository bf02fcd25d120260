#include "charts/dbm.h"
#include "widgets/MShape.h"

#include <QtTest>

namespace {
// The viewer's ppO2 meter: 15 green, 4 yellow, 2 red over 96, 4 and 4.
MeterZones viewerZones() { return {15, 4, 2, 96, 4, 4}; }

const QRgb Grey = qRgb(0x80, 0x80, 0x80);
const QRgb Silver = qRgb(0xC0, 0xC0, 0xC0);
const QRgb Lime = qRgb(0x00, 0xFF, 0x00);
const QRgb Yellow = qRgb(0xFF, 0xFF, 0x00);

Tdbmeter *viewerMeter(int width, int height)
{
    auto *meter = new Tdbmeter;
    meter->setGreens(15);
    meter->setYellows(4);
    meter->setReds(2);
    meter->setGreenMax(96);
    meter->setYellowMax(4);
    meter->setRedMax(4);
    meter->setBevelStyle(TPanelBevel::bvNone);
    meter->resize(width, height);
    return meter;
}

// The colours along the middle row of a horizontal meter image.
QList<QRgb> middleRow(const QImage &image)
{
    QList<QRgb> row;
    for (int x = 0; x < image.width(); ++x)
        row << image.pixel(x, image.height() / 2);
    return row;
}
} // namespace

class TestMeter : public QObject
{
    Q_OBJECT
private slots:
    void litSegments_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("lit");
        QTest::newRow("0 lights none") << 0 << 0;
        QTest::newRow("1 lights one") << 1 << 1;
        QTest::newRow("48 half the greens") << 48 << 8;
        QTest::newRow("96 all greens") << 96 << 15;
        QTest::newRow("97 first yellow") << 97 << 16;
        QTest::newRow("98 two yellows") << 98 << 17;
        QTest::newRow("101 first red") << 101 << 20;
        QTest::newRow("104 all") << 104 << 21;
        QTest::newRow("beyond the scale") << 500 << 21;
        QTest::newRow("below the scale") << -5 << 0;
    }
    void litSegments()
    {
        QFETCH(int, position);
        QFETCH(int, lit);
        QCOMPARE(LitSegments(viewerZones(), position), lit);
    }

    void zonesWithoutSegments()
    {
        // No yellow or red segments: anything past green lights all.
        QCOMPARE(LitSegments({3, 0, 0, 50, 25, 25}, 51), 3);
        QCOMPARE(LitSegments({3, 0, 1, 50, 25, 25}, 60), 4);
        // No green segments: the green zone covers nothing.
        QCOMPARE(LitSegments({0, 2, 1, 50, 25, 25}, 10), 1);
        QCOMPARE(LitSegments({0, 2, 1, 50, 25, 25}, 20), 2);
        QCOMPARE(LitSegments({}, 25), 2);
    }

    void segmentGeometry()
    {
        std::unique_ptr<Tdbmeter> meter(viewerMeter(89, 17));
        meter->setPosition(104);
        const QList<QRgb> row = middleRow(meter->render());
        for (int segment = 0; segment < 21; ++segment) {
            const int start = segment * 4;
            QVERIFY(row[start] != Silver);
            QCOMPARE(row[start + 1], row[start]);
            QCOMPARE(row[start + 2], row[start]);
            QCOMPARE(row[start + 3], Silver);
        }
        for (int x = 84; x < 89; ++x)
            QCOMPARE(row[x], Silver);
        QCOMPARE(row[0], Lime);
    }

    void unlitAndShowJustOne()
    {
        std::unique_ptr<Tdbmeter> meter(viewerMeter(89, 17));
        QList<QRgb> row = middleRow(meter->render());
        for (int segment = 0; segment < 21; ++segment)
            QCOMPARE(row[segment * 4], Grey);

        meter->setPosition(98);
        meter->setShowJustOne(true);
        row = middleRow(meter->render());
        for (int segment = 0; segment < 21; ++segment)
            QCOMPARE(row[segment * 4], segment == 16 ? Yellow : Grey);
    }

    void mirroredAndVertical()
    {
        std::unique_ptr<Tdbmeter> meter(viewerMeter(89, 17));
        meter->setPosition(1);
        meter->setDirection(tdbmeterdirection::ddLeftUp);
        const QList<QRgb> row = middleRow(meter->render());
        QCOMPARE(row[88], Lime);
        QCOMPARE(row[86], Lime);
        QCOMPARE(row[85], Silver);
        QCOMPARE(row[84], Grey);
        QCOMPARE(row[0], Silver);

        meter->setDirection(tdbmeterdirection::ddRightDown);
        meter->setStyle(Tdbmeterstyle::dsVertical);
        meter->resize(17, 89);
        const QImage image = meter->render();
        QCOMPARE(image.pixel(8, 0), Lime);
        QCOMPARE(image.pixel(8, 3), Silver);
        QCOMPARE(image.pixel(8, 4), Grey);
    }

    void gapsWiderThanSegmentsDrawNothing()
    {
        std::unique_ptr<Tdbmeter> meter(viewerMeter(40, 17));
        meter->setPosition(104);
        meter->setSepWidth(1);
        const QImage image = meter->render();
        for (int x = 0; x < 40; ++x)
            QCOMPARE(image.pixel(x, 8), Silver);
    }

    void bevel()
    {
        std::unique_ptr<Tdbmeter> meter(viewerMeter(89, 17));
        meter->setBevelStyle(TPanelBevel::bvLowered);
        meter->setBevelWidth(9);
        meter->setPosition(104);
        QImage image = meter->render();
        QCOMPARE(image.pixel(0, 8), Grey);
        QCOMPARE(image.pixel(40, 0), Grey);
        QCOMPARE(image.pixel(88, 8), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(40, 16), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(1, 8), Lime); // wider than a third: one pixel
        meter->setBevelStyle(TPanelBevel::bvRaised);
        image = meter->render();
        QCOMPARE(image.pixel(0, 8), qRgb(255, 255, 255));
        QCOMPARE(image.pixel(88, 8), Grey);
    }

    void shapeGrid()
    {
        TMultiShape shape;
        shape.setShapeType(TMultiShapeType::msTriangle);
        shape.resize(336, 179);
        QCOMPARE(shape.columns(), 17);
        QCOMPARE(shape.rows(), 9);
        QCOMPARE(shape.shapeOrigin(8, 16), QPoint(320, 160));
        shape.setRepeatMode(TRepeatMode::rpVert);
        QCOMPARE(shape.columns(), 1);
        QCOMPARE(shape.rows(), 9);
        shape.setYSpacing(0);
        QCOMPARE(shape.rows(), 1);
        shape.setXMargin(3);
        shape.setYMargin(4);
        QCOMPARE(shape.shapeOrigin(0, 0), QPoint(3, 4));
    }

    void angles_data()
    {
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("triangle");
        QTest::addColumn<int>("rectangle");
        QTest::newRow("0") << 0 << 0 << 0;
        QTest::newRow("-180 becomes 180") << -180 << 180 << 180;
        QTest::newRow("270 is -90") << 270 << -90 << -90;
        QTest::newRow("30 rounds to 45 for triangles") << 30 << 45 << 30;
        QTest::newRow("22 rounds to 0") << 22 << 0 << 22;
        QTest::newRow("-170 rounds to 180") << -170 << 180 << -170;
    }
    void angles()
    {
        QFETCH(int, angle);
        QFETCH(int, triangle);
        QFETCH(int, rectangle);
        QCOMPARE(NormalizedShapeAngle(angle, TMultiShapeType::msTriangle), triangle);
        QCOMPARE(NormalizedShapeAngle(angle, TMultiShapeType::msRectangle), rectangle);
    }

    void triangleCorners_data()
    {
        QTest::addColumn<int>("angle");
        QTest::addColumn<QPolygon>("corners");
        QTest::newRow("0 points right") << 0 << QPolygon({{0, 0}, {10, 5}, {0, 10}});
        QTest::newRow("90 points up") << 90 << QPolygon({{5, 0}, {10, 10}, {0, 10}});
        QTest::newRow("180 points left") << 180 << QPolygon({{0, 5}, {10, 0}, {10, 10}});
        QTest::newRow("-90 points down") << -90 << QPolygon({{0, 0}, {10, 0}, {5, 10}});
        QTest::newRow("45") << 45 << QPolygon({{0, 0}, {10, 0}, {10, 10}});
        QTest::newRow("135") << 135 << QPolygon({{0, 0}, {10, 0}, {0, 10}});
        QTest::newRow("-135") << -135 << QPolygon({{0, 0}, {0, 10}, {10, 10}});
        QTest::newRow("-45") << -45 << QPolygon({{10, 0}, {10, 10}, {0, 10}});
    }
    void triangleCorners()
    {
        QFETCH(int, angle);
        QFETCH(QPolygon, corners);
        QCOMPARE(TrianglePoints({0, 0}, 11, 11, angle), corners);
    }

    void patternPaintsNavyTriangles()
    {
        TMultiShape shape;
        shape.setShapeType(TMultiShapeType::msTriangle);
        shape.resize(336, 179);
        QImage image(shape.size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        shape.render(&image);
        QCOMPARE(image.pixel(2, 5), qRgb(0, 0, 0x80));
        QVERIFY(image.pixel(15, 5) != qRgb(0, 0, 0x80));
        QCOMPARE(image.pixel(322, 165), qRgb(0, 0, 0x80));
    }
};

QTEST_MAIN(TestMeter)
#include "tst_meter.moc"
