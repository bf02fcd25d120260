// Every way the program writes a file, with each of its file-system calls
// failing in turn (open, write, fsync, rename, link) and with a file size
// limit that stops the write half way: the file on disk is always the whole
// old file or the whole new one, no temporary file is left beside it, and a
// file left old is always reported as not written. Covered: settings values,
// gas mix and diver records (saved and deleted), dive plans, notes, whole
// files (also written in place in a folder that refuses new files), file
// copies and the move of a DAN file into storage, the pieces of a DAN split,
// and the mix editor's Save button, whose typed values must stay shown.
//
// The writes run in a child process (this program started again with
// "--write") with the FailingCalls library preloaded.

#include "blending/MixEditor.h"
#include "blending/model/GasRecords.h"
#include "core/Errors.h"
#include "core/IniFile.h"
#include "core/SafeWrite.h"
#include "core/SettingsFile.h"
#include "planner/model/PlanFile.h"
#include "planner/model/PlanModel.h"
#include "profiles/model/DanSeveralDives.h"
#include "profiles/model/FileCopy.h"
#include "shell/NoteFile.h"
#include "tests/faults/DiverWriters.h"
#include "tests/support/DanFiles.h"
#include "tests/support/FakeHost.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/UserDriver.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <QApplication>
#include <QComboBox>

#include <csignal>
#include <cstdio>
#include <dlfcn.h>
#include <memory>
#include <sys/resource.h>

namespace {

const QByteArray OldSettings =
    "; settings\r\n[Measurements]\r\nMetric=0\r\nWater=1\r\n\r\n[Divers]\r\nDiver1=Alpha,80,3000\r\n";
const QByteArray OldRecords =
    "[Measurements]\r\nMetric=0\r\n[Gas Mixes]\r\nTotal=2\r\n1=Air\r\n2=EAN32\r\n[Air]\r\nO2=21\r\nHe=0\r\nN2=79\r\n"
    "[EAN32]\r\nO2=32\r\nHe=0\r\nN2=68\r\n[Divers]\r\nTotal=2\r\n1=Alpha\r\n2=Bravo\r\n"
    "[Alpha]\r\nTankSize=80\r\nCertified=3000\r\nRMV=0.6\r\n[Bravo]\r\nTankSize=100\r\nCertified=3442\r\nRMV=0.7\r\n";
const QByteArray OldPlan = "[Defaults]\nDepth=45\nDiver1Name=Alpha\nDiver2Name=Bravo\nPO2=1.3\n";
const QByteArray OldNote = "The old note, kept whole.\n";
const QByteArray NewNote = QByteArray("A new note, ") + QByteArray(2000, 'x') + "\n";

// The file copied by the "copy" and "store" writers, outside the folder
// whose calls fail.
QString copySource() { return qEnvironmentVariable("TIDEWELL_COPY_SOURCE"); }

// The mix editor of a child window: values typed, the faults started, Save
// clicked. The error shown and the typed values still in the window.
QString saveInMixEditor(const QString &fileName)
{
    SetSettingsFileNameForTesting(fileName);
    ScriptedDialogs dialogs;
    FakeHost host;
    TfmMixEditor editor(host);
    const QStringList typed{QStringLiteral("Trimix 18/45"), QStringLiteral("18"), QStringLiteral("45")};
    user::type(&editor, QStringLiteral("NameOfMix"), typed[0]);
    user::type(&editor, QStringLiteral("Oxygen"), typed[1]);
    user::type(&editor, QStringLiteral("Helium"), typed[2]);
    if (auto start = reinterpret_cast<void (*)()>(dlsym(RTLD_DEFAULT, "tidewellFailingCallsStart")))
        start();
    user::click(&editor, QStringLiteral("SaveRecordBot"));
    const QStringList shown{editor.NameOfMix->currentText(), editor.Oxygen->currentText(), editor.Helium->currentText()};
    if (shown != typed)
        return QStringLiteral("lost what was typed: ") + shown.join(u'|');
    return dialogs.messageTexts().join(u'\n');
}

// The child's side: one write of the named kind, then "ok" or "error: <text>".
int runWriter(const QString &kind, const QString &fileName)
{
    QString error;
    try {
        if (kind == u"settings") {
            IniFile(fileName).writeString(QStringLiteral("Measurements"), QStringLiteral("Metric"), QStringLiteral("1"));
        } else if (kind == u"wholefile") {
            error = WriteWholeFile(fileName, NewNote);
        } else if (kind == u"plan") {
            PlanModel plan;
            plan.inputs.Depth = 30;
            plan.inputs.diver[0].Name = QStringLiteral("Charlie");
            plan.inputs.diver[1].Name = QStringLiteral("Delta");
            WriteDivePlan(plan, fileName);
        } else if (kind == u"note") {
            NoteFile::write(fileName, NewNote);
        } else if (kind == u"mix") {
            SetSettingsFileNameForTesting(fileName);
            SaveGasMix(QStringLiteral("Trimix 18/45"), {QStringLiteral("18"), QStringLiteral("45"), QStringLiteral("37")});
        } else if (kind == u"mixdelete") {
            SetSettingsFileNameForTesting(fileName);
            DeleteGasMix(QStringLiteral("Air"));
        } else if (kind == u"diver") {
            SetSettingsFileNameForTesting(fileName);
            SaveCharliesRecord();
        } else if (kind == u"diverdelete") {
            SetSettingsFileNameForTesting(fileName);
            DeleteAlphasRecord();
        } else if (kind == u"copy") {
            if (!fileCopy(copySource(), fileName))
                error = QStringLiteral("the copy failed");
        } else if (kind == u"store") {
            DanSeveralDivesCallbacks callbacks;
            callbacks.chooseDirectory = [&](const QString &) { return QFileInfo(fileName).absolutePath(); };
            callbacks.showMessage = [&](const QString &message) { error = message; };
            callbacks.askYesNo = [](const QString &) { return true; };
            MoveToDanStorage(copySource(), callbacks);
        } else if (kind == u"split") {
            const DanSplitResult result = ReadFilesForMultibleNEMs(copySource(), {[&](const QString &) { return fileName; }, {}});
            error = result.messages.join(u'\n');
        } else if (kind == u"mixeditor") {
            error = saveInMixEditor(fileName);
        } else {
            error = QStringLiteral("unknown writer ") + kind;
        }
    } catch (const AppError &e) {
        error = e.message();
    }
    const QByteArray line = error.isEmpty() ? QByteArray("ok\n") : "error: " + error.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stdout);
    return 0;
}

