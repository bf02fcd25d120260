#include "deco/model/Tracker.h"

#include <algorithm>
#include <cmath>

namespace deco {

DecoTracker::DecoTracker(const DecoSettings &settings) : m_settings(Sanitized(settings)) { reset(); }

void DecoTracker::reset()
{
    m_state = DiverState{Tissues::atSurface(m_settings.environment.surfacePressure), 0.0, 0.0, 0};
    m_gas = BreathingGas{};
    m_oxygen = OxygenExposure{};
    m_firstStop = 0.0;
}

void DecoTracker::add(double minutes, double depth, const BreathingGas &gas)
{
    depth = std::max(0.0, depth);
    // Intervals to the microsecond: samples a fixed time apart then give the
    // same interval each time, whose decay factors the tissues keep.
    constexpr double MicrosecondsPerMinute = 6e7;
    const double elapsed = std::round((minutes - m_state.runTime) * MicrosecondsPerMinute) / MicrosecondsPerMinute;
    m_gas = gas;
    if (elapsed > 0.0) {
        const Environment &env = m_settings.environment;
        const double start = env.ambient(m_state.depth);
        const double end = env.ambient(depth);
        m_state.tissues.change(start, end, gas, elapsed);
        if (start == end)
            m_oxygen.breathe(start * gas.o2, elapsed);
        else
            m_oxygen.breatheChanging(start * gas.o2, end * gas.o2, elapsed);
        m_state.runTime += elapsed;
    }
    m_state.depth = depth;
}

double DecoTracker::ceiling(double gf) const
{
    return std::max(0.0, m_settings.environment.depthOf(m_state.tissues.toleratedAmbient(gf)));
}

double DecoTracker::diveCeiling()
{
    const double gfLow = m_settings.gfLow, gfHigh = m_settings.gfHigh;
    const double deepest = ceiling(gfLow);
    m_firstStop = std::max(m_firstStop, deepest);
    const double shallowest = ceiling(gfHigh);
    if (m_firstStop <= 0.0 || shallowest <= 0.0)
        return shallowest;
    // The ceiling c is where c = ceiling(gf(c)), gf(d) running from GF high
    // at the surface to GF low at the first stop. ceiling(gf(d)) - d is
    // positive at the surface (the GF-high ceiling lies below it) and not
    // positive at the GF-low ceiling (gf is GF low or above there), so the
    // root lies between: regula falsi with the Illinois step finds it to a
    // centimetre in a few passes over the compartments.
    const auto gfAt = [&](double depth) {
        return depth >= m_firstStop ? gfLow : gfHigh - (gfHigh - gfLow) * depth / m_firstStop;
    };
    double lo = 0.0, loGap = shallowest;                  // gap > 0: the ceiling lies deeper
    double hi = deepest, hiGap = ceiling(gfAt(deepest)) - deepest;
    if (hiGap >= 0.0)
        return deepest;
    int side = 0;
    for (int pass = 0; pass < 30 && hi - lo > 0.01; ++pass) {
        const double depth = hi - hiGap * (hi - lo) / (hiGap - loGap);
        const double gap = ceiling(gfAt(depth)) - depth;
        if (gap == 0.0)
            return depth;
        if (gap > 0.0) {
            lo = depth;
            loGap = gap;
            if (side == 1)
                hiGap /= 2.0;
            side = 1;
        } else {
            hi = depth;
            hiGap = gap;
            if (side == -1)
                loGap /= 2.0;
            side = -1;
        }
    }
    return hi;
}

NoDecoLimit DecoTracker::noDecoLimit() const
{
    return NoStopTimeLeft(m_state, GasPlan(m_gas), m_settings);
}

double DecoTracker::timeToSurface() const
{
    DiverState ahead = m_state;
    Ascend(ahead, GasPlan(m_gas), m_settings);
    return ahead.runTime - m_state.runTime;
}

} // namespace deco
