#pragma once

// The model following a recorded dive sample by sample: each sample moves
// the tissues from the previous one (depth changing linearly between them),
// and the ceiling, the no-decompression limit and the time to surface can
// be asked after any sample. A sample costs one update of the compartments;
// the ceiling one pass over them; NDL and TTS simulate ahead and cost more.

#include "deco/model/Schedule.h"

namespace deco {

class DecoTracker
{
public:
    explicit DecoTracker(const DecoSettings &settings = {});

    // Back to the surface before the dive, saturated with air.
    void reset();
    // The next sample: run time in minutes, depth in metres, the gas
    // breathed since the previous sample. A sample at or before the
    // previous one's time only moves the diver to its depth.
    void add(double minutes, double depth, const BreathingGas &gas);

    double depth() const { return m_state.depth; }
    double runTime() const { return m_state.runTime; }
    const Tissues &tissues() const { return m_state.tissues; }
    // Depth (metres) of the ceiling with gradient factor `gf`; 0 when it
    // is above the surface.
    double ceiling(double gf) const;
    // The ceiling of a recorded dive, asked once after each sample: the
    // gradient factor is GF low at the deepest GF-low ceiling the dive has
    // reached so far (its first stop) and rises in a straight line to GF
    // high at the surface, as on a planned ascent; a dive that never had a
    // stop due is held to GF high. Metres, 0 when there is none.
    double diveCeiling();
    // Whole minutes more at this depth on this gas with no stop due.
    NoDecoLimit noDecoLimit() const;
    // Minutes of the ascent from here, stops included, on the gas breathed
    // now, switching on the way to each of `decoGases` richer in oxygen at
    // its MOD at the deco ppO2 (on the stop grid), as the schedule does.
    double timeToSurface(const std::vector<BreathingGas> &decoGases = {}) const;

private:
    DecoSettings m_settings;
    DiverState m_state;
    BreathingGas m_gas;
    double m_firstStop = 0.0; // the deepest GF-low ceiling so far, metres
};

} // namespace deco