QByteArray contentsOf(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Run
{
    QString output;   // what the writer said
    QString faults;   // the shim's report
    int calls = 0;    // counted calls of the run
};

} // namespace

class TestWriteFaults final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void eachCallFailsInTurn_data();
    void eachCallFailsInTurn();
    void fileSizeLimitStopsTheWrite_data() { eachCallFailsInTurn_data(); }
    void fileSizeLimitStopsTheWrite();
    void splitUnderFaults();

private:
    Run run(const QString &kind, const QString &folder, const QString &fileName, int failAt,
            qint64 sizeLimit = -1, bool refuseNew = false) const;
    void prepare(const QString &fileName, const QByteArray &old, bool oldExists) const;
    void restoreSource() const;

    QTemporaryDir m_sources;   // files copied, where no call fails
    QString sourceFile() const { return m_sources.filePath(QStringLiteral("dives.nem")); }
    QByteArray m_sourceBytes;
};

void TestWriteFaults::eachCallFailsInTurn_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<bool>("oldExists");
    QTest::addColumn<bool>("refuseNew");
    QTest::newRow("settings value") << "settings" << "Tidewell.ini" << OldSettings << true << false;
    QTest::newRow("settings, new file") << "settings" << "Tidewell.ini" << QByteArray() << false << false;
    QTest::newRow("settings, folder refuses new files") << "settings" << "Tidewell.ini" << OldSettings << true << true;
    QTest::newRow("whole file") << "wholefile" << "data.bin" << OldNote << true << false;
    QTest::newRow("whole file in place") << "wholefile" << "data.bin" << OldNote << true << true;
    QTest::newRow("dive plan") << "plan" << "Reef.Dive" << OldPlan << true << false;
    QTest::newRow("dive plan, new file") << "plan" << "New.Dive" << QByteArray() << false << false;
    QTest::newRow("note") << "note" << "note.txt" << OldNote << true << false;
    QTest::newRow("note, new file") << "note" << "new.txt" << QByteArray() << false << false;
    QTest::newRow("gas mix saved") << "mix" << "Tidewell.ini" << OldRecords << true << false;
    QTest::newRow("gas mix saved in place") << "mix" << "Tidewell.ini" << OldRecords << true << true;
    QTest::newRow("gas mix deleted") << "mixdelete" << "Tidewell.ini" << OldRecords << true << false;
    QTest::newRow("diver record saved") << "diver" << "Tidewell.ini" << OldRecords << true << false;
    QTest::newRow("diver record deleted") << "diverdelete" << "Tidewell.ini" << OldRecords << true << false;
    QTest::newRow("mix editor's Save") << "mixeditor" << "Tidewell.ini" << OldRecords << true << false;
    QTest::newRow("file copy") << "copy" << "copy.nem" << OldNote << true << false;
    QTest::newRow("file copy, new file") << "copy" << "copy.nem" << QByteArray() << false << false;
    QTest::newRow("DAN file into storage") << "store" << "dives.nem" << QByteArray() << false << false;
}

