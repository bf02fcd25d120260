// Reading DAN research files, each figure beside its baseline in one run:
//  - a generated 3,000,000-sample file (about 127 MB) read by `wc -l`, by a
//    plain getline + split + toDouble reader, by the DAN reader alone and by
//    the DAN reader drawing into a shown chart with a refresh every 200
//    samples (targets: at most 10x `wc -l`, at least 5x faster than the
//    plain reader), and by the profile viewer window, shown, loading it at
//    "&High" as a user's open does;
//  - the peak memory of the process beside the loaded chart's list (target:
//    at most 1.2x), and the part of it the process held before loading;
//  - the viewer loading a 2,000,000-sample file with "Computed ceiling" on,
//    beside the same load with it off (target: the ceiling's share at most
//    1x the load without it).

#include "bench/Timing.h"
#include "charts/RChart.h"
#include "core/SettingsFile.h"
#include "profiles/model/DanLineReader.h"
#include "profiles/model/DanReader.h"
#include "profiles/window/DANGraphic.h"
#include "profiles/window/DanChartReplay.h"
#include "tests/support/DanFiles.h"
#include "tests/support/FakeHost.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

class CountingPlotter final : public DanPlotter
{
public:
    void draw(const DanDrawOp &) override { ++count; }
    std::size_t count = 0;
};

// A memory figure of this process from /proc/self/status, in MB.
double statusMegabytes(const QByteArray &key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key + ':'))
            return line.mid(key.size() + 1).trimmed().split(' ').first().toDouble() / 1024.0 * 1.048576;
    return 0;
}
double peakMegabytes() { return statusMegabytes("VmHWM"); }
double residentMegabytes() { return statusMegabytes("VmRSS"); }

// Processor time (user and system) of this process or of its finished
// children, in milliseconds. Other programs on a busy machine stretch wall
// times, but not these.
double cpuMilliseconds(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

double wcMilliseconds(const QString &path)
{
    return medianMilliseconds(3, [&] {
        QProcess wc;
        wc.start(QStringLiteral("wc"), {QStringLiteral("-l"), path});
        wc.waitForFinished(-1);
    });
}

// What a first attempt would write: every line split into texts, every field
// converted.
double plainReader(const QString &path)
{
    double sum = 0;
    std::ifstream in(QFile::encodeName(path).constData());
    std::string line;
    while (std::getline(in, line)) {
        const QStringList fields = QString::fromLatin1(line).split(u' ', Qt::SkipEmptyParts);
        for (const QString &field : fields)
            sum += field.toDouble();
    }
    return sum;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.nem"));
    DanDiveShape dive;
    dive.samples = 3'000'000;
    dive.intervalSeconds = 2;
    if (!WriteDanFile(big, {dive}))
        return 1;
    std::printf("3,000,000-sample file: %.1f MB\n", QFileInfo(big).size() / 1e6);

    const double wcCpuBefore = cpuMilliseconds(RUSAGE_CHILDREN);
    const double wc = wcMilliseconds(big);
    const double wcCpu = (cpuMilliseconds(RUSAGE_CHILDREN) - wcCpuBefore) / 3;
    double sink = 0;
    // Some twenty times slower than the DAN reader: one run tells enough.
    const double plain = medianMilliseconds(1, [&] { sink += plainReader(big); });
    CountingPlotter counting;
    // What the process holds before any profile is loaded: the libraries,
    // the application, the file's name.
    const double startResident = residentMegabytes();
    const double alone = medianMilliseconds(3, [&] {
        counting.count = 0;
        LoadDanFile(big, {}, counting);
    });

    TRChart chart;
    chart.resize(1200, 700);
    chart.show();
    app.processEvents();
    std::size_t listBytes = 0;
    const double drawn = medianMilliseconds(3, [&] {
        chart.ClearDrawing();
        chart.SetScaleRange(0, 130, 4000, -1);
        DanChartPlotter plotter(chart);
        DanLoadOptions options;
        options.redraw = [&](qint64) { chart.RefreshChart(); };
        const DanLoadResult result = LoadDanFile(big, options, plotter);
        chart.SetScaleRange(0, result.maxDepth * 1.1, result.maxTime * 1.05, -1);
        chart.RefreshChart();
        app.processEvents();
        listBytes = chart.items().memoryBytes();
    });
    std::printf("wc -l %.0f ms; plain getline + split + toDouble reader %.0f ms\n", wc, plain);
    std::printf("DAN reader alone %.0f ms (%zu operations): %.1fx wc -l, %.1fx faster than the plain reader\n", alone,
                counting.count, alone / wc, plain / alone);
    std::printf("DAN reader into a shown chart, refresh every 200 samples %.0f ms: %.1fx wc -l (target <= 10x), "
                "%.1fx faster than the plain reader (target >= 5x)\n",
                drawn, drawn / wc, plain / drawn);
    const double peak = peakMegabytes();
    std::printf("chart list of the loaded profile %.1f MB; peak memory of the process %.0f MB = %.2fx the list "
                "(target <= 1.2x), of it %.0f MB held before loading; the load's own peak %.0f MB = %.2fx the list\n",
                listBytes / 1e6, peak, peak / (listBytes / 1e6), startResident, peak - startResident,
                (peak - startResident) / (listBytes / 1e6));
    chart.ClearDrawing();
    chart.hide();

    // The viewer window, shown, loading the file at "&High" (every sample).
    QTemporaryDir settings;
    SetSettingsFileNameForTesting(settings.filePath(QStringLiteral("Tidewell.INI")));
    FakeHost host;
    {
        TfmDANResarchFormatGraphic viewer(host);
        viewer.resize(1200, 800);
        viewer.show();
        app.processEvents();
        std::vector<double> cpu;
        const double inViewer = medianMilliseconds(3, [&] {
            const double before = cpuMilliseconds(RUSAGE_SELF);
            viewer.OpenFile(big);
            app.processEvents();
            cpu.push_back(cpuMilliseconds(RUSAGE_SELF) - before);
        });
        std::printf("viewer window, shown, opening it at \"&High\" %.0f ms: %.1fx wc -l (target <= 10x), "
                    "%.1fx faster than the plain reader (target >= 5x); %zu chart items, list %.1f MB; "
                    "peak memory of the process %.0f MB\n",
                    inViewer, inViewer / wc, plain / inViewer, viewer.RChart1->items().size(),
                    viewer.RChart1->items().memoryBytes() / 1e6, peakMegabytes());
        std::printf(
            "processor time of both reading threads (not stretched by other programs): viewer load %.0f ms, wc -l %.0f ms: %.1fx\n",
            median(cpu), wcCpu, median(cpu) / wcCpu);

        const QString twoMillion = dir.filePath(QStringLiteral("two-million.nem"));
        DanDiveShape deco;
        deco.samples = 2'000'000;
        deco.intervalSeconds = 1;
        deco.maxDepth = 150;
        QFile::remove(big);
        if (!WriteDanFile(twoMillion, {deco}))
            return 1;
        QAction *ceiling = viewer.findChild<QAction *>(QStringLiteral("ComputedCeiling"));
        const auto load = [&](bool withCeiling) {
            ceiling->setChecked(withCeiling);
            return medianMilliseconds(3, [&] {
                viewer.OpenFile(twoMillion);
                app.processEvents();
            });
        };
        const double without = load(false);
        const double with = load(true);
        std::printf("2,000,000 samples: viewer load %.0f ms without the computed ceiling, %.0f ms with it; "
                    "the ceiling %.0f ms = %.2fx the load (target <= 1x)\n",
                    without, with, with - without, (with - without) / without);
    }

    return sink < 0;
}
