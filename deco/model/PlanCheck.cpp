#include "deco/model/PlanCheck.h"

#include "core/SettingsFile.h"
#include "deco/model/Ascent.h"
#include "deco/model/Tissues.h"

#include <algorithm>
#include <cmath>

namespace deco {

namespace {

// Steps of at most 6 seconds along the ascent, where the ceiling is checked.
constexpr double StepMinutes = 0.1;

class Walker
{
public:
    Walker(const DecoSettings &settings, double firstStop)
        : m_set(settings), m_firstStop(firstStop), m_tissues(Tissues::atSurface(settings.environment.surfacePressure))
    {
    }

    // From the diver's depth to `depth` in `minutes` on `gas`; `checked`: the
    // ceiling is held against the diver after every step.
    void go(double depth, double minutes, const BreathingGas &gas, bool checked)
    {
        if (!(minutes > 0.0)) {
            m_depth = depth;
            return;
        }
        const int steps = checked ? std::max(1, int(std::ceil(minutes / StepMinutes - 1e-9))) : 1;
        const double start = m_depth;
        for (int i = 1; i <= steps; ++i) {
            const double from = start + (depth - start) * (i - 1) / steps;
            const double to = start + (depth - start) * i / steps;
            m_tissues.change(m_set.environment.ambient(from), m_set.environment.ambient(to), gas, minutes / steps);
            m_time += minutes / steps;
            m_depth = to;
            if (checked)
                check();
        }
    }

    const PlanCheck &result() const { return m_result; }

private:
    void check()
    {
        if (!m_result.clear)
            return;
        const double gf = GradientAt(m_depth, m_firstStop, m_set);
        const double ceiling = m_set.environment.depthOf(m_tissues.toleratedAmbient(gf));
        if (ceiling > m_depth + 1e-6)
            m_result = {false, ceiling, m_time};
    }

    const DecoSettings &m_set;
    double m_firstStop;
    Tissues m_tissues;
    double m_depth = 0.0;
    double m_time = 0.0;
    PlanCheck m_result;
};

} // namespace

PlanCheck CheckPlannedDive(const PlannedDive &dive, const DecoSettings &conventions)
{
    const DecoSettings settings = Sanitized(conventions);
    std::vector<PlannedStop> stops;
    for (const PlannedStop &stop : dive.stops)
        if (stop.depth > 0.0 && stop.depth < dive.depth)
            stops.push_back(stop);
    std::stable_sort(stops.begin(), stops.end(), [](const auto &a, const auto &b) { return a.depth > b.depth; });
    const double rate = std::max(dive.ascentRate, 0.1);

    Walker walker(settings, stops.empty() ? 0.0 : stops.front().depth);
    walker.go(dive.depth, dive.descentMinutes, dive.bottomGas, false);
    walker.go(dive.depth, dive.bottomMinutes, dive.bottomGas, false);
    const double switchAt = dive.decoGasFrom > 0.0 ? dive.decoGasFrom : -1.0;
    const auto gasAt = [&](double depth) -> const BreathingGas & {
        return depth <= switchAt + 1e-6 ? dive.decoGas : dive.bottomGas;
    };
    // Up at the rate, on the bottom gas down to the switch depth and the deco gas above it.
    double depth = dive.depth;
    const auto rise = [&](double to) {
        if (switchAt > to && switchAt < depth) {
            walker.go(switchAt, (depth - switchAt) / rate, dive.bottomGas, true);
            depth = switchAt;
        }
        walker.go(to, (depth - to) / rate, gasAt(depth), true);
        depth = to;
    };
    for (const PlannedStop &stop : stops) {
        rise(stop.depth);
        walker.go(stop.depth, stop.minutes, gasAt(stop.depth), true);
    }
    rise(0.0);
    return walker.result();
}

GradientFactors SettingsGradientFactors()
{
    const IniFile settings = SettingsFile();
    return {settings.readInteger(QStringLiteral("Deco"), QStringLiteral("GFLow"), 30),
            settings.readInteger(QStringLiteral("Deco"), QStringLiteral("GFHigh"), 85)};
}

} // namespace deco
