#include "core/Errors.h"
#include "core/IniFile.h"
#include "core/SafeWrite.h"
#include "core/SettingsFile.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/TempSettings.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

namespace {
QByteArray fileBytes(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
} // namespace

// Profile files: reading, writing and where the settings file lives.
class TestIniFile final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void readString_data();
    void readString();
    void readInteger_data();
    void readInteger();
    void readBool_data();
    void readBool();
    void missingFileReadsDefaultsAndCreatesNothing();
    void writeCreatesSectionAndKey();
    void writeReplacesAndKeepsOtherLines();
    void newKeyGoesToItsSection();
    void windowsFileKeepsCrlfAndBom();
    void windows1252ValueReads();
    void longValueIsCut();
    void lineBreakInValueStaysOnOneLine();
    void eraseSectionAndDeleteKey();
    void lineWithoutEqualsIsNoEntry();
    void randomBytesNeverBreakTheFile();
    void refusedWriteRaisesAndKeepsFile();
    void profileNameForProgram_data();
    void profileNameForProgram();
    void settingsBesideWritableProgram();
    void settingsInConfigFolderWhenProgramFolderIsNotWritable();
    void settingsLeaveAFolderThatRefusesNewFiles();
    void installedProgramWritesOnlyInTheUsersFolders_data();
    void installedProgramWritesOnlyInTheUsersFolders();
    void readOnlyFolderKeepsItsFilesWritable();
    void readOnlyFileInReadOnlyFolderIsRefused();
    void trailingSeparator_data();
    void trailingSeparator();
};

namespace {
const QByteArray Sample =
    "; written by hand\r\n"
    "[Measurements]\r\n"
    "Metric=1\r\n"
    "AverageTableAscentTime=0x1F\r\n"
    "\r\n"
    "[defaults]\r\n"
    "FillTankM = 12\r\n"
    "Note=a=b\r\n"
    "Empty=\r\n"
    "Hex=0x\r\n"
    "Word=abc\r\n"
    "Two=2\r\n"
    "[Measurements]\r\n"
    "Metric=0\r\n";

IniDocument sampleDocument()
{
    QByteArray bytes = Sample;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return IniDocument::fromDevice(buffer);
}
} // namespace

void TestIniFile::readString_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    QTest::newRow("exact") << "Measurements" << "Metric" << "1";
    QTest::newRow("names ignore case") << "MEASUREMENTS" << "metric" << "1";
    QTest::newRow("first section of a name wins") << "Measurements" << "Metric" << "1";
    QTest::newRow("rest of line after first =") << "Defaults" << "Note" << "a=b";
    QTest::newRow("blanks after = are kept") << "Defaults" << "FillTankM" << " 12";
    QTest::newRow("empty value") << "Defaults" << "Empty" << "";
    QTest::newRow("missing key") << "Defaults" << "Nothing" << "<none>";
    QTest::newRow("missing section") << "Divers" << "Total" << "<none>";
    QTest::newRow("comment is no key") << "Measurements" << "; written by hand" << "<none>";
}

void TestIniFile::readString()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    QCOMPARE(sampleDocument().value(section, key).value_or(QStringLiteral("<none>")), expected);
}

void TestIniFile::readInteger_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("hex") << "AverageTableAscentTime" << 31;
    QTest::newRow("0x alone is the default") << "Hex" << -7;
    QTest::newRow("word is the default") << "Word" << -7;
    QTest::newRow("empty is the default") << "Empty" << -7;
    QTest::newRow("decimal") << "Two" << 2;
    QTest::newRow("missing") << "Nothing" << -7;
}

void TestIniFile::readInteger()
{
    QFETCH(QString, key);
    QFETCH(int, expected);
    TempSettings settings;
    settings.write(Sample);
    const IniFile ini(settings.fileName());
    const QString section = key == u"AverageTableAscentTime" ? QStringLiteral("Measurements") : QStringLiteral("Defaults");
    QCOMPARE(ini.readInteger(section, key, -7), expected);
}

