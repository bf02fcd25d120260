// Splitting a file of several dives into one file per dive, the names of
// the pieces, pieces that cannot take their names, and the move of the
// large file into storage.

#include "core/NumText.h"
#include "profiles/model/DanSeveralDives.h"
#include "profiles/model/FileCopy.h"
#include "tests/profiles/DanTestFiles.h"
#include "tests/support/DanFiles.h"
#include "tests/support/OrdinaryUser.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList filesIn(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::System, QDir::Name);
}

DanDiveShape dive(int number, const QString &time, int samples)
{
    DanDiveShape shape;
    shape.number = number;
    shape.time = time;
    shape.samples = samples;
    return shape;
}

} // namespace

class TestDanSplit : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_file;   // two dives: 03/02/97 14:23 and 16:05

    // Answers the chooser with `chosen` (the start when empty), remembering the start.
    DanSplitCallbacks choosing(QString chosen, QString *start = nullptr)
    {
        DanSplitCallbacks callbacks;
        callbacks.chooseDirectory = [=](const QString &from) {
            if (start)
                *start = from;
            return chosen.isEmpty() ? from : chosen;
        };
        return callbacks;
    }

private slots:
    void initTestCase()
    {
        useSystemNumberFormat();
        QVERIFY(m_dir.isValid());
        // The ordinary user of the storage tests must reach the files.
        QFile::setPermissions(m_dir.path(), QFile::Permissions(0x7755));
    }

    void init()
    {
        const QString folder = m_dir.filePath(QString::fromLatin1(QTest::currentTestFunction()) + QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(QDir().mkpath(folder));
        m_file = folder + QStringLiteral("/dives.nem");
        QVERIFY(WriteDanFile(m_file, {dive(1, QStringLiteral("14:23"), 25), dive(2, QStringLiteral("16:05"), 30)}));
    }

    void pieceNames_data()
    {
        QTest::addColumn<QString>("header");
        QTest::addColumn<QString>("name");
        QTest::newRow("date and time") << QStringLiteral("1 03/02/97 14:23 45 60 1500P") << QStringLiteral("03-02-97_14-23.Dan");
        QTest::newRow("second dive") << QStringLiteral("2 03/02/97 16:05 45 60 1500P") << QStringLiteral("03-02-97_16-05.Dan");
        QTest::newRow("two-digit number") << QStringLiteral("12 03.02.97 09:01:30 45") << QStringLiteral("03-02-97_09-01-30.Dan");
        QTest::newRow("leading blanks trimmed") << QStringLiteral("  7 03/02/97 14:23 x") << QStringLiteral("03-02-97_14-23.Dan");
        QTest::newRow("date only") << QStringLiteral("1 03/02/97") << QStringLiteral("03-02-97.Dan");
        QTest::newRow("no blank: nothing dropped") << QStringLiteral("1") << QStringLiteral("1.Dan");
        QTest::newRow("blanks only: none") << QStringLiteral("   ") << QString();
    }
    void pieceNames()
    {
        QFETCH(QString, header);
        QFETCH(QString, name);
        QCOMPARE(DanPieceName(header), name);
    }

    void twoDivesSplitIntoTwoFiles()
    {
        const QChar separator = numberFormatSettings().decimalSeparator;
        const QString folder = QFileInfo(m_file).absolutePath();
        const QString destination = folder + QStringLiteral("/02345");
        QString start;
        DanSplitResult result = ReadFilesForMultibleNEMs(m_file, choosing(QString(), &start));
        QCOMPARE(start, destination);
        QCOMPARE(result.destination, destination);
        QCOMPARE(result.messages, QStringList());
        QCOMPARE(filesIn(destination), (QStringList{QStringLiteral("03-02-97_14-23.Dan"), QStringLiteral("03-02-97_16-05.Dan")}));
        QCOMPARE(result.pieces, (QStringList{destination + QStringLiteral("/03-02-97_14-23.Dan"), destination + QStringLiteral("/03-02-97_16-05.Dan")}));
        const QByteArray line1 = QByteArray(DanIdentification) + "\r\n";
        QCOMPARE(contentOf(result.pieces[0]), line1 + DanDiveText(dive(1, QStringLiteral("14:23"), 25)));
        QCOMPARE(contentOf(result.pieces[1]), line1 + DanDiveText(dive(2, QStringLiteral("16:05"), 30)));

        // Split again into the same directory: nothing is replaced.
        result = ReadFilesForMultibleNEMs(m_file, choosing(QString()));
        QCOMPARE(result.pieces, (QStringList{destination + QStringLiteral("/03-02-97_14-23_.Dan"), destination + QStringLiteral("/03-02-97_16-05_.Dan")}));
        result = ReadFilesForMultibleNEMs(m_file, choosing(QString()));
        QCOMPARE(QFileInfo(result.pieces[0]).fileName(), QStringLiteral("03-02-97_14-23__.Dan"));
        QCOMPARE(filesIn(destination).size(), 6);
        QCOMPARE(contentOf(destination + QStringLiteral("/03-02-97_16-05__.Dan")), contentOf(destination + QStringLiteral("/03-02-97_16-05.Dan")));
        QCOMPARE(numberFormatSettings().decimalSeparator, separator);
    }

    void anotherDirectoryLeavesNoEmptyDefault()
    {
        const QString folder = QFileInfo(m_file).absolutePath();
        const QString mine = folder + QStringLiteral("/mine");
        const DanSplitResult result = ReadFilesForMultibleNEMs(m_file, choosing(mine));
        QCOMPARE(result.destination, mine);
        QCOMPARE(filesIn(mine).size(), 2);
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/02345")));
    }

    void defaultDirectoryStaysBesideTheFile_data()
    {
        QTest::addColumn<QByteArray>("firstField");
        QTest::addColumn<QString>("directory");
        QTest::newRow("slashes") << QByteArray("023/45/x.NEM") << QStringLiteral("023_45_x");
        QTest::newRow("parent folder") << QByteArray("../up.NEM") << QStringLiteral(".._up");
        QTest::newRow("only dots") << QByteArray("...NEM") << QStringLiteral("dives");
        QTest::newRow("backslashes") << QByteArray("C:\\dan\\02345.NEM") << QStringLiteral("C:_dan_02345");
    }
    void defaultDirectoryStaysBesideTheFile()
    {
        QFETCH(QByteArray, firstField);
        QFETCH(QString, directory);
        const QString folder = QFileInfo(m_file).absolutePath();
        QByteArray bytes = contentOf(m_file);
        bytes.replace(0, bytes.indexOf(' '), firstField);
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();

        QString start;
        const QString mine = folder + QStringLiteral("/mine");
        const QStringList around = QDir(folder + QStringLiteral("/..")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        const DanSplitResult result = ReadFilesForMultibleNEMs(m_file, choosing(mine, &start));
        QCOMPARE(start, folder + u'/' + directory);
        QCOMPARE(result.pieces.size(), 2);
        // The default directory was made for the chooser and went again.
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), (QStringList{QStringLiteral("dives.nem"), QStringLiteral("mine")}));
        QCOMPARE(QDir(folder + QStringLiteral("/..")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), around);
    }

    void existingEmptyDefaultDirectoryIsKept()
    {
        const QString folder = QFileInfo(m_file).absolutePath();
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/02345")));
        const DanSplitResult result = ReadFilesForMultibleNEMs(m_file, choosing(folder + QStringLiteral("/mine")));
        QCOMPARE(result.pieces.size(), 2);
        QVERIFY(QFileInfo(folder + QStringLiteral("/02345")).isDir());
    }

    void headerReadingEofIsADive()
    {
        // The end of the file is not told by the text of a line.
        QByteArray bytes = contentOf(m_file);
        const QByteArray second = DanDiveText(dive(2, QStringLiteral("16:05"), 30));
        const qsizetype headerEnd = second.indexOf("\r\n");
        bytes.replace(second.left(headerEnd), "EOF");
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
        file.close();
        const DanSplitResult result = ReadFilesForMultibleNEMs(m_file, choosing(QString()));
        QCOMPARE(result.pieces.size(), 2);
        QCOMPARE(QFileInfo(result.pieces[1]).fileName(), QStringLiteral("EOF.Dan"));
        QCOMPARE(contentOf(result.pieces[1]), QByteArray(DanIdentification) + "\r\nEOF" + second.mid(headerEnd));
    }

    void cancelledChooserWritesNothing()
    {
        DanSplitCallbacks callbacks;
        callbacks.chooseDirectory = [](const QString &) { return QString(); };
        const DanSplitResult result = ReadFilesForMultibleNEMs(m_file, callbacks);
        QVERIFY(result.cancelled);
        QVERIFY(result.pieces.isEmpty());
        QCOMPARE(QDir(QFileInfo(m_file).absolutePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{QStringLiteral("dives.nem")});
    }

    void pieceThatCannotTakeItsNameIsKept()
    {
        // A dangling link holds the first piece's name: the name is free to
        // look at, but the rename is refused, and the link must survive.
        const QString destination = QFileInfo(m_file).absolutePath() + QStringLiteral("/02345");
        QVERIFY(QDir().mkpath(destination));
        const QString taken = destination + QStringLiteral("/03-02-97_14-23.Dan");
        QVERIFY(QFile::link(destination + QStringLiteral("/nowhere"), taken));
        const DanSplitResult result = ReadFilesForMultibleNEMs(m_file, choosing(QString()));
        QCOMPARE(result.pieces.size(), 2);
        const QString kept = result.pieces[0];
        QVERIFY(kept != taken);
        QVERIFY(QFileInfo(kept).fileName().endsWith(QStringLiteral(".Dan")));
        QCOMPARE(contentOf(kept), QByteArray(DanIdentification) + "\r\n" + DanDiveText(dive(1, QStringLiteral("14:23"), 25)));
        QCOMPARE(result.messages, QStringList{QStringLiteral("The dive could not be named %1 (%2); it is kept as %3.").arg(taken, qt_error_string(EEXIST), kept)});
        QCOMPARE(QFileInfo(taken).symLinkTarget(), destination + QStringLiteral("/nowhere"));
        QCOMPARE(result.pieces[1], destination + QStringLiteral("/03-02-97_16-05.Dan"));
        QCOMPARE(filesIn(destination).size(), 3);
    }

    void offerRefused()
    {
        DanSeveralDivesCallbacks callbacks;
        QStringList asked;
        callbacks.askYesNo = [&](const QString &question) {
            asked << question;
            return false;
        };
        callbacks.showMessage = [](const QString &message) { QFAIL(qPrintable(message)); };
        const DanSeveralDivesResult result = OfferDanSplit(m_file, callbacks);
        QVERIFY(!result.split);
        QCOMPARE(asked, QStringList{DanSplitQuestion()});
        QVERIFY(asked[0].startsWith(QStringLiteral("\nThe file you are trying to read contains information for several dives.\n\n")));
        QVERIFY(asked[0].endsWith(QStringLiteral("\nDo you wish to continue ?\n")));
        QCOMPARE(filesIn(QFileInfo(m_file).absolutePath()), QStringList{QStringLiteral("dives.nem")});
    }

    void splitAndStore_data()
    {
        QTest::addColumn<bool>("store");
        QTest::newRow("file moved into storage") << true;
        QTest::newRow("file left in place") << false;
    }
    void splitAndStore()
    {
        QFETCH(bool, store);
        const QString folder = QFileInfo(m_file).absolutePath();
        const QDateTime written(QDate(2001, 2, 3), QTime(4, 5, 6));
        {
            QFile file(m_file);
            QVERIFY(file.open(QIODevice::Append));
            QVERIFY(file.setFileTime(written, QFileDevice::FileModificationTime));
        }
        const QByteArray original = contentOf(m_file);
        DanSeveralDivesCallbacks callbacks;
        QStringList asked, starts;
        callbacks.askYesNo = [&](const QString &question) {
            asked << question;
            return asked.size() == 1 || store;
        };
        callbacks.chooseDirectory = [&](const QString &start) {
            starts << start;
            return start;
        };
        callbacks.showMessage = [](const QString &message) { QFAIL(qPrintable(message)); };
        const DanSeveralDivesResult result = OfferDanSplit(m_file, callbacks);
        QVERIFY(result.split);
        QCOMPARE(result.pieces.pieces.size(), 2);
        QCOMPARE(asked.size(), 2);
        QCOMPARE(asked[1], DanStorageQuestion(QStringLiteral("dives.nem")));
        QVERIFY(asked[1].startsWith(QStringLiteral("dives.nem is now split up into smaller files and\nTidewell can now")));
        QVERIFY(asked[1].endsWith(QStringLiteral("\nDo you wish to move dives.nem into a storage directory ?")));
        const QString storage = folder + QStringLiteral("/DAN Data Storage");
        if (store) {
            QCOMPARE(starts, (QStringList{folder + QStringLiteral("/02345"), storage}));
            QCOMPARE(result.storedAt, storage + QStringLiteral("/dives.nem"));
            QVERIFY(!QFileInfo::exists(m_file));
            QCOMPARE(contentOf(result.storedAt), original);
            QCOMPARE(QFileInfo(result.storedAt).lastModified(), written);
        } else {
            QVERIFY(result.storedAt.isEmpty());
            QCOMPARE(contentOf(m_file), original);
            QVERIFY(!QFileInfo::exists(storage));
        }
    }

    void failedStorageMoves_data()
    {
        QTest::addColumn<bool>("storageWritable");
        QTest::addColumn<QString>("message");
        QTest::newRow("copy refused") << false << QStringLiteral("Copy  {file} to {storage}/dives failed.");
        QTest::newRow("delete refused") << true << QStringLiteral("Delete FAILED - {file}");
    }
    void failedStorageMoves()
    {
        QFETCH(bool, storageWritable);
        QFETCH(QString, message);
        const QString folder = QFileInfo(m_file).absolutePath();
        const QString storage = folder + QStringLiteral("/vault");
        QVERIFY(QDir().mkpath(storage));
        OrdinaryUser::own(storage);
        QFile::setPermissions(storage, storageWritable ? QFile::Permissions(0x7700) : QFile::Permissions(0x5500));
        QFile::setPermissions(folder, QFile::Permissions(0x5555));
        QStringList shown;
        DanSeveralDivesCallbacks callbacks;
        callbacks.chooseDirectory = [&](const QString &) { return storage; };
        callbacks.showMessage = [&](const QString &text) { shown << text; };
        QString storedAt;
        {
            const OrdinaryUser user;
            storedAt = MoveToDanStorage(m_file, callbacks);
        }
        QFile::setPermissions(folder, QFile::Permissions(0x7755));
        QFile::setPermissions(storage, QFile::Permissions(0x7700));
        QCOMPARE(shown, QStringList{message.replace(QStringLiteral("{file}"), m_file).replace(QStringLiteral("{storage}"), storage)});
        QVERIFY(QFileInfo::exists(m_file));   // the large file is never lost
        QCOMPARE(storedAt.isEmpty(), !storageWritable);
    }

    // The storage move never deletes the only copy and never replaces a file.
    void refusedStorageMoves_data()
    {
        QTest::addColumn<QString>("choice");       // relative to the file's folder
        QTest::addColumn<QByteArray>("present");   // a file of the same name there, or none
        QTest::addColumn<QString>("message");
        QTest::newRow("the file's own folder") << "." << QByteArray()
                                               << "{file} is in that folder already; it was not moved.";
        QTest::newRow("the file's own folder, written otherwise") << "vault/.." << QByteArray()
                                                                  << "{file} is in that folder already; it was not moved.";
        QTest::newRow("a folder with a file of that name")
            << "vault" << QByteArray("older dives") << "{folder}/vault/dives.nem already exists; {file} was not moved.";
    }
    void refusedStorageMoves()
    {
        QFETCH(QString, choice);
        QFETCH(QByteArray, present);
        QFETCH(QString, message);
        const QString folder = QFileInfo(m_file).absolutePath();
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/vault")));
        const QString other = folder + QStringLiteral("/vault/dives.nem");
        if (!present.isEmpty()) {
            QFile file(other);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(present);
        }
        const QByteArray original = contentOf(m_file);
        QStringList shown;
        DanSeveralDivesCallbacks callbacks;
        callbacks.chooseDirectory = [&](const QString &) { return folder + u'/' + choice; };
        callbacks.showMessage = [&](const QString &text) { shown << text; };
        QCOMPARE(MoveToDanStorage(m_file, callbacks), QString());
        QCOMPARE(shown, QStringList{message.replace(QStringLiteral("{file}"), m_file).replace(QStringLiteral("{folder}"), folder)});
        QCOMPARE(contentOf(m_file), original);
        QCOMPARE(filesIn(folder), QStringList{QStringLiteral("dives.nem")});
        QCOMPARE(QDir(folder + QStringLiteral("/vault")).entryList(QDir::Files | QDir::Hidden | QDir::System),
                 present.isEmpty() ? QStringList() : QStringList{QStringLiteral("dives.nem")});
        if (!present.isEmpty())
            QCOMPARE(contentOf(other), present);
    }

    void fileCopyKeepsBytesAndTime()
    {
        const QString folder = QFileInfo(m_file).absolutePath();
        QByteArray bytes(40000, Qt::Uninitialized);
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7 % 251);
        const QString source = folder + QStringLiteral("/source.dan");
        QVERIFY(writeBytes(source, bytes));
        const QDateTime written(QDate(1997, 2, 3), QTime(14, 23));
        {
            QFile file(source);
            QVERIFY(file.open(QIODevice::Append));
            QVERIFY(file.setFileTime(written, QFileDevice::FileModificationTime));
        }
        const QString copy = folder + QStringLiteral("/copy.dan");
        QVERIFY(writeBytes(copy, "older content"));
        QVERIFY(fileCopy(source, copy));
        QCOMPARE(contentOf(copy), bytes);
        QCOMPARE(QFileInfo(copy).lastModified(), written);
        QVERIFY(!fileCopy(folder + QStringLiteral("/missing.dan"), folder + QStringLiteral("/new.dan")));
        QVERIFY(!QFileInfo::exists(folder + QStringLiteral("/new.dan")));
    }
};

QTEST_MAIN(TestDanSplit)
#include "tst_dansplit.moc"
