#include "planner/PlanModel.h"

#include "core/NumText.h"
#include "core/SettingsFile.h"
#include "core/Units.h"

#include <algorithm>

namespace PlanWords {
QString pressure(bool metric) { return metric ? QStringLiteral("BAR") : QStringLiteral("PSI"); }
QString volume(bool metric) { return metric ? QStringLiteral("Litres") : QStringLiteral("CuFt"); }
QString depth(bool metric) { return metric ? QStringLiteral("meters") : QStringLiteral("feet"); }
} // namespace PlanWords

PlanModel::PlanModel(QObject *parent) : QObject(parent)
{
    // The form is designed imperial; a metric program starts the plan metric.
    // The shown ascent rate is taken after that, so the program-wide rate
    // (already in the program's unit) is not converted a second time.
    if (UnitSystem()) {
        Metric = true;
        applyUnitDefaults();
    }
    if (AscentRate() == 0)
        programUnits().ascentRate = 1;
    AscentRateEdit = MyFormat(AscentRate());
    Depth = Metric ? 10 : 30;
    NarcosisDepth = Metric ? 40 : 133;
    Quiet = false;
}

void PlanModel::warn(const QString &text)
{
    emit beep();
    MainStatus = text;
    emit mainStatus(text);
}

int PlanModel::ascentRate() const
{
    if (programUnits().ascentRate == 0)
        programUnits().ascentRate = 1;
    return programUnits().ascentRate;
}

void PlanModel::setAscentTimes()
{
    const double rate = ascentRate();
    if (DecoActive && Depth > DeepestDecoStop) {
        AscentTime = MyFormat((Depth - DeepestDecoStop) / rate);
        AscentFromDecoTime = MyFormat(DeepestDecoStop / rate);
    } else {
        AscentTime = MyFormat(Depth / rate);
        AscentFromDecoTime = QStringLiteral("0.00");
    }
}

void PlanModel::DepthChange()
{
    if (Suspended)
        return;
    MsgStatusBar.clear();
    SpecifyNarcDepthCheckClick();
    if (SameAsBottomGas)
        DecoGas = BottomMixO2;
    // Dependency order: stops and decompression time, then the absolute
    // pressure, then the gas use that reads both.
    DecoChange();
    MaxPOTwo = MyFormat(OxygenPartialPressure(Depth, BottomMixO2, Metric));
    Label17Depth = MyFormat(Depth) + u' ' + PlanWords::depth(Metric);
    CheckforExceedMOD();
    BreathingRateChange();
    const double best = std::min(StrToFloat(PO2) / StrToFloat(PressureInATA) * 100, 100.0);
    BestMix = Format(QStringLiteral("%3.2f"), {best}).trimmed();
    BestMixChange();
    FindSuggestedHelium();
    UseSuggestedGasButtonEnabled = Trunc(StrToFloat(BestMix)) != BottomMixO2;
}

void PlanModel::SRFChange(const std::function<void(const QString &)> &inform)
{
    if (!SRF.isEmpty() && StrToFloat(SRF) <= 0) {
        inform(QStringLiteral("SRF Adjusted"));
        SRF = CalcSRF(BR2, BR1);
    }
    DepthChange();
}

void PlanModel::AscentRateEditChange()
{
    programUnits().ascentRate = static_cast<int>(Round(StrToFloat(AscentRateEdit)));
    DepthChange();
}

void PlanModel::UseSuggestedGasCheckBoxClick()
{
    BottomMixO2 = static_cast<int>(Trunc(StrToFloat(BestMix)));
    DepthChange();
}

void PlanModel::SetO2ValueClick(int oxygenPercent)
{
    BottomMixO2 = oxygenPercent;
    DepthChange();
}

void PlanModel::applyUnitDefaults()
{
    // The texts the unit-aware lists start from: the remembered tank and
    // fill pressure of this unit system, and the default breathing rate.
    const QString suffix = Metric ? QStringLiteral("M") : QStringLiteral("I");
    const IniFile settings = SettingsFile();
    const QString defaults = QStringLiteral("Defaults");
    const QString tank = IntToStr(settings.readInteger(defaults, QStringLiteral("FillTank") + suffix, Metric ? 28 : 240));
    const QString pressure = IntToStr(settings.readInteger(defaults, QStringLiteral("PresurizeTank") + suffix, Metric ? 200 : 3500));
    const QString rate = IntToStr(Metric ? settings.readInteger(defaults, QStringLiteral("BR Metric"), 25)
                                         : settings.readInteger(defaults, QStringLiteral("BR Imperial"), 1));
    Tanksize1 = Tanksize2 = tank;
    PSI1 = PSI2 = pressure;
    BR1 = BR2 = rate;
    ReservePressure = Metric ? QStringLiteral("35") : QStringLiteral("500");
    Speed1 = Metric ? QStringLiteral("20") : QStringLiteral("60");
    Speed2 = Metric ? QStringLiteral("25") : QStringLiteral("75");
}

void PlanModel::MetricClick(SwitchBy by)
{
    // Loading a plan in the other unit system keeps the plan's own file, so
    // the plan is saved back where it came from.
    if (by == SwitchBy::User)
        PlanFileName.clear();
    applyUnitDefaults();
    const double factor = Metric ? Conversion::FeetToMetres : Conversion::MetresToFeet;
    Depth = static_cast<int>(Round(Depth * factor));
    NarcosisDepth = static_cast<int>(Round(NarcosisDepth * factor));
    double rate = 0;
    if (TryStrToFloat(AscentRateEdit, rate)) {
        AscentRateEdit = ConvertDepthText(AscentRateEdit, Metric);
        programUnits().ascentRate = static_cast<int>(Round(StrToFloat(AscentRateEdit)));
    }
    Diver1Name.clear();
    Diver2Name.clear();
    DepthChange();
}
