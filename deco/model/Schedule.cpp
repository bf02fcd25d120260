#include "deco/model/Schedule.h"

#include "deco/model/OxygenExposure.h"

#include <algorithm>
#include <cmath>

namespace deco {

namespace {

constexpr double HypoxicPPO2 = 0.16;

// The diver at the end of the bottom time: down at the descent rate, then
// at the depth until the bottom time (descent included) is up.
DiverState atBottom(const DiveInput &dive, const DecoSettings &settings, const GasPlan &gases,
                    std::vector<Segment> *segments)
{
    const Environment &env = settings.environment;
    DiverState state{Tissues::atSurface(env.surfacePressure), 0.0, 0.0, 0};
    const double descent = dive.depth / settings.descentRate;
    state.tissues.change(env.ambient(0.0), env.ambient(dive.depth), gases.gas(0), descent);
    const double bottom = std::max(0.0, dive.bottomTime - descent);
    state.tissues.stay(env.ambient(dive.depth), gases.gas(0), bottom);
    state.depth = dive.depth;
    state.runTime = descent + bottom;
    if (segments) {
        if (descent > 0.0)
            segments->push_back(Segment{0.0, dive.depth, descent, 0, true});
        if (bottom > 0.0)
            segments->push_back(Segment{dive.depth, dive.depth, bottom, 0, true});
    }
    return state;
}

} // namespace

bool Schedule::used(int index) const
{
    return std::any_of(segments.begin(), segments.end(),
                       [index](const Segment &s) { return s.gas == index && s.minutes > 0.0; });
}

Schedule ComputeSchedule(const DiveInput &input, const DecoSettings &conventions)
{
    Schedule schedule;
    schedule.dive = Sanitized(input);
    schedule.settings = Sanitized(conventions);
    const DiveInput &dive = schedule.dive;
    const DecoSettings &settings = schedule.settings;
    const GasPlan gases(dive, settings);
    for (int i = 0; i < gases.count(); ++i) {
        schedule.gases.push_back(gases.gas(i));
        schedule.switchDepths.push_back(gases.switchDepth(i).value_or(dive.depth));
    }

    DiverState state = atBottom(dive, settings, gases, &schedule.segments);
    AscentResult ascent = Ascend(state, gases, settings);
    schedule.segments.insert(schedule.segments.end(), ascent.segments.begin(), ascent.segments.end());
    schedule.stops = std::move(ascent.stops);
    schedule.firstStop = ascent.firstStop;
    schedule.cleared = ascent.cleared;
    schedule.runTime = state.runTime;
    for (const Stop &stop : schedule.stops)
        schedule.decoMinutes += stop.minutes;

    OxygenExposure oxygen;
    const Environment &env = settings.environment;
    for (const Segment &s : schedule.segments) {
        const double o2 = schedule.gases[size_t(s.gas)].o2;
        if (s.startDepth == s.endDepth)
            oxygen.breathe(env.ambient(s.startDepth) * o2, s.minutes);
        else
            oxygen.breatheChanging(env.ambient(s.startDepth) * o2, env.ambient(s.endDepth) * o2, s.minutes);
    }
    schedule.cnsPercent = oxygen.cnsPercent();
    schedule.otu = oxygen.otu();
    schedule.oxygenAboveTable = oxygen.aboveTable();
    return schedule;
}

std::vector<double> GasUse(const Schedule &schedule, double bottomSac, double decoSac)
{
    std::vector<double> use(schedule.gases.size(), 0.0);
    const Environment &env = schedule.settings.environment;
    for (const Segment &s : schedule.segments) {
        const double meanAmbient = (env.ambient(s.startDepth) + env.ambient(s.endDepth)) / 2.0;
        use[size_t(s.gas)] += (s.bottom ? bottomSac : decoSac) * meanAmbient * s.minutes;
    }
    return use;
}

std::vector<DecoWarning> Warnings(const Schedule &schedule)
{
    std::vector<DecoWarning> warnings;
    const Environment &env = schedule.settings.environment;
    for (int g = 0; g < int(schedule.gases.size()); ++g) {
        const double o2 = schedule.gases[size_t(g)].o2;
        double deepest = -1.0;
        bool atSurface = false;
        for (const Segment &s : schedule.segments) {
            if (s.gas != g)
                continue;
            deepest = std::max({deepest, s.startDepth, s.endDepth});
            atSurface = atSurface || s.startDepth == 0.0 || s.endDepth == 0.0;
        }
        if (deepest < 0.0) {
            warnings.push_back({DecoWarning::GasUnused, g});
            continue;
        }
        const double ppO2 = env.ambient(deepest) * o2;
        if (ppO2 > schedule.settings.decoPPO2 + 1e-9)
            warnings.push_back({DecoWarning::PPO2Above, g, ppO2, deepest});
        if (atSurface && env.surfacePressure * o2 < HypoxicPPO2)
            warnings.push_back({DecoWarning::HypoxicAtSurface, g, env.surfacePressure * o2, 0.0});
    }
    if (!schedule.cleared && !schedule.stops.empty()) {
        const Stop &last = schedule.stops.back();
        warnings.push_back({DecoWarning::StopDoesNotClear, last.gas, 0.0, last.depth});
    }
    return warnings;
}

NoDecoLimit NoStopTimeLeft(const DiverState &state, const GasPlan &gases, const DecoSettings &settings)
{
    const double ambient = settings.environment.ambient(state.depth);
    const auto clearAfter = [&](int minutes) {
        DiverState later = state;
        later.tissues.stay(ambient, gases.gas(state.gas), minutes);
        return AscentNeedsNoStop(later, gases, settings);
    };
    if (!clearAfter(0))
        return {0, false};
    // Whole minutes: grow the step until it fails, then halve the gap.
    int good = 0;
    int bad = 1;
    while (clearAfter(bad)) {
        good = bad;
        if (bad > NoDecoLimitCap)
            return {NoDecoLimitCap, true};
        bad *= 2;
    }
    while (bad - good > 1) {
        const int middle = good + (bad - good) / 2;
        (clearAfter(middle) ? good : bad) = middle;
    }
    if (good > NoDecoLimitCap)
        return {NoDecoLimitCap, true};
    return {good, false};
}

NoDecoLimit NoStopTimeLeft(const DiveInput &input, const DecoSettings &conventions)
{
    const DiveInput dive = Sanitized(input);
    const DecoSettings settings = Sanitized(conventions);
    const GasPlan gases(dive, settings);
    return NoStopTimeLeft(atBottom(dive, settings, gases, nullptr), gases, settings);
}

DecoSettings Sanitized(DecoSettings s)
{
    const auto within = [](double value, double low, double high, double fallback) {
        return std::isfinite(value) ? std::clamp(value, low, high) : fallback;
    };
    s.gfLow = within(s.gfLow, 0.01, 1.5, 0.30);
    s.gfHigh = within(s.gfHigh, 0.01, 1.5, 0.85);
    s.descentRate = within(s.descentRate, 0.1, 1000.0, 20.0);
    s.ascentRate = within(s.ascentRate, 0.1, 1000.0, 10.0);
    s.stopInterval = within(s.stopInterval, 0.5, 30.0, 3.0);
    s.lastStop = within(s.lastStop, 0.0, 30.0, 3.0);
    s.decoPPO2 = within(s.decoPPO2, 0.1, 10.0, 1.6);
    s.minSwitchTime = within(s.minSwitchTime, 0.0, 60.0, 0.0);
    s.environment.surfacePressure = within(s.environment.surfacePressure, 0.5, 1.5, 1.01325);
    s.environment.metresPerBar = within(s.environment.metresPerBar, 5.0, 15.0, 10.0);
    return s;
}

DiveInput Sanitized(DiveInput dive)
{
    const auto gas = [](BreathingGas g) {
        g.o2 = std::isfinite(g.o2) ? std::clamp(g.o2, 0.01, 1.0) : 0.21;
        g.he = std::isfinite(g.he) ? std::clamp(g.he, 0.0, 1.0 - g.o2) : 0.0;
        return g;
    };
    dive.depth = std::isfinite(dive.depth) ? std::clamp(dive.depth, 0.0, 1000.0) : 0.0;
    dive.bottomTime = std::isfinite(dive.bottomTime) ? std::clamp(dive.bottomTime, 0.0, 10000.0) : 0.0;
    dive.bottomGas = gas(dive.bottomGas);
    for (DecoGas &deco : dive.decoGases) {
        deco.gas = gas(deco.gas);
        if (deco.switchDepth)
            deco.switchDepth = std::isfinite(*deco.switchDepth) ? std::clamp(*deco.switchDepth, 0.0, 1000.0) : 0.0;
    }
    return dive;
}

} // namespace deco
