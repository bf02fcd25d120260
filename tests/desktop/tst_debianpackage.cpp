#include "tests/support/Installation.h"

#include <QDir>
#include <QStandardPaths>
#include <QtTest>

// The Debian package made by CPack from this build: its files, its
// dependencies, and what lintian says of it.
class TestDebianPackage final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_output;
    QString m_package;
    QString m_contents;

    static QString field(const QString &package, const QString &name)
    {
        int exitCode = -1;
        const QString value = runTool(QStringLiteral("dpkg-deb"), {QStringLiteral("--field"), package, name}, &exitCode);
        return exitCode == 0 ? value.trimmed() : QString();
    }

private slots:
    void initTestCase()
    {
        int exitCode = -1;
        const QString output = runTool(QStringLiteral(TIDEWELL_CPACK_COMMAND),
                                       {QStringLiteral("--config"), QStringLiteral(TIDEWELL_BUILD_DIR "/CPackConfig.cmake"),
                                        QStringLiteral("-B"), m_output.path()},
                                       &exitCode);
        QVERIFY2(exitCode == 0, qPrintable(output));
        const QStringList debs = QDir(m_output.path()).entryList({QStringLiteral("*.deb")}, QDir::Files);
        QCOMPARE(debs.size(), 1);
        m_package = QDir(m_output.path()).filePath(debs.first());
        m_contents = runTool(QStringLiteral("dpkg-deb"), {QStringLiteral("--contents"), m_package}, &exitCode);
        QCOMPARE(exitCode, 0);
    }

    void namesItself()
    {
        QCOMPARE(field(m_package, QStringLiteral("Package")), QStringLiteral("tidewell"));
        QCOMPARE(field(m_package, QStringLiteral("Version")), QStringLiteral(TIDEWELL_VERSION));
        QCOMPARE(QFileInfo(m_package).fileName(),
                 QStringLiteral("tidewell_%1_%2.deb").arg(QStringLiteral(TIDEWELL_VERSION),
                                                          field(m_package, QStringLiteral("Architecture"))));
    }

    void dependsOnWhatItLoads_data()
    {
        QTest::addColumn<QString>("package");
        QTest::newRow("C library (from dpkg-shlibdeps)") << QStringLiteral("libc6 (>=");
        QTest::newRow("Qt widgets (from dpkg-shlibdeps)") << QStringLiteral("libqt6widgets6 (>=");
        QTest::newRow("Qt printing (from dpkg-shlibdeps)") << QStringLiteral("libqt6printsupport6 (>=");
        QTest::newRow("Qt platform plugins") << QStringLiteral("qt6-qpa-plugins");
        QTest::newRow("fonts with the widths of Arial and Courier New") << QStringLiteral("fonts-liberation2");
    }

    void dependsOnWhatItLoads()
    {
        QFETCH(QString, package);
        const QString depends = field(m_package, QStringLiteral("Depends"));
        QVERIFY2(depends.contains(package), qPrintable(depends));
    }

    void holdsTheInstalledFiles_data()
    {
        QTest::addColumn<QString>("file");
        for (const char *file :
             {"./usr/bin/Tidewell", "./usr/share/tidewell/readme.rtf",
              "./usr/share/applications/org.example.tidewell.Tidewell.desktop",
              "./usr/share/metainfo/org.example.tidewell.Tidewell.metainfo.xml",
              "./usr/share/mime/packages/tidewell.xml",
              "./usr/share/icons/hicolor/scalable/apps/org.example.tidewell.Tidewell.svg",
              "./usr/share/icons/hicolor/16x16/apps/org.example.tidewell.Tidewell.png",
              "./usr/share/icons/hicolor/256x256/apps/org.example.tidewell.Tidewell.png",
              "./usr/share/icons/hicolor/scalable/mimetypes/application-x-tidewell-dive.svg",
              "./usr/share/icons/hicolor/48x48/mimetypes/application-x-dan-research-nem.png",
              "./usr/share/icons/hicolor/48x48/mimetypes/application-x-dan-research-dan.png",
              "./usr/share/doc/tidewell/copyright", "./usr/share/doc/tidewell/changelog.gz",
              "./usr/share/man/man1/Tidewell.1.gz"})
            QTest::newRow(file) << QString::fromLatin1(file);
    }

    void holdsTheInstalledFiles()
    {
        QFETCH(QString, file);
        QVERIFY2(m_contents.contains(QLatin1Char(' ') + file + QLatin1Char('\n')), qPrintable(m_contents));
    }

    void passesLintian()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("lintian")).isEmpty())
            QSKIP("lintian is not installed");
        int exitCode = -1;
        const QString output = runTool(QStringLiteral("lintian"), {m_package}, &exitCode);
        QVERIFY2(exitCode == 0, qPrintable(output));
        QVERIFY2(!output.contains(QStringLiteral("\nE: ")) && !output.startsWith(QStringLiteral("E: ")),
                 qPrintable(output));
    }
};

QTEST_GUILESS_MAIN(TestDebianPackage)
#include "tst_debianpackage.moc"