void TestWriteFaults::restoreSource() const
{
    // The file a copy reads, there again after a move took it away.
    if (QFileInfo::exists(sourceFile()))
        return;
    QFile source(sourceFile());
    QVERIFY(source.open(QIODevice::WriteOnly));
    QCOMPARE(source.write(m_sourceBytes), m_sourceBytes.size());
}

void TestWriteFaults::prepare(const QString &fileName, const QByteArray &old, bool oldExists) const
{
    restoreSource();
    QFile::remove(fileName);
    if (!oldExists)
        return;
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(old), old.size());
}

Run TestWriteFaults::run(const QString &kind, const QString &folder, const QString &fileName, int failAt,
                         qint64 sizeLimit, bool refuseNew) const
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(FAILING_CALLS_LIBRARY));
    env.insert(QStringLiteral("TIDEWELL_FAIL_DIR"), folder);
    env.insert(QStringLiteral("TIDEWELL_FAIL_AT"), QString::number(failAt));
    env.insert(QStringLiteral("TIDEWELL_COPY_SOURCE"), sourceFile());
    // Backups of a write in place go to a folder of their own, whose calls
    // fail too and which must be empty afterwards.
    env.insert(QStringLiteral("TMPDIR"), folder + QStringLiteral("/tmp"));
    if (refuseNew)
        env.insert(QStringLiteral("TIDEWELL_REFUSE_NEW"), QStringLiteral("1"));
    if (kind == u"mixeditor")
        env.insert(QStringLiteral("TIDEWELL_FAIL_ON_START"), QStringLiteral("1"));
    // A sanitizer build would refuse a library loaded ahead of its runtime.
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("verify_asan_link_order=0:detect_leaks=0"));
    child.setProcessEnvironment(env);
    QStringList args{QStringLiteral("--write"), kind, fileName};
    if (sizeLimit >= 0)
        args << QStringLiteral("--size-limit") << QString::number(sizeLimit);
    child.start(QCoreApplication::applicationFilePath(), args);
    Run result;
    if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
        result.output = QStringLiteral("the writer did not end normally: ") + QString::fromUtf8(child.readAllStandardError());
        return result;
    }
    result.output = QString::fromUtf8(child.readAllStandardOutput()).trimmed();
    const QString report = QString::fromUtf8(child.readAllStandardError());
    const auto fault = QRegularExpression(QStringLiteral("^fault: .*$"), QRegularExpression::MultilineOption).match(report);
    result.faults = fault.hasMatch() ? fault.captured(0) : QString();
    const auto calls = QRegularExpression(QStringLiteral("^calls: (\\d+)$"), QRegularExpression::MultilineOption).match(report);
    result.calls = calls.hasMatch() ? calls.captured(1).toInt() : -1;
    return result;
}

void TestWriteFaults::eachCallFailsInTurn()
{
    QFETCH(QString, kind);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, old);
    QFETCH(bool, oldExists);
    QFETCH(bool, refuseNew);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("tmp")));
    const QString target = dir.filePath(fileName);

    prepare(target, old, oldExists);
    const Run clean = run(kind, dir.path(), target, 0, -1, refuseNew);
    QCOMPARE(clean.output, QStringLiteral("ok"));
    QVERIFY2(clean.calls > 0, "the preloaded library saw no call");
    const QByteArray written = contentsOf(target);
    QVERIFY(written != old);

    int reported = 0;
    for (int n = 1; n <= clean.calls; ++n) {
        prepare(target, old, oldExists);
        const Run faulty = run(kind, dir.path(), target, n, -1, refuseNew);
        const QString where = QStringLiteral("%1, %2").arg(faulty.faults, faulty.output);
        QVERIFY2(!faulty.faults.isEmpty(), qPrintable(QStringLiteral("call %1 was not made again").arg(n)));
        const bool exists = QFileInfo::exists(target);
        const QByteArray now = contentsOf(target);
        const bool isNew = exists && now == written;
        const bool isOld = exists == oldExists && now == old;
        QVERIFY2(isNew || isOld, qPrintable(QStringLiteral("half a file after %1: %2").arg(where, QString::fromUtf8(now))));
        const bool saidError = faulty.output.startsWith(u"error: ");
        QVERIFY2(saidError || faulty.output == u"ok", qPrintable(where));
        QVERIFY2(!faulty.output.contains(u"lost what was typed"), qPrintable(where));
        QVERIFY2(isNew || saidError, qPrintable(QStringLiteral("old file kept without a word: ") + where));
        QVERIFY2(!saidError || isOld, qPrintable(QStringLiteral("new file written but reported as failed: ") + where));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 exists ? QStringList{fileName} : QStringList());
        QCOMPARE(QDir(dir.filePath(QStringLiteral("tmp"))).entryList(QDir::Files | QDir::Hidden), QStringList());
        // A file moved into storage is still in its old place when its copy is not whole.
        if (kind == u"store")
            QCOMPARE(QFileInfo::exists(sourceFile()), !isNew);
        reported += saidError ? 1 : 0;
    }
    qInfo("%d calls failed in turn, %d reported as failed writes", clean.calls, reported);
}

