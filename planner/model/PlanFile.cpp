#include "planner/model/PlanFile.h"

#include "planner/model/DiverRecords.h"
#include "planner/model/PlanModel.h"

#include "core/IniFile.h"
#include "core/NumText.h"
#include "core/SettingsFile.h"
#include "core/Units.h"

#include <QFileInfo>

namespace {

const QString Section = QStringLiteral("Defaults");
const QString DefaultDive = QStringLiteral("Default.Dive");

const QStringList LowerPages = {
    QStringLiteral("Dive"),     QStringLiteral("Reserves"),   QStringLiteral("Decompression"),
    QStringLiteral("Narcosis"), QStringLiteral("CommonData"), QStringLiteral("DiveMembers"),
};
const QStringList UpperPages = {
    QStringLiteral("BottomInformation"), QStringLiteral("Visualization"), QStringLiteral("DiveTeam"),
    QStringLiteral("GasSuggestions"),    QStringLiteral("Output"),
};

bool isDefaultPlan(const QString &fileName)
{
    return QFileInfo(fileName).fileName().compare(DefaultDive, Qt::CaseInsensitive) == 0;
}

// A page name read from a plan shows that page; an unknown name changes nothing.
void showPage(const QString &name, const QStringList &pages, QString &shown)
{
    if (pages.contains(name))
        shown = name;
}

void readPlan(PlanModel &plan, const IniFile &file, QString &diver1, QString &diver2)
{
    const bool metric = file.readBool(Section, QStringLiteral("Metric"), UnitSystem());
    if (metric != plan.inputs.Metric) {
        plan.inputs.Metric = metric;
        plan.MetricClick(PlanModel::SwitchBy::Loading);
    }
    showPage(file.readString(Section, QStringLiteral("LowerPageControl"), QString()), LowerPages,
             plan.view.LowerPageControl);
    showPage(file.readString(Section, QStringLiteral("UpperPageControl"), QString()), UpperPages,
             plan.view.UpperPageControl);
    diver1 = file.readString(Section, QStringLiteral("Diver1Name"), QStringLiteral("Default"));
    diver2 = file.readString(Section, QStringLiteral("Diver2Name"), QStringLiteral("Default"));
    plan.inputs.Depth = file.readInteger(Section, QStringLiteral("Depth"), 0);
    plan.inputs.BottomMixO2 = file.readInteger(Section, QStringLiteral("BottomMixO2"), 21);
    plan.inputs.PO2 = file.readString(Section, QStringLiteral("PO2"), FloatToStr(1.4));
    // The two reserve choices exclude each other; a file holding both as 1
    // ends with the rule of thirds.
    if (file.readBool(Section, QStringLiteral("UsedFixedPressureReserveRadio"), true))
        plan.inputs.Reserve = ReserveRule::FixedPressure;
    if (file.readBool(Section, QStringLiteral("UseRuleOfThirdRadio"), true))
        plan.inputs.Reserve = ReserveRule::RuleOfThird;
    plan.inputs.OnlyDiver1 = file.readBool(Section, QStringLiteral("OnlyDiver1"), false);
    plan.inputs.ReservePressure = file.readString(Section, QStringLiteral("ReservePressure"), QStringLiteral("500"));
    for (int k = 1; k <= 3; ++k) {
        DecoStop &stop = plan.inputs.stop(k);
        stop.active = file.readBool(Section, QStringLiteral("Decom%1Check").arg(k), false);
        stop.depth = file.readInteger(Section, QStringLiteral("DecoDepth%1").arg(k), 0);
        stop.time = file.readInteger(Section, QStringLiteral("DecoTime%1").arg(k), 0);
    }
    plan.inputs.DecoGas = file.readInteger(Section, QStringLiteral("DecoGas"), 21);
    plan.inputs.SameAsBottomGas = file.readBool(Section, QStringLiteral("SameAsBottomGas"), true);
    if (file.readBool(Section, QStringLiteral("LessNarcDepth10Radio"), false))
        plan.inputs.Narcosis = NarcosisRule::TenPercent;
    if (file.readBool(Section, QStringLiteral("LessNarcDepth50Radio"), true))
        plan.inputs.Narcosis = NarcosisRule::FiftyPercent;
    if (file.readBool(Section, QStringLiteral("SpecifyNarcDepthCheck"), false))
        plan.inputs.Narcosis = NarcosisRule::Fixed;
    plan.inputs.NarcosisDepth = file.readInteger(Section, QStringLiteral("NarcosisDepth"), 0);
    plan.inputs.Speed1 = file.readString(Section, QStringLiteral("Speed1"), QStringLiteral("60"));
    plan.inputs.Speed2 = file.readString(Section, QStringLiteral("Speed2"), QStringLiteral("70"));
    plan.inputs.AscentRateEdit = file.readString(Section, QStringLiteral("AscentRateEdit"), QStringLiteral("33"));
    // The rate box sets the program-wide ascent rate when it reads as a number.
    double rate = 0;
    if (TryStrToFloat(plan.inputs.AscentRateEdit, rate))
        programUnits().ascentRate = static_cast<int>(Round(rate));
}

// Loads both divers and runs the one recalculation of a load.
void loadDivers(PlanModel &plan, const QString &diver1, const QString &diver2)
{
    PutDiverRecord(plan, 1, diver1);
    PutDiverRecord(plan, 2, diver2);
    plan.DepthChange();
}

void readDive(PlanModel &plan, const QString &fileName)
{
    plan.Suspended = true;
    const bool quiet = plan.Quiet;
    plan.Quiet = true;
    if (isDefaultPlan(fileName)) {
        plan.view.Caption = QStringLiteral("Dive Planning");
        plan.PlanFileName.clear();
    } else {
        plan.view.Caption = QStringLiteral("Dive Planning: [") + fileName + u']';
        plan.PlanFileName = fileName;
    }
    QString diver1, diver2;
    readPlan(plan, IniFile(fileName), diver1, diver2);
    plan.Quiet = quiet;
    plan.Suspended = false;
    loadDivers(plan, diver1, diver2);
    plan.view.SaveDivePlanEnabled = !plan.PlanFileName.isEmpty();
}

} // namespace