void TestIniFile::readBool_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("fallback");
    QTest::addColumn<bool>("expected");
    QTest::newRow("2 is true") << "Two" << false << true;
    QTest::newRow("word keeps default true") << "Word" << true << true;
    QTest::newRow("word keeps default false") << "Word" << false << false;
    QTest::newRow("empty keeps default") << "Empty" << true << true;
}

void TestIniFile::readBool()
{
    QFETCH(QString, key);
    QFETCH(bool, fallback);
    QFETCH(bool, expected);
    TempSettings settings;
    settings.write(Sample);
    QCOMPARE(IniFile(settings.fileName()).readBool(QStringLiteral("Defaults"), key, fallback), expected);
}

void TestIniFile::missingFileReadsDefaultsAndCreatesNothing()
{
    TempSettings settings;
    const IniFile ini(settings.fileName());
    QCOMPARE(ini.readString(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("dflt")), QStringLiteral("dflt"));
    QCOMPARE(ini.readInteger(QStringLiteral("A"), QStringLiteral("B"), 5), 5);
    QVERIFY(!ini.sectionExists(QStringLiteral("A")));
    QVERIFY(!QFile::exists(settings.fileName()));
}

void TestIniFile::writeCreatesSectionAndKey()
{
    TempSettings settings;
    settings.write("[Other]\nx=1\n");
    IniFile ini(settings.fileName());
    ini.writeBool(QStringLiteral("Measurements"), QStringLiteral("Metric"), true);
    QCOMPARE(settings.contents(), QByteArray("[Other]\nx=1\n\n[Measurements]\nMetric=1\n"));
    QVERIFY(ini.readBool(QStringLiteral("measurements"), QStringLiteral("METRIC"), false));
}

void TestIniFile::writeReplacesAndKeepsOtherLines()
{
    TempSettings settings;
    settings.write("; comment\n[measurements]\nmetric=1\n\n[Keep]\nA=1\n");
    IniFile ini(settings.fileName());
    ini.writeInteger(QStringLiteral("Measurements"), QStringLiteral("Metric"), 0);
    QCOMPARE(settings.contents(), QByteArray("; comment\n[measurements]\nmetric=0\n\n[Keep]\nA=1\n"));
}

void TestIniFile::newKeyGoesToItsSection()
{
    TempSettings settings;
    settings.write("[A]\nx=1\n\n[B]\ny=2\n");
    IniFile(settings.fileName()).writeString(QStringLiteral("a"), QStringLiteral("z"), QStringLiteral("3"));
    QCOMPARE(settings.contents(), QByteArray("[A]\nx=1\nz=3\n\n[B]\ny=2\n"));
}

void TestIniFile::windowsFileKeepsCrlfAndBom()
{
    TempSettings settings;
    settings.write("\xEF\xBB\xBF[Time]\r\nTotalTime=01:30\r\n");
    IniFile ini(settings.fileName());
    QCOMPARE(ini.readString(QStringLiteral("Time"), QStringLiteral("TotalTime"), {}), QStringLiteral("01:30"));
    ini.writeInteger(QStringLiteral("Time Total"), QStringLiteral("Hours"), 1);
    QCOMPARE(settings.contents(),
             QByteArray("\xEF\xBB\xBF[Time]\r\nTotalTime=01:30\r\n\r\n[Time Total]\r\nHours=1\r\n"));
}

void TestIniFile::windows1252ValueReads()
{
    TempSettings settings;
    settings.write("[Divers]\r\nName=J\xF8rgen \x80\r\n");
    IniFile ini(settings.fileName());
    QCOMPARE(ini.readString(QStringLiteral("Divers"), QStringLiteral("Name"), {}), QStringLiteral("Jørgen €"));
    // Rewriting keeps the text, now as UTF-8.
    ini.writeString(QStringLiteral("Divers"), QStringLiteral("Total"), QStringLiteral("1"));
    QCOMPARE(ini.readString(QStringLiteral("Divers"), QStringLiteral("Name"), {}), QStringLiteral("Jørgen €"));
}

