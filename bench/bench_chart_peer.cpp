// The chart beside a peer: one line of 1,000,000 points (and the same line
// at 10,000) drawn by TRChart and by QCustomPlot in the same process,
// offscreen, both 1200 x 700 pixels, with the same one-pixel pen. Two views:
// a 4000 s window of the long profile and the whole line in view. Each figure
// is the median of 25 repaints after a pan step of 5 pixels, wall time beside
// the processor time of this thread. Targets: TRChart <= 0.7x QCustomPlot in
// both views; whole line in view, 1,000,000 / 10,000 points <= 1.5. TRChart
// replays the columns of a long line after a pan by whole pixels; the whole
// line after a zoom step of 5 pixels, which leaves nothing to replay, is
// printed beside it.

#include "bench/ProfileList.h"
#include "bench/Timing.h"

#include <QApplication>

#include <qcustomplot.h>

#include <cstdio>
#include <ctime>
#include <memory>

namespace {
constexpr int Width = 1200;
constexpr int Height = 700;
constexpr int Runs = 25;
const QColor LineColor(Qt::yellow);

double threadCpuMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

struct Medians
{
    double wall, cpu;
};

// Times of repeated calls of one piece of work, in ms.
struct Times
{
    std::vector<double> wall, cpu;
    template <typename Work>
    void add(Work &&work)
    {
        QElapsedTimer timer;
        const double start = threadCpuMilliseconds();
        timer.start();
        work();
        wall.push_back(timer.nsecsElapsed() / 1e6);
        cpu.push_back(threadCpuMilliseconds() - start);
    }
    Medians medians() const { return {median(wall), median(cpu)}; }
};

// The line: a dive profile sampled once a second, depth in feet.
double depthAt(int second) { return ProfileDepth(double(second), ProfileShape{}); }

std::unique_ptr<TRChart> tidewellChart(int points)
{
    auto chart = std::make_unique<TRChart>();
    chart->resize(Width, Height);
    SetProfileLook(*chart);
    chart->setDataColor(LineColor);
    chart->setLineWidth(1);
    chart->MovePenTo(0, depthAt(0));
    for (int i = 1; i < points; ++i)
        chart->DrawLineTo(i, depthAt(i));
    chart->show();
    QApplication::processEvents();
    return chart;
}

std::unique_ptr<QCustomPlot> peerChart(int points)
{
    auto plot = std::make_unique<QCustomPlot>();
    plot->resize(Width, Height);
    plot->setNotAntialiasedElements(QCP::aeAll);   // TRChart draws without antialiasing
    plot->axisRect()->setBackground(QColor(0x00, 0x80, 0x80));
    QVector<double> keys(points), values(points);
    for (int i = 0; i < points; ++i) {
        keys[i] = i;
        values[i] = depthAt(i);
    }
    QCPGraph *graph = plot->addGraph();
    graph->setAdaptiveSampling(true);
    graph->setPen(QPen(LineColor, 1));
    graph->setData(keys, values, true);
    plot->yAxis->setRange(-1, 130);
    plot->yAxis->setRangeReversed(true);
    plot->show();
    QApplication::processEvents();
    return plot;
}

// Medians of repaints after a step of 5 pixels to and fro, so that every
// repaint draws the line afresh: a pan moves both ends of the view, a zoom
// step its right end only. The two charts take turns in rounds of five
// repaints, so that other programs on a busy machine slow both alike, while
// most repaints follow one of their own chart, as when a user pans one
// chart: a turn at every repaint left the peer's million points in the
// caches' way of the chart drawn after it, and little of its ten thousand.
struct Pair
{
    Medians tidewell, peer;
};
enum class Step { Pan, Zoom };
Pair repaintsAfter(Step step, TRChart &chart, QCustomPlot &plot, double loX, double hiX)
{
    Times tidewell, peer;
    const double left = step == Step::Pan ? 1 : 0;
    constexpr int Round = 5;
    const auto pixels = [](int run) { return 5.0 * (run % 2 ? -1 : 1); };
    for (int first = 0; first < Runs; first += Round) {
        for (int run = first; run < first + Round; ++run)
            tidewell.add([&] {
                const double shift = (hiX - loX) * pixels(run) / chart.plotWidth();
                chart.SetScaleRange(loX + left * shift, 130, hiX + shift, -1);
                chart.repaint();
            });
        for (int run = first; run < first + Round; ++run)
            peer.add([&] {
                const double shift = (hiX - loX) * pixels(run) / plot.axisRect()->width();
                plot.xAxis->setRange(loX + left * shift, hiX + shift);
                plot.replot(QCustomPlot::rpImmediateRefresh);
            });
    }
    return {tidewell.medians(), peer.medians()};
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("platform %s, both charts %d x %d pixels, one line in a one-pixel pen; medians of %d repaints "
                "after a pan step, wall / processor ms\n",
                qPrintable(QApplication::platformName()), Width, Height, Runs);

    struct Line
    {
        int points;
        std::unique_ptr<TRChart> tidewell;
        std::unique_ptr<QCustomPlot> peer;
        Medians window{}, whole{}, peerWindow{}, peerWhole{}, zoomed{}, peerZoomed{};
    };
    Line lines[] = {{1000000, tidewellChart(1000000), peerChart(1000000)},
                    {10000, tidewellChart(10000), peerChart(10000)}};
    // The widgets are the same size; the plot areas inside differ by the
    // room each leaves for its axes.
    const QRect peerArea = lines[0].peer->axisRect()->rect();
    std::printf("plot areas: TRChart %d x %d, QCustomPlot %d x %d pixels\n", lines[0].tidewell->plotRect().width(),
                lines[0].tidewell->plotRect().height(), peerArea.width(), peerArea.height());
    for (Line &l : lines) {
        const Pair window = repaintsAfter(Step::Pan, *l.tidewell, *l.peer, 2000, 6000);
        const Pair whole = repaintsAfter(Step::Pan, *l.tidewell, *l.peer, 0, l.points - 1);
        const Pair zoomed = repaintsAfter(Step::Zoom, *l.tidewell, *l.peer, 0, l.points - 1);
        l.window = window.tidewell;
        l.peerWindow = window.peer;
        l.whole = whole.tidewell;
        l.peerWhole = whole.peer;
        l.zoomed = zoomed.tidewell;
        l.peerZoomed = zoomed.peer;
        std::printf("%d points:\n"
                    "  4000 s window:   TRChart %.2f / %.2f, QCustomPlot %.2f / %.2f: ratio %.2f wall, %.2f processor "
                    "(target <= 0.7)\n"
                    "  whole line:      TRChart %.2f / %.2f, QCustomPlot %.2f / %.2f: ratio %.2f wall, %.2f processor "
                    "(target <= 0.7)\n"
                    "  whole line, zoom step: TRChart %.2f / %.2f, QCustomPlot %.2f / %.2f: ratio %.2f wall\n",
                    l.points, l.window.wall, l.window.cpu, l.peerWindow.wall, l.peerWindow.cpu,
                    l.window.wall / l.peerWindow.wall, l.window.cpu / l.peerWindow.cpu, l.whole.wall, l.whole.cpu,
                    l.peerWhole.wall, l.peerWhole.cpu, l.whole.wall / l.peerWhole.wall, l.whole.cpu / l.peerWhole.cpu,
                    l.zoomed.wall, l.zoomed.cpu, l.peerZoomed.wall, l.peerZoomed.cpu,
                    l.zoomed.wall / l.peerZoomed.wall);
    }
    const Line &big = lines[0], &small = lines[1];
    std::printf("whole line in view, 1,000,000 / 10,000 points: TRChart %.2f wall, %.2f processor (target <= 1.5); "
                "QCustomPlot %.2f wall, %.2f processor\n",
                big.whole.wall / small.whole.wall, big.whole.cpu / small.whole.cpu,
                big.peerWhole.wall / small.peerWhole.wall, big.peerWhole.cpu / small.peerWhole.cpu);
    std::printf("whole line after a zoom step, 1,000,000 / 10,000 points: TRChart %.2f wall; QCustomPlot %.2f wall\n",
                big.zoomed.wall / small.zoomed.wall, big.peerZoomed.wall / small.peerZoomed.wall);
    return 0;
}
