#pragma once

// The schedule as the "Decompression schedule" window shows, notes and
// prints it: the window's inputs in its own units (texts as typed where the
// user types free text) go in, every text the window shows comes out.

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace deco {

struct ScheduleInputs
{
    bool metric = true;
    bool saltWater = true;
    int depth = 40;                  // window's depth unit
    int bottomTime = 25;             // minutes, descent included
    int bottomO2 = 21, bottomHe = 0; // percent
    struct Gas
    {
        int o2 = 0;                  // 0: not used
        int he = 0;
        QString switchDepth;         // window's depth unit; empty: automatic
    };
    std::array<Gas, 3> decoGases;
    int gfLow = 30, gfHigh = 85;     // percent
    int descentRate = 20, ascentRate = 10;   // depth unit per minute
    int lastStop = 3;                // depth unit: 3 or 6 m, 10 or 20 ft
    QString ppO2 = QStringLiteral("1.6");
    QString surfacePressure = QStringLiteral("1.01325");   // bar, or atm when imperial
    int minSwitchTime = 0;
    double bottomSac = 20.0, decoSac = 15.0;   // litres or cubic feet per minute
};

struct ScheduleTexts
{
    struct StopRow
    {
        QString depth, stop, runTime, gas;
    };
    struct GasRow
    {
        QString gas, volume;
    };
    std::vector<StopRow> stops;
    QString totalRunTime;            // "95.5"
    QString totalDecoTime;           // "52"
    QString firstStopDepth;          // "21", "0" without stops
    QString noDecoLimit;             // "12", "0" when stops are due, "> 999"
    QString cnsPercent, otus;
    std::vector<GasRow> gasNeeds;
    QStringList warnings;
    QString volumeUnit;              // "Litres" or "CuFt"
    // The switch depth of each deco gas of the inputs as used; empty for a gas not used.
    std::array<QString, 3> switchDepths;
    // The schedule as lines of text, for a note and the printout.
    QStringList lines;
};

// Throws ConvertError for a deco ppO2, surface pressure or switch depth
// that is not a number.
ScheduleTexts ComputeScheduleTexts(const ScheduleInputs &inputs);

} // namespace deco
