#include "tests/support/Installation.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QStandardPaths>
#include <QtTest>

namespace {

const QString AppId = QStringLiteral("org.example.tidewell.Tidewell");

// A DAN research file as a dive computer writes it: identification line,
// dive header, six lines, then samples that begin with a blank.
const QByteArray DanFile = "02345.NEM  Dive computer\n"
                           " 1 03/02/97 14:23 x x 1500P 18 AL80\n"
                           "a\nb\nc\nd\ne\nf\n"
                           " 0.00 0.0 x false false 0 20 3000\n"
                           " 0.20 12.0 x false false 0 19 2950\n";

} // namespace

// The installed launcher, metainfo, icons and MIME types, checked with the
// desktop's own tools against a private MIME and application database.
class TestDesktopFiles final : public QObject
{
    Q_OBJECT

    Installation m_installed;
    QTemporaryDir m_home;
    QProcessEnvironment m_env;

    QString tool(const QString &program, const QStringList &arguments, int *exitCode) const
    {
        return runTool(program, arguments, exitCode, m_env);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_installed.isValid(), qPrintable(m_installed.error()));
        for (const char *program : {"desktop-file-validate", "update-desktop-database", "appstreamcli",
                                    "update-mime-database", "xdg-mime", "mimetype"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
                QFAIL(qPrintable(QStringLiteral("%1 is missing: run make deps").arg(QString::fromLatin1(program))));
        }
        // The installed share/ is the user's data folder; no desktop session
        // is detected, so xdg-mime asks the freedesktop databases directly.
        m_env = QProcessEnvironment::systemEnvironment();
        m_env.insert(QStringLiteral("HOME"), m_home.path());
        m_env.insert(QStringLiteral("XDG_DATA_HOME"), m_installed.path(QStringLiteral("share")));
        m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_home.filePath(QStringLiteral("config")));
        for (const char *name : {"XDG_CURRENT_DESKTOP", "XDG_SESSION_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                 "GNOME_DESKTOP_SESSION_ID", "MATE_DESKTOP_SESSION_ID", "XDG_DATA_DIRS"})
            m_env.remove(QString::fromLatin1(name));
        int exitCode = -1;
        const QString mime = tool(QStringLiteral("update-mime-database"),
                                  {m_installed.path(QStringLiteral("share/mime"))}, &exitCode);
        QVERIFY2(exitCode == 0, qPrintable(mime));
        const QString apps = tool(QStringLiteral("update-desktop-database"),
                                  {m_installed.path(QStringLiteral("share/applications"))}, &exitCode);
        QVERIFY2(exitCode == 0, qPrintable(apps));
    }

    void validates_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("file");
        QTest::newRow("desktop file") << QStringLiteral("desktop-file-validate") << QStringList()
                                      << QStringLiteral("share/applications/%1.desktop").arg(AppId);
        QTest::newRow("metainfo") << QStringLiteral("appstreamcli")
                                  << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net")}
                                  << QStringLiteral("share/metainfo/%1.metainfo.xml").arg(AppId);
    }

    void validates()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, file);
        int exitCode = -1;
        const QString output = tool(program, arguments << m_installed.path(file), &exitCode);
        QVERIFY2(exitCode == 0, qPrintable(output));
        QVERIFY2(!output.contains(QStringLiteral("error"), Qt::CaseInsensitive), qPrintable(output));
    }

    void icons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("context");
        QTest::newRow("program") << AppId << QStringLiteral("apps");
        for (const char *type : {"application-x-tidewell-dive", "application-x-dan-research-nem",
                                 "application-x-dan-research-dan"})
            QTest::newRow(type) << QString::fromLatin1(type) << QStringLiteral("mimetypes");
    }

    void icons()
    {
        QFETCH(QString, name);
        QFETCH(QString, context);
        const QString scalable = QStringLiteral("share/icons/hicolor/scalable/%1/%2.svg").arg(context, name);
        QVERIFY2(QFile::exists(m_installed.path(scalable)), qPrintable(scalable));
        for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
            const QString png = QStringLiteral("share/icons/hicolor/%1x%1/%2/%3.png").arg(size).arg(context, name);
            QImageReader reader(m_installed.path(png));
            QCOMPARE(reader.format(), QByteArray("png"));
            QCOMPARE(reader.size(), QSize(size, size));
        }
    }

    void fileTypes_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QString>("type");
        const QString plan = QStringLiteral("application/x-tidewell-dive");
        const QString log = QStringLiteral("application/x-dan-research-nem");
        const QString piece = QStringLiteral("application/x-dan-research-dan");
        const QByteArray planText = "[Main]\nDepth=30\n";
        const QByteArray pieceText = QByteArray(DanFile).replace(".NEM", ".DAN");
        QTest::newRow("plan") << QStringLiteral("My Dives.dive") << planText << plan;
        QTest::newRow("plan, capitals") << QStringLiteral("WRECK.DIVE") << planText << plan;
        QTest::newRow("plan, as written") << QStringLiteral("Default.Dive") << planText << plan;
        QTest::newRow("log") << QStringLiteral("02345.nem") << DanFile << log;
        QTest::newRow("log, capitals") << QStringLiteral("02345.NEM") << DanFile << log;
        QTest::newRow("split piece") << QStringLiteral("03-02-97_14-23.Dan") << DanFile << piece;
        QTest::newRow("piece, small letters") << QStringLiteral("reef.dan") << pieceText << piece;
        QTest::newRow("log by content") << QStringLiteral("download") << DanFile << log;
        QTest::newRow("piece by content") << QStringLiteral("dive-2") << pieceText << piece;
        QTest::newRow("text that names a log") << QStringLiteral("notes")
                                               << QByteArray("Notes on the dives in 02345.NEM\n")
                                               << QStringLiteral("text/plain");
    }

    void fileTypes()
    {
        QFETCH(QString, fileName);
        QFETCH(QByteArray, contents);
        QFETCH(QString, type);
        QTemporaryDir folder;
        QFile file(folder.filePath(fileName));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        int exitCode = -1;
        const QString output =
            tool(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("filetype"), file.fileName()},
                 &exitCode);
        QCOMPARE(exitCode, 0);
        QCOMPARE(output.trimmed(), type);
    }

    void defaultProgram_data()
    {
        QTest::addColumn<QString>("type");
        for (const char *type : {"application/x-tidewell-dive", "application/x-dan-research-nem",
                                 "application/x-dan-research-dan"})
            QTest::newRow(type) << QString::fromLatin1(type);
    }

    void defaultProgram()
    {
        QFETCH(QString, type);
        int exitCode = -1;
        const QString output = tool(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), type},
                                    &exitCode);
        QCOMPARE(exitCode, 0);
        QCOMPARE(output.trimmed(), AppId + QStringLiteral(".desktop"));
    }
};

QTEST_GUILESS_MAIN(TestDesktopFiles)
#include "tst_desktopfiles.moc"
