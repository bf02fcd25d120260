// Plan files: reading, writing, the captions and file name of the plan, the
// failure paths, the close query and files written by the Windows program.

#include "tests/planner/PlanTestSupport.h"
#include "tests/support/TempSettings.h"
#include "tests/support/TestNumbers.h"

#include "planner/model/DiverRecords.h"
#include "planner/model/PlanFile.h"

#include "core/Errors.h"
#include "core/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Every value a plan file stores, to compare a plan before and after a round trip.
QStringList storedValues(const PlanModel &plan)
{
    const PlanInputs &in = plan.inputs;
    QStringList values = {
        in.Metric ? "metric" : "imperial", plan.view.LowerPageControl, plan.view.UpperPageControl,
        in.diver[0].Name, in.diver[1].Name, IntToStr(in.Depth), IntToStr(in.BottomMixO2), in.PO2,
        in.Reserve == ReserveRule::RuleOfThird ? "thirds" : "fixed", in.OnlyDiver1 ? "strict" : "",
        in.ReservePressure, IntToStr(in.DecoGas), in.SameAsBottomGas ? "same gas" : "",
        IntToStr(int(in.Narcosis)), IntToStr(in.NarcosisDepth), in.Speed1, in.Speed2,
        in.AscentRateEdit};
    for (int k = 1; k <= 3; ++k)
        values << (in.stop(k).active ? "on" : "off") << IntToStr(in.stop(k).depth) << IntToStr(in.stop(k).time);
    return values;
}

QByteArray readFile(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

AskSaveFileName noDialog()
{
    return [](const SaveDialogRequest &) -> QString {
        QTest::qFail("no save dialog expected", __FILE__, __LINE__);
        return {};
    };
}

} // namespace

class TestPlanFile : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void roundTripKeepsEveryField();
    void writerKeyOrder();
    void windowsFileLoads();
    void readerDefaults();
    void bothReserveChoicesEndWithRuleOfThirds();
    void wrongExtensionChangesNothing();
    void missingFile();
    void defaultPlanHasNoFileName();
    void missingDiverRecords();
    void otherUnitSystemKeepsThePlanFile();
    void saveAppendsExtension();
    void saveWithoutNameAsks();
    void failedSaveLeavesThePlanUnnamed();
    void closeQuery_data();
    void closeQuery();
    void closeUnnamedSavesDefaultSilently();

private:
    QString planPath(const QString &name) const { return QDir(m_settings->folder()).filePath(name); }
    // A plan that uses most of what a file can hold.
    std::unique_ptr<PlanModel> rich();

    std::unique_ptr<TempSettings> m_settings;
};

void TestPlanFile::init()
{
    m_settings = std::make_unique<TempSettings>();
    usePlanTestUnits(false);
    PlanModel scratch;
    DiverRecords records(scratch, [](const QString &) { return true; });
    records.SaveDiverRecord("Zovu, 80", "80", "3000", localNumbers("0.75"));
    records.SaveDiverRecord("Zaru, 120", "120", "3000", localNumbers("1.15"));
    SettingsFile().writeString("Divers", "Default", "Zovu, 80");
}

void TestPlanFile::cleanup() { m_settings.reset(); }

std::unique_ptr<PlanModel> TestPlanFile::rich()
{
    auto plan = openPlan();
    plan->view.LowerPageControl = "Decompression";
    plan->view.UpperPageControl = "DiveTeam";
    plan->inputs.diver[0].Name = "Zovu, 80";
    plan->inputs.diver[1].Name = "Zaru, 120";
    plan->inputs.Depth = 130;
    plan->inputs.BottomMixO2 = 28;
    plan->inputs.PO2 = localNumbers("1.40");
    plan->inputs.OnlyDiver1 = true;
    plan->inputs.ReservePressure = "600";
    plan->inputs.stops = {{{true, 30, 2}, {true, 20, 4}, {true, 10, 9}}};
    plan->inputs.DecoGas = 50;
    plan->inputs.SameAsBottomGas = false;
    plan->inputs.Narcosis = NarcosisRule::Fixed;
    plan->inputs.NarcosisDepth = 100;
    plan->inputs.Speed1 = "55";
    plan->inputs.Speed2 = "65";
    plan->inputs.AscentRateEdit = "30";
    return plan;
}