QString DefaultDiveFileName() { return DataFolder() + DefaultDive; }

void LoadDive(PlanModel &plan, const QString &fileName)
{
    if (QFileInfo(fileName).suffix().toUpper() != u"DIVE") {
        plan.warn(Format(QStringLiteral("Cannot load %s as a dive"), {fileName}));
    } else if (!QFileInfo::exists(fileName)) {
        plan.warn(fileName + QStringLiteral(" does not exist."));
    } else {
        readDive(plan, fileName);
        return;
    }
    // The plan stays as it was; the divers fall back to the default record.
    plan.Suspended = false;
    loadDivers(plan, QString(), QString());
}

void WriteDivePlan(const PlanModel &plan, const QString &fileName)
{
    // The plan goes to disk in one write, so a failure leaves the old plan whole.
    QList<QPair<QString, QString>> entries;
    const auto text = [&](const QString &key, const QString &value) { entries.append({key, value}); };
    const auto number = [&](const QString &key, int value) { text(key, IntToStr(value)); };
    const auto flag = [&](const QString &key, bool value) {
        text(key, value ? QStringLiteral("1") : QStringLiteral("0"));
    };
    flag(QStringLiteral("Metric"), plan.inputs.Metric);
    text(QStringLiteral("LowerPageControl"), plan.view.LowerPageControl);
    text(QStringLiteral("UpperPageControl"), plan.view.UpperPageControl);
    text(QStringLiteral("Diver1Name"), plan.inputs.diver[0].Name);
    text(QStringLiteral("Diver2Name"), plan.inputs.diver[1].Name);
    number(QStringLiteral("Depth"), plan.inputs.Depth);
    number(QStringLiteral("BottomMixO2"), plan.inputs.BottomMixO2);
    text(QStringLiteral("PO2"), plan.inputs.PO2);
    flag(QStringLiteral("UseRuleOfThirdRadio"), plan.inputs.Reserve == ReserveRule::RuleOfThird);
    flag(QStringLiteral("UsedFixedPressureReserveRadio"), plan.inputs.Reserve == ReserveRule::FixedPressure);
    flag(QStringLiteral("OnlyDiver1"), plan.inputs.OnlyDiver1);
    text(QStringLiteral("ReservePressure"), plan.inputs.ReservePressure);
    for (int k = 1; k <= 3; ++k)
        flag(QStringLiteral("Decom%1Check").arg(k), plan.inputs.stop(k).active);
    for (int k = 1; k <= 3; ++k)
        number(QStringLiteral("DecoDepth%1").arg(k), plan.inputs.stop(k).depth);
    number(QStringLiteral("DecoGas"), plan.inputs.DecoGas);
    flag(QStringLiteral("SameAsBottomGas"), plan.inputs.SameAsBottomGas);
    for (int k = 1; k <= 3; ++k)
        number(QStringLiteral("DecoTime%1").arg(k), plan.inputs.stop(k).time);
    flag(QStringLiteral("LessNarcDepth10Radio"), plan.inputs.Narcosis == NarcosisRule::TenPercent);
    flag(QStringLiteral("LessNarcDepth50Radio"), plan.inputs.Narcosis == NarcosisRule::FiftyPercent);
    flag(QStringLiteral("SpecifyNarcDepthCheck"), plan.inputs.Narcosis == NarcosisRule::Fixed);
    number(QStringLiteral("NarcosisDepth"), plan.inputs.NarcosisDepth);
    text(QStringLiteral("Speed1"), plan.inputs.Speed1);
    text(QStringLiteral("Speed2"), plan.inputs.Speed2);
    text(QStringLiteral("AscentRateEdit"), plan.inputs.AscentRateEdit);
    IniFile(fileName).writeStrings(Section, entries);
}

bool Saveas1Click(PlanModel &plan, const AskSaveFileName &askFileName)
{
    QString fileName = plan.PlanFileName;
    if (fileName.isEmpty()) {
        fileName = askFileName(SaveDialogRequest());
        if (fileName.isEmpty())
            return false;
    }
    if (QFileInfo(fileName).suffix().isEmpty())
        fileName += QStringLiteral(".Dive");
    // The plan takes the name only once the file exists under it.
    WriteDivePlan(plan, fileName);
    plan.PlanFileName = fileName;
    plan.view.Caption = QStringLiteral("Dive Planning: ") + fileName;
    plan.view.SaveDivePlanEnabled = !plan.PlanFileName.isEmpty();
    return true;
}

bool DivePlanCloseQuery(PlanModel &plan, const AskYesNoCancel &ask)
{
    if (plan.PlanFileName.isEmpty()) {
        WriteDivePlan(plan, DefaultDiveFileName());
        return true;
    }
    const QString question = QStringLiteral("Do you wish to save: \"%1\"").arg(QFileInfo(plan.PlanFileName).fileName());
    switch (ask(question)) {
    case SaveAnswer::Yes: WriteDivePlan(plan, plan.PlanFileName); return true;
    case SaveAnswer::No: return true;
    case SaveAnswer::Cancel: return false;
    }
    return false;
}
