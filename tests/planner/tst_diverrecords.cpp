// Diver records in the settings file: saving, loading into the editor and
// into the plan, deleting with renumbering, the example records, and the
// names that must never become records.

#include "tests/planner/PlanTestSupport.h"
#include "tests/support/TempSettings.h"
#include "tests/support/TestNumbers.h"

#include "planner/model/DiverRecords.h"

#include "core/Errors.h"
#include "core/SettingsFile.h"

#include <QtTest>

namespace {

// Answers every question with `answer` and remembers the questions.
struct ScriptedAnswer
{
    bool answer = true;
    QStringList asked;
    AskRecordQuestion ask()
    {
        return [this](const QString &question) {
            asked << question;
            return answer;
        };
    }
};

QString divers(const QString &key) { return SettingsFile().readString("Divers", key, "<missing>"); }

} // namespace

class TestDiverRecords : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void saveAddsThenUpdates();
    void sameNameInOtherLetterCaseIsTheSameRecord();
    void deleteMiddleRecordRenumbers();
    void deleteNeedsConfirmation();
    void loadRecordIntoEditor();
    void loadDiverIntoPlan_data();
    void loadDiverIntoPlan();
    void loadDiverWithoutDefaultKeepsTheValues();
    void emptyListOffersExamples_data();
    void emptyListOffersExamples();
    void examplesJoinExistingRecords();
    void refusedNames_data();
    void refusedNames();
    void deleteRefusesProgramSections();
    void dragOntoDiverBox();

private:
    std::unique_ptr<TempSettings> m_settings;
    std::unique_ptr<PlanModel> m_plan;
    ScriptedAnswer m_answers;
};

void TestDiverRecords::init()
{
    m_settings = std::make_unique<TempSettings>();
    usePlanTestUnits(false);
    m_plan = openPlan();
    m_answers = ScriptedAnswer();
}

void TestDiverRecords::cleanup()
{
    m_plan.reset();
    m_settings.reset();
}

void TestDiverRecords::saveAddsThenUpdates()
{
    DiverRecords records(*m_plan, m_answers.ask());
    records.SaveDiverRecord("Zovu, 80", "80", "3000", localNumbers("0.75"));
    records.SaveDiverRecord("Zad, 95", "95", "2475", localNumbers("0.65"));
    records.SaveDiverRecord("Zovu, 80", "100", "3500", localNumbers("0.8"));
    QCOMPARE(divers("Total"), "2");
    QCOMPARE(divers("1"), "Zovu, 80");
    QCOMPARE(divers("2"), "Zad, 95");
    QCOMPARE(records.DiversListBox, (QStringList{"Zovu, 80", "Zad, 95"}));
    const IniFile settings = SettingsFile();
    QCOMPARE(settings.readString("Zovu, 80", "TankSize", ""), "100");
    QCOMPARE(settings.readString("Zovu, 80", "Certified", ""), "3500");
    QCOMPARE(settings.readString("Zovu, 80", "RMV", ""), localNumbers("0.8"));
}

void TestDiverRecords::sameNameInOtherLetterCaseIsTheSameRecord()
{
    // The file knows one section for both spellings, so the index must too.
    DiverRecords records(*m_plan, m_answers.ask());
    records.SaveDiverRecord("Zovu, 80", "80", "3000", localNumbers("0.75"));
    records.SaveDiverRecord("zovu, 80", "100", "3000", localNumbers("0.75"));
    QCOMPARE(divers("Total"), "1");
    records.EdName = "ZOVU, 80";
    records.DiverDeleteClick();
    QCOMPARE(divers("Total"), "0");
    QVERIFY(!SettingsFile().sectionExists("Zovu, 80"));
}

void TestDiverRecords::deleteMiddleRecordRenumbers()
{
    DiverRecords records(*m_plan, m_answers.ask());
    records.SaveDiverRecord("Alpha", "80", "3000", localNumbers("0.75"));
    records.SaveDiverRecord("Bravo", "100", "3000", localNumbers("0.8"));
    records.SaveDiverRecord("Charlie", "120", "3500", "1");
    records.EdName = "Bravo";
    records.DiverDeleteClick();
    QCOMPARE(m_answers.asked, QStringList{"Are you sure you want to delete this record ?"});
    QCOMPARE(divers("Total"), "2");
    QCOMPARE(divers("1"), "Alpha");
    QCOMPARE(divers("2"), "Charlie");
    QCOMPARE(DiverRecordNames(), (QStringList{"Alpha", "Charlie"}));
    QCOMPARE(records.DiversListBox, (QStringList{"Alpha", "Charlie"}));
    QVERIFY(!SettingsFile().sectionExists("Bravo"));
    QVERIFY(SettingsFile().sectionExists("Charlie"));
    // The editor is emptied afterwards.
    QCOMPARE(records.EdName, "");
    QVERIFY(!records.DiverDeleteEnabled());
}

