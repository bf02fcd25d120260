// Tick labels drawn from kept layouts set the same pixels as text drawn
// afresh, in whatever font the painter holds at the time, and measure as
// the font metrics do.

#include "charts/LabelTexts.h"

#include <QPainter>
#include <QtTest>

namespace {

QImage blank()
{
    QImage image(160, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

QFont sized(int pixels, bool bold = false)
{
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

} // namespace

class TestLabelTexts : public QObject
{
    Q_OBJECT
private slots:
    void drawnAsDrawTextDraws_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPointF>("origin");
        QTest::addColumn<double>("scale");
        QTest::newRow("number on a whole pixel") << "120.0" << QPointF(20, 30) << 1.0;
        QTest::newRow("number off the pixel grid") << "7.5" << QPointF(20.37, 30) << 1.0;
        QTest::newRow("time") << "1:23:45" << QPointF(3, 40) << 1.0;
        QTest::newRow("letters below the baseline") << "gjpqy" << QPointF(10, 25) << 1.0;
        QTest::newRow("empty") << "" << QPointF(10, 25) << 1.0;
        QTest::newRow("scaled painter, as on a page") << "120.0" << QPointF(10, 20) << 1.7;
    }
    void drawnAsDrawTextDraws()
    {
        QFETCH(QString, text);
        QFETCH(QPointF, origin);
        QFETCH(double, scale);
        LabelTexts labels;
        QImage kept = blank(), afresh = blank();
        for (QImage *image : {&kept, &afresh}) {
            QPainter p(image);
            p.scale(scale, scale);
            p.setFont(sized(13));
            p.setPen(Qt::black);
            if (image == &kept) {
                labels.draw(p, origin, text);
                labels.draw(p, origin, text); // the second time from the kept layout
            } else {
                p.drawText(origin, text);
                p.drawText(origin, text);
            }
        }
        QCOMPARE(kept, afresh);
    }

    void followsTheFont_data()
    {
        QTest::addColumn<QFont>("first");
        QTest::addColumn<QFont>("second");
        QTest::newRow("larger") << sized(11) << sized(17);
        QTest::newRow("bold") << sized(13) << sized(13, true);
        QTest::newRow("same") << sized(13) << sized(13);
    }
    void followsTheFont()
    {
        // A label kept in one font is not drawn or measured in another.
        QFETCH(QFont, first);
        QFETCH(QFont, second);
        LabelTexts labels;
        QImage kept = blank(), afresh = blank();
        {
            QPainter p(&kept);
            p.setFont(first);
            labels.draw(p, QPointF(5, 20), "100.0");
            p.setFont(second);
            labels.draw(p, QPointF(5, 45), "100.0");
            const LabelTexts::Label label = labels.measure(p, "100.0");
            QCOMPARE(label.width, QFontMetricsF(second, &kept).horizontalAdvance("100.0"));
            QCOMPARE(label.pixelWidth, QFontMetrics(second, &kept).horizontalAdvance("100.0"));
        }
        {
            QPainter p(&afresh);
            p.setFont(first);
            p.drawText(QPointF(5, 20), "100.0");
            p.setFont(second);
            p.drawText(QPointF(5, 45), "100.0");
        }
        QCOMPARE(kept, afresh);
    }

    void manyLabelsAreKeptWithinBounds()
    {
        // Far more labels than a chart shows: older layouts are let go, and
        // what is drawn stays right.
        LabelTexts labels;
        QImage kept = blank(), afresh = blank();
        QPainter k(&kept), a(&afresh);
        k.setFont(sized(12));
        a.setFont(sized(12));
        for (int i = 0; i < 1000; ++i) {
            const QString text = QString::number(i * 0.5, 'f', 1);
            const QPointF origin(i % 100, 15 + i % 40);
            labels.draw(k, origin, text);
            a.drawText(origin, text);
            QCOMPARE(labels.measure(k, text).pixelWidth, a.fontMetrics().horizontalAdvance(text));
        }
        k.end();
        a.end();
        QCOMPARE(kept, afresh);
    }
};

QTEST_MAIN(TestLabelTexts)
#include "tst_label_texts.moc"
