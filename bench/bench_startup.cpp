// Start-up time: from process start to the first painted main window, for
// Tidewell and for a bare Qt main window, alternated in the same run, on the
// platform QT_QPA_PLATFORM names (headless "offscreen" when it is not set).
#include "bench/Timing.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

double runOnce(const QString &program, const QString &folder, const QStringList &arguments = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TIDEWELL_QUIT_ON_FIRST_PAINT"), QStringLiteral("1"));
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")))
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder);
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    // The program prints a line when its window has painted for the first time.
    while (!process.canReadLine() && process.waitForReadyRead(30000)) {
    }
    const double elapsed = timer.nsecsElapsed() / 1e6;
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s did not finish cleanly\n", qPrintable(program));
        return -1;
    }
    return elapsed;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString dir = QCoreApplication::applicationDirPath();
    // Tidewell runs from a copy in an empty folder, as a user's fresh install would.
    QTemporaryDir install;
    const QString tidewell = install.filePath(QStringLiteral("Tidewell"));
    QFile::copy(dir + QStringLiteral("/../Tidewell"), tidewell);
    const QString bare = dir + QStringLiteral("/bare_window");

    const int runs = 21;
    std::vector<double> tidewellTimes, bareTimes, textTimes;
    for (int i = 0; i < runs; ++i) {
        bareTimes.push_back(runOnce(bare, install.path()));
        tidewellTimes.push_back(runOnce(tidewell, install.path()));
        textTimes.push_back(runOnce(bare, install.path(), {QStringLiteral("--with-menu")}));
    }
    const double t = median(tidewellTimes);
    const double b = median(bareTimes);
    const double m = median(textTimes);
    const QByteArray platform = qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ? QByteArray("offscreen")
                                                                               : qgetenv("QT_QPA_PLATFORM");
    std::printf("startup (%s): Tidewell median %.1f ms, bare QMainWindow median %.1f ms, ratio %.2f (target <= 1.30)\n",
                platform.constData(), t, b, t / b);
    std::printf("startup (%s): bare QMainWindow with one menu median %.1f ms, Tidewell ratio to it %.2f\n",
                platform.constData(), m, t / m);
    return 0;
}
