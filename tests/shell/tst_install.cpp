#include "tests/support/Installation.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QProcessEnvironment offscreenEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

// The uid a program started by root runs under, so that it meets a program
// folder it cannot write to as users do (root may write anywhere).
constexpr uid_t Nobody = 65534;

} // namespace

class TestInstall final : public QObject
{
    Q_OBJECT

private slots:
    // The program copied alone into an empty folder starts from there and
    // keeps its settings beside itself.
    void runsFromItsOwnFolder()
    {
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("Tidewell"));
        QVERIFY(QFile::copy(QStringLiteral(TIDEWELL_BINARY), program));
        QProcess process;
        QProcessEnvironment env = offscreenEnvironment();
        env.insert(QStringLiteral("TIDEWELL_QUIT_ON_FIRST_PAINT"), QStringLiteral("1"));
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(QDir::tempPath());
        process.start(program, {});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 0);

        QFile ini(folder.filePath(QStringLiteral("Tidewell.INI")));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray text = ini.readAll();
        QVERIFY(text.contains("[Measurements]"));
        QVERIFY(text.contains("AverageTableAscentTime="));
        QVERIFY(text.contains("[Toolbars]\nHideAll=0"));
    }

    // The welcome note is the readme beside the program, else the one in the
    // data folder of an installation, else there is none.
    void findsTheWelcomeNote_data()
    {
        QTest::addColumn<QStringList>("readmes");
        QTest::addColumn<QString>("shown");
        const QString beside = QStringLiteral("bin/readme.rtf");
        const QString installed = QStringLiteral("share/tidewell/readme.rtf");
        QTest::newRow("beside the program") << QStringList{beside, installed} << beside;
        QTest::newRow("in the data folder") << QStringList{installed} << installed;
        QTest::newRow("none") << QStringList() << QString();
    }

    void findsTheWelcomeNote()
    {
        QFETCH(QStringList, readmes);
        QFETCH(QString, shown);
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkpath(QStringLiteral("bin")));
        const QString program = folder.filePath(QStringLiteral("bin/Tidewell"));
        QVERIFY(QFile::copy(QStringLiteral(TIDEWELL_BINARY), program));
        for (const QString &readme : readmes) {
            QVERIFY(QDir(folder.path()).mkpath(QFileInfo(readme).path()));
            QVERIFY(QFile::copy(QStringLiteral(TIDEWELL_README), folder.filePath(readme)));
        }
        QProcess process;
        QProcessEnvironment env = offscreenEnvironment();
        env.insert(QStringLiteral("TIDEWELL_QUIT_AFTER_START"), QStringLiteral("1"));
        process.setProcessEnvironment(env);
        process.start(program, {});
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        const QString output = QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
        QCOMPARE(output, shown.isEmpty() ? QString() : QStringLiteral("note: ") + folder.filePath(shown));
    }

    // Installed into a prefix, the program finds its welcome note in
    // share/tidewell/ and keeps its settings in the user's configuration
    // folder, whether or not the user may write to the program's folder
    // (root may write anywhere).
    void runsInstalled_data()
    {
        QTest::addColumn<int>("binMode");
        QTest::addColumn<bool>("asNobody");   // when the test runs as root
        QTest::newRow("program folder closed to the user") << 0555 << true;
        QTest::newRow("program folder open to the user") << 0777 << true;
        QTest::newRow("run by the folder's owner, root in CI") << 0755 << false;
    }

    void runsInstalled()
    {
        const Installation installed;
        QVERIFY2(installed.isValid(), qPrintable(installed.error()));
        QVERIFY(!QFile::exists(installed.path(QStringLiteral("bin/readme.rtf"))));
        QVERIFY(QFile::exists(installed.path(QStringLiteral("share/tidewell/readme.rtf"))));
        QFETCH(int, binMode);
        QFETCH(bool, asNobody);
        // Opened as an installation on a system is: readable by all, the
        // program's folder writable by none, or by the user who runs it.
        QVERIFY(::chmod(qPrintable(installed.prefix()), 0755) == 0);
        QVERIFY(::chmod(qPrintable(installed.path(QStringLiteral("bin"))), mode_t(binMode)) == 0);
        auto reopen = qScopeGuard([&] { ::chmod(qPrintable(installed.path(QStringLiteral("bin"))), 0755); });

        QTemporaryDir home;
        QVERIFY(::chmod(qPrintable(home.path()), 0755) == 0);
        QProcessEnvironment env = offscreenEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("TIDEWELL_QUIT_AFTER_START"), QStringLiteral("1"));
        for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_RUNTIME_DIR"})
            env.remove(QString::fromLatin1(name));
        const QString program = installed.path(QStringLiteral("bin/Tidewell"));
        QString command = program;
        QStringList arguments;
        if (::geteuid() == 0 && asNobody) {
            QVERIFY(::chown(qPrintable(home.path()), Nobody, Nobody) == 0);
            command = QStringLiteral("setpriv");
            arguments = {QStringLiteral("--reuid=%1").arg(Nobody), QStringLiteral("--regid=%1").arg(Nobody),
                         QStringLiteral("--clear-groups"), QStringLiteral("--"), program};
        }

        QProcess process;
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(home.path());
        process.start(command, arguments);
        QVERIFY(process.waitForFinished(30000));
        const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
        QVERIFY2(process.exitCode() == 0, qPrintable(output + process.readAllStandardError()));

        QCOMPARE(output.trimmed(),
                 QStringLiteral("note: ") + installed.path(QStringLiteral("share/tidewell/readme.rtf")));
        QFile ini(home.filePath(QStringLiteral(".config/Tidewell/Tidewell.INI")));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(ini.readAll().contains("[Measurements]"));
        QCOMPARE(QDir(installed.path(QStringLiteral("bin"))).entryList(QDir::Files), {QStringLiteral("Tidewell")});
    }
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
