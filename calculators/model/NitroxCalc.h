#pragma once

// Nitrox answers: best mix for a depth and ppO2 limit, maximum operating
// depth of a mix, and the note lines that report them. Inputs arrive as the
// texts of the window's boxes; a text that is not a number raises ConvertError.

#include <QString>

struct BestMixResult
{
    QString absolutePressure; // ATA with 6 decimals
    QString oxygen;           // "<percent> % oxygen.  ", at most 100 percent
};

BestMixResult BestMix(int depth, const QString &maxPPO2, bool metric);
// Uses the fixed 10 m / 33 ft per atmosphere whatever the water type.
QString MaximumOperatingDepth(const QString &maxPPO2, const QString &oxygenPercent, bool metric);
// The oxygen percent must be a whole number.
QString EquivalentAirDepth(int depth, const QString &oxygenPercent, bool metric);

QString BestMixNoteLine(const QString &maxPPO2, int depth, const QString &depthWord, const QString &caption,
                        const QString &oxygen);
QString ModNoteLine(const QString &oxygenPercent, const QString &maxPPO2, const QString &mod, const QString &depthWord);
QString EadNoteLine(const QString &oxygenPercent, int depth, const QString &depthWord, const QString &ead);
