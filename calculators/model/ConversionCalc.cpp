#include "calculators/model/ConversionCalc.h"

#include "core/Arithmetic.h"
#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/Units.h"

QString FahrenheitToCelsiusText(int fahrenheit)
{
    return Format("%d degree Fahrenheit equals %4.2f degree Centigrade",
                  {fahrenheit, (fahrenheit - Conversion::FahrenheitOffset) * Conversion::FahrenheitToCelsiusFactor});
}

QString CelsiusToFahrenheitText(int celsius)
{
    return Format("%d degree Centigrade equals %4.2f degree Fahrenheit",
                  {celsius, celsius * Conversion::CelsiusToFahrenheitFactor + Conversion::FahrenheitOffset});
}

QString FeetToMetresText(int feet)
{
    return Format("%d feet equals %4.2f meters", {feet, feet * Conversion::FeetToMetres});
}

QString MetresToFeetText(int metres)
{
    return Format("%d meters equals %4.2n feet", {metres, metres * Conversion::MetresToFeet});
}

QString DepthToFathomsText(int depth, bool metric)
{
    const double fathoms = depth * (metric ? Conversion::MetresToFathoms : Conversion::FeetToFathoms);
    return Format("%d %s equals %4.2f Fahtoms", {depth, DepthUnitWord(metric), fathoms});
}

QString FathomsToDepthText(int fathoms, bool metric)
{
    const double depth = metric ? fathoms * Conversion::FathomsToMetres
                                : MultiplyWhole(fathoms, Conversion::FathomsToFeet);
    return Format("%d Fahtoms equals %4.2f %s", {fathoms, depth, DepthUnitWord(metric)});
}

QStringList NauticalUnitItems()
{
    return {QStringLiteral("Feet"), QStringLiteral("Yards"), QStringLiteral("Meters"), QStringLiteral("Kilometers"),
            QStringLiteral("British Nautical Miles")};
}

QString NauticalUnitWord(NauticalUnit unit, bool toNauticalMiles)
{
    if (unit == NauticalUnit::BritishNauticalMiles)
        return toNauticalMiles ? QStringLiteral("Miles") : QStringLiteral("Br.Naut.Miles");
    return NauticalUnitItems().at(static_cast<int>(unit));
}

QString ToNauticalMilesText(int value, NauticalUnit unit)
{
    double factor = 0;
    switch (unit) {
    case NauticalUnit::Feet: factor = Conversion::FeetToNauticalMiles; break;
    case NauticalUnit::Yards: factor = Conversion::YardsToNauticalMiles; break;
    case NauticalUnit::Meters: factor = Conversion::MetresToNauticalMiles; break;
    case NauticalUnit::Kilometers: factor = Conversion::KilometresToNauticalMiles; break;
    case NauticalUnit::BritishNauticalMiles: factor = Conversion::BritishToNauticalMiles; break;
    }
    return Format("%d %s equals %4.2f Intl.Nautical miles", {value, NauticalUnitWord(unit, true), value * factor});
}

QString FromNauticalMilesText(int nauticalMiles, NauticalUnit unit)
{
    double converted = 0;
    switch (unit) {
    case NauticalUnit::Feet: converted = nauticalMiles * Conversion::NauticalMileFeet; break;
    case NauticalUnit::Yards: converted = nauticalMiles * Conversion::NauticalMileYards; break;
    case NauticalUnit::Meters: converted = MultiplyWhole(nauticalMiles, Conversion::NauticalMileMetres); break;
    case NauticalUnit::Kilometers: converted = nauticalMiles * Conversion::NauticalMileKilometres; break;
    case NauticalUnit::BritishNauticalMiles: converted = nauticalMiles * Conversion::NauticalMileBritish; break;
    }
    return Format("%d Intl.Nautical miles equals %4.2f %s", {nauticalMiles, converted, NauticalUnitWord(unit, false)});
}