void TestPlanFile::roundTripKeepsEveryField()
{
    auto saved = rich();
    const QString name = planPath("reef.Dive");
    QVERIFY(Saveas1Click(*saved, [&](const SaveDialogRequest &) { return name; }));

    auto loaded = openPlan();
    LoadDive(*loaded, name);
    QCOMPARE(storedValues(*loaded), storedValues(*saved));
    QCOMPARE(loaded->inputs.PO2, localNumbers("1.40"));
    QCOMPARE(loaded->inputs.diver[1].Tanksize, "120");
    QCOMPARE(loaded->inputs.diver[1].BR, localNumbers("1.15"));
    QCOMPARE(loaded->inputs.SRF, localNumbers("0.67"));
    QCOMPARE(ShownValue(loaded->results.TotalDecoTime), localNumbers("15.00"));
    QCOMPARE(AscentRate(), 30);
    QCOMPARE(loaded->PlanFileName, name);
    QCOMPARE(loaded->view.Caption, "Dive Planning: [" + name + "]");
    QVERIFY(loaded->view.SaveDivePlanEnabled);
    QVERIFY(!loaded->Suspended);
}

void TestPlanFile::writerKeyOrder()
{
    auto plan = rich();
    const QString name = planPath("order.Dive");
    WriteDivePlan(*plan, name);
    QStringList keys;
    for (const QByteArray &line : readFile(name).split('\n'))
        if (line.contains('='))
            keys << QString::fromLatin1(line.left(line.indexOf('=')));
    QCOMPARE(keys, (QStringList{"Metric", "LowerPageControl", "UpperPageControl", "Diver1Name", "Diver2Name",
                                "Depth", "BottomMixO2", "PO2", "UseRuleOfThirdRadio",
                                "UsedFixedPressureReserveRadio", "OnlyDiver1", "ReservePressure",
                                "Decom1Check", "Decom2Check", "Decom3Check", "DecoDepth1", "DecoDepth2",
                                "DecoDepth3", "DecoGas", "SameAsBottomGas", "DecoTime1", "DecoTime2",
                                "DecoTime3", "LessNarcDepth10Radio", "LessNarcDepth50Radio",
                                "SpecifyNarcDepthCheck", "NarcosisDepth", "Speed1", "Speed2",
                                "AscentRateEdit"}));
    QVERIFY(readFile(name).contains(localNumbers("PO2=1.40\n").toLatin1()));
}

