#include "blending/MixEditor.h"
#include "core/SettingsFile.h"
#include "shell/Application.h"
#include "tests/blending/BlendTestSupport.h"
#include "tests/support/WindowFixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

using namespace blendtest;

namespace {

const QString Index = QStringLiteral("Gas Mixes");

QString stored(const QString &section, const QString &key)
{
    return SettingsFile().readString(section, key, QStringLiteral("<none>"));
}

QStringList listed(const QComboBox *box)
{
    QStringList names;
    for (int i = 0; i < box->count(); ++i)
        names << box->itemText(i);
    return names;
}

QStringList shown(const TfmMixEditor *editor)
{
    return {editor->NameOfMix->currentText(), editor->Oxygen->currentText(), editor->Helium->currentText(),
            editor->Nitrogen->currentText()};
}

} // namespace

class TestMixEditor : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { useTestNumberFormat(); }

    void firstStartWritesTheDefaults()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        TfmMixEditor *editor = open<TfmMixEditor>(main, "GasMixEditor1");
        QVERIFY(editor);
        QCOMPARE(editor->windowTitle(), QStringLiteral("Mix Editor"));
        QCOMPARE(stored(Index, "Total"), localNumbers("4"));
        QCOMPARE(stored(Index, "1"), QStringLiteral("Air"));
        QCOMPARE(stored(Index, "4"), QStringLiteral("EAN80"));
        QCOMPARE(listed(editor->NameOfMix), localNumbers(QStringList{"Air", "EAN32", "EAN36", "EAN80"}));
        QCOMPARE(shown(editor), localNumbers(QStringList{"", "0", "0", "100.00"}));
        QVERIFY(!editor->Nitrogen->isEnabled());
        QVERIFY(!editor->DeleteButton->isEnabled());
    }

    void typingANameLoadsItsRecord()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        TfmMixEditor *editor = open<TfmMixEditor>(main, "GasMixEditor1");
        QTest::keyClicks(editor->NameOfMix->lineEdit(), QStringLiteral("EAN"));
        QCOMPARE(shown(editor), localNumbers(QStringList{"EAN", "0", "0", "0"}));
        QVERIFY(editor->DeleteButton->isEnabled());
        QTest::keyClicks(editor->NameOfMix->lineEdit(), QStringLiteral("36"));
        QCOMPARE(shown(editor), localNumbers(QStringList{"EAN36", "36", "0", "64"}));
    }

    void typedNameThatStartsLikeTheStoredDefault()
    {
        // "Default" picks the stored mix only when the window opens; a name
        // being typed is never rewritten under the user's cursor.
        WindowFixture program;
        SettingsFile().writeString(Index, QStringLiteral("Default"), QStringLiteral("EAN32"));
        TMainForm &main = program.main();
        TfmMixEditor *editor = open<TfmMixEditor>(main, "GasMixEditor1");
        QCOMPARE(shown(editor), localNumbers(QStringList{"EAN32", "32", "0", "68.00"}));
        user::click(editor->NewRecord);
        user::type(editor->NameOfMix, QStringLiteral("Default deco"));
        QCOMPARE(shown(editor), (QStringList{"Default deco", "0", "0", "0"}));
        QVERIFY(!editor->NameOfMix->lineEdit()->hasSelectedText());
        user::type(editor->Oxygen, QStringLiteral("50"));
        user::click(editor->SaveRecordBot);
        QCOMPARE(stored("Default deco", "O2"), QStringLiteral("50"));
        QCOMPARE(stored(Index, "Default"), QStringLiteral("EAN32"));
    }

    void savedMixSurvivesReopening()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        TfmMixEditor *editor = open<TfmMixEditor>(main, "GasMixEditor1");
        editor->NewRecord->click();
        type(editor->NameOfMix, QStringLiteral("Trimix 21/35"));
        type(editor->Oxygen, QStringLiteral("21"));
        type(editor->Helium, QStringLiteral("35"));
        QCOMPARE(editor->Nitrogen->currentText(), localNumbers("44.00"));
        editor->SaveRecordBot->click();
        QCOMPARE(stored(Index, "Total"), localNumbers("5"));
        QCOMPARE(stored(Index, "5"), QStringLiteral("Trimix 21/35"));
        QCOMPARE(stored("Trimix 21/35", "N2"), localNumbers("44.00"));
        QVERIFY(listed(editor->NameOfMix).contains(QStringLiteral("Trimix 21/35")));

        // Saving a listed name rewrites its record only.
        type(editor->Oxygen, QStringLiteral("18"));
        editor->SaveRecordBot->click();
        QCOMPARE(stored(Index, "Total"), localNumbers("5"));
        QCOMPARE(stored("Trimix 21/35", "O2"), localNumbers("18"));

        QVERIFY(closeWindow(editor));
        QCOMPARE(stored(Index, "Default"), QStringLiteral("Trimix 21/35"));
        TfmMixEditor *again = open<TfmMixEditor>(main, "GasMixEditor1");
        QCOMPARE(shown(again), localNumbers(QStringList{"Trimix 21/35", "18", "35", "47.00"}));
        QCOMPARE(listed(again->NameOfMix).size(), 5);
    }

    void deleteAsksAndClosesTheGap_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("Yes deletes") << true;
        QTest::newRow("No keeps") << false;
    }

    void deleteAsksAndClosesTheGap()
    {
        QFETCH(bool, yes);
        WindowFixture program;
        TMainForm &main = program.main();
        TfmMixEditor *editor = open<TfmMixEditor>(main, "GasMixEditor1");
        type(editor->NameOfMix, QStringLiteral("EAN32"));
        program.dialogs().answerMessage(yes ? QMessageBox::Yes : QMessageBox::No);
        editor->DeleteButton->click();
        QCOMPARE(program.dialogs().messageTexts(),
                 QStringList{QStringLiteral("Are you sure you want to delete this record ?")});
        if (yes) {
            QCOMPARE(stored(Index, "Total"), localNumbers("3"));
            QCOMPARE(stored(Index, "2"), QStringLiteral("EAN36"));
            QCOMPARE(stored(Index, "3"), QStringLiteral("EAN80"));
            QVERIFY(!SettingsFile().sectionExists(QStringLiteral("EAN32")));
            QCOMPARE(listed(editor->NameOfMix), localNumbers(QStringList{"Air", "EAN36", "EAN80"}));
            QCOMPARE(shown(editor), localNumbers(QStringList{"", "0", "0", "0"}));
        } else {
            QCOMPARE(stored(Index, "Total"), localNumbers("4"));
            QCOMPARE(shown(editor), localNumbers(QStringList{"EAN32", "32", "0", "68"}));
        }
    }

    void deletingEveryMixBringsTheDefaultsBack()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        TfmMixEditor *editor = open<TfmMixEditor>(main, "GasMixEditor1");
        for (const char *name : {"Air", "EAN32", "EAN36", "EAN80"}) {
            type(editor->NameOfMix, QString::fromLatin1(name));
            program.dialogs().answerMessage(QMessageBox::Yes);
            editor->DeleteButton->click();
        }
        QCOMPARE(stored(Index, "Total"), localNumbers("0"));
        QVERIFY(closeWindow(editor));
        QCOMPARE(stored(Index, "Default"), QString());

        TfmMixEditor *again = open<TfmMixEditor>(main, "GasMixEditor1");
        QCOMPARE(stored(Index, "Total"), localNumbers("4"));
        QCOMPARE(shown(again), localNumbers(QStringList{"", "0", "0", "100.00"}));
    }

    void defButtonRecreatesTheDefaults()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        TfmMixEditor *editor = open<TfmMixEditor>(main, "GasMixEditor1");
        type(editor->NameOfMix, QStringLiteral("Mine"));
        editor->SaveRecordBot->click();
        SettingsFile().writeString(QStringLiteral("EAN36"), QStringLiteral("O2"), QStringLiteral("35"));
        editor->SpeedButton1->click();
        QCOMPARE(shown(editor), localNumbers(QStringList{"Air", "21", "0", "79"}));
        QCOMPARE(stored("EAN36", "O2"), localNumbers("36"));
        QCOMPARE(listed(editor->NameOfMix), localNumbers(QStringList{"Air", "EAN32", "EAN36", "EAN80", "Mine"}));
    }

    void namesAreListedAlphabetically()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        TfmMixEditor *editor = open<TfmMixEditor>(main, "GasMixEditor1");
        for (const char *name : {"trimix", "air 2", "Deep"}) {
            type(editor->NameOfMix, QString::fromLatin1(name));
            editor->SaveRecordBot->click();
        }
        const QStringList expected{"Air", "air 2", "Deep", "EAN32", "EAN36", "EAN80", "trimix"};
        QCOMPARE(listed(editor->NameOfMix), expected);
        QVERIFY(closeWindow(editor));
        QCOMPARE(listed(open<TfmMixEditor>(main, "GasMixEditor1")->NameOfMix), expected);
    }

    // A mix named like the program's own settings would share their section.
    void reservedNamesAreRefused()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        TfmMixEditor *editor = open<TfmMixEditor>(main, "GasMixEditor1");
        const QByteArray before = program.settings().contents();

        type(editor->NameOfMix, QStringLiteral("Gas Mixes"));
        editor->SaveRecordBot->click();
        editor->DeleteButton->click();
        QCOMPARE(program.settings().contents(), before);
        QCOMPARE(program.dialogs().messageTexts().size(), 2);
        for (const QString &text : program.dialogs().messageTexts())
            QVERIFY2(text.contains(QStringLiteral("\"Gas Mixes\"")), qPrintable(text));
        QVERIFY(!listed(editor->NameOfMix).contains(QStringLiteral("Gas Mixes")));
    }

    void unreadablePercentKeepsNitrogen()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        TfmMixEditor *editor = open<TfmMixEditor>(main, "GasMixEditor1");
        type(editor->Oxygen, QStringLiteral("3x"));
        QCOMPARE(program.dialogs().messageTexts(),
                 QStringList{QStringLiteral("'3x' is not a valid floating point value")});
        // "3" balanced the mix; "3x" leaves that result standing.
        QCOMPARE(editor->Nitrogen->currentText(), localNumbers("97.00"));
    }
};

int main(int argc, char **argv)
{
    TidewellApplication app(argc, argv);
    TestMixEditor test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_mixeditor.moc"
