#pragma once

// A decompression schedule: descent, bottom and the ascent with its stops
// and gas switches, with the dive's oxygen exposure, and the questions a
// planner asks of it (gas use, warnings, the no-decompression limit).

#include "deco/model/Ascent.h"

#include <vector>

namespace deco {

struct Schedule
{
    DiveInput dive;              // as computed (Sanitized)
    DecoSettings settings;       // as computed (Sanitized)
    std::vector<BreathingGas> gases;            // 0 the bottom gas, then the deco gases in order
    std::vector<double> switchDepths;           // per gas; the bottom gas: the bottom depth
    std::vector<Segment> segments;              // the whole dive, from the surface to the surface
    std::vector<Stop> stops;                    // deepest first
    double firstStop = 0.0;      // 0: no decompression stop
    double runTime = 0.0;        // at the surface
    int decoMinutes = 0;         // the stop times added up
    bool cleared = true;         // false: a stop did not clear and the schedule ends there
    double cnsPercent = 0.0;
    double otu = 0.0;
    bool oxygenAboveTable = false;

    // Whether gas `index` is breathed at all.
    bool used(int index) const;
};

Schedule ComputeSchedule(const DiveInput &dive, const DecoSettings &settings = {});

// Gas breathed per gas of the schedule, in litres (cubic feet): the bottom
// SAC for the descent and the bottom, the deco SAC from the start of the
// ascent, each times the ambient pressure.
std::vector<double> GasUse(const Schedule &schedule, double bottomSac, double decoSac);

struct DecoWarning
{
    enum Kind { PPO2Above, GasUnused, HypoxicAtSurface, StopDoesNotClear };
    Kind kind;
    int gas = 0;
    double ppO2 = 0.0;
    double depth = 0.0;          // metres
};
// Every gas breathed above the deco ppO2 (at its deepest), every deco gas
// never breathed, every gas breathed at the surface with less than 0.16 bar
// of oxygen, and a stop that did not clear.
std::vector<DecoWarning> Warnings(const Schedule &schedule);

struct NoDecoLimit
{
    int minutes = 0;             // whole minutes more at the depth with no stop due; 0: stops due
    bool unlimited = false;      // more than NoDecoLimitCap minutes
};
constexpr int NoDecoLimitCap = 999;
// How long the diver in `state` may stay at its depth on its gas and still
// ascend without a stop.
NoDecoLimit NoStopTimeLeft(const DiverState &state, const GasPlan &gases, const DecoSettings &settings);
// The same at the end of the dive's bottom time.
NoDecoLimit NoStopTimeLeft(const DiveInput &dive, const DecoSettings &settings);

} // namespace deco
