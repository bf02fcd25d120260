// Every way the program writes a file, with each of its file-system calls
// failing in turn (open, write, fsync, rename, link) and with a file size
// limit that stops the write half way: the file on disk is always the whole
// old file or the whole new one, no temporary file is left beside it, and a
// file left old is always reported as not written.
//
// The writes run in a child process (this program started again with
// "--write") with the FailingCalls library preloaded.

#include "core/Errors.h"
#include "core/IniFile.h"
#include "core/SafeWrite.h"
#include "planner/PlanFile.h"
#include "planner/PlanModel.h"
#include "shell/NoteFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <sys/resource.h>

namespace {

const QByteArray OldSettings =
    "; settings\r\n[Measurements]\r\nMetric=0\r\nWater=1\r\n\r\n[Divers]\r\nDiver1=Alpha,80,3000\r\n";
const QByteArray OldPlan = "[Defaults]\nDepth=45\nDiver1Name=Alpha\nDiver2Name=Bravo\nPO2=1.3\n";
const QByteArray OldNote = "The old note, kept whole.\n";
const QByteArray NewNote = QByteArray("A new note, ") + QByteArray(2000, 'x') + "\n";

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
    void eachCallFailsInTurn_data();
    void eachCallFailsInTurn();
    void fileSizeLimitStopsTheWrite_data() { eachCallFailsInTurn_data(); }
    void fileSizeLimitStopsTheWrite();

private:
    Run run(const QString &kind, const QString &folder, const QString &fileName, int failAt,
            qint64 sizeLimit = -1) const;
    void prepare(const QString &fileName, const QByteArray &old, bool oldExists) const;
};

void TestWriteFaults::eachCallFailsInTurn_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<bool>("oldExists");
    QTest::newRow("settings value") << "settings" << "Tidewell.ini" << OldSettings << true;
    QTest::newRow("settings, new file") << "settings" << "Tidewell.ini" << QByteArray() << false;
    QTest::newRow("whole file") << "wholefile" << "data.bin" << OldNote << true;
    QTest::newRow("dive plan") << "plan" << "Reef.Dive" << OldPlan << true;
    QTest::newRow("dive plan, new file") << "plan" << "New.Dive" << QByteArray() << false;
    QTest::newRow("note") << "note" << "note.txt" << OldNote << true;
    QTest::newRow("note, new file") << "note" << "new.txt" << QByteArray() << false;
}

void TestWriteFaults::prepare(const QString &fileName, const QByteArray &old, bool oldExists) const
{
    QFile::remove(fileName);
    if (!oldExists)
        return;
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(old), old.size());
}

Run TestWriteFaults::run(const QString &kind, const QString &folder, const QString &fileName, int failAt,
                         qint64 sizeLimit) const
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(FAILING_CALLS_LIBRARY));
    env.insert(QStringLiteral("TIDEWELL_FAIL_DIR"), folder);
    env.insert(QStringLiteral("TIDEWELL_FAIL_AT"), QString::number(failAt));
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
    QTemporaryDir dir;
    const QString target = dir.filePath(fileName);

    prepare(target, old, oldExists);
    const Run clean = run(kind, dir.path(), target, 0);
    QCOMPARE(clean.output, QStringLiteral("ok"));
    QVERIFY2(clean.calls > 0, "the preloaded library saw no call");
    const QByteArray written = contentsOf(target);
    QVERIFY(written != old);

    int reported = 0;
    for (int n = 1; n <= clean.calls; ++n) {
        prepare(target, old, oldExists);
        const Run faulty = run(kind, dir.path(), target, n);
        const QString where = QStringLiteral("%1, %2").arg(faulty.faults, faulty.output);
        QVERIFY2(!faulty.faults.isEmpty(), qPrintable(QStringLiteral("call %1 was not made again").arg(n)));
        const bool exists = QFileInfo::exists(target);
        const QByteArray now = contentsOf(target);
        const bool isNew = exists && now == written;
        const bool isOld = exists == oldExists && now == old;
        QVERIFY2(isNew || isOld, qPrintable(QStringLiteral("half a file after %1: %2").arg(where, QString::fromUtf8(now))));
        const bool saidError = faulty.output.startsWith(u"error: ");
        QVERIFY2(saidError || faulty.output == u"ok", qPrintable(where));
        QVERIFY2(isNew || saidError, qPrintable(QStringLiteral("old file kept without a word: ") + where));
        QVERIFY2(!saidError || isOld, qPrintable(QStringLiteral("new file written but reported as failed: ") + where));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                 exists ? QStringList{fileName} : QStringList());
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
    QTemporaryDir dir;
    const QString target = dir.filePath(fileName);

    prepare(target, old, oldExists);
    QCOMPARE(run(kind, dir.path(), target, 0).output, QStringLiteral("ok"));
    const QByteArray written = contentsOf(target);

    // The disk is "full" half way through the new content.
    prepare(target, old, oldExists);
    const Run full = run(kind, dir.path(), target, 0, written.size() / 2);
    QVERIFY2(full.output.startsWith(u"error: "), qPrintable(full.output));
    QCOMPARE(QFileInfo::exists(target), oldExists);
    QCOMPARE(contentsOf(target), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), oldExists ? QStringList{fileName} : QStringList());
}

int main(int argc, char **argv)
{
    if (argc >= 4 && qstrcmp(argv[1], "--write") == 0) {
        QCoreApplication app(argc, argv);
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
