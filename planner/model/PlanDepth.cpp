// The depth and gas steps of the plan: stops, MOD, EAD, absolute pressure,
// narcosis depth and the nitrox and trimix suggestions.

#include "planner/model/PlanModel.h"

#include "core/NumText.h"
#include "core/Units.h"

#include <algorithm>

namespace {

// Depth units per atmosphere used by the gas formulas, whatever the water.
int gasDepthUnit(bool metric) { return metric ? 10 : 33; }

} // namespace

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

QString PlanModel::DecoGasMOD() const { return MOD(inputs.PO2, IntToStr(inputs.DecoGas), inputs.Metric); }

void PlanModel::DecoChange()
{
    if (Suspended)
        return;
    for (int *value : {&inputs.DecoDepth1, &inputs.DecoDepth2, &inputs.DecoDepth3, &inputs.DecoTime1, &inputs.DecoTime2,
                       &inputs.DecoTime3})
        *value = std::max(*value, 0);
    for (int k = 1; k <= 3; ++k)
        if (inputs.stopActive(k) && inputs.stopDepth(k) > inputs.Depth)
            view.MsgStatusBar = QStringLiteral("Decompression depth cannot exceed depth.");
    if (!Quiet)
        for (int k = 1; k <= 3; ++k)
            if (inputs.stopActive(k) && inputs.stopDepth(k) > inputs.Depth) {
                inputs.setStopActive(k, false);
                warn(Format(QStringLiteral("Deco%d depth > depth"), {k}));
            }

    results.DecoActive = false;
    results.DeepestDecoStop = 0;
    results.ShallowestDecoStop = 0;
    int totalTime = 0;
    for (int k = 1; k <= 3; ++k) {
        if (!inputs.stopActive(k))
            continue;
        const int depth = inputs.stopDepth(k);
        results.DeepestDecoStop = results.DecoActive ? std::max(results.DeepestDecoStop, depth) : depth;
        results.ShallowestDecoStop = results.DecoActive ? std::min(results.ShallowestDecoStop, depth) : depth;
        results.DecoActive = true;
        totalTime += inputs.stopTime(k);
    }
    results.TotalDecoTime = MyFormat(inputs.Depth < results.ShallowestDecoStop ? 0 : totalTime);
    settleAscentRate();
    setAscentTimes();
    // Last, because the decompression gas is judged at the deepest stop just found.
    PO2Change();
}

void PlanModel::PO2Change()
{
    if (inputs.PO2.isEmpty())
        return;
    FindSuggestedHelium();
    results.MODBottomGasEdit = MOD(inputs.PO2, IntToStr(inputs.BottomMixO2), inputs.Metric);
    const int deepest = static_cast<int>(Round(StrToFloat(DeepestDecoGas())));
    results.MODDecomixEdit = MyFormat(OxygenPartialPressure(deepest, inputs.DecoGas, inputs.Metric));
    const double mod = StrToFloat(results.MODBottomGasEdit);
    view.Gauge = {Round(mod), inputs.Depth};
    view.GaugeRed = !(mod > inputs.Depth);
}

void PlanModel::CheckforExceedMOD()
{
    results.EAD = EquivalentAirDepthText(inputs.Depth, inputs.BottomMixO2, inputs.Metric);
    results.PressureInATA = MyFormat(AbsolutePressureAtDepth(inputs.Depth, inputs.Metric));
    double mod = 0;
    if (!Quiet && TryStrToFloat(results.MODBottomGasEdit, mod) && mod < inputs.Depth)
        warn(QStringLiteral("Need for a gas change. Depth exceed MOD for bottom gas."));
}

void PlanModel::FindSuggestedHelium()
{
    const int k = gasDepthUnit(inputs.Metric);
    const double nitrogen = (inputs.NarcosisDepth + k) * 0.79 / (inputs.Depth + k);
    const double oxygen = StrToFloat(inputs.PO2) / (static_cast<double>(inputs.Depth) / k + 1);
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
    if (inputs.Narcosis == NarcosisRule::TenPercent)
        inputs.NarcosisDepth = static_cast<int>(std::max(Round(inputs.Depth * 0.1), 0LL));
    else if (inputs.Narcosis == NarcosisRule::FiftyPercent)
        inputs.NarcosisDepth = static_cast<int>(std::max(Round(inputs.Depth * 0.5), 0LL));
    if (!Quiet && inputs.NarcosisDepth > inputs.Depth) {
        inputs.NarcosisDepth = inputs.Depth;
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
    view.UseSuggestedGasButtonEnabled = oxygen != inputs.BottomMixO2;
}
