#pragma once

// What the user sets in a plan. Each member carries the name of the planner
// control that holds it, which is also its key in a plan file; texts are
// kept as typed and read again by every recalculation. The defaults are the
// planner form's.

#include "core/NumText.h"

#include <QString>

#include <array>

// `UseRuleOfThirdRadio` / `UsedFixedPressureReserveRadio`.
enum class ReserveRule { RuleOfThird, FixedPressure };
// `LessNarcDepth10Radio` / `LessNarcDepth50Radio` / `SpecifyNarcDepthCheck`.
enum class NarcosisRule { TenPercent, FiftyPercent, Fixed };

// One diver's record as loaded into the plan. The controls of diver 1 and 2
// are `Diver1Name`/`Diver2Name` and the field's name with 1 or 2 appended
// (`Tanksize1`, `PSI2`, `BR1`).
struct DiverInputs
{
    QString Name;
    QString Tanksize; // imperial: rated capacity in cubic feet; metric: water volume in litres
    QString PSI;      // certified (working) pressure, psi or bar
    QString BR;       // breathing rate (RMV), cubic feet or litres per minute

    // The gas the tank holds: litres of water volume times bar, or the rated
    // capacity in cubic feet. Throws ConvertError for a text that is not a number.
    double gas(bool metric) const;
};

// One decompression stop. The controls of stop 1..3 are `Decom1Check`,
// `DecoDepth1`, `DecoTime1` and so on; they are also the plan file's keys.
struct DecoStop
{
    bool active = false;
    int depth = 0; // depth units
    int time = 0;  // minutes
};

struct PlanInputs
{
    // --- The dive ---------------------------------------------------------------
    bool Metric = false;           // metres, bar, litres; else feet, psi, cubic feet
    int Depth = 0;                 // maximum depth
    int BottomMixO2 = 21;          // oxygen percentage of the bottom gas
    QString PO2 = FloatToStr(1.6); // desired maximum ppO2, ATA

    // --- The team -----------------------------------------------------------------
    std::array<DiverInputs, 2> diver = {{
        {QString(), QStringLiteral("160"), QStringLiteral("3000"), QStringLiteral("1")},
        {QString(), QStringLiteral("240"), QStringLiteral("3500"), QStringLiteral("1")},
    }};

    // --- Reserve --------------------------------------------------------------------
    ReserveRule Reserve = ReserveRule::RuleOfThird;
    QString ReservePressure = QStringLiteral("500"); // the fixed reserve
    bool OnlyDiver1 = false;                         // "Strict Rule of Third"
    QString SRF = QStringLiteral("0");               // SAC ratio factor; every recalculation derives it afresh

    // --- Decompression stops 1..3 and their gas -------------------------------------
    std::array<DecoStop, 3> stops = {{{false, 30, 0}, {false, 20, 0}, {false, 15, 3}}};
    int DecoGas = 80; // oxygen percentage of the decompression gas
    bool SameAsBottomGas = false;

    // --- Narcosis depth for the trimix suggestion ---------------------------------
    NarcosisRule Narcosis = NarcosisRule::FiftyPercent;
    int NarcosisDepth = 10;

    // --- Speeds -----------------------------------------------------------------------
    QString AscentRateEdit; // ascent and descent rate, depth units per minute
    QString Speed1 = QStringLiteral("60"), Speed2 = QStringLiteral("75"); // to and from the turn point

    // Stop 1..3 by number, as the controls and the plan file count them.
    DecoStop &stop(int k) { return stops.at(k - 1); }
    const DecoStop &stop(int k) const { return stops.at(k - 1); }

    // Which inputs the window lets the user edit; they follow the choices above.
    bool ReservePressureEnabled() const { return Reserve == ReserveRule::FixedPressure; }
    // Also the strict rule and the turn marks of the graphic.
    bool SRFEnabled() const { return Reserve == ReserveRule::RuleOfThird; }
    bool NarcosisDepthEnabled() const { return Narcosis == NarcosisRule::Fixed; }
    bool DecoStopEnabled(int k) const { return stop(k).active; } // depth and time of stop 1..3
    bool DecoGasEnabled() const { return stops[0].active && !SameAsBottomGas; }
};
