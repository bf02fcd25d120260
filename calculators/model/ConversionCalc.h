#pragma once

// The sentences of the small conversion windows: one value in one unit
// converted to the other, as the window shows and sends it.

#include <QString>
#include <QStringList>

QString FahrenheitToCelsiusText(int fahrenheit);
QString CelsiusToFahrenheitText(int celsius);

QString FeetToMetresText(int feet);
QString MetresToFeetText(int metres);

// Depth in metres (metric) or feet to fathoms, and back. Fathoms to feet is
// a whole-number multiply that raises an error beyond 32 bits.
QString DepthToFathomsText(int depth, bool metric);
QString FathomsToDepthText(int fathoms, bool metric);

// The units an international nautical mile converts to, in the order of the
// window's choice.
enum class NauticalUnit { Feet, Yards, Meters, Kilometers, BritishNauticalMiles };
QStringList NauticalUnitItems();
// The word the sentence and the unit label show: converting to nautical
// miles names British miles "Miles", converting from them "Br.Naut.Miles".
QString NauticalUnitWord(NauticalUnit unit, bool toNauticalMiles);
QString ToNauticalMilesText(int value, NauticalUnit unit);
// Nautical miles to metres is a whole-number multiply (error beyond 32 bits).
QString FromNauticalMilesText(int nauticalMiles, NauticalUnit unit);
