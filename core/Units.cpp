#include "core/Units.h"

#include "core/NumText.h"

#include <QLocale>

ProgramUnits &programUnits()
{
    static ProgramUnits units;
    return units;
}

bool UnitSystem() { return programUnits().metric; }
bool WaterType() { return programUnits().saltWater; }
int AscentRate() { return programUnits().ascentRate; }

bool MetricWinStandard()
{
    return QLocale::system().measurementSystem() != QLocale::ImperialUSSystem;
}

double DepthPerAtmosphere(bool metric, bool saltWater)
{
    if (metric)
        return saltWater ? 10.0 : 10.3;
    return saltWater ? 33.0 : 33.8083;
}

double AbsolutePressureAtDepth(int depth, bool metric)
{
    return depth / DepthPerAtmosphere(metric, WaterType()) + 1.0;
}

double OxygenPartialPressure(int depth, int oxygenPercent, bool metric)
{
    return AbsolutePressureAtDepth(depth, metric) * (oxygenPercent * 0.01);
}

double EquivalentAirDepth(int depth, int oxygenPercent, bool metric)
{
    const int k = metric ? 10 : 33;
    const double nitrogen = (100 - oxygenPercent) * 0.01;
    const double ead = nitrogen * (depth + k) * Conversion::NitroxToAirNitrogen - k;
    return ead < 0 ? 0 : ead;
}

QString EquivalentAirDepthText(int depth, int oxygenPercent, bool metric)
{
    return MyFormat(EquivalentAirDepth(depth, oxygenPercent, metric));
}

QString ConvertDepthText(const QString &depth, bool toMetric)
{
    const double factor = toMetric ? Conversion::FeetToMetres : Conversion::MetresToFeet;
    return MyFormat(StrToFloat(depth) * factor);
}

QString LitresToCuFtText(const QString &litres)
{
    return MyFormat(StrToFloat(litres) * Conversion::LitresToCuFt);
}

QString CuFtToLitresText(const QString &cubicFeet)
{
    return MyFormat(StrToFloat(cubicFeet) * Conversion::CuFtToLitres);
}
