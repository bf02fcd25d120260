// Every file the program reads, given in every broken form: empty, one
// byte, cut after every line and inside the last one, binary, 100 MB,
// unreadable, gone before it is read, and a folder in its place. Readers:
// the settings file (values, diver records, gas mixes), dive plans, notes
// (plain and rich text), DAN research files and dive logs (UDDF, Subsurface). None may crash or hang; a
// reader that refuses the file says why in a clear message; the file itself
// is never changed by reading it.

#include "blending/model/GasRecords.h"
#include "core/Errors.h"
#include "core/IniFile.h"
#include "core/SettingsFile.h"
#include "planner/model/DiverRecords.h"
#include "planner/model/PlanFile.h"
#include "planner/model/PlanModel.h"
#include "platform/RichText.h"
#include "profiles/model/DanReader.h"
#include "profiles/model/DiveLogReader.h"
#include "shell/NoteFile.h"
#include "tests/support/DanFiles.h"
#include "tests/support/TempSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QtTest>

#include <functional>
#include <unistd.h>

namespace {

const QByteArray GoodSettings =
    "[Measurements]\r\nMetric=1\r\n[Gas Mixes]\r\nTotal=2\r\n1=Air\r\n2=EAN32\r\n[Air]\r\nO2=21\r\nHe=0\r\nN2=79\r\n"
    "[EAN32]\r\nO2=32\r\nHe=0\r\nN2=68\r\n[Divers]\r\nTotal=1\r\n1=Alpha\r\n[Alpha]\r\nTankSize=80\r\n"
    "Certified=3000\r\nRMV=0.6\r\n";

// What a reader made of a file: its message when it refused it, else "read".
using Reader = std::function<QString(const QString &path)>;

QString readSettings(const QString &path)
{
    const IniFile ini(path);
    ini.readString(QStringLiteral("Measurements"), QStringLiteral("Metric"), QString());
    ini.readInteger(QStringLiteral("Measurements"), QStringLiteral("AscentRate"), 30);
    ini.readSection(QStringLiteral("Divers"));
    return QStringLiteral("read");
}

QString readRecords(const QString &path)
{
    SetSettingsFileNameForTesting(path);
    PlanModel plan;
    const QStringList divers = DiverRecordNames();
    PutDiverRecord(plan, 1, divers.value(0));
    for (const QString &name : GasMixNames())
        LoadGasMix(name);
    SetSettingsFileNameForTesting(QString());
    return QStringLiteral("read");
}

QString readPlan(const QString &path)
{
    PlanModel plan;
    QString status;
    QObject::connect(&plan, &PlanModel::mainStatus, [&](const QString &text) { status = text; });
    LoadDive(plan, path);
    return status.isEmpty() ? QStringLiteral("read") : status;
}

QString readNote(const QString &path)
{
    try {
        const QByteArray bytes = NoteFile::read(path);
        QTextDocument doc;
        if (looksLikeRtf(bytes))
            readRtf(bytes, doc);
        else
            doc.setPlainText(NoteFile::plainText(bytes, path));
        return QStringLiteral("read");
    } catch (const AppError &e) {
        return e.message();
    }
}

QString readDan(const QString &path)
{
    DanOpList ops;
    const DanLoadResult result = LoadDanFile(path, {}, ops);
    return result.message.isEmpty() ? QStringLiteral("read") : result.message;
}

// A log opens and gives every dive it lists.
QString readLog(const QString &path)
{
    const DiveLogOpenResult opened = OpenDiveLog(path);
    if (!opened.message.isEmpty())
        return opened.message;
    for (int i = 0; i < opened.log.size(); ++i)
        if (const LogDiveResult read = ReadLogDive(opened.log, i); !read.message.isEmpty())
            return read.message;
    return QStringLiteral("read");
}

const QByteArray GoodUddf =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<uddf version=\"3.2.0\">\n"
    "<gasdefinitions><mix id=\"ean32\"><o2>0.32</o2></mix></gasdefinitions>\n"
    "<profiledata><repetitiongroup id=\"r\">\n<dive id=\"a\">\n"
    "<informationbeforedive><datetime>2020-01-01T10:00:00</datetime><divenumber>1</divenumber></informationbeforedive>\n"
    "<samples>\n<waypoint><divetime>0</divetime><depth>0</depth><switchmix ref=\"ean32\"/></waypoint>\n"
    "<waypoint><divetime>60</divetime><depth>12.5</depth><temperature>290.1</temperature></waypoint>\n"
    "</samples>\n</dive>\n<dive id=\"b\"><informationbeforedive><divenumber>2</divenumber></informationbeforedive></dive>\n"
    "</repetitiongroup></profiledata>\n</uddf>\n";

const QByteArray GoodSubsurface =
    "<divelog program='subsurface' version='3'>\n<divesites><site uuid='1' name='Reef'/></divesites>\n<dives>\n"
    "<trip date='2020-01-01'>\n<dive number='1' divesiteid='1' date='2020-01-01' time='10:00:00' duration='2:00 min'>\n"
    "<cylinder size='12.0 l' o2='32.0%' start='200.0 bar' end='150.0 bar'/>\n<divecomputer model='X'>\n"
    "<sample time='0:00 min' depth='0.0 m' temp='20.0 C'/>\n<sample time='1:00 min' depth='10.0 m' pressure='180.0 bar'/>\n"
    "</divecomputer>\n</dive>\n</trip>\n</dives>\n</divelog>\n";

QByteArray goodPlan(const QString &folder)
{
    const QString path = folder + QStringLiteral("/good.Dive");
    PlanModel plan;
    WriteDivePlan(plan, path);
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray goodDan()
{
    DanDiveShape dive;
    dive.samples = 40;
    return QByteArray(DanIdentification) + "\r\n" + DanDiveText(dive);
}

QByteArray goodRtf()
{
    QTextDocument doc;
    doc.setPlainText(QStringLiteral("A note\nof two lines"));
    return writeRtf(doc);
}

// The broken forms of a good file: their names and contents.
QList<std::pair<QString, QByteArray>> brokenForms(const QByteArray &good)
{
    QList<std::pair<QString, QByteArray>> forms{{QStringLiteral("empty"), {}},
                                                 {QStringLiteral("one byte"), good.left(1)},
                                                 {QStringLiteral("one NUL byte"), QByteArray(1, '\0')}};
    for (qsizetype end = good.indexOf('\n'); end >= 0; end = good.indexOf('\n', end + 1)) {
        forms.append({QStringLiteral("cut after byte %1").arg(end + 1), good.left(end + 1)});
        forms.append({QStringLiteral("cut at byte %1").arg(end - 2), good.left(std::max<qsizetype>(end - 2, 0))});
    }
    QRandomGenerator random(7);
    QByteArray binary(4096, '\0');
    for (char &c : binary)
        c = char(random.bounded(256));
    forms.append({QStringLiteral("binary"), binary});
    forms.append({QStringLiteral("good then binary"), good + binary});
    return forms;
}

} // namespace

class TestBadFiles final : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // Reads `path` with `reader` and checks what must hold for any file.
    void check(const Reader &reader, const QString &path, const QString &form, bool mayRefuse = true)
    {
        const QFileInfo before(path);
        const QByteArray bytes = before.isFile() && before.size() < 1024 * 1024 ? [&] {
            QFile f(path);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }() : QByteArray();
        const QString said = reader(path);
        QVERIFY2(!said.trimmed().isEmpty(), qPrintable(form + QStringLiteral(": an empty message")));
        QVERIFY2(!said.contains(QStringLiteral("Unknown error"), Qt::CaseInsensitive), qPrintable(form + QStringLiteral(": ") + said));
        QVERIFY2(mayRefuse || said == u"read", qPrintable(form + QStringLiteral(": ") + said));
        const QFileInfo after(path);
        QCOMPARE(after.exists(), before.exists());
        QCOMPARE(after.isDir(), before.isDir());
        QCOMPARE(after.size(), before.size());
        if (before.isFile() && before.size() < 1024 * 1024) {
            QFile f(path);
            QVERIFY(!f.open(QIODevice::ReadOnly) || f.readAll() == bytes);
        }
    }

