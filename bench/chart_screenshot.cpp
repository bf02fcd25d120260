// Shows a chart with a profile-like list and saves a picture of it:
//   chart_screenshot <file.png>
// Run it on a display (or under Xvfb) to picture the chart as a user sees it.

#include "bench/ProfileList.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString file = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("chart.png");
    TRChart chart;
    chart.resize(900, 520);
    SetProfileLook(chart);
    chart.setCaption(QStringLiteral("Dive # 12 on 08/12/2026 09:41"));
    AppendProfile(chart, 40000);
    chart.SetScaleRange(0, 130, 9000, -1);
    chart.show();
    QTimer::singleShot(500, &app, [&] {
        chart.grab().save(file);
        app.quit();
    });
    return app.exec();
}
