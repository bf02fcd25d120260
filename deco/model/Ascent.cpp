#include "deco/model/Ascent.h"

#include <algorithm>
#include <cmath>

namespace deco {

namespace {

// Depths closer than this are the same depth (grid arithmetic in doubles).
constexpr double Same = 1e-6;

// The shallowest grid depth at or below `depth`.
double gridAtOrBelow(double depth, double interval)
{
    if (depth <= Same)
        return 0.0;
    return std::ceil(depth / interval - 1e-9) * interval;
}

// The next grid depth above `depth`.
double gridAbove(double depth, double interval)
{
    return std::max(0.0, std::floor(depth / interval - 1e-9) * interval);
}

// Walks one diver up; records what it does when `out` is given (a
// simulated look-ahead records nothing).
class Climber
{
public:
    Climber(DiverState &state, const GasPlan &gases, const DecoSettings &settings, AscentResult *out)
        : s(state), gases(gases), set(settings), out(out)
    {
    }

    // Straight to the surface when the ascent ends with the ceiling of GF
    // high at or above it, as it would from a last stop; false when it does not.
    bool straightUp()
    {
        switchIfDue();
        if (!clears(0.0, set.gfHigh))
            return false;
        climbTo(0.0);
        leaveAfterSwitchTime();
        return true;
    }

    // Up to the first stop; false when the surface is reached without one.
    bool toFirstStop()
    {
        for (;;) {
            switchIfDue();
            double target = gridAtOrBelow(ceiling(set.gfLow), set.stopInterval);
            if (target > Same && target < set.lastStop - Same)
                target = set.lastStop;
            // The surface is reached only as from a last stop: with the
            // ceiling of GF high at or above it (GF low may be the higher one).
            if (target <= Same && !clears(0.0, set.gfHigh))
                target = std::min(shallowestStop(), s.depth);
            if (const auto at = gases.switchBetween(target, s.depth, s.gas))
                target = *at;
            // The tissues change on the way (a slow ascent on a rich gas
            // still loads the slow compartments): a depth whose ceiling
            // would be below the diver on arrival gives way to the next
            // deeper stop.
            while (target > Same && target < s.depth - Same && !clears(target, set.gfLow))
                target = (std::floor(target / set.stopInterval + 1e-9) + 1.0) * set.stopInterval;
            if (target >= s.depth - Same)
                return true;
            leaveAfterSwitchTime();
            rise(target);
            if (s.depth <= Same) {
                switchIfDue();
                return false;
            }
        }
    }

    // Stop by stop from the first stop, which the diver is at, to the surface.
    void stops(double firstStop)
    {
        m_firstStop = firstStop;
        while (s.depth > Same) {
            double next = gridAbove(s.depth, set.stopInterval);
            if (next < set.lastStop - Same)
                next = 0.0;
            const double gf = GradientAt(next, firstStop, set);
            switchIfDue();
            int minutes = 0;
            bool cleared = true;
            do {
                stay(1.0);
                if (++minutes >= LongestStop) {
                    cleared = false;
                    break;
                }
            } while (minutes < m_switchWait || !clears(next, gf));
            m_switchWait = 0.0;
            record(Stop{s.depth, minutes, s.runTime, s.gas});
            if (!cleared) {
                if (out)
                    out->cleared = false;
                next = 0.0;
            }
            climbTo(next);
        }
        switchIfDue();
    }

    // Up to `target`, switching gases where the way passes their depths.
    void climbTo(double target)
    {
        while (s.depth > target + Same) {
            const auto at = gases.switchBetween(target, s.depth, s.gas);
            rise(at ? *at : target);
            if (at) {
                // A switch on the way is a stop of its own: the ceiling of its
                // depth's gradient factor must let the diver be there.
                if (s.tissues.toleratedAmbient(GradientAt(s.depth, m_firstStop, set)) > ambient(s.depth) + 1e-9)
                    m_aboveCeiling = true;
                switchIfDue();
                leaveAfterSwitchTime();
            }
        }
    }

private:
    double shallowestStop() const { return set.lastStop > Same ? set.lastStop : set.stopInterval; }
    double ambient(double depth) const { return set.environment.ambient(depth); }
    double ceiling(double gf) const { return set.environment.depthOf(s.tissues.toleratedAmbient(gf)); }

    // Whether the ascent from here to `next` ends with the ceiling of `gf` at or above `next`.
    bool clears(double next, double gf) const
    {
        DiverState ahead = s;
        Climber look(ahead, gases, set, nullptr);
        look.m_firstStop = m_firstStop;
        look.climbTo(next);
        return !look.m_aboveCeiling && ahead.tissues.toleratedAmbient(gf) <= ambient(next) + 1e-9;
    }

