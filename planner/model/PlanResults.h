#pragma once

// What a recalculation of the plan computes. Texts are numbers in the plan's
// units as the planner shows them, most with two decimals; each member
// carries the name of the control that shows it.

#include <QString>

#include <array>

// One diver's results. The controls of diver 1 and 2 bear the field's name
// with 1 or 2 appended (`DescentComsumption1`, `stReserveInCuFt2`), except
// the available time: `TeoretiskAvailTime` and `TeoretiskAvailTime2`.
struct DiverResults
{
    // Gas use per phase of the dive, cubic feet or litres.
    QString DescentComsumption;
    QString BottomTimeConsumption;
    QString Ascent1Consumption; // ascent to the deepest stop (or to the surface)
    QString DecoConsumption;    // at the stops
    QString Ascent2Consumption; // ascent from the deepest stop
    QString TotalRunTimeConsumption;

    // The reserve: as a number (`Reserve1`, `Reserve2`) and as shown.
    double Reserve = 0;
    QString stReserveInCuFt;

    // Minutes the diver's tank lasts at the depth, without descent, ascent or stops.
    QString TeoretiskAvailTime;
};

struct PlanResults
{
    // --- Depth and gas ---------------------------------------------------------
    QString PressureInATA; // absolute pressure at the depth
    QString MaxPOTwo;      // ppO2 of the bottom gas at the depth
    QString MODBottomGasEdit, EAD;
    QString MODDecomixEdit;                                      // ppO2 of the decompression gas at the deepest stop
    QString BestMix, LblEdit4;                                   // best nitrox: oxygen and nitrogen
    QString SuggestedHelium, SuggestedOxygen, SuggestedNitrogen; // empty when no helium is needed

    // --- Times of the dive, minutes --------------------------------------------
    QString DescentTime, BottomTime, AscentTime, TotalDecoTime, AscentFromDecoTime;
    QString BestTime; // total run time

    // --- Each diver's gas --------------------------------------------------------
    std::array<DiverResults, 2> diver;

    // --- The active stops, as the last pass found them ---------------------------
    int DeepestDecoStop = 0; // 0 when no stop is active
    int ShallowestDecoStop = 0;
    bool DecoActive = false;
};
