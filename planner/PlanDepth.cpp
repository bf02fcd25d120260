// The depth and gas steps of the plan: stops, MOD, EAD, absolute pressure,
// narcosis depth and the nitrox and trimix suggestions.

#include "planner/PlanModel.h"

#include "core/NumText.h"
#include "core/Units.h"

#include <algorithm>

namespace {

struct StopFields
{
    bool PlanModel::*active;
    int PlanModel::*depth;
    int PlanModel::*time;
};

constexpr std::array<StopFields, 3> Stops = {{
    {&PlanModel::Decom1Check, &PlanModel::DecoDepth1, &PlanModel::DecoTime1},
    {&PlanModel::Decom2Check, &PlanModel::DecoDepth2, &PlanModel::DecoTime2},
    {&PlanModel::Decom3Check, &PlanModel::DecoDepth3, &PlanModel::DecoTime3},
}};

const StopFields &stopFields(int stop) { return Stops.at(stop - 1); }

// Depth units per atmosphere used by the gas formulas, whatever the water.
int gasDepthUnit(bool metric) { return metric ? 10 : 33; }

} // namespace

bool PlanModel::stopActive(int stop) const { return this->*stopFields(stop).active; }
void PlanModel::setStopActive(int stop, bool active) { this->*stopFields(stop).active = active; }
int PlanModel::stopDepth(int stop) const { return this->*stopFields(stop).depth; }
int PlanModel::stopTime(int stop) const { return this->*stopFields(stop).time; }

QString PlanModel::MOD(const QString &ppO2, const QString &oxygenPercent, bool metric)
{
    const double pressure = StrToFloat(ppO2);
    const double oxygen = StrToFloat(oxygenPercent);
    if (pressure == 0 || oxygen == 0)
        return QStringLiteral("0");
    const double mod = (pressure / (oxygen * 0.01) - 1) * gasDepthUnit(metric);
    return Format(QStringLiteral("%10.2f"), {mod}).trimmed();
}

QString PlanModel::DeepestDecoGas() const { return MyFormat(results.DeepestDecoStop); }

void PlanModel::DecoChange()
{
    if (Suspended)
        return;
    for (const StopFields &stop : Stops) {
        this->*stop.depth = std::max(this->*stop.depth, 0);
        this->*stop.time = std::max(this->*stop.time, 0);
    }
    for (int k = 1; k <= 3; ++k)
        if (stopActive(k) && stopDepth(k) > Depth)
            view.MsgStatusBar = QStringLiteral("Decompression depth cannot exceed depth.");
    if (!Quiet)
        for (int k = 1; k <= 3; ++k)
            if (stopActive(k) && stopDepth(k) > Depth) {
                setStopActive(k, false);
                warn(Format(QStringLiteral("Deco%d depth > depth"), {k}));
            }

    results.DecoActive = false;
    results.DeepestDecoStop = 0;
    results.ShallowestDecoStop = 0;
    int totalTime = 0;
    for (int k = 1; k <= 3; ++k) {
        if (!stopActive(k))
            continue;
        const int depth = stopDepth(k);
        results.DeepestDecoStop = results.DecoActive ? std::max(results.DeepestDecoStop, depth) : depth;
        results.ShallowestDecoStop = results.DecoActive ? std::min(results.ShallowestDecoStop, depth) : depth;
        results.DecoActive = true;
        totalTime += stopTime(k);
    }
    results.TotalDecoTime = MyFormat(Depth < results.ShallowestDecoStop ? 0 : totalTime);
    settleAscentRate();
    setAscentTimes();
    // Last, because the decompression gas is judged at the deepest stop just found.
    PO2Change();
}

void PlanModel::PO2Change()
{
    if (PO2.isEmpty())
        return;
    FindSuggestedHelium();
    results.MODBottomGasEdit = MOD(PO2, IntToStr(BottomMixO2), Metric);
    const int deepest = static_cast<int>(Round(StrToFloat(DeepestDecoGas())));
    results.MODDecomixEdit = MyFormat(OxygenPartialPressure(deepest, DecoGas, Metric));
    const double mod = StrToFloat(results.MODBottomGasEdit);
    view.Gauge = {Round(mod), Depth};
    view.GaugeRed = !(mod > Depth);
}

void PlanModel::CheckforExceedMOD()
{
    results.EAD = EquivalentAirDepthText(Depth, BottomMixO2, Metric);
    results.PressureInATA = MyFormat(AbsolutePressureAtDepth(Depth, Metric));
    double mod = 0;
    if (!Quiet && TryStrToFloat(results.MODBottomGasEdit, mod) && mod < Depth)
        warn(QStringLiteral("Need for a gas change. Depth exceed MOD for bottom gas."));
}

void PlanModel::FindSuggestedHelium()
{
    const int k = gasDepthUnit(Metric);
    const double nitrogen = (NarcosisDepth + k) * 0.79 / (Depth + k);
    const double oxygen = StrToFloat(PO2) / (static_cast<double>(Depth) / k + 1);
    const double helium = 1 - (oxygen + nitrogen);
    view.SuggestedTrimixEnabled = helium > 0;
    if (!view.SuggestedTrimixEnabled) {
        results.SuggestedHelium.clear();
        results.SuggestedOxygen.clear();
        results.SuggestedNitrogen.clear();
        view.SuggestedTrimixGroupbox = QStringLiteral("Suggested Trimix/Heliox");
        return;
    }
    results.SuggestedHelium = MyFormat(helium * 100);
    results.SuggestedOxygen = MyFormat(oxygen * 100);
    results.SuggestedNitrogen = MyFormat(nitrogen * 100);
    view.SuggestedTrimixGroupbox = Format(QStringLiteral("Suggested %s %s/%s"),
                                     {"Trimix", IntToStr(Round(oxygen * 100)), IntToStr(Round(helium * 100))});
}

void PlanModel::SpecifyNarcDepthCheckClick()
{
    if (Narcosis == NarcosisRule::TenPercent)
        NarcosisDepth = static_cast<int>(std::max(Round(Depth * 0.1), 0LL));
    else if (Narcosis == NarcosisRule::FiftyPercent)
        NarcosisDepth = static_cast<int>(std::max(Round(Depth * 0.5), 0LL));
    if (!Quiet && NarcosisDepth > Depth) {
        NarcosisDepth = Depth;
        warn(QStringLiteral("Narcosis Depth greater than depth. Adjusted."));
    }
}

void PlanModel::BestMixChange()
{
    if (results.BestMix.isEmpty()) {
        results.LblEdit4.clear();
        return;
    }
    const double best = StrToFloat(results.BestMix);
    view.BestMixEnabled = !(best < 21);
    view.GroupBox5Hint = view.BestMixEnabled ? QString() : QStringLiteral("Air or other gas mix recommended");
    results.LblEdit4 = FloatToStr(100 - best);
    const long long oxygen = Trunc(best);
    view.UseSuggestedGasButton = Format(QStringLiteral("Use %d%% oxygen"), {oxygen});
    view.UseSuggestedGasButtonEnabled = oxygen != BottomMixO2;
}