void TestPlanFile::windowsFileLoads()
{
    const QString name = planPath("WRECK.DIVE");
    // Windows wrote its files in its own code page: "S\xF8rli" is "Sørli".
    PlanModel scratch;
    DiverRecords(scratch, [](const QString &) { return true; })
        .SaveDiverRecord(QStringLiteral("Sørli"), "100", "3500", localNumbers("0.9"));
    writeFile(name, "[defaults]\r\nMETRIC=0\r\nlowerpagecontrol=Reserves\r\nDIVER1NAME=Zaru, 120\r\n"
                    "diver2name=S\xF8rli\r\nDEPTH=100\r\nbottommixo2=32\r\n"
                    + localNumbers("po2=1.6\r\n").toLatin1() +
                    "UseRuleOfThirdRadio=0\r\nUsedFixedPressureReserveRadio=1\r\nreservepressure=700\r\n"
                    "DECOM1CHECK=1\r\ndecodepth1=15\r\nDecoTime1=5\r\nsameasbottomgas=0\r\ndecogas=80\r\n"
                    "LessNarcDepth10Radio=1\r\nLessNarcDepth50Radio=0\r\nSpeed1=50\r\nascentrateedit=60\r\n");
    auto plan = openPlan();
    LoadDive(*plan, name);
    QCOMPARE(plan->view.LowerPageControl, "Reserves");
    QCOMPARE(plan->inputs.diver[0].Name, "Zaru, 120");
    QCOMPARE(plan->inputs.diver[0].Tanksize, "120");
    QCOMPARE(plan->inputs.diver[1].Name, QStringLiteral("Sørli"));
    QCOMPARE(plan->inputs.diver[1].PSI, "3500");
    QCOMPARE(plan->inputs.Depth, 100);
    QCOMPARE(plan->inputs.BottomMixO2, 32);
    QCOMPARE(plan->inputs.PO2, localNumbers("1.6"));
    QCOMPARE(plan->inputs.Reserve, ReserveRule::FixedPressure);
    QCOMPARE(plan->inputs.ReservePressure, "700");
    QVERIFY(plan->inputs.stop(1).active);
    QCOMPARE(plan->inputs.stop(1).depth, 15);
    QCOMPARE(plan->inputs.stop(1).time, 5);
    QCOMPARE(plan->inputs.Narcosis, NarcosisRule::TenPercent);
    QCOMPARE(plan->inputs.NarcosisDepth, 10);
    QCOMPARE(plan->inputs.Speed1, "50");
    QCOMPARE(AscentRate(), 60);
    QCOMPARE(ShownValue(plan->results.MODDecomixEdit), localNumbers("1.16"));
    QCOMPARE(plan->PlanFileName, name);
}

void TestPlanFile::readerDefaults()
{
    const QString name = planPath("bare.Dive");
    writeFile(name, "[Defaults]\nDepth=abc\n");
    auto plan = openPlan();
    plan->view.LowerPageControl = "Narcosis";
    LoadDive(*plan, name);
    QCOMPARE(plan->inputs.Depth, 0);
    QCOMPARE(plan->inputs.BottomMixO2, 21);
    QCOMPARE(plan->inputs.PO2, localNumbers("1.4"));
    QCOMPARE(plan->inputs.Reserve, ReserveRule::RuleOfThird);
    QCOMPARE(plan->inputs.ReservePressure, "500");
    QCOMPARE(plan->inputs.DecoGas, 21);
    QVERIFY(plan->inputs.SameAsBottomGas);
    QCOMPARE(plan->inputs.Narcosis, NarcosisRule::FiftyPercent);
    QCOMPARE(plan->inputs.Speed1, "60");
    QCOMPARE(plan->inputs.Speed2, "70");
    QCOMPARE(plan->inputs.AscentRateEdit, "33");
    QCOMPARE(AscentRate(), 33);
    QCOMPARE(plan->view.LowerPageControl, "Narcosis");
    // Both divers take the default record.
    QCOMPARE(plan->inputs.diver[0].Name, "Zovu, 80");
    QCOMPARE(plan->inputs.diver[1].Name, "Zovu, 80");
}

void TestPlanFile::bothReserveChoicesEndWithRuleOfThirds()
{
    const QString name = planPath("both.Dive");
    writeFile(name, "[Defaults]\nUseRuleOfThirdRadio=1\nUsedFixedPressureReserveRadio=1\nUpperPageControl=Nowhere\n");
    auto plan = openPlan();
    plan->inputs.Reserve = ReserveRule::FixedPressure;
    LoadDive(*plan, name);
    QCOMPARE(plan->inputs.Reserve, ReserveRule::RuleOfThird);
    QCOMPARE(plan->view.UpperPageControl, "BottomInformation");
}

