#pragma once

// Units and dive physics shared by every window: the program-wide unit
// system, water type and ascent rate, the conversion constants and the
// pressure formulas.

#include <QString>

// The values every window starts from. The main window loads and saves them;
// windows copy `metric` once when they are created and read `saltWater` live.
struct ProgramUnits
{
    bool metric = true;      // UnitSystem: true = metric
    bool saltWater = true;   // WaterType: true = salt water
    int ascentRate = 10;     // AscentRate: depth units per minute
};
ProgramUnits &programUnits();

bool UnitSystem();
bool WaterType();
int AscentRate();

namespace Conversion {
constexpr double MetresToFeet = 3.28083;
constexpr double FeetToMetres = 1.0 / 3.28083;
constexpr double CuFtToLitres = 28.31685;
constexpr double LitresToCuFt = 1.0 / 28.31685;
constexpr double BarToPsi = 14.5038;
constexpr double PsiToBar = 1.0 / 14.5038;
// Cubic feet at a rated psi to litres of tank water volume: size / psi * 411.
constexpr int CuFtPsiToWaterLitres = 411;
constexpr double CelsiusToFahrenheitFactor = 1.8;
constexpr double FahrenheitToCelsiusFactor = 1.0 / 1.8;
constexpr double FahrenheitOffset = 32.0;
constexpr double MetresToFathoms = 0.5468066;
constexpr double FeetToFathoms = 1.0 / 6.0;
constexpr double FathomsToMetres = 1.828800164446;
constexpr int FathomsToFeet = 6;
constexpr double NauticalMileFeet = 6076.116;
constexpr double NauticalMileYards = 2025.372;
constexpr int NauticalMileMetres = 1852;
constexpr double NauticalMileKilometres = 1.852;
constexpr double NauticalMileBritish = 0.9993611;
constexpr double FeetToNauticalMiles = 1.0 / 6076.116;
constexpr double YardsToNauticalMiles = 1.0 / 2025.372;
constexpr double MetresToNauticalMiles = 1.0 / 1852.0;
constexpr double KilometresToNauticalMiles = 1.0 / 1.852;
constexpr double BritishToNauticalMiles = 1.0 / 0.9993611;
constexpr double MinutesToHours = 1.0 / 60.0;
// Nitrogen fraction of a nitrox mix to the equivalent air nitrogen fraction.
constexpr double NitroxToAirNitrogen = 1.0 / 0.79;
} // namespace Conversion

// True unless the system locale measures in US units.
bool MetricWinStandard();

// Depth units that add one atmosphere: 10 / 10.3 m, 33 / 33.8083 ft.
double DepthPerAtmosphere(bool metric, bool saltWater);
// depth / DepthPerAtmosphere(metric, current water type) + 1.
double AbsolutePressureAtDepth(int depth, bool metric);
double OxygenPartialPressure(int depth, int oxygenPercent, bool metric);
// Equivalent air depth, never below 0. Uses the fixed 10 m / 33 ft per
// atmosphere whatever the water type.
double EquivalentAirDepth(int depth, int oxygenPercent, bool metric);
// The same as "%8.2f" trimmed.
QString EquivalentAirDepthText(int depth, int oxygenPercent, bool metric);

// Text-to-text conversions; the input is parsed with StrToFloat.
QString ConvertDepthText(const QString &depth, bool toMetric);
QString LitresToCuFtText(const QString &litres);
QString CuFtToLitresText(const QString &cubicFeet);