void TestIniFile::longValueIsCut()
{
    TempSettings settings;
    IniFile ini(settings.fileName());
    ini.writeString(QStringLiteral("A"), QStringLiteral("Long"), QString(2000, u'x'));
    QCOMPARE(ini.readString(QStringLiteral("A"), QStringLiteral("Long"), {}).size(), IniFile::MaxValueLength);
}

void TestIniFile::lineBreakInValueStaysOnOneLine()
{
    TempSettings settings;
    IniFile ini(settings.fileName());
    ini.writeString(QStringLiteral("A"), QStringLiteral("Text"), QStringLiteral("one\n[Evil]\nx=1"));
    QVERIFY(!ini.sectionExists(QStringLiteral("Evil")));
    QCOMPARE(ini.readString(QStringLiteral("A"), QStringLiteral("Text"), {}), QStringLiteral("one [Evil] x=1"));
    QVERIFY_THROWS_EXCEPTION(AppError, ini.writeString(QStringLiteral("A]"), QStringLiteral("k"), QStringLiteral("v")));
    QVERIFY_THROWS_EXCEPTION(AppError, ini.writeString(QStringLiteral("A"), QStringLiteral("k=j"), QStringLiteral("v")));
    // A key written as a comment line could never be read back.
    QVERIFY_THROWS_EXCEPTION(AppError, ini.writeString(QStringLiteral("A"), QStringLiteral(" ;k"), QStringLiteral("v")));
    QVERIFY(!ini.valueExists(QStringLiteral("A"), QStringLiteral(" ;k")));
}

void TestIniFile::eraseSectionAndDeleteKey()
{
    TempSettings settings;
    settings.write("[A]\nx=1\ny=2\n[B]\nz=3\n");
    IniFile ini(settings.fileName());
    ini.deleteKey(QStringLiteral("a"), QStringLiteral("X"));
    QCOMPARE(ini.readSection(QStringLiteral("A")), QStringList{QStringLiteral("y")});
    ini.eraseSection(QStringLiteral("B"));
    QVERIFY(!ini.sectionExists(QStringLiteral("B")));
    QVERIFY(ini.valueExists(QStringLiteral("A"), QStringLiteral("y")));
}

void TestIniFile::lineWithoutEqualsIsNoEntry()
{
    QByteArray bytes("[A]\nstray text\nkey=1\n");
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    IniDocument doc = IniDocument::fromDevice(buffer);
    QCOMPARE(doc.keys(QStringLiteral("A")), QStringList{QStringLiteral("key")});
    QVERIFY(!doc.value(QStringLiteral("A"), QStringLiteral("stray text")).has_value());
    doc.setValue(QStringLiteral("A"), QStringLiteral("stray text"), QStringLiteral("2"));
    QCOMPARE(doc.toBytes(), QByteArray("[A]\nstray text\nkey=1\nstray text=2\n"));
}

// Whatever a settings file holds, reading it never fails, and a value written
// into it reads back while every line that was there stays.
void TestIniFile::randomBytesNeverBreakTheFile()
{
    QRandomGenerator random(20261208);
    const QByteArray alphabet("[]=;\r\n abcXYZ019\xC3\xA6\xE6\x80\t");
    for (int round = 0; round < 500; ++round) {
        QByteArray bytes;
        const int length = random.bounded(200);
        for (int i = 0; i < length; ++i)
            bytes += alphabet.at(random.bounded(alphabet.size()));
        IniDocument doc = IniDocument::fromBytes(bytes);
        const int linesBefore = QString::fromUtf8(doc.toBytes()).count(u'\n');
        doc.setValue(QStringLiteral("Probe"), QStringLiteral("Key"), QStringLiteral("value"));
        const IniDocument again = IniDocument::fromBytes(doc.toBytes());
        QCOMPARE(again.value(QStringLiteral("Probe"), QStringLiteral("Key")).value_or(QString()),
                 QStringLiteral("value"));
        QVERIFY(QString::fromUtf8(doc.toBytes()).count(u'\n') >= linesBefore);
    }
}