void TestWriteFaults::fileSizeLimitStopsTheWrite()
{
    QFETCH(QString, kind);
    QFETCH(QString, fileName);
    QFETCH(QByteArray, old);
    QFETCH(bool, oldExists);
    QFETCH(bool, refuseNew);
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("tmp")));
    const QString target = dir.filePath(fileName);

    prepare(target, old, oldExists);
    QCOMPARE(run(kind, dir.path(), target, 0, -1, refuseNew).output, QStringLiteral("ok"));
    const QByteArray written = contentsOf(target);

    // The disk is "full" half way through the new content.
    prepare(target, old, oldExists);
    // Written in place, the old content's room on the disk is there again:
    // only a longer content can find the disk full.
    if (refuseNew && written.size() <= old.size())
        QSKIP("the new content takes no more room than the old");
    const qint64 limit = refuseNew ? std::max(written.size() / 2, old.size()) : written.size() / 2;
    const Run full = run(kind, dir.path(), target, 0, limit, refuseNew);
    QVERIFY2(full.output.startsWith(u"error: "), qPrintable(full.output));
    QCOMPARE(QFileInfo::exists(target), oldExists);
    QCOMPARE(contentsOf(target), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), oldExists ? QStringList{fileName} : QStringList());
}

void TestWriteFaults::initTestCase()
{
    QVERIFY(m_sources.isValid());
    DanDiveShape second;
    second.number = 2;
    second.time = QStringLiteral("16:05");
    m_sourceBytes = QByteArray(DanIdentification) + "\r\n" + DanDiveText(DanDiveShape{}) + DanDiveText(second);
}

void TestWriteFaults::splitUnderFaults()
{
    // Every piece in the destination is a whole dive; a dive without its
    // piece is reported; nothing is left anywhere else.
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("tmp")));
    const QString destination = dir.filePath(QStringLiteral("pieces"));
    const auto piecesNow = [&] {
        QMap<QString, QByteArray> pieces;
        const QDir folder(destination);
        for (const QString &name : folder.entryList(QDir::Files | QDir::Hidden))
            pieces.insert(name, contentsOf(folder.filePath(name)));
        return pieces;
    };
    restoreSource();
    const Run clean = run(QStringLiteral("split"), dir.path(), destination, 0);
    QCOMPARE(clean.output, QStringLiteral("ok"));
    const QMap<QString, QByteArray> whole = piecesNow();
    QCOMPARE(whole.size(), 2);

    int reported = 0;
    for (int n = 1; n <= clean.calls; ++n) {
        QVERIFY(QDir(destination).removeRecursively());
        const Run faulty = run(QStringLiteral("split"), dir.path(), destination, n);
        const QString where = QStringLiteral("%1, %2").arg(faulty.faults, faulty.output);
        QVERIFY2(!faulty.faults.isEmpty(), qPrintable(QStringLiteral("call %1 was not made again").arg(n)));
        const QMap<QString, QByteArray> now = piecesNow();
        QList<QByteArray> expected = whole.values();
        for (auto it = now.begin(); it != now.end(); ++it) {
            QVERIFY2(expected.removeOne(it.value()), qPrintable(QStringLiteral("part of a dive in %1 after %2").arg(it.key(), where)));
            // A piece kept under its temporary name is reported.
            QVERIFY2(whole.contains(it.key()) || faulty.output.contains(it.key()), qPrintable(where));
        }
        QVERIFY2(expected.isEmpty() || faulty.output.startsWith(u"error: "),
                 qPrintable(QStringLiteral("a dive went missing without a word: ") + where));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        QCOMPARE(contentsOf(sourceFile()), m_sourceBytes);
        reported += faulty.output.startsWith(u"error: ") ? 1 : 0;
    }
    qInfo("%d calls failed in turn, %d reported", clean.calls, reported);
}

int main(int argc, char **argv)
{
    if (argc >= 4 && qstrcmp(argv[1], "--write") == 0) {
        // The mix editor is a window; the other writers need no display.
        std::unique_ptr<QCoreApplication> app(qstrcmp(argv[2], "mixeditor") == 0 ? new QApplication(argc, argv)
                                                                                 : new QCoreApplication(argc, argv));
        if (argc >= 6 && qstrcmp(argv[4], "--size-limit") == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlim_t limit = static_cast<rlim_t>(QByteArray(argv[5]).toLongLong());
            const rlimit r{limit, limit};
            setrlimit(RLIMIT_FSIZE, &r);
        }
        return runWriter(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    }
    QCoreApplication app(argc, argv);
    TestWriteFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_writefaults.moc"
