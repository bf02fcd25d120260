#pragma once

// What a recalculation of the plan computes. Values are numbers in the plan's
// units, rounded as the planner shows them (most to two decimals, see
// Round2), so each step reads the same number the window shows for the steps
// before it. A value stays empty until a recalculation sets it; the window
// shows it empty then. Each member carries the name of the control that
// shows it.

#include <QString>

#include <array>
#include <optional>

// A computed number; empty until a recalculation sets it.
using PlanValue = std::optional<double>;

// The value as the planner shows it: MyFormat's two decimals, "" when empty.
QString ShownValue(const PlanValue &value);
// The value as a step reads it. An empty value, or one that is no finite
// number, throws ConvertError with the message the shown text would give
// ("'' is not a valid floating point value"), so a step that needs it stops
// as it does at any value that does not read as a number.
double ValueOf(const PlanValue &value);

// A maximum operating depth. `none` when the ppO2 or the oxygen percentage
// is 0: the planner shows "0" then and reads it as 0.
struct ModDepth
{
    double depth = 0;
    bool none = false;
};
QString ShownMod(const std::optional<ModDepth> &mod);

// One diver's results. The controls of diver 1 and 2 bear the field's name
// with 1 or 2 appended (`DescentComsumption1`, `stReserveInCuFt2`), except
// the available time: `TeoretiskAvailTime` and `TeoretiskAvailTime2`.
struct DiverResults
{
    // Gas use per phase of the dive, cubic feet or litres.
    PlanValue DescentComsumption;
    PlanValue BottomTimeConsumption;
    PlanValue Ascent1Consumption; // ascent to the deepest stop (or to the surface)
    PlanValue DecoConsumption;    // at the stops
    PlanValue Ascent2Consumption; // ascent from the deepest stop
    PlanValue TotalRunTimeConsumption;

    PlanValue stReserveInCuFt; // the reserve

    // Minutes the diver's tank lasts at the depth, without descent, ascent or stops.
    PlanValue TeoretiskAvailTime;
};

struct PlanResults
{
    // --- Depth and gas ---------------------------------------------------------
    PlanValue PressureInATA; // absolute pressure at the depth
    PlanValue MaxPOTwo;      // ppO2 of the bottom gas at the depth
    std::optional<ModDepth> MODBottomGasEdit;
    PlanValue EAD;
    PlanValue MODDecomixEdit; // ppO2 of the decompression gas at the deepest stop
    PlanValue BestMix;        // best nitrox oxygen
    PlanValue LblEdit4;       // its nitrogen, 100 - BestMix unrounded: shown by FloatToStr
    PlanValue SuggestedHelium, SuggestedOxygen, SuggestedNitrogen; // empty when no helium is needed

    // --- Times of the dive, minutes --------------------------------------------
    PlanValue DescentTime, BottomTime, AscentTime, TotalDecoTime, AscentFromDecoTime;
    PlanValue BestTime; // total run time

    // --- Each diver's gas --------------------------------------------------------
    std::array<DiverResults, 2> diver;

    // --- The active stops, as the last pass found them ---------------------------
    int DeepestDecoStop = 0; // 0 when no stop is active
    int ShallowestDecoStop = 0;
    bool DecoActive = false;
};

// The nitrogen of the best nitrox as the planner shows it, "" when empty.
QString ShownNitrogen(const PlanResults &results);
