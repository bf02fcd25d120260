// File views must never read the files they list: a pipe or a kernel file in
// a browsed folder would block the window for good.

#include "widgets/PlainFileIcons.h"

#include <QApplication>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <atomic>
#include <memory>
#include <thread>

class TestPlainFileIcons final : public QObject
{
    Q_OBJECT

private slots:
    void aPipeIsNeverRead()
    {
        QTemporaryDir dir;
        const QString pipe = dir.filePath(QStringLiteral("dive.dan"));
        QVERIFY(::mkfifo(QFile::encodeName(pipe).constData(), 0600) == 0);
        // The lookup runs on a thread of its own, so a read that blocks fails the test instead of hanging it.
        auto done = std::make_shared<std::atomic<bool>>(false);
        auto typeName = std::make_shared<QString>();
        std::thread([pipe, done, typeName] {
            const QFileInfo info(pipe);
            plainFileIcons()->icon(info);
            *typeName = plainFileIcons()->type(info);
            *done = true;
        }).detach();
        QTRY_VERIFY_WITH_TIMEOUT(done->load(), 5000);
        QVERIFY(!typeName->isEmpty());
    }

    void foldersAndFilesByKind()
    {
        QTemporaryDir dir;
        QCOMPARE(plainFileIcons()->type(QFileInfo(dir.path())), QStringLiteral("Folder"));
        QVERIFY(!plainFileIcons()->icon(QFileInfo(dir.path())).isNull());
        QVERIFY(!plainFileIcons()->icon(QFileInfo(dir.filePath(QStringLiteral("notes.txt")))).isNull());
    }
};

QTEST_MAIN(TestPlainFileIcons)
#include "tst_plainfileicons.moc"