void TestPlanFile::wrongExtensionChangesNothing()
{
    const QString name = planPath("notes.txt");
    writeFile(name, "[Defaults]\nDepth=77\n");
    auto plan = rich();
    const QStringList before = storedValues(*plan);
    QSignalSpy beeps(plan.get(), &PlanModel::beep);
    LoadDive(*plan, name);
    QCOMPARE(plan->view.MainStatus, "Cannot load " + name + " as a dive");
    QVERIFY(beeps.count() >= 1);
    QCOMPARE(plan->inputs.Depth, 130);
    // Only the divers are reloaded, from the default record.
    QStringList after = storedValues(*plan);
    QCOMPARE(plan->inputs.diver[1].Name, "Zovu, 80");
    after[4] = before[4];
    QCOMPARE(after, before);
    QCOMPARE(plan->PlanFileName, "");
    QVERIFY(!plan->Suspended);
    QCOMPARE(ShownValue(plan->results.PressureInATA), localNumbers("4.94"));
}

void TestPlanFile::missingFile()
{
    const QString name = planPath("gone.Dive");
    auto plan = openPlan();
    QSignalSpy beeps(plan.get(), &PlanModel::beep);
    LoadDive(*plan, name);
    QCOMPARE(plan->view.MainStatus, name + " does not exist.");
    QVERIFY(beeps.count() >= 1);
    QVERIFY(!plan->Suspended);
    QCOMPARE(plan->inputs.diver[0].Name, "Zovu, 80");
    QCOMPARE(plan->view.Caption, "Dive planning with 'Rule of Third'");
}

void TestPlanFile::defaultPlanHasNoFileName()
{
    WriteDivePlan(*rich(), DefaultDiveFileName());
    auto plan = openPlan();
    plan->PlanFileName = "/somewhere/else.Dive";
    LoadDive(*plan, DefaultDiveFileName());
    QCOMPARE(plan->view.Caption, "Dive Planning");
    QCOMPARE(plan->PlanFileName, "");
    QVERIFY(!plan->view.SaveDivePlanEnabled);
    QCOMPARE(plan->inputs.Depth, 130);
    bool asked = false;
    QVERIFY(DivePlanCloseQuery(*plan, [&](const QString &) { asked = true; return SaveAnswer::Cancel; }));
    QVERIFY(!asked);
}

void TestPlanFile::missingDiverRecords()
{
    auto saved = rich();
    saved->inputs.diver[0].Name = "Retired";
    const QString name = planPath("old.Dive");
    WriteDivePlan(*saved, name);
    auto plan = openPlan();
    LoadDive(*plan, name);
    QCOMPARE(plan->inputs.diver[0].Name, "Retired");
    QCOMPARE(plan->inputs.diver[0].Tanksize, "Load Error");
    QCOMPARE(plan->inputs.diver[0].PSI, "Load Error");
    QCOMPARE(plan->inputs.diver[0].BR, "Load Error");
    QCOMPARE(plan->inputs.diver[1].Name, "Zaru, 120");
    QCOMPARE(ShownValue(plan->results.PressureInATA), localNumbers("4.94"));
}

void TestPlanFile::otherUnitSystemKeepsThePlanFile()
{
    usePlanTestUnits(true, true, 10);
    auto metricPlan = openPlan();
    metricPlan->inputs.Depth = 40;
    metricPlan->inputs.AscentRateEdit = "9";
    metricPlan->inputs.diver[0].Name = "Zovu, 80";
    const QString name = planPath("metric.Dive");
    WriteDivePlan(*metricPlan, name);

    usePlanTestUnits(false);
    auto plan = openPlan();
    LoadDive(*plan, name);
    QVERIFY(plan->inputs.Metric);
    QCOMPARE(plan->inputs.Depth, 40);
    QCOMPARE(plan->inputs.Speed1, "20");
    QCOMPARE(AscentRate(), 9);
    QCOMPARE(plan->PlanFileName, name);
    QCOMPARE(plan->view.Caption, "Dive Planning: [" + name + "]");
    QVERIFY(plan->view.SaveDivePlanEnabled);
    QStringList asked;
    QVERIFY(DivePlanCloseQuery(*plan, [&](const QString &q) { asked << q; return SaveAnswer::No; }));
    QCOMPARE(asked, QStringList{"Do you wish to save: \"metric.Dive\""});
    QVERIFY(!QFile::exists(DefaultDiveFileName()));
}