void TestDiverRecords::deleteNeedsConfirmation()
{
    DiverRecords records(*m_plan, m_answers.ask());
    records.SaveDiverRecord("Alpha", "80", "3000", localNumbers("0.75"));
    m_answers.answer = false;
    records.EdName = "Alpha";
    records.DiverDeleteClick();
    QCOMPARE(m_answers.asked.size(), 1);
    QCOMPARE(divers("Total"), "1");
    QVERIFY(SettingsFile().sectionExists("Alpha"));
    // Nothing to delete without a name: no question.
    records.EdName.clear();
    records.DiverDeleteClick();
    QCOMPARE(m_answers.asked.size(), 1);
}

void TestDiverRecords::loadRecordIntoEditor()
{
    DiverRecords records(*m_plan, m_answers.ask());
    records.SaveDiverRecord("Alpha", "80", "3000", localNumbers("0.75"));
    SettingsFile().writeString("Divers", "Default", "Alpha");
    records.LoadRecord("");
    QCOMPARE(records.EdName, "Alpha");
    QCOMPARE(records.EdTankSize, "80");
    QCOMPARE(records.EdCertified, "3000");
    QCOMPARE(records.EdRMV, localNumbers("0.75"));
    records.LoadRecord("Nobody");
    QCOMPARE(records.EdName, "Nobody");
    QCOMPARE(records.EdTankSize, "");
    QCOMPARE(records.EdRMV, "");
    records.DiversListBoxClick(0);
    QCOMPARE(records.EdName, "Alpha");
    QCOMPARE(records.EdCertified, "3000");
    QVERIFY(records.DiverDeleteEnabled());
    records.DiverNewClick();
    QCOMPARE(records.EdTankSize, "");
    QVERIFY(!records.DiverDeleteEnabled());
}

void TestDiverRecords::loadDiverIntoPlan_data()
{
    QTest::addColumn<QString>("requested");
    QTest::addColumn<QStringList>("expected"); // name, tank, pressure, rate
    QTest::newRow("named record") << "Bravo" << QStringList{"Bravo", "100", "3500", localNumbers("0.8")};
    QTest::newRow("Default") << "Default" << QStringList{"Alpha", "80", "3000", localNumbers("0.75")};
    QTest::newRow("empty name") << "" << QStringList{"Alpha", "80", "3000", localNumbers("0.75")};
    QTest::newRow("Load Error") << "Load Error" << QStringList{"Alpha", "80", "3000", localNumbers("0.75")};
    QTest::newRow("record that no longer exists")
        << "Gone" << QStringList{"Gone", "Load Error", "Load Error", "Load Error"};
}

void TestDiverRecords::loadDiverIntoPlan()
{
    QFETCH(QString, requested);
    QFETCH(QStringList, expected);
    DiverRecords records(*m_plan, m_answers.ask());
    records.SaveDiverRecord("Alpha", "80", "3000", localNumbers("0.75"));
    records.SaveDiverRecord("Bravo", "100", "3500", localNumbers("0.8"));
    SettingsFile().writeString("Divers", "Default", "Alpha");
    LoadDiver2(*m_plan, requested);
    const DiverInputs &diver2 = m_plan->inputs.diver[1];
    QCOMPARE((QStringList{diver2.Name, diver2.Tanksize, diver2.PSI, diver2.BR}), expected);
    // Diver 1 is untouched.
    QCOMPARE(m_plan->inputs.diver[0].Tanksize, "160");
}

void TestDiverRecords::loadDiverWithoutDefaultKeepsTheValues()
{
    m_plan->inputs.diver[0].Name = "Someone";
    LoadDiver1(*m_plan, "Default");
    QCOMPARE(m_plan->inputs.diver[0].Name, "");
    QCOMPARE(m_plan->inputs.diver[0].Tanksize, "160");
    QCOMPARE(m_plan->inputs.diver[0].PSI, "3000");
}

void TestDiverRecords::emptyListOffersExamples_data()
{
    QTest::addColumn<bool>("metric");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("firstRecord");
    QTest::newRow("declined") << false << false << QStringList() << QStringList();
    QTest::newRow("metric examples") << true << true << QStringList{"Diver #1", "Diver #2"}
                                     << QStringList{"10", "241", "15"};
    QTest::newRow("imperial examples")
        << false << true
        << QStringList{"Dorvik, Doubles", "Dorvik, 120", "Zovu, 120", "Zovu, 100", "Zovu, 80",
                       "Zaru, 160", "Zaru, 120", "Zaru, 100", "Zad, 95"}
        << QStringList{"240", "3500", localNumbers("0.95")};
}

