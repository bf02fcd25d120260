#pragma once

// How well two divers' gas supplies match: the minutes each diver could
// breathe a tank empty at the surface, and which of several tank pairings
// leaves the smallest gap between the two.

#include <QList>
#include <QString>

struct DiverTank
{
    QString size;          // litres of water volume, or rated cubic feet
    QString pressure;      // bar; not used for imperial tanks
    QString breathingRate; // litres or cubic feet per minute
};

// Minutes at the surface: size x pressure / rate (metric), size / rate
// (imperial). Each text must be a number, else ConvertError.
double CalcGas(const QString &size, const QString &pressure, const QString &breathingRate, bool metric);

struct TankMatchRow
{
    QString label;    // "<size 1> <unit> / <size 2> <unit>"
    QString hint;     // short part: whole minutes, long part: tenths
    int maximum = 0;  // the longer time, rounded
    int position = 0; // the shorter time, rounded
    int gap() const { return maximum - position; }
};

// One row: diver 1 against diver 2. Raises ConvertError for a value that is
// not a number and an error for a breathing rate of 0.
TankMatchRow MatchTanks(const DiverTank &diver2, const DiverTank &diver1, bool metric);

// Indexes of the rows with the smallest gap (all of them on a tie).
QList<int> BestRows(const QList<int> &gaps);

inline const QString BestGasSuffix = QStringLiteral(" Best gas selection");
