#include "deco/model/Tracker.h"

#include <algorithm>
#include <cmath>

namespace deco {

DecoTracker::DecoTracker(const DecoSettings &settings) : m_settings(Sanitized(settings)) { reset(); }

void DecoTracker::reset()
{
    m_state = DiverState{Tissues::atSurface(m_settings.environment.surfacePressure), 0.0, 0.0, 0};
    m_gas = BreathingGas{};
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
    const Environment &env = m_settings.environment;
    std::array<double, CompartmentCount> atGfLow;
    const double lowCeiling = env.depthOf(m_state.tissues.toleratedAmbients(m_settings.gfLow, atGfLow));
    m_firstStop = std::max(m_firstStop, lowCeiling);
    if (m_firstStop <= 0.0)
        return 0.0; // no stop was ever due: GF high, whose ceiling lies above GF low's
    const double tolerated = m_state.tissues.toleratedAmbient(m_settings.gfLow, m_settings.gfHigh, env.surfacePressure,
                                                              env.ambient(m_firstStop), atGfLow);
    return std::max(0.0, env.depthOf(tolerated));
}

NoDecoLimit DecoTracker::noDecoLimit() const
{
    return NoStopTimeLeft(m_state, GasPlan(m_gas), m_settings);
}

double DecoTracker::timeToSurface(const std::vector<BreathingGas> &decoGases) const
{
    DiveInput dive;
    dive.bottomGas = m_gas;
    for (const BreathingGas &gas : decoGases)
        if (gas.o2 > m_gas.o2)
            dive.decoGases.push_back({gas, {}});
    DiverState ahead = m_state;
    Ascend(ahead, GasPlan(dive, m_settings), m_settings);
    return ahead.runTime - m_state.runTime;
}

} // namespace deco
