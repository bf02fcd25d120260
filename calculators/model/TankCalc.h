#pragma once

// Gas in a tank and tank ratings between the two unit conventions. Texts
// that are not numbers raise ConvertError; a zero imperial rating raises a
// division error.

#include <QString>

// Metric: litres of water volume times bar (the rating is not used).
// Imperial: rated cubic feet scaled by current over rated pressure.
QString TankContentText(const QString &tankSize, const QString &rated, const QString &current, bool metric);
// The fill capacity of a metric tank: size times rated pressure.
QString FillCapacityText(const QString &tankSize, const QString &rated);

// Cubic feet at a rated psi to litres of water volume and bar.
QString ImperialToMetricText(const QString &ratedPsi, const QString &cubicFeet);
// Litres of water volume and bar to cubic feet at psi.
QString MetricToImperialText(const QString &ratedBar, const QString &litres);
