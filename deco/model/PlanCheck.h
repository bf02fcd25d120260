#pragma once

// A planned dive checked against the model: descent, bottom, ascent at the
// planned rate with the stops the plan holds, the deco gas breathed from
// its switch depth up, and whether the diver stays below the ceiling all
// the way up. The gradient
// factor rises from GF low at the deepest planned stop to GF high at the
// surface; a plan without stops is held to GF high.

#include "deco/model/DecoSettings.h"

#include <vector>

namespace deco {

struct PlannedStop
{
    double depth = 0.0;          // metres
    double minutes = 0.0;
};

struct PlannedDive
{
    double depth = 0.0;          // metres
    double descentMinutes = 0.0;
    double bottomMinutes = 0.0;  // at the depth, after the descent
    double ascentRate = 10.0;    // metres per minute, also between the stops
    BreathingGas bottomGas;
    BreathingGas decoGas;
    double decoGasFrom = 0.0;    // metres: the deco gas is breathed at and above it; 0: not at all
    std::vector<PlannedStop> stops;
};

struct PlanCheck
{
    bool clear = true;
    double ceiling = 0.0;        // metres, where the ceiling was first above the diver
    double runTime = 0.0;        // minutes, when
};

PlanCheck CheckPlannedDive(const PlannedDive &dive, const DecoSettings &settings);

// GF low and high (percent) from the settings file, "Deco"/"GFLow" and
// "GFHigh", 30 and 85 when not set.
struct GradientFactors
{
    int low = 30;
    int high = 85;
};
GradientFactors SettingsGradientFactors();

} // namespace deco