    QString pathFor(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void everyReaderWithEveryBrokenFile_data()
    {
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QByteArray>("good");
        QTest::addColumn<int>("reader");
        QTest::newRow("settings values") << "ini" << GoodSettings << 0;
        QTest::newRow("diver records and gas mixes") << "ini" << GoodSettings << 1;
        QTest::newRow("dive plan") << "Dive" << goodPlan(m_dir.path()) << 2;
        QTest::newRow("plain note") << "txt" << QByteArray("A note\r\nof two lines\r\n") << 3;
        QTest::newRow("rich-text note") << "rtf" << goodRtf() << 3;
        QTest::newRow("DAN research file") << "nem" << goodDan() << 4;
        QTest::newRow("UDDF log") << "uddf" << GoodUddf << 5;
        QTest::newRow("Subsurface log") << "ssrf" << GoodSubsurface << 5;
    }

    void everyReaderWithEveryBrokenFile()
    {
        QFETCH(QString, extension);
        QFETCH(QByteArray, good);
        QFETCH(int, reader);
        const Reader read = QList<Reader>{readSettings, readRecords, readPlan, readNote, readDan, readLog}.at(reader);
        QVERIFY(!good.isEmpty());
        const QString path = pathFor(QStringLiteral("file.") + extension);

        // The good file reads.
        QFile::remove(path);
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(good);
        }
        check(read, path, QStringLiteral("good"), false);

        for (const auto &[form, bytes] : brokenForms(good)) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(file.write(bytes), bytes.size());
            file.close();
            check(read, path, form);
        }