void TestIniFile::refusedWriteRaisesAndKeepsFile()
{
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("missing-folder/Plan.Dive"));
    IniFile ini(name);
    try {
        ini.writeString(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"));
        QFAIL("no error raised");
    } catch (const WriteError &e) {
        QCOMPARE(e.message(), QStringLiteral("Unable to write to %1").arg(name));
    }
}

void TestIniFile::readOnlyFolderKeepsItsFilesWritable()
{
    // An administrator's install: the folder refuses new files, the settings
    // file in it may be written. Writes go in place, whole.
    QTemporaryDir dir;
    OrdinaryUser::own(dir.path());
    const QString name = dir.filePath(QStringLiteral("Tidewell.INI"));
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("; kept\r\n[A]\r\nB=old\r\n");
    file.close();
    OrdinaryUser::own(name);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    {
        OrdinaryUser user;
        QVERIFY(!CanCreateFilesIn(dir.path()));
        IniFile(name).writeString(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("new"));
        IniFile(name).writeString(QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("added"));
    }
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(fileBytes(name), QByteArray("; kept\r\n[A]\r\nB=new\r\nC=added\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"Tidewell.INI"});
}

void TestIniFile::readOnlyFileInReadOnlyFolderIsRefused()
{
    QTemporaryDir dir;
    OrdinaryUser::own(dir.path());
    const QString locked = dir.filePath(QStringLiteral("locked.INI"));
    QFile file(locked);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[A]\nB=old\n");
    file.close();
    OrdinaryUser::own(locked);
    QFile::setPermissions(locked, QFileDevice::ReadOwner);
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    {
        OrdinaryUser user;
        QVERIFY_THROWS_EXCEPTION(WriteError, IniFile(locked).writeString(QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("new")));
    }
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QCOMPARE(IniFile(locked).readString(QStringLiteral("A"), QStringLiteral("B"), {}), QStringLiteral("old"));
}

void TestIniFile::profileNameForProgram_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no extension") << "/opt/tw/Tidewell" << "/opt/tw/Tidewell.INI";
    QTest::newRow("extension replaced") << "/opt/tw/Tidewell.exe" << "/opt/tw/Tidewell.INI";
    QTest::newRow("last dot only") << "/opt/tw.d/Tide.well.bin" << "/opt/tw.d/Tide.well.INI";
}

void TestIniFile::profileNameForProgram()
{
    QFETCH(QString, program);
    QFETCH(QString, expected);
    QCOMPARE(ProfileNameForProgram(program), expected);
}

void TestIniFile::settingsBesideWritableProgram()
{
    // The test binary's folder is writable, so the file sits beside it.
    const QString expected = ProfileNameForProgram(QCoreApplication::applicationFilePath());
    QCOMPARE(SettingsFileName(), expected);
    QCOMPARE(SettingsFolder(), QFileInfo(expected).absolutePath() + u'/');
}

void TestIniFile::settingsInConfigFolderWhenProgramFolderIsNotWritable()
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QCOMPARE(SettingsFileNameFor(QStringLiteral("/nonexistent-tidewell/bin/Tidewell")),
             QDir(config).filePath(QStringLiteral("Tidewell.INI")));
    QVERIFY(QFileInfo(config).isDir());
}

