#include "planner/model/PlanDeco.h"

#include "core/Errors.h"
#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/Units.h"
#include "deco/model/Schedule.h"

#include <cmath>

namespace {

struct PlanUnits
{
    bool metric;
    double metres(double depth) const { return metric ? depth : depth * Conversion::FeetToMetres; }
    double shown(double metres) const { return metric ? metres : metres * Conversion::MetresToFeet; }
};

deco::DecoSettings settingsFor(const PlanModel &plan, const deco::GradientFactors &gf, double rate)
{
    const bool metric = plan.inputs.Metric;
    deco::DecoSettings s;
    s.gfLow = gf.low / 100.0;
    s.gfHigh = gf.high / 100.0;
    s.descentRate = s.ascentRate = rate;
    const PlanUnits unit{metric};
    s.stopInterval = unit.metres(metric ? 3 : 10);
    s.lastStop = s.stopInterval;
    s.environment = deco::Environment::of(metric, WaterType(), metric ? 1.01325 : 1.0);
    return s;
}

// The plan's descent rate in metres per minute: its depth over its descent
// time (the plan descends and ascends at one rate).
double planRate(const PlanModel &plan, double descentMinutes)
{
    return PlanUnits{plan.inputs.Metric}.metres(plan.inputs.Depth) / descentMinutes;
}

// The plan's dive for the model: its deco gas (when it is not the bottom
// gas and richer) switched to at its MOD at 1.6 bar, as the model does.
deco::DiveInput modelDive(const PlanInputs &in, double descent, double bottom)
{
    deco::DiveInput dive;
    dive.depth = PlanUnits{in.Metric}.metres(in.Depth);
    dive.bottomTime = descent + bottom;
    dive.bottomGas = deco::BreathingGas::fromPercent(in.BottomMixO2, 0);
    if (!in.SameAsBottomGas && in.DecoGas > in.BottomMixO2)
        dive.decoGases.push_back({deco::BreathingGas::fromPercent(in.DecoGas, 0), {}});
    return dive;
}

} // namespace

std::vector<PlanStop> ModelStops(const PlanModel &plan, const deco::GradientFactors &gf)
{
    const PlanInputs &in = plan.inputs;
    const PlanUnits unit{in.Metric};
    const double descent = ValueOf(plan.results.DescentTime);
    const deco::DiveInput dive = modelDive(in, descent, ValueOf(plan.results.BottomTime));
    const deco::Schedule schedule = deco::ComputeSchedule(dive,
                                                          settingsFor(plan, gf,
                                                                      descent > 0 ? planRate(plan, descent) : 10.0));
    std::vector<PlanStop> stops;
    for (const deco::Stop &stop : schedule.stops)
        stops.push_back({int(Round(unit.shown(stop.depth))), stop.minutes});
    return stops;
}

QString DecoModelCheckText(const PlanModel &plan, const deco::GradientFactors &gf, bool &clear)
{
    clear = true;
    const PlanInputs &in = plan.inputs;
    const auto positive = [](const PlanValue &value) { return value && std::isfinite(*value) && *value > 0; };
    if (in.Depth <= 0 || !positive(plan.results.DescentTime) || !positive(plan.results.BottomTime))
        return {};
    const double descent = *plan.results.DescentTime, bottom = *plan.results.BottomTime;
    const PlanUnits unit{in.Metric};
    deco::PlannedDive dive;
    dive.depth = unit.metres(in.Depth);
    dive.descentMinutes = descent;
    dive.bottomMinutes = bottom;
    dive.ascentRate = planRate(plan, descent);
    const deco::DecoSettings settings = settingsFor(plan, gf, dive.ascentRate);
    const deco::DiveInput model = modelDive(in, descent, bottom);
    dive.bottomGas = model.bottomGas;
    if (!model.decoGases.empty()) {
        dive.decoGas = model.decoGases.front().gas;
        dive.decoGasFrom = deco::GasPlan(model, deco::Sanitized(settings)).switchDepth(1).value_or(0.0);
    }
    for (const DecoStop &stop : in.stops)
        if (stop.active)
            dive.stops.push_back({unit.metres(stop.depth), double(stop.time)});
    const deco::PlanCheck check = deco::CheckPlannedDive(dive, settings);
    clear = check.clear;
    if (clear)
        return Format(QStringLiteral("Stops clear ZH-L16C GF %d/%d"), {gf.low, gf.high});
    return Format(QStringLiteral("Stops do not clear ZH-L16C GF %d/%d: ceiling %d %s at %d min"),
                  {gf.low, gf.high, static_cast<long long>(std::ceil(unit.shown(check.ceiling) - 1e-9)),
                   DepthUnitWord(in.Metric), Round(check.runTime)});
}
