#pragma once

// The conventions a schedule follows and the dive it is made for. Every
// convention is an input; the defaults are the program's. Depths are
// metres, rates metres per minute, pressures bar.

#include "deco/model/Environment.h"
#include "deco/model/Gas.h"

#include <optional>
#include <vector>

namespace deco {

struct DecoSettings
{
    double gfLow = 0.30;             // gradient factor at the first stop, 0..1
    double gfHigh = 0.85;            // gradient factor at the surface
    double descentRate = 20.0;
    double ascentRate = 10.0;        // also between stops
    double stopInterval = 3.0;       // stops on a grid of this depth
    double lastStop = 3.0;           // the shallowest stop: 3 or 6 m
    double decoPPO2 = 1.6;           // sets the automatic switch depths
    double minSwitchTime = 0.0;      // minutes at a gas switch
    Environment environment;
};

struct DecoGas
{
    BreathingGas gas;
    std::optional<double> switchDepth;   // empty: its MOD at the deco ppO2, to the nearest stop
};

struct DiveInput
{
    double depth = 40.0;
    double bottomTime = 25.0;            // run time when the ascent starts, descent included
    BreathingGas bottomGas;
    std::vector<DecoGas> decoGases;
};

// The settings with every value brought into a range the engine can work
// with (positive rates and grid, gradient factors 0.01..1.5, at most
// 1000 m and 10,000 minutes).
DecoSettings Sanitized(DecoSettings settings);
DiveInput Sanitized(DiveInput dive);

} // namespace deco