void TestIniFile::settingsLeaveAFolderThatRefusesNewFiles()
{
    // A program folder that refuses new files, even with a writable settings
    // file in it: the user's configuration folder takes over, starting from
    // the settings found beside the program.
    QTemporaryDir home;
    OrdinaryUser::own(home.path());
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    QTemporaryDir program;
    OrdinaryUser::own(program.path());
    const QString beside = program.filePath(QStringLiteral("Tidewell.INI"));
    QFile file(beside);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Measurements]\nMetric=1\n");
    file.close();
    OrdinaryUser::own(beside);
    QFile::setPermissions(program.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QString chosen;
    {
        OrdinaryUser user;
        chosen = SettingsFileNameFor(program.filePath(QStringLiteral("Tidewell")));
        IniFile(chosen).writeString(QStringLiteral("Measurements"), QStringLiteral("Water"), QStringLiteral("1"));
    }
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    qputenv("HOME", oldHome);
    QFile::setPermissions(program.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QVERIFY2(config.startsWith(home.path()), qPrintable(config));
    QCOMPARE(chosen, QDir(config).filePath(QStringLiteral("Tidewell.INI")));
    QCOMPARE(fileBytes(chosen), QByteArray("[Measurements]\nMetric=1\nWater=1\n"));
    QCOMPARE(fileBytes(beside), QByteArray("[Measurements]\nMetric=1\n"));
}

void TestIniFile::installedProgramWritesOnlyInTheUsersFolders_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("program");
    QTest::addColumn<bool>("installed");
    // The folders are the test's own, so its user (root too) can write to
    // the program's folder: only the layout decides.
    QTest::newRow("installed in a prefix") << QStringList{"usr/bin", "usr/share/tidewell"} << "usr/bin/Tidewell" << true;
    QTest::newRow("unpacked folder") << QStringList{"Tidewell-0.99"} << "Tidewell-0.99/Tidewell" << false;
    QTest::newRow("bin folder without the data folder") << QStringList{"opt/bin", "opt/share/other"}
                                                        << "opt/bin/Tidewell" << false;
    QTest::newRow("data folder inside the program's folder") << QStringList{"tw/share/tidewell"} << "tw/Tidewell"
                                                             << false;
}

void TestIniFile::installedProgramWritesOnlyInTheUsersFolders()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, program);
    QFETCH(bool, installed);
    QTemporaryDir prefix;
    for (const QString &folder : folders)
        QVERIFY(QDir(prefix.path()).mkpath(folder));
    const QString programPath = prefix.filePath(program);
    QFile file(programPath);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QString programFolder = QFileInfo(programPath).absolutePath() + u'/';

    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    const bool isInstalled = IsInstalledProgram(programPath);
    const QString settings = SettingsFileNameFor(programPath);
    const QString data = DataFolderFor(programPath);
    IniFile(settings).writeString(QStringLiteral("Measurements"), QStringLiteral("Metric"), QStringLiteral("1"));
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    const QString userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    qputenv("HOME", oldHome);

    QCOMPARE(isInstalled, installed);
    if (installed) {
        QVERIFY2(config.startsWith(home.path()) && userData.startsWith(home.path()), qPrintable(config + u' ' + userData));
        QCOMPARE(settings, config + QStringLiteral("/Tidewell.INI"));
        QCOMPARE(data, userData + u'/');
        QVERIFY(QFileInfo(data).isDir());
    } else {
        QCOMPARE(settings, programFolder + QStringLiteral("Tidewell.INI"));
        QCOMPARE(data, programFolder);
    }
    QCOMPARE(fileBytes(settings), QByteArray("[Measurements]\nMetric=1\n"));
    const QStringList written = installed ? QStringList{QStringLiteral("Tidewell")}
                                          : QStringList{QStringLiteral("Tidewell"), QStringLiteral("Tidewell.INI")};
    QCOMPARE(QDir(programFolder).entryList(QDir::Files), written);
}

void TestIniFile::trailingSeparator_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << "" << "";
    QTest::newRow("added") << "/tmp/a" << "/tmp/a/";
    QTest::newRow("kept") << "/tmp/a/" << "/tmp/a/";
}

void TestIniFile::trailingSeparator()
{
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    QCOMPARE(WithTrailingBackslash(folder), expected);
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
