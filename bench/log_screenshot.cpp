// Pictures of dive logs in the profile viewer (not a benchmark):
//   log_screenshot <folder>
// writes <folder>/viewer-uddf.png (a trimix dive from a UDDF log with its
// gas switches, decompression stops and the cursor read-out),
// <folder>/viewer-ceiling.png (the same dive with the model's ceiling and
// its read-out) and <folder>/viewer-subsurface.png (a Subsurface logbook
// with its dive list).
// The generated logs are kept in <folder>/samples for trying the program
// by hand. Run it on a display or under Xvfb.

#include "charts/RChart.h"
#include "core/SettingsFile.h"
#include "core/Units.h"
#include "profiles/window/DANGraphic.h"
#include "shell/Main.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>

namespace {

void moveMouse(TRChart *chart, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(chart, &move);
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

// A trimix dive to 50 m with stops at 21, 15, 12, 9, 6 and 3 m: the
// depth at second t, the stop due then (0 for none) and the mix breathed.
struct Point
{
    double depth, stop;
    const char *mix;
};

Point trimixDive(int t)
{
    const double m = t / 60.0;
    if (m < 3)
        return {50 * m / 3, 0, "tx"};
    if (m < 23)
        return {50 - 2 * std::sin(m), 0, "tx"};
    struct Stop
    {
        double depth, minutes;
    };
    const Stop stops[] = {{21, 2}, {15, 2}, {12, 3}, {9, 5}, {6, 9}, {3, 12}};
    double at = 23, from = 50;
    for (const Stop &s : stops) {
        const double travel = (from - s.depth) / 9;
        if (m < at + travel)
            return {from - (m - at) * 9, s.depth, from > 21 ? "tx" : (from > 6 ? "ean50" : "oxygen")};
        at += travel;
        if (m < at + s.minutes)
            return {s.depth + 0.3 * std::sin(m * 3), s.depth, s.depth > 21 ? "tx" : (s.depth > 6 ? "ean50" : "oxygen")};
        at += s.minutes;
        from = s.depth;
    }
    return {std::max(0.0, 3 - (m - at) * 6), 0, "oxygen"};
}

QByteArray uddfLog()
{
    QByteArray x = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<uddf xmlns=\"http://www.streit.cc/uddf/3.2/\" version=\"3.2.0\">\n"
                   "<diver><owner id=\"me\"><equipment><divecomputer id=\"dc\"><model>Trimix Pro</model>"
                   "<serialnumber>TP-0417</serialnumber></divecomputer></equipment></owner>"
                   "<buddy id=\"b\"><personal><firstname>Maria</firstname><lastname>Lopez</lastname></personal></buddy></diver>\n"
                   "<divesite><site id=\"s\"><name>Zenobia wreck</name><geography><location>Larnaca</location></geography></site></divesite>\n"
                   "<gasdefinitions><mix id=\"tx\"><o2>0.18</o2><he>0.45</he></mix><mix id=\"ean50\"><o2>0.50</o2></mix>"
                   "<mix id=\"oxygen\"><o2>1.0</o2></mix></gasdefinitions>\n<profiledata><repetitiongroup id=\"r\">\n"
                   "<dive id=\"d\"><informationbeforedive><datetime>2023-09-14T09:40:00</datetime><divenumber>318</divenumber>"
                   "<link ref=\"s\"/><link ref=\"b\"/></informationbeforedive>\n"
                   "<tankdata id=\"t\"><link ref=\"tx\"/><tankvolume>0.024</tankvolume><tankpressurebegin>23000000</tankpressurebegin>"
                   "<tankpressureend>9000000</tankpressureend></tankdata>\n<samples>\n";
    QByteArray breathed;
    for (int t = 0;; t += 10) {
        const Point p = trimixDive(t);
        x += "<waypoint><divetime>" + QByteArray::number(t) + "</divetime><depth>" + QByteArray::number(p.depth, 'f', 1) + "</depth>";
        if (breathed != p.mix) {
            x += QByteArray("<switchmix ref=\"") + p.mix + "\"/>";
            breathed = p.mix;
        }
        if (p.stop > 0)
            x += "<decostop kind=\"mandatory\" decodepth=\"" + QByteArray::number(p.stop) + "\" duration=\"60\"/>";
        if (t % 60 == 0) {
            x += "<temperature>" + QByteArray::number(297.15 - p.depth / 5, 'f', 1) + "</temperature>";
            x += "<tankpressure ref=\"t\">" + QByteArray::number(23000000 - t * 2900) + "</tankpressure>";
        }
        x += "</waypoint>\n";
        if (t > 60 && p.depth <= 0)
            break;
    }
    x += "</samples><informationafterdive><notes><para>Down the stern to the sand; two switches on the way up.</para>"
         "</notes></informationafterdive></dive>\n</repetitiongroup></profiledata>\n</uddf>\n";
    return x;
}

QByteArray subsurfaceLog()
{
    QByteArray x = "<divelog program='subsurface' version='3'>\n<settings><divecomputerid model='Reef Mate' deviceid='a1' "
                   "serial='RM-20391'/></settings>\n<divesites><site uuid='1' name='Shark Point'/>"
                   "<site uuid='2' name='Coral Garden'/></divesites>\n<dives>\n<trip date='2022-05-02' location='Red Sea'>\n";
    for (int d = 0; d < 7; ++d) {
        const int minutes = 38 + d * 4;
        x += QStringLiteral("<dive number='%1' divesiteid='%2' date='2022-05-0%3' time='%4:%5:00' duration='%6:00 min'>\n")
                 .arg(101 + d)
                 .arg(d % 2 + 1)
                 .arg(2 + d / 2)
                 .arg(d % 2 ? 14 : 9, 2, 10, QChar(u'0'))
                 .arg(d * 7 % 60, 2, 10, QChar(u'0'))
                 .arg(minutes)
                 .toLatin1();
        x += "<buddy>Jonas</buddy><notes>Easy reef dive.</notes>\n"
             "<cylinder size='12.0 l' workpressure='232.0 bar' description='12 l steel' o2='32.0%' start='210.0 bar' end='70.0 bar'/>\n";
        if (d == 3) {   // logged by hand
            x += "<divecomputer model='manually added dive'><depth max='14.0 m'/></divecomputer>\n</dive>\n";
            continue;
        }
        x += "<divecomputer model='Reef Mate' deviceid='a1'>\n";
        const double bottom = 18 + d * 3;
        for (int s = 0; s <= minutes * 6; ++s) {
            const double m = s / 6.0;
            double depth = m < 3 ? bottom * m / 3 : m < minutes - 8 ? bottom - (m - 3) * (bottom - 6) / (minutes - 11) : 5 - (m - minutes + 8) * 5 / 8;
            depth = std::max(0.0, depth + 0.4 * std::sin(m * 2));
            x += QStringLiteral("<sample time='%1:%2 min' depth='%3 m'").arg(s / 6).arg(s % 6 * 10, 2, 10, QChar(u'0')).arg(depth, 0, 'f', 1).toLatin1();
            if (s % 12 == 0)
                x += QStringLiteral(" temp='%1 C' pressure='%2 bar'").arg(26 - depth / 8, 0, 'f', 1).arg(210 - 140.0 * m / minutes, 0, 'f', 1).toLatin1();
            x += "/>\n";
        }
        x += "</divecomputer>\n</dive>\n";
        if (d == 4)
            x += "</trip>\n";
    }
    x += "</dives>\n</divelog>\n";
    return x;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QTemporaryDir settings;
    SetSettingsFileNameForTesting(settings.filePath(QStringLiteral("Tidewell.INI")));
    const QString samples = QDir(out).filePath(QStringLiteral("samples"));
    QDir().mkpath(samples);
    const QString uddf = QDir(samples).filePath(QStringLiteral("zenobia.uddf"));
    const QString ssrf = QDir(samples).filePath(QStringLiteral("red-sea.ssrf"));
    write(uddf, uddfLog());
    write(ssrf, subsurfaceLog());
    programUnits().metric = true;

    TMainForm main;
    main.resize(1100, 760);
    main.show();
    main.openProfile(uddf);
    auto *viewer = qobject_cast<TfmDANResarchFormatGraphic *>(main.activeChild());
    viewer->parentWidget()->showMaximized();

    QTimer::singleShot(600, &app, [&] {
        const QRect plot = viewer->RChart1->plotRect();
        moveMouse(viewer->RChart1, QPoint(plot.left() + plot.width() * 25 / 100, plot.top() + plot.height() * 88 / 100));
        app.processEvents();
        main.grab().save(QDir(out).filePath(QStringLiteral("viewer-uddf.png")));
        QAction *ceiling = viewer->findChild<QAction *>(QStringLiteral("ComputedCeiling"));
        ceiling->trigger();
        moveMouse(viewer->RChart1,
                  QPoint(plot.left() + plot.width() * 40 / 100, plot.top() + plot.height() * 30 / 100));
        app.processEvents();
        main.grab().save(QDir(out).filePath(QStringLiteral("viewer-ceiling.png")));
        ceiling->trigger();
        viewer->parentWidget()->close();
        main.openProfile(ssrf);
        auto *log = qobject_cast<TfmDANResarchFormatGraphic *>(main.activeChild());
        log->parentWidget()->showMaximized();
        log->DiveList->setCurrentRow(2);
        QTimer::singleShot(800, &app, [&] {
            main.grab().save(QDir(out).filePath(QStringLiteral("viewer-subsurface.png")));
            app.quit();
        });
    });
    return app.exec();
}
