#pragma once

// The decompression model run over a recorded dive: the ceiling at every
// sample, drawn as a thin line over the profile, and the ceiling, the
// no-decompression limit and the time to surface at any moment of the
// dive for the cursor read-out. The gases are the dive's mixes as it
// switched between them (air all through a DAN file).

#include "deco/model/Tracker.h"
#include "profiles/DanDrawing.h"
#include "profiles/DiveLog.h"

#include <vector>

// The settings the viewer computes with: GF low and high from the program's
// settings, the program's water type, the model's other conventions.
deco::DecoSettings ViewerDecoSettings();

struct DiveAhead
{
    double ceiling = 0;            // metres
    deco::NoDecoLimit noDecoLimit;
    double timeToSurface = 0;      // minutes
};

class DiveCeiling
{
public:
    // Follows `dive` sample by sample; the dive itself is not kept.
    DiveCeiling(const LogDive &dive, const deco::DecoSettings &settings);

    // Metres, one per sample of the dive.
    const std::vector<float> &ceilings() const { return m_ceilings; }
    // The model's view at `seconds` (at the sample at or before it) of the
    // same `dive` this was made from.
    DiveAhead aheadAt(const LogDive &dive, double seconds) const;

private:
    std::vector<float> m_ceilings;
    // The tracker after every `SnapshotStride`-th sample, so that a moment
    // of the dive is reached by replaying a few samples, not all before it.
    std::vector<deco::DecoTracker> m_snapshots;
};

// The ceiling as a thin line of `color` over the profile, in metres
// (metric) or feet, only where it lies below the surface. A point is
// drawn where the ceiling has moved by a tenth of the depth unit or more
// since the last one, or at the start or end of a stretch below the
// surface, so a long dive does not cost a chart item for every sample.
void DrawDiveCeiling(const LogDive &dive, const DiveCeiling &ceiling, bool metric, QRgb color, DanPlotter &plotter);

// "Ceiling: %3.1f" in the depth unit, and "NDL/TTS: %s": the whole minutes
// of no-decompression time left ("999+" beyond the model's cap) and the
// minutes to the surface, "12/2 min".
QString CeilingReadout(const DiveAhead &ahead, bool metric);
QString NdlTtsReadout(const DiveAhead &ahead);
