// The chart's mouse actions: pan, zoom windows, zoom drag, cursors and the
// mouse-move notification, driven with real mouse events.

#include "charts/RChart.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
struct Ranges
{
    double loX, hiX, loY, hiY;
};

Ranges rangesOf(const TRChart &c) { return {c.RangeLoX(), c.RangeHiX(), c.RangeLoY(), c.RangeHiY()}; }

void compareRanges(const TRChart &chart, const Ranges &expected)
{
    const Ranges r = rangesOf(chart);
    QVERIFY2(qAbs(r.loX - expected.loX) < 1e-9 * qMax(1.0, qAbs(expected.loX)), qPrintable(QString::number(r.loX)));
    QVERIFY2(qAbs(r.hiX - expected.hiX) < 1e-9 * qMax(1.0, qAbs(expected.hiX)), qPrintable(QString::number(r.hiX)));
    QVERIFY2(qAbs(r.loY - expected.loY) < 1e-9 * qMax(1.0, qAbs(expected.loY)), qPrintable(QString::number(r.loY)));
    QVERIFY2(qAbs(r.hiY - expected.hiY) < 1e-9 * qMax(1.0, qAbs(expected.hiY)), qPrintable(QString::number(r.hiY)));
}

// A move with the left button held (or not).
void moveTo(QWidget *w, QPoint pos, bool leftHeld)
{
    QMouseEvent move(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton,
                     leftHeld ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

std::unique_ptr<TRChart> shownChart(MouseActMode action)
{
    auto chart = std::make_unique<TRChart>();
    chart->resize(600, 400);
    chart->setMouseAction(action);
    chart->show();
    if (!QTest::qWaitForWindowExposed(chart.get()))
        qWarning("chart not exposed");
    return chart;
}
} // namespace

class TestChartMouse : public QObject
{
    Q_OBJECT
private slots:
    void pan_data()
    {
        QTest::addColumn<bool>("logX");
        QTest::addColumn<QPoint>("shift");
        QTest::addColumn<double>("loX");
        QTest::addColumn<double>("hiX");
        QTest::addColumn<double>("loY");
        QTest::addColumn<double>("hiY");
        // The plot is 500 x 250 pixels. x from 0 to 4000 (or 1 to 1000 on a
        // log scale), y from 130 at the bottom to -1 at the top; the view
        // follows the pointer: a tenth of the plot moves it by a tenth.
        QTest::newRow("linear, right and down: 1/10 each")
            << false << QPoint(50, 25) << -400.0 << 3600.0 << 116.9 << -14.1;
        QTest::newRow("linear, left and up: 1/5 each")
            << false << QPoint(-100, -50) << 800.0 << 4800.0 << 156.2 << 25.2;
        // 1/5 of three decades is 0.6 decade: 10^-0.6 = 0.2511886431509580.
        QTest::newRow("logarithmic x, right: 1/5") << true << QPoint(100, 0) << 0.2511886431509580
                                                   << 251.1886431509580 << 130.0 << -1.0;
    }
    void pan()
    {
        QFETCH(bool, logX);
        QFETCH(QPoint, shift);
        auto chart = shownChart(maPan);
        chart->setLRim(60);
        chart->setRRim(40);
        chart->setTRim(50);
        chart->setBRim(100);
        chart->setShadowWidth(0);
        QCOMPARE(chart->plotWidth(), 500);
        QCOMPARE(chart->plotHeight(), 250);
        chart->SetScaleRange(logX ? 1.0 : 0.0, 130, logX ? 1000.0 : 4000.0, -1);
        chart->setLogScaleX(logX);
        const QPoint p0 = chart->plotRect().center();
        QTest::mousePress(chart.get(), Qt::LeftButton, {}, p0);
        moveTo(chart.get(), p0, true);                 // records the start
        moveTo(chart.get(), p0 + shift / 2, true);
        moveTo(chart.get(), p0 + shift, true);
        QTest::mouseRelease(chart.get(), Qt::LeftButton, {}, p0 + shift);
        QFETCH(double, loX);
        QFETCH(double, hiX);
        QFETCH(double, loY);
        QFETCH(double, hiY);
        const Ranges expected{loX, hiX, loY, hiY};
        compareRanges(*chart, expected);
        // Moving after the release pans no more.
        moveTo(chart.get(), p0, false);
        compareRanges(*chart, expected);
    }

    void zoomDrag()
    {
        auto chart = shownChart(maZoomDrag);
        chart->SetScaleRange(0, 130, 4000, -1);
        const QPoint p0 = chart->plotRect().center();
        QTest::mousePress(chart.get(), Qt::LeftButton, {}, p0);
        moveTo(chart.get(), p0, true);
        moveTo(chart.get(), p0 + QPoint(150, 40), true);
        QTest::mouseRelease(chart.get(), Qt::LeftButton, {}, p0 + QPoint(150, 40));
        // Right zooms x in, down zooms y out, around the start window's centre.
        const double halfX = 4000 * (1 - 150.0 / 600) * 0.5;
        const double halfY = (-1 - 130) * (40.0 / 400 + 1) * 0.5;
        compareRanges(*chart, {2000 - halfX, 2000 + halfX, 64.5 - halfY, 64.5 + halfY});
    }

    void zoomDragToNothingIsRefused()
    {
        auto chart = shownChart(maZoomDrag);
        const QPoint p0(chart->plotRect().left() + 2, chart->plotRect().center().y());
        QTest::mousePress(chart.get(), Qt::LeftButton, {}, p0);
        moveTo(chart.get(), p0, true);
        moveTo(chart.get(), p0 + QPoint(600, 0), true);  // the whole control's width: no x span
        QCOMPARE(chart->RangeLoX(), 0.0);
        QCOMPARE(chart->RangeHiX(), 10.0);
    }

    void zoomWindows_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("fromRight");
        QTest::addColumn<bool>("reversesX");
        QTest::addColumn<bool>("reversesY");
        QTest::newRow("window, upper right to lower left") << int(maZoomWind) << true << true << true;
        QTest::newRow("window, upper left to lower right") << int(maZoomWind) << false << false << true;
        QTest::newRow("position, upper right to lower left") << int(maZoomWindPos) << true << false << false;
        QTest::newRow("position, upper left to lower right") << int(maZoomWindPos) << false << false << false;
    }
    void zoomWindows()
    {
        QFETCH(int, action);
        QFETCH(bool, fromRight);
        QFETCH(bool, reversesX);
        QFETCH(bool, reversesY);
        auto chart = shownChart(MouseActMode(action));
        chart->SetScaleRange(0, 0, 100, 100);
        const QRect plot = chart->plotRect();
        const QPoint start(fromRight ? plot.right() - 40 : plot.left() + 40, plot.top() + 30);
        const QPoint end(fromRight ? plot.left() + 100 : plot.right() - 100, plot.bottom() - 50);
        const PlotGeometry g = chart->geometryNow();
        QTest::mouseClick(chart.get(), Qt::LeftButton, {}, start);
        moveTo(chart.get(), end, false);
        QTest::mouseClick(chart.get(), Qt::LeftButton, {}, end);
        QCOMPARE(chart->RangeLoX() > chart->RangeHiX(), reversesX);
        QCOMPARE(chart->RangeLoY() > chart->RangeHiY(), reversesY);
        const double xs[] = {g.x.toWorld(start.x()), g.x.toWorld(end.x())};
        const double ys[] = {g.y.toWorld(start.y()), g.y.toWorld(end.y())};
        QCOMPARE(qMin(chart->RangeLoX(), chart->RangeHiX()), qMin(xs[0], xs[1]));
        QCOMPARE(qMax(chart->RangeLoY(), chart->RangeHiY()), qMax(ys[0], ys[1]));
    }

    void bandBeyondThePlotIsHeldInside()
    {
        auto chart = shownChart(maZoomWindPos);
        chart->SetScaleRange(0, 0, 100, 100);
        const QRect plot = chart->plotRect();
        QTest::mouseClick(chart.get(), Qt::LeftButton, {}, plot.center());
        QTest::mouseClick(chart.get(), Qt::LeftButton, {}, QPoint(599, 399));
        QCOMPARE(chart->RangeHiX(), 100.0);
        QCOMPARE(chart->RangeLoY(), 0.0);
    }

    void bandIsAnInvertedOutline()
    {
        auto chart = shownChart(maZoomWind);
        const QPoint start = chart->plotRect().center();
        const QPoint end = start + QPoint(60, 40);
        QTest::mouseClick(chart.get(), Qt::LeftButton, {}, start);
        moveTo(chart.get(), end, false);
        const QImage shown = chart->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage under = chart->controlImage();
        for (const QPoint p : {start, end, QPoint(start.x() + 30, start.y()), QPoint(end.x(), start.y() + 20)})
            QCOMPARE(shown.pixel(p) & 0xFFFFFF, ~under.pixel(p) & 0xFFFFFF);
        const QPoint inside = start + QPoint(30, 20);
        QCOMPARE(shown.pixel(inside), under.pixel(inside));
    }

    void zeroSizeBandChangesNothing()
    {
        auto chart = shownChart(maZoomWind);
        const QPoint p = chart->plotRect().center();
        QTest::mouseClick(chart.get(), Qt::LeftButton, {}, p);
        QTest::mouseClick(chart.get(), Qt::LeftButton, {}, p + QPoint(0, 50));
        compareRanges(*chart, {0, 10, 0, 10});
    }

    void rightClickCancelsTheBand()
    {
        auto chart = shownChart(maZoomWind);
        const QPoint p = chart->plotRect().center();
        QTest::mouseClick(chart.get(), Qt::LeftButton, {}, p);
        moveTo(chart.get(), p + QPoint(80, 60), false);
        QTest::mouseClick(chart.get(), Qt::RightButton, {}, p + QPoint(80, 60));
        compareRanges(*chart, {0, 10, 0, 10});
        // The next left click opens a new band instead of closing one.
        QTest::mouseClick(chart.get(), Qt::LeftButton, {}, p + QPoint(80, 60));
        compareRanges(*chart, {0, 10, 0, 10});
        QTest::mouseClick(chart.get(), Qt::LeftButton, {}, p + QPoint(120, 90));
        QVERIFY(chart->RangeHiX() != 10.0);
    }

    void actionSetOnEveryPressKeepsTheBand()
    {
        // As the profile viewer does: Alt with the left button asks for a zoom window.
        auto chart = shownChart(maPan);
        connect(chart.get(), &TRChart::OnMouseDown, chart.get(), [&chart](QMouseEvent *event) {
            if (event->modifiers() & Qt::AltModifier)
                chart->setMouseAction(maZoomWind);
        });
        const QPoint p = chart->plotRect().center();
        QTest::mouseClick(chart.get(), Qt::LeftButton, Qt::AltModifier, p);
        QTest::mouseClick(chart.get(), Qt::LeftButton, Qt::AltModifier, p + QPoint(100, 80));
        QVERIFY(chart->RangeHiX() < 10.0);
        QVERIFY(chart->RangeLoY() > 0.0);
    }

    void clicks()
    {
        auto chart = shownChart(maNone);
        QSignalSpy clicked(chart.get(), &TRChart::OnClick);
        QTest::mouseClick(chart.get(), Qt::LeftButton, {}, chart->plotRect().center());
        QTest::mouseClick(chart.get(), Qt::RightButton, {}, chart->plotRect().center());
        QCOMPARE(clicked.count(), 1);
    }

    void cursors_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("shape");
        QTest::newRow("none") << int(maNone) << int(Qt::CrossCursor);
        QTest::newRow("pan") << int(maPan) << int(Qt::BitmapCursor);
        QTest::newRow("zoom window") << int(maZoomWind) << int(Qt::BitmapCursor);
        QTest::newRow("zoom drag") << int(maZoomDrag) << int(Qt::BitmapCursor);
    }
    void cursors()
    {
        QFETCH(int, action);
        QFETCH(int, shape);
        auto chart = shownChart(MouseActMode(action));
        moveTo(chart.get(), chart->plotRect().center(), false);
        QCOMPARE(int(chart->cursor().shape()), shape);
        moveTo(chart.get(), QPoint(3, 3), false);
        QCOMPARE(chart->cursor().shape(), Qt::ArrowCursor);
        // A client may reset the cursor (as a window does when it loses focus).
        moveTo(chart.get(), chart->plotRect().center(), false);
        chart->unsetCursor();
        moveTo(chart.get(), chart->plotRect().center() + QPoint(1, 1), false);
        QCOMPARE(int(chart->cursor().shape()), shape);
        chart->setMouseCursorFixed(true);
        chart->setCursor(Qt::WaitCursor);
        moveTo(chart.get(), chart->plotRect().center(), false);
        QCOMPARE(chart->cursor().shape(), Qt::WaitCursor);
    }

    void mouseMoveInChart()
    {
        auto chart = shownChart(maNone);
        chart->SetScaleRange(0, 130, 4000, -1);
        QSignalSpy spy(chart.get(), &TRChart::OnMouseMoveInChart);
        const QRect plot = chart->plotRect();
        const PlotGeometry g = chart->geometryNow();
        moveTo(chart.get(), plot.topLeft(), false);        // the border counts as inside
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.last().at(1).toBool(), true);
        QCOMPARE(spy.last().at(3).toDouble(), 0.0);
        QCOMPARE(spy.last().at(4).toDouble(), -1.0);
        const QPoint inside = plot.center();
        moveTo(chart.get(), inside, true);
        QCOMPARE(spy.last().at(2).value<TShiftState>().buttons, Qt::MouseButtons(Qt::LeftButton));
        QCOMPARE(chart->MousePosX(), g.x.toWorld(inside.x()));
        QCOMPARE(chart->MousePosY(), g.y.toWorld(inside.y()));
        moveTo(chart.get(), QPoint(5, 5), false);
        QCOMPARE(spy.last().at(1).toBool(), false);
        // The last position over the plot is kept.
        QCOMPARE(chart->MousePosX(), g.x.toWorld(inside.x()));
        // A full repaint tells the last position again.
        const int before = spy.count();
        chart->SetScaleRange(0, 100, 1000, 0);
        chart->repaint();
        QCOMPARE(spy.count(), before + 1);
    }
};

QTEST_MAIN(TestChartMouse)
#include "tst_chart_mouse.moc"