        // 100 MB of nothing, as a sparse file: no disk space taken.
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QVERIFY(file.resize(100 * 1024 * 1024));
        }
        check(read, path, QStringLiteral("100 MB"));

        // Unreadable: without read permission, or (for a user the
        // permissions do not stop) a link to nowhere.
        QFile::remove(path);
        if (::geteuid() == 0) {
            QVERIFY(QFile::link(pathFor(QStringLiteral("nowhere")), path));
        } else {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(good);
            file.close();
            QVERIFY(file.setPermissions({}));
        }
        check(read, path, QStringLiteral("unreadable"));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(path);

        // Gone before it is read.
        check(read, path, QStringLiteral("missing"));

        // A folder of that name.
        QVERIFY(QDir().mkdir(path));
        check(read, path, QStringLiteral("a folder"));
        QVERIFY(QDir().rmdir(path));
    }

    void hugeSettingsFileIsNeverReplaced()
    {
        // Far too large for settings: a change is refused, the file kept.
        const QString path = pathFor(QStringLiteral("huge.ini"));
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QVERIFY(file.resize(IniFile::MaxFileSize + 1));
        }
        IniFile ini(path);
        QCOMPARE(ini.readString(QStringLiteral("Measurements"), QStringLiteral("Metric"), QStringLiteral("none")), QStringLiteral("none"));
        QVERIFY_THROWS_EXCEPTION(WriteError, ini.writeString(QStringLiteral("Measurements"), QStringLiteral("Metric"), QStringLiteral("1")));
        QCOMPARE(QFileInfo(path).size(), IniFile::MaxFileSize + 1);
        QFile::remove(path);
    }

    void danFileDeletedWhileOpen()
    {
        // The reader has the file open when it goes: it reads on to its end.
        const QString path = pathFor(QStringLiteral("going.nem"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(goodDan());
        file.close();
        DanOpList ops;
        DanLoadOptions options;
        options.redraw = [&](qint64) { QFile::remove(path); };
        DanDiveShape dive;
        dive.samples = 400;
        QVERIFY(WriteDanFile(path, {dive}));
        const DanLoadResult result = LoadDanFile(path, options, ops);
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY2(result.complete(), qPrintable(result.message));
        QCOMPARE(result.sampleCount, 400);
    }
};

QTEST_MAIN(TestBadFiles)
#include "tst_badfiles.moc"
