// The recent files list: its INI keys, its menu entries and its choices.

#include "core/IniFile.h"
#include "core/SettingsFile.h"
#include "shell/FileHist.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempSettings.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

class TestFileHist : public QObject
{
    Q_OBJECT

    static QString name(int n) { return QStringLiteral("/dives/log%1.txt").arg(n); }
    static QString stored(int n)
    {
        return IniFile(SettingsFileName()).readString(TFileHist::Section, QStringLiteral("File%1").arg(n), QStringLiteral("?"));
    }
    static QStringList captions(const QMenu &menu)
    {
        QStringList texts;
        for (const QAction *a : menu.actions())
            texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return texts;
    }
    static QAction *entry(const QMenu &menu, const QString &objectName)
    {
        for (QAction *a : menu.actions())
            if (a->objectName() == objectName)
                return a;
        return nullptr;
    }

private slots:
    void tenthFileDropsTheOldest()
    {
        TempSettings settings;
        TFileHist history;
        for (int n = 1; n <= 10; ++n)
            history.AddFile(name(n));
        QCOMPARE(history.files().size(), 9);
        QCOMPARE(history.files().first(), name(10));
        QCOMPARE(stored(1), name(10));
        QCOMPARE(stored(9), name(2));
        QVERIFY(!history.files().contains(name(1)));
    }

    void otherLetterCaseMovesToFrontWithoutDuplicate()
    {
        TempSettings settings;
        TFileHist history;
        history.AddFile(QStringLiteral("/dives/Notes.txt"));
        history.AddFile(QStringLiteral("/dives/plan.dive"));
        history.AddFile(QStringLiteral("/DIVES/NOTES.TXT"));
        QCOMPARE(history.files(), (QStringList{QStringLiteral("/DIVES/NOTES.TXT"), QStringLiteral("/dives/plan.dive")}));
        QCOMPARE(stored(1), QStringLiteral("/DIVES/NOTES.TXT"));
        QCOMPARE(stored(3), QString());
    }

    void loadingStopsAtGap_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::newRow("File3 empty") << QByteArray("[RecentFiles]\nFile1=/a.txt\nFile2=/b.txt\nFile3=\nFile4=/d.txt\n");
        QTest::newRow("File3 missing") << QByteArray("[RecentFiles]\nFile1=/a.txt\nFile2=/b.txt\nFile4=/d.txt\n");
    }
    void loadingStopsAtGap()
    {
        QFETCH(QByteArray, ini);
        TempSettings settings;
        settings.write(ini);
        TFileHist history;
        QCOMPARE(history.files(), (QStringList{QStringLiteral("/a.txt"), QStringLiteral("/b.txt")}));
        history.AddFile(QStringLiteral("/c.txt"));
        QCOMPARE(stored(3), QStringLiteral("/b.txt"));
        QCOMPARE(stored(4), QString());
        QVERIFY(IniFile(SettingsFileName()).valueExists(TFileHist::Section, QStringLiteral("File9")));
    }

    void emptyListLeavesMenuEmptyAndDisabled()
    {
        TempSettings settings;
        QMenu menu;
        TFileHist history;
        history.setMenuItem(&menu);
        QVERIFY(menu.actions().isEmpty());
        QVERIFY(!menu.isEnabled());
        QVERIFY(!menu.menuAction()->isEnabled());
    }

    void menuEntriesFollowTheList()
    {
        TempSettings settings;
        QMenu menu;
        menu.addAction(QStringLiteral("Own entry"));
        TFileHist history;
        history.setMenuItem(&menu);
        QCOMPARE(captions(menu), QStringList{QStringLiteral("Own entry")});

        history.AddFile(QStringLiteral("/dives/first.txt"));
        history.AddFile(QStringLiteral("/dives/Fish & chips.txt"));
        QCOMPARE(captions(menu), (QStringList{QStringLiteral("Own entry"), QStringLiteral("-"),
                                              QStringLiteral("&1  /dives/Fish && chips.txt"),
                                              QStringLiteral("&2  /dives/first.txt"), QStringLiteral("-"),
                                              QStringLiteral("&Clear History")}));
        QVERIFY(menu.isEnabled());
        QVERIFY(entry(menu, QStringLiteral("miMRFblank")));
        QCOMPARE(entry(menu, QStringLiteral("miMRF0"))->data().toInt(), 0);
        QCOMPARE(entry(menu, QStringLiteral("miMRF1"))->data().toInt(), 1);
        QVERIFY(entry(menu, QStringLiteral("miMRFblank2")));
        QCOMPARE(entry(menu, QStringLiteral("miMRFClear"))->data().toInt(), -1);

        history.setShowClear(false);
        QCOMPARE(captions(menu).size(), 4);
        QVERIFY(!entry(menu, QStringLiteral("miMRFClear")));

        // Moving the list to another menu takes its entries along.
        QMenu other;
        history.setMenuItem(&other);
        QCOMPARE(captions(menu), QStringList{QStringLiteral("Own entry")});
        QCOMPARE(captions(other), (QStringList{QStringLiteral("&1  /dives/Fish && chips.txt"),
                                               QStringLiteral("&2  /dives/first.txt")}));
    }

    void chosenEntryGoesToHandlerAndToTheFront_data()
    {
        QTest::addColumn<bool>("reOrder");
        QTest::addColumn<QString>("first");
        QTest::newRow("handler leaves ReOrder") << true << name(1);
        QTest::newRow("handler clears ReOrder") << false << name(3);
    }
    void chosenEntryGoesToHandlerAndToTheFront()
    {
        QFETCH(bool, reOrder);
        QFETCH(QString, first);
        TempSettings settings;
        QMenu menu;
        TFileHist history;
        history.setMenuItem(&menu);
        for (int n = 1; n <= 3; ++n)
            history.AddFile(name(n));
        QStringList chosen;
        history.OnFileSelected = [&](QString &fileName, bool &order) {
            QVERIFY(order);
            chosen << fileName;
            order = reOrder;
        };
        entry(menu, QStringLiteral("miMRF2"))->trigger();
        QCOMPARE(chosen, QStringList{name(1)});
        QCOMPARE(history.files().first(), first);
        QCOMPARE(stored(1), first);
        QCOMPARE(entry(menu, QStringLiteral("miMRF0"))->text(), QStringLiteral("&1  ") + first);
    }

    void clearHistoryAsksFirst_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("cleared");
        QTest::newRow("yes") << QMessageBox::Yes << true;
        QTest::newRow("no") << QMessageBox::No << false;
    }
    void clearHistoryAsksFirst()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, cleared);
        TempSettings settings;
        ScriptedDialogs dialogs;
        dialogs.answerMessage(answer);
        QMenu menu;
        TFileHist history;
        history.setMenuItem(&menu);
        history.AddFile(name(1));
        history.AddFile(name(2));
        entry(menu, QStringLiteral("miMRFClear"))->trigger();

        QCOMPARE(dialogs.messageTexts(),
                 QStringList{QStringLiteral("All history items will be removed from the menu. Continue?")});
        QCOMPARE(dialogs.asked().constFirst().icon, QMessageBox::Warning);
        QCOMPARE(dialogs.asked().constFirst().buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(history.files().isEmpty(), cleared);
        QCOMPARE(menu.actions().isEmpty(), cleared);
        QCOMPARE(menu.isEnabled(), !cleared);
        if (cleared)
            for (int n = 1; n <= 9; ++n)
                QCOMPARE(stored(n), QString());
    }
};

QTEST_MAIN(TestFileHist)
#include "tst_filehist.moc"
