#include "shell/CommandLine.h"
#include "shell/Main.h"

#include <QProcess>
#include <QtTest>

// The command line: file arguments are still joined into one name, and
// --help and --version answer without a display.
class TestCommandLine final : public QObject
{
    Q_OBJECT

private slots:
    void fileArgumentsAreJoined_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("none") << QStringList() << QString();
        QTest::newRow("one file") << QStringList{QStringLiteral("plan.dive")} << QStringLiteral("plan.dive");
        QTest::newRow("unquoted name with a blank")
            << QStringList{QStringLiteral("My"), QStringLiteral("Dives.dive")} << QStringLiteral("My Dives.dive");
        QTest::newRow("quoted name with blanks")
            << QStringList{QStringLiteral("/tmp/My  Dives.dive")} << QStringLiteral("/tmp/My  Dives.dive");
        QTest::newRow("name starting with a dash after --")
            << QStringList{QStringLiteral("--"), QStringLiteral("-old.txt")} << QStringLiteral("-old.txt");
        QTest::newRow("lone dash") << QStringList{QStringLiteral("-")} << QStringLiteral("-");
    }

    void fileArgumentsAreJoined()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, fileName);
        const QStringList files = fileArguments(QStringList{QStringLiteral("Tidewell")} + arguments);
        QCOMPARE(TMainForm::joinArguments(files), fileName);
    }

    void answers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("platform");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("expected");
        // "xcb" without a display: starting the windows would abort.
        const QString noDisplay = QStringLiteral("xcb");
        const QString version = QStringLiteral("Tidewell " TIDEWELL_VERSION "\n");
        QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << noDisplay << 0 << version;
        QTest::newRow("-v") << QStringList{QStringLiteral("-v")} << noDisplay << 0 << version;
        QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << noDisplay << 0
                                << QStringLiteral("[options] [file...]");
        QTest::newRow("-h after a file") << QStringList{QStringLiteral("plan.dive"), QStringLiteral("-h")}
                                         << noDisplay << 0 << QStringLiteral("--version");
        QTest::newRow("unknown option") << QStringList{QStringLiteral("--depth=30")} << QStringLiteral("offscreen")
                                        << 1 << QStringLiteral("Unknown option 'depth'.");
    }

    void answers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, platform);
        QFETCH(int, exitCode);
        QFETCH(QString, expected);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        QProcess process;
        process.setProcessEnvironment(env);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral(TIDEWELL_BINARY), arguments);
        QVERIFY(process.waitForFinished(20000));
        const QString output = QString::fromLocal8Bit(process.readAll());
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QVERIFY2(output.contains(expected), qPrintable(output));
        QCOMPARE(process.exitCode(), exitCode);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