    void switchIfDue()
    {
        const int best = gases.bestAt(s.depth, s.gas);
        if (best == s.gas)
            return;
        s.gas = best;
        m_switchWait = set.minSwitchTime;
    }

    // A switch time still due here is spent, as a stop of its own, before going on up.
    void leaveAfterSwitchTime()
    {
        if (m_switchWait <= 0.0)
            return;
        const double wait = std::ceil(m_switchWait - 1e-9);
        m_switchWait = 0.0;
        stay(wait);
        record(Stop{s.depth, int(wait), s.runTime, s.gas});
    }

    void rise(double target)
    {
        const double minutes = (s.depth - target) / set.ascentRate;
        s.tissues.change(ambient(s.depth), ambient(target), gases.gas(s.gas), minutes);
        if (out)
            out->segments.push_back(Segment{s.depth, target, minutes, s.gas, false});
        s.depth = target;
        s.runTime += minutes;
    }

    void stay(double minutes)
    {
        s.tissues.stay(ambient(s.depth), gases.gas(s.gas), minutes);
        if (out) {
            // Minutes at one depth on one gas make one segment.
            std::vector<Segment> &segments = out->segments;
            if (!segments.empty() && segments.back().startDepth == s.depth && segments.back().endDepth == s.depth
                && segments.back().gas == s.gas)
                segments.back().minutes += minutes;
            else
                segments.push_back(Segment{s.depth, s.depth, minutes, s.gas, false});
        }
        s.runTime += minutes;
    }

    void record(const Stop &stop)
    {
        if (out)
            out->stops.push_back(stop);
    }

    DiverState &s;
    const GasPlan &gases;
    const DecoSettings &set;
    AscentResult *out;
    double m_switchWait = 0.0;
    double m_firstStop = 0.0;        // known once the stops begin
    bool m_aboveCeiling = false;     // a switch on the way found the diver above the ceiling
};

} // namespace

GasPlan::GasPlan(const DiveInput &dive, const DecoSettings &settings)
{
    m_gases.push_back(dive.bottomGas);
    m_switchDepths.push_back(std::nullopt);
    const Environment &env = settings.environment;
    for (const DecoGas &deco : dive.decoGases) {
        m_gases.push_back(deco.gas);
        if (deco.switchDepth) {
            m_switchDepths.push_back(std::max(0.0, *deco.switchDepth));
        } else {
            const double mod = env.depthOf(settings.decoPPO2 / std::max(deco.gas.o2, 0.01));
            m_switchDepths.push_back(std::max(0.0, std::round(mod / settings.stopInterval) * settings.stopInterval));
        }
    }
}

GasPlan::GasPlan(const BreathingGas &gas) : m_gases{gas}, m_switchDepths{std::nullopt} {}

std::optional<double> GasPlan::switchDepth(int index) const { return m_switchDepths[size_t(index)]; }

int GasPlan::bestAt(double depth, int current) const
{
    int best = current;
    for (int i = 1; i < count(); ++i)
        if (*m_switchDepths[size_t(i)] >= depth - Same && gas(i).o2 > gas(best).o2)
            best = i;
    return best;
}

std::optional<double> GasPlan::switchBetween(double above, double below, int current) const
{
    std::optional<double> deepest;
    for (int i = 1; i < count(); ++i) {
        const double at = *m_switchDepths[size_t(i)];
        if (gas(i).o2 > gas(current).o2 && at > above + Same && at < below - Same && (!deepest || at > *deepest))
            deepest = at;
    }
    return deepest;
}

double GradientAt(double depth, double firstStop, const DecoSettings &settings)
{
    if (firstStop <= Same)
        return settings.gfHigh;
    return settings.gfHigh - (settings.gfHigh - settings.gfLow) * std::min(depth, firstStop) / firstStop;
}

AscentResult Ascend(DiverState &state, const GasPlan &gases, const DecoSettings &settings)
{
    AscentResult result;
    Climber climber(state, gases, settings, &result);
    if (!climber.straightUp() && climber.toFirstStop()) {
        result.firstStop = state.depth;
        climber.stops(state.depth);
    }
    return result;
}

bool AscentNeedsNoStop(const DiverState &state, const GasPlan &gases, const DecoSettings &settings)
{
    DiverState ahead = state;
    Climber look(ahead, gases, settings, nullptr);
    return look.straightUp() || !look.toFirstStop();
}

} // namespace deco