void TestPlanFile::saveAppendsExtension()
{
    auto plan = rich();
    const QString name = planPath("cave");
    plan->PlanFileName = name;
    QVERIFY(Saveas1Click(*plan, noDialog()));
    QVERIFY(QFile::exists(name + ".Dive"));
    QVERIFY(!QFile::exists(name));
    QCOMPARE(plan->PlanFileName, name + ".Dive");
    QCOMPARE(plan->view.Caption, "Dive Planning: " + name + ".Dive");
    QVERIFY(plan->view.SaveDivePlanEnabled);
}

void TestPlanFile::saveWithoutNameAsks()
{
    auto plan = rich();
    int dialogs = 0;
    QVERIFY(!Saveas1Click(*plan, [&](const SaveDialogRequest &) { ++dialogs; return QString(); }));
    QCOMPARE(dialogs, 1);
    QCOMPARE(plan->PlanFileName, "");
    QVERIFY(!plan->view.SaveDivePlanEnabled);
    QCOMPARE(QDir(m_settings->folder()).entryList({"*.Dive"}), QStringList());

    const QString name = planPath("chosen.dive");
    QVERIFY(Saveas1Click(*plan, [&](const SaveDialogRequest &) { return name; }));
    QVERIFY(QFile::exists(name));
    QCOMPARE(plan->PlanFileName, name);
    // The next save goes to the same file without a dialog.
    plan->inputs.Depth = 99;
    QVERIFY(Saveas1Click(*plan, noDialog()));
    QVERIFY(readFile(name).contains("Depth=99"));
}

void TestPlanFile::failedSaveLeavesThePlanUnnamed()
{
    auto plan = rich();
    const QString caption = plan->view.Caption;
    const QString name = planPath("missing-folder/lost.Dive");
    QVERIFY_THROWS_EXCEPTION(WriteError, Saveas1Click(*plan, [&](const SaveDialogRequest &) { return name; }));
    QVERIFY(!QFile::exists(name));
    QCOMPARE(plan->PlanFileName, "");
    QCOMPARE(plan->view.Caption, caption);
    QVERIFY(!plan->view.SaveDivePlanEnabled);
}

void TestPlanFile::closeQuery_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Yes") << int(SaveAnswer::Yes) << true << true;
    QTest::newRow("No") << int(SaveAnswer::No) << true << false;
    QTest::newRow("Cancel") << int(SaveAnswer::Cancel) << false << false;
}

void TestPlanFile::closeQuery()
{
    QFETCH(int, answer);
    auto plan = rich();
    const QString name = planPath("reef.Dive");
    plan->PlanFileName = name;
    QStringList asked;
    const bool closes = DivePlanCloseQuery(*plan, [&](const QString &q) {
        asked << q;
        return SaveAnswer(answer);
    });
    QCOMPARE(asked, QStringList{"Do you wish to save: \"reef.Dive\""});
    QTEST(closes, "closes");
    QTEST(QFile::exists(name), "saved");
    QVERIFY(!QFile::exists(DefaultDiveFileName()));
}

void TestPlanFile::closeUnnamedSavesDefaultSilently()
{
    auto plan = rich();
    QVERIFY(DivePlanCloseQuery(*plan, [](const QString &) { return SaveAnswer::Cancel; }));
    QCOMPARE(DefaultDiveFileName(), SettingsFolder() + "Default.Dive");
    QVERIFY(readFile(DefaultDiveFileName()).contains("Depth=130"));
}

QTEST_GUILESS_MAIN(TestPlanFile)
#include "tst_planfile.moc"
