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

ModDepth PlanModel::MOD(const QString &ppO2, int oxygenPercent, bool metric)
{
    const double pressure = StrToFloat(ppO2);
    if (pressure == 0 || oxygenPercent == 0)
        return {0, true};
    return {Round2((pressure / (oxygenPercent * 0.01) - 1) * gasDepthUnit(metric))};
}

ModDepth PlanModel::DecoGasMOD() const { return MOD(inputs.PO2, inputs.DecoGas, inputs.Metric); }

void PlanModel::DecoChange()
{
    if (Suspended)
        return;
    for (DecoStop &stop : inputs.stops) {
        stop.depth = std::max(stop.depth, 0);
        stop.time = std::max(stop.time, 0);
    }
    const auto belowDepth = [this](const DecoStop &stop) { return stop.active && stop.depth > inputs.Depth; };
    if (std::ranges::any_of(inputs.stops, belowDepth))
        view.MsgStatusBar = QStringLiteral("Decompression depth cannot exceed depth.");
    if (!Quiet)
        for (int k = 1; k <= 3; ++k)
            if (belowDepth(inputs.stop(k))) {
                inputs.stop(k).active = false;
                warn(Format(QStringLiteral("Deco%d depth > depth"), {k}));
            }

    results.DecoActive = false;
    results.DeepestDecoStop = 0;
    results.ShallowestDecoStop = 0;
    int totalTime = 0;
    for (const DecoStop &stop : inputs.stops) {
        if (!stop.active)
            continue;
        results.DeepestDecoStop = results.DecoActive ? std::max(results.DeepestDecoStop, stop.depth) : stop.depth;
        results.ShallowestDecoStop = results.DecoActive ? std::min(results.ShallowestDecoStop, stop.depth) : stop.depth;
        results.DecoActive = true;
        totalTime += stop.time;
    }
    results.TotalDecoTime = inputs.Depth < results.ShallowestDecoStop ? 0 : totalTime;
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
    const ModDepth bottomGasMod = MOD(inputs.PO2, inputs.BottomMixO2, inputs.Metric);
    results.MODBottomGasEdit = bottomGasMod;
    results.MODDecomixEdit = Round2(OxygenPartialPressure(results.DeepestDecoStop, inputs.DecoGas, inputs.Metric));
    const double mod = bottomGasMod.depth;
    view.Gauge = {Round(mod), inputs.Depth};
    view.GaugeRed = !(mod > inputs.Depth);
}

void PlanModel::CheckforExceedMOD()
{
    results.EAD = Round2(EquivalentAirDepth(inputs.Depth, inputs.BottomMixO2, inputs.Metric));
    results.PressureInATA = Round2(AbsolutePressureAtDepth(inputs.Depth, inputs.Metric));
    if (!Quiet && results.MODBottomGasEdit && results.MODBottomGasEdit->depth < inputs.Depth)
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
        results.SuggestedHelium.reset();
        results.SuggestedOxygen.reset();
        results.SuggestedNitrogen.reset();
        view.SuggestedTrimixGroupbox = QStringLiteral("Suggested Trimix/Heliox");
        return;
    }
    results.SuggestedHelium = Round2(helium * 100);
    results.SuggestedOxygen = Round2(oxygen * 100);
    results.SuggestedNitrogen = Round2(nitrogen * 100);
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
    if (!results.BestMix) {
        results.LblEdit4.reset();
        return;
    }
    const double best = ValueOf(results.BestMix);
    view.BestMixEnabled = !(best < 21);
    view.GroupBox5Hint = view.BestMixEnabled ? QString() : QStringLiteral("Air or other gas mix recommended");
    results.LblEdit4 = 100 - best;
    const long long oxygen = Trunc(best);
    view.UseSuggestedGasButton = Format(QStringLiteral("Use %d%% oxygen"), {oxygen});
    view.UseSuggestedGasButtonEnabled = oxygen != inputs.BottomMixO2;
}
