#pragma once

// The ascent from wherever a diver is. When the ascent straight to the
// surface ends with the ceiling of GF high at or above the surface (the
// rule that ends a last stop), the diver goes straight up: no stop is due.
// Otherwise up at the ascent rate to the first stop (found with GF low),
// then stop by stop, each stop whole minutes long until the ascent to the
// next one clears the ceiling of the next stop's gradient factor; richer
// gases are switched to on the way.

#include "deco/model/DecoSettings.h"
#include "deco/model/Tissues.h"

#include <optional>
#include <vector>

namespace deco {

// Where the diver is and what the tissues hold.
struct DiverState
{
    Tissues tissues;
    double depth = 0.0;
    double runTime = 0.0;
    int gas = 0;                 // index into the GasPlan
};

// The gases of a dive (0 the bottom gas) and the depths the deco gases may
// be breathed from.
class GasPlan
{
public:
    GasPlan(const DiveInput &dive, const DecoSettings &settings);
    // Only the one gas breathed now (recorded profiles).
    explicit GasPlan(const BreathingGas &gas);

    int count() const { return int(m_gases.size()); }
    const BreathingGas &gas(int index) const { return m_gases[size_t(index)]; }
    // The depth from which a deco gas is breathed; the bottom gas: none.
    std::optional<double> switchDepth(int index) const;

    // The gas to breathe at `depth` on the way up, breathing `current` now:
    // of the deco gases whose switch depth is at or below `depth` the one
    // with the most oxygen, when it has more than `current`.
    int bestAt(double depth, int current) const;
    // The deepest switch depth to a richer gas strictly between `above` and `below`.
    std::optional<double> switchBetween(double above, double below, int current) const;

private:
    std::vector<BreathingGas> m_gases;
    std::vector<std::optional<double>> m_switchDepths;
};

struct Segment
{
    double startDepth = 0.0;
    double endDepth = 0.0;
    double minutes = 0.0;
    int gas = 0;
    bool bottom = false;         // descent or bottom, breathed at the bottom SAC
};

struct Stop
{
    double depth = 0.0;
    int minutes = 0;
    double runTime = 0.0;        // when the diver leaves the stop
    int gas = 0;
};

struct AscentResult
{
    std::vector<Segment> segments;
    std::vector<Stop> stops;
    double firstStop = 0.0;      // the gradient factors' first stop; 0: none was needed
    bool cleared = true;         // false: a stop did not clear within LongestStop minutes
};

// A stop that has not cleared after this many minutes ends the schedule.
constexpr int LongestStop = 1000;

// The gradient factor at `depth` for a first stop at `firstStop`: GF low
// there, rising linearly to GF high at the surface.
double GradientAt(double depth, double firstStop, const DecoSettings &settings);

// Ascends `state` to the surface; `settings` must be Sanitized.
AscentResult Ascend(DiverState &state, const GasPlan &gases, const DecoSettings &settings);
// Whether an ascent from `state` now would reach the surface without a
// decompression stop.
bool AscentNeedsNoStop(const DiverState &state, const GasPlan &gases, const DecoSettings &settings);

} // namespace deco
