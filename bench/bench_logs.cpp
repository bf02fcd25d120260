// Dive logs in the profile viewer, each figure beside its baseline in one
// run, on UDDF files generated into a temporary folder:
//  - a log of 200 dives of 10,000 waypoints each (about 2,000,000
//    waypoints): its first dive opened in a shown viewer beside a bare
//    QXmlStreamReader walk over every token of the same file (target
//    <= 1.2x: the dive list must not parse every sample);
//  - switching to another dive of that log in the dive list (target
//    <= 100 ms at 10,000 samples);
//  - a single dive of 2,000,000 waypoints loaded into the shown viewer
//    beside the token walk of that file (target <= 2x), and the peak memory
//    the load adds beside the chart's item list (target <= 2x).

#include "bench/Timing.h"
#include "charts/RChart.h"
#include "core/SettingsFile.h"
#include "profiles/window/DANGraphic.h"
#include "tests/support/FakeHost.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <cstdio>

namespace {

// A dive's depth at waypoint i of n: down, along the bottom, up.
double depthAt(int i, int n)
{
    const double f = double(i) / n;
    if (f < 0.1)
        return 40 * f / 0.1;
    if (f < 0.7)
        return 40 - 5 * (f - 0.1);
    return 37 * (1 - f) / 0.3;
}

bool writeLog(const QString &path, int dives, int waypoints)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray out;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<uddf xmlns=\"http://www.streit.cc/uddf/3.2/\" version=\"3.2.0\">\n"
           "<gasdefinitions><mix id=\"ean32\"><o2>0.32</o2><he>0.0</he></mix><mix id=\"ean80\"><o2>0.80</o2></mix></gasdefinitions>\n"
           "<profiledata><repetitiongroup id=\"rg\">\n";
    for (int d = 0; d < dives; ++d) {
        out += QStringLiteral("<dive id=\"d%1\"><informationbeforedive><datetime>2019-%2-%3T%4:15:00</datetime>"
                              "<divenumber>%5</divenumber></informationbeforedive>\n"
                              "<tankdata id=\"t1\"><link ref=\"ean32\"/><tankvolume>0.012</tankvolume></tankdata>\n<samples>\n")
                   .arg(d)
                   .arg(d / 28 % 12 + 1, 2, 10, QChar(u'0'))
                   .arg(d % 28 + 1, 2, 10, QChar(u'0'))
                   .arg(8 + d % 10, 2, 10, QChar(u'0'))
                   .arg(d + 1)
                   .toLatin1();
        for (int i = 0; i < waypoints; ++i) {
            out += "<waypoint><divetime>";
            out += QByteArray::number(i * 2);
            out += "</divetime><depth>";
            out += QByteArray::number(depthAt(i, waypoints), 'f', 2);
            out += "</depth>";
            if (i % 10 == 0) {
                out += "<temperature>";
                out += QByteArray::number(290.15 - depthAt(i, waypoints) / 10, 'f', 1);
                out += "</temperature><tankpressure ref=\"t1\">";
                out += QByteArray::number(20000000 - qint64(i) * 12000000 / waypoints);
                out += "</tankpressure>";
            }
            if (i == waypoints * 85 / 100)
                out += "<switchmix ref=\"ean80\"/>";
            out += "</waypoint>\n";
            if (out.size() > (1 << 20)) {
                if (file.write(out) != out.size())
                    return false;
                out.clear();
            }
        }
        out += "</samples><informationafterdive><diveduration>";
        out += QByteArray::number(waypoints * 2);
        out += "</diveduration></informationafterdive></dive>\n";
    }
    out += "</repetitiongroup></profiledata>\n</uddf>\n";
    return file.write(out) == out.size() && file.flush();
}

// What QXmlStreamReader alone costs: every token of the file, nothing kept.
qint64 tokenWalk(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&file);
    qint64 tokens = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        ++tokens;
    }
    return tokens;
}

double statusMegabytes(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

// Sets the peak resident size back to the present one.
void resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QTemporaryDir settings;
    SetSettingsFileNameForTesting(settings.filePath(QStringLiteral("Tidewell.INI")));
    FakeHost host;

    // The single dive first, while the process is small: its peak memory.
    {
        const QString single = dir.filePath(QStringLiteral("single.uddf"));
        if (!writeLog(single, 1, 2'000'000))
            return 1;
        std::printf("single dive of 2,000,000 waypoints: %.1f MB\n", QFileInfo(single).size() / 1e6);
        qint64 tokens = 0;
        const double walk = medianMilliseconds(3, [&] { tokens = tokenWalk(single); });
        TfmDANResarchFormatGraphic viewer(host);
        viewer.resize(1200, 800);
        viewer.show();
        app.processEvents();
        double added = 0;
        std::size_t listBytes = 0;
        const double load = medianMilliseconds(3, [&] {
            viewer.RChart1->ClearDrawing();
            const double before = statusMegabytes("VmRSS:");
            resetPeak();
            viewer.OpenFile(single);
            app.processEvents();
            added = statusMegabytes("VmHWM:") - before;
            listBytes = viewer.RChart1->items().memoryBytes();
        });
        std::printf("token walk %.0f ms (%lld tokens); load into the shown viewer %.0f ms: %.2fx (target <= 2x)\n", walk,
                    tokens, load, load / walk);
        std::printf("peak memory added by the load %.1f MB; chart item list %.1f MB (%zu items): %.2fx (target <= 2x)\n",
                    added, listBytes / 1e6, viewer.RChart1->items().size(), added * 1e6 / double(listBytes));
        QFile::remove(single);
    }

    const QString log = dir.filePath(QStringLiteral("year.uddf"));
    if (!writeLog(log, 200, 10'000))
        return 1;
    std::printf("log of 200 dives of 10,000 waypoints: %.1f MB\n", QFileInfo(log).size() / 1e6);
    qint64 tokens = 0;
    const double walk = medianMilliseconds(3, [&] { tokens = tokenWalk(log); });
    TfmDANResarchFormatGraphic viewer(host);
    viewer.resize(1200, 800);
    viewer.show();
    app.processEvents();
    const double open = medianMilliseconds(3, [&] {
        viewer.OpenFile(log);
        app.processEvents();
    });
    std::printf("token walk %.0f ms (%lld tokens); first dive in the shown viewer %.0f ms: %.2fx (target <= 1.2x); "
                "%d dives listed\n",
                walk, tokens, open, open / walk, viewer.DiveList->count());
    int next = 1;
    const double switching = medianMilliseconds(9, [&] {
        viewer.DiveList->setCurrentRow(next);
        next += 17;
        app.processEvents();
    });
    std::printf("switching to another dive (10,000 samples) %.1f ms (target <= 100 ms); %zu chart items; "
                "the token walk of one dive's share of the file %.1f ms: %.2fx\n",
                switching, viewer.RChart1->items().size(), walk / 200, switching / (walk / 200));
    return 0;
}
