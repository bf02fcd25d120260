#pragma once

// The decompression model run over a recorded dive: its ceiling, drawn as
// a thin line over the profile, and the ceiling, the no-decompression
// limit and the time to surface at any moment of the dive for the cursor
// read-out. The gases are the dive's mixes as it switched between them
// (air all through a DAN file).

#include "deco/model/Tracker.h"
#include "profiles/model/DanDrawing.h"
#include "profiles/model/DiveLog.h"

#include <cstdint>
#include <vector>

// The settings the viewer computes with: GF low and high from the program's
// settings, the program's water type, the model's other conventions.
deco::DecoSettings ViewerDecoSettings();

// What the model needs of a sample, a third of a whole one: a long DAN
// profile is collected this way while it loads.
struct CeilingSample
{
    float seconds = 0;
    float metres = 0;
    std::uint8_t mix = 0; // into the dive's mixes
};

struct CeilingDive
{
    std::vector<CeilingSample> samples;
    std::vector<DiveMix> mixes{DiveMix{}};
};
CeilingDive CeilingDiveOf(const LogDive &dive);

struct DiveAhead
{
    double ceiling = 0; // metres
    deco::NoDecoLimit noDecoLimit;
    double timeToSurface = 0; // minutes
};

struct CeilingPoint
{
    float seconds = 0;
    float metres = 0;
};

class DiveCeiling
{
public:
    // Follows the dive sample by sample, and keeps it for the read-out.
    DiveCeiling(CeilingDive dive, const deco::DecoSettings &settings);
    // Follows a dive whose samples are still coming: `add` each in turn,
    // then `finish`; the result is the same as from the whole dive.
    DiveCeiling(std::vector<DiveMix> mixes, const deco::DecoSettings &settings);
    // Room for about `samples` samples, so that following a long dive does
    // not copy what it holds again and again.
    void reserve(std::size_t samples);
    void add(const CeilingSample &sample);
    void finish();
    bool empty() const { return m_dive.samples.empty(); }

    // The ceiling at the first sample, then at each sample ten seconds or
    // more after the last point, and at the last sample: the tissues, and
    // so the ceiling, change far too slowly for more points to show.
    const std::vector<CeilingPoint> &points() const { return m_points; }
    // The model's view at `seconds`, at the sample at or before it; the
    // time to surface switches to the dive's richer mixes on the way up.
    DiveAhead aheadAt(double seconds) const;

private:
    // The model after some samples, and when it last gave a point.
    struct Walk
    {
        deco::DecoTracker tracker;
        float lastPoint = 0;
        bool started = false;
    };

    // Moves the walk on by `sample`; true when a point is due there, the
    // ceiling then being the tracker's to give. The last sample always
    // gives one.
    bool step(Walk &walk, const CeilingSample &sample, bool last) const;
    void walkOn(std::size_t sample);

    CeilingDive m_dive;
    Walk m_walk;
    bool m_pointAtLast = false; // the last sample walked gave a point
    std::vector<CeilingPoint> m_points;
    // The walk before every `SnapshotStride`-th sample, so that a moment of
    // the dive is reached by replaying a few samples, not all before it.
    std::vector<Walk> m_snapshots;
};

// The ceiling as a thin line of `color` over the profile, in metres
// (metric) or feet, only where it lies below the surface. A point is
// drawn where the ceiling has moved by a tenth of the depth unit or more
// since the last one, or at the start or end of a stretch below the
// surface.
void DrawDiveCeiling(const DiveCeiling &ceiling, bool metric, QRgb color, DanPlotter &plotter);

// "Ceiling: %3.1f" in the depth unit, and "NDL/TTS: %s": the whole minutes
// of no-decompression time left ("999+" beyond the model's cap) and the
// minutes to the surface, "12/2 min".
QString CeilingReadout(const DiveAhead &ahead, bool metric);
QString NdlTtsReadout(const DiveAhead &ahead);
