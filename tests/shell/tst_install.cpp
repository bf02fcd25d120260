#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

// The program copied alone into an empty folder starts from there and keeps
// its settings beside itself.
class TestInstall final : public QObject
{
    Q_OBJECT

private slots:
    void runsFromItsOwnFolder()
    {
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("Tidewell"));
        QVERIFY(QFile::copy(QStringLiteral(TIDEWELL_BINARY), program));
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TIDEWELL_QUIT_ON_FIRST_PAINT"), QStringLiteral("1"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
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
};

QTEST_GUILESS_MAIN(TestInstall)
#include "tst_install.moc"