void TestDiverRecords::emptyListOffersExamples()
{
    QFETCH(bool, metric);
    QFETCH(QStringList, names);
    QFETCH(QStringList, firstRecord);
    programUnits().metric = metric;
    QFETCH(bool, answer);
    m_answers.answer = answer;
    DiverRecords records(*m_plan, m_answers.ask());
    records.FillComboBoxForDiverRecords();
    QCOMPARE(m_answers.asked, QStringList{"Do you wish to create some example dive members ?"});
    QCOMPARE(records.DiversListBox, names);
    QCOMPARE(DiverRecordNames(), names);
    if (!names.isEmpty()) {
        const IniFile settings = SettingsFile();
        QCOMPARE((QStringList{settings.readString(names[0], "TankSize", ""),
                              settings.readString(names[0], "Certified", ""),
                              settings.readString(names[0], "RMV", "")}),
                 firstRecord);
        QCOMPARE(settings.readString(names.last(), "RMV", ""), metric ? "20" : localNumbers("0.65"));
    }
    // With records present the list is filled without asking.
    records.FillComboBoxForDiverRecords();
    QCOMPARE(m_answers.asked.size(), names.isEmpty() ? 2 : 1);
}

void TestDiverRecords::examplesJoinExistingRecords()
{
    programUnits().metric = true;
    DiverRecords records(*m_plan, m_answers.ask());
    records.SaveDiverRecord("Own", "15", "232", "18");
    records.SpeedButton1Click();
    QCOMPARE(records.DiversListBox, (QStringList{"Own", "Diver #1", "Diver #2"}));
    m_answers.answer = false;
    records.SpeedButton1Click();
    QCOMPARE(records.DiversListBox, (QStringList{"Own", "Diver #1", "Diver #2"}));
}

void TestDiverRecords::refusedNames_data()
{
    QTest::addColumn<QString>("name");
    for (const char *section : {"Measurements", "MDIBackground", "WaterType", "Toolbars", "RecentFiles",
                                "Defaults", "Gas Mixes", "Divers", "DAN Format", "Time", "Time Total", "Deco",
                                "ToolBar", "ToolBarMisc", "DocPanel1", "Panel1x"})
        QTest::newRow(section) << QString::fromLatin1(section);
    QTest::newRow("other letter case") << "divers";
    QTest::newRow("surrounding blanks") << " Defaults ";
    QTest::newRow("opening bracket") << "Team [A]";
    QTest::newRow("closing bracket") << "Team A]";
    QTest::newRow("equals sign") << "Bob=Al";
    QTest::newRow("line break") << "Bob\nAl";
    QTest::newRow("carriage return") << "Bob\rAl";
    QTest::newRow("empty") << "";
    QTest::newRow("a gas mix's name") << "ean32";
}

void TestDiverRecords::refusedNames()
{
    QFETCH(QString, name);
    m_settings->write("[Divers]\nTotal=1\n1=Alpha\n[Alpha]\nTankSize=80\n[Defaults]\nFillTankI=80\n"
                      "[Gas Mixes]\nTotal=1\n1=EAN32\n[EAN32]\nO2=32\n");
    const QByteArray before = m_settings->contents();
    DiverRecords records(*m_plan, m_answers.ask());
    try {
        records.SaveDiverRecord(name, "80", "3000", localNumbers("0.75"));
        QFAIL("the name was accepted");
    } catch (const AppError &error) {
        QVERIFY(!error.message().isEmpty());
        QCOMPARE(error.message(), DiverNameProblem(name));
    }
    QCOMPARE(m_settings->contents(), before);
    QVERIFY(DiverNameProblem("Zovu, 80").isEmpty());
    QVERIFY(DiverNameProblem("Diver #1").isEmpty());
}

void TestDiverRecords::deleteRefusesProgramSections()
{
    m_settings->write("[Divers]\nTotal=1\n1=Alpha\n[Alpha]\nTankSize=80\n[Measurements]\nMetric=0\n");
    const QByteArray before = m_settings->contents();
    DiverRecords records(*m_plan, m_answers.ask());
    for (const QString &name : {QStringLiteral("Divers"), QStringLiteral("measurements")}) {
        records.EdName = name;
        QVERIFY_THROWS_EXCEPTION(AppError, records.DiverDeleteClick());
    }
    QVERIFY(m_answers.asked.isEmpty());
    QCOMPARE(m_settings->contents(), before);
}

void TestDiverRecords::dragOntoDiverBox()
{
    DiverRecords records(*m_plan, m_answers.ask());
    records.SaveDiverRecord("Alpha", "80", "3000", localNumbers("0.75"));
    records.SaveDiverRecord("Bravo", "80", "3000", localNumbers("0.75"));
    m_plan->inputs.Depth = 100;
    records.GroupBox1DragDrop("Alpha");
    records.GroupBox2DragDrop("Bravo");
    QCOMPARE(m_plan->inputs.diver[0].Name, "Alpha");
    QCOMPARE(m_plan->inputs.diver[1].Name, "Bravo");
    QCOMPARE(ShownValue(m_plan->results.diver[0].TeoretiskAvailTime), localNumbers("26.47"));
    QCOMPARE(m_plan->view.Panel22, "Bravo");
}

QTEST_GUILESS_MAIN(TestDiverRecords)
#include "tst_diverrecords.moc"
