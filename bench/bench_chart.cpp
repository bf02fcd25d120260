// The chart at a million items, on a shown chart of 1200 x 700 pixels:
//  - loading: 1,000,000 line-to items with a RefreshChart every 200 items,
//    beside the same appends with one RefreshChart at the end (target <= 2x);
//  - a full repaint after a pan step with a profile-like list of 1,000,000
//    and of 10,000 items (target: 16 ms median, ratio <= 1.5), beside the
//    plain drawing of every item in the same run;
//  - the memory the list takes.

#include "bench/ProfileList.h"
#include "bench/Timing.h"

#include <QApplication>
#include <QFile>

#include <cstdio>
#include <ctime>
#include <memory>

namespace {
constexpr int Width = 1200;

double threadCpuMilliseconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Median wall time and median processor time of this thread, in ms: on a
// busy machine the second shows the work apart from waiting for a core.
struct Medians
{
    double wall, cpu;
};
template <typename Work>
Medians medians(int runs, Work &&work)
{
    std::vector<double> cpu;
    const double wall = medianMilliseconds(runs, [&] {
        const double start = threadCpuMilliseconds();
        work();
        cpu.push_back(threadCpuMilliseconds() - start);
    });
    return {wall, median(cpu)};
}

constexpr int Height = 700;

std::unique_ptr<TRChart> shownChart()
{
    auto chart = std::make_unique<TRChart>();
    chart->resize(Width, Height);
    SetProfileLook(*chart);
    chart->show();
    QApplication::processEvents();
    return chart;
}

// Milliseconds to append `items` line-to items, refreshing every `every`
// items (0: once at the end), until the last picture is on the screen.
double loadMilliseconds(std::size_t items, int every)
{
    auto chart = shownChart();
    chart->SetScaleRange(0, 130, double(items), -1);
    QElapsedTimer timer;
    timer.start();
    chart->MovePenTo(0, 0);
    for (std::size_t i = 1; i <= items; ++i) {
        chart->DrawLineTo(double(i), 40 + 30 * std::sin(i / 3000.0) + (i % 7));
        if (every > 0 && i % every == 0)
            chart->RefreshChart();
    }
    chart->RefreshChart();
    QApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

// The same for a profile-like list of `items` items, refreshed every
// `every` samples as the profile viewer does while it loads a file.
double profileLoadMilliseconds(std::size_t items, int every)
{
    auto chart = shownChart();
    chart->SetScaleRange(0, 130, double(items) / 2.2, -1);
    QElapsedTimer timer;
    timer.start();
    AppendProfile(*chart, items, {}, every, [&chart] { chart->RefreshChart(); });
    chart->RefreshChart();
    QApplication::processEvents();
    return timer.nsecsElapsed() / 1e6;
}

struct RepaintTimes
{
    Medians shown;     // repaint of the shown chart after a pan step
    Medians everyItem; // the same picture with every item drawn as listed
    DrawStats stats;  // of the shown repaint
};

// Median full repaint after a pan step of 5 pixels, on a profile-like list
// of `items` items seen through the given window.
RepaintTimes repaintAfterPan(TRChart &chart, double loX, double hiX, double loY, double hiY)
{
    constexpr int Runs = 21;
    int step = 0;
    const auto panStep = [&] {
        const double shift = (hiX - loX) * 5.0 / chart.plotWidth() * (step++ % 2 ? -1 : 1);
        chart.SetScaleRange(loX + shift, loY, hiX + shift, hiY);
    };
    RepaintTimes t;
    t.shown = medians(Runs, [&] {
        panStep();
        chart.repaint();
    });
    t.stats = chart.lastDrawStats();
    t.everyItem = medians(5, [&] {
        panStep();
        chart.render(false);
    });
    return t;
}

long peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}
} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("platform %s, chart %d x %d pixels\n", qPrintable(QApplication::platformName()), Width, Height);

    const std::size_t million = 1000000;
    const long peakBefore = peakKilobytes();
    auto big = shownChart();
    const std::size_t samples = AppendProfile(*big, million);
    const long peakAfter = peakKilobytes();
    std::printf("profile-like list: %zu items from %zu samples; list holds %.1f MB (%.1f bytes per item, "
                "item record %zu bytes); peak memory grew by %.1f MB\n",
                big->items().size(), samples, big->items().memoryBytes() / 1048576.0,
                double(big->items().memoryBytes()) / big->items().size(), sizeof(ChartItem),
                (peakAfter - peakBefore) / 1024.0);

    const double loadOnce = loadMilliseconds(million, 0);
    const double loadEvery200 = loadMilliseconds(million, 200);
    std::printf("load 1,000,000 line-to items: refresh every 200 items %.0f ms, one refresh at the end %.0f ms "
                "(ratio %.2f, target <= 2)\n",
                loadEvery200, loadOnce, loadEvery200 / loadOnce);
    const double profileOnce = profileLoadMilliseconds(million, 0);
    const double profileEvery200 = profileLoadMilliseconds(million, 200);
    std::printf("load a profile-like list of 1,000,000 items: refresh every 200 samples %.0f ms, one refresh at the end "
                "%.0f ms (ratio %.2f)\n",
                profileEvery200, profileOnce, profileEvery200 / profileOnce);

    auto small = shownChart();
    AppendProfile(*small, 10000);
    const double smallSpan = small->items()[small->items().size() - 1].x;
    const double bigSpan = big->items()[big->items().size() - 1].x;

    struct View
    {
        const char *name;
        double bigLoX, bigHiX, smallLoX, smallHiX;
    };
    const View views[] = {
        {"viewer window (4000 s)", 2000, 6000, 0, 4000},
        {"whole list in view", 0, bigSpan, 0, smallSpan},
    };
    for (const View &v : views) {
        const RepaintTimes b = repaintAfterPan(*big, v.bigLoX, v.bigHiX, 130, -1);
        const DrawStats &stats = b.stats;
        const RepaintTimes s = repaintAfterPan(*small, v.smallLoX, v.smallHiX, 130, -1);
        std::printf("  1,000,000 items: %zu blocks skipped, %zu drawn from their summary, %zu items walked one by one; "
                    "%zu polylines, %zu marks drawn\n",
                    stats.blocksSkipped, stats.blocksSummarised, stats.itemsWalked, stats.polylines, stats.marks);
        std::printf("repaint after a pan step, %s (target 16 ms, ratio <= 1.5), wall / processor ms:\n"
                    "  1,000,000 items %.2f / %.2f, every item drawn %.1f / %.1f (%.1fx gained)\n"
                    "  10,000 items %.2f / %.2f, every item drawn %.2f / %.2f\n"
                    "  ratio 1,000,000 / 10,000: %.2f wall, %.2f processor\n",
                    v.name, b.shown.wall, b.shown.cpu, b.everyItem.wall, b.everyItem.cpu, b.everyItem.cpu / b.shown.cpu,
                    s.shown.wall, s.shown.cpu, s.everyItem.wall, s.everyItem.cpu, b.shown.wall / s.shown.wall,
                    b.shown.cpu / s.shown.cpu);
    }
    return 0;
}
