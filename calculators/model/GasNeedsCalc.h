#pragma once

// How long a tank lasts at a depth, and how much gas a stay takes. Texts
// that are not numbers raise ConvertError; a zero breathing rate raises a
// division error.

#include <QString>

struct StayQuestion
{
    QString gas;      // litres of water volume (metric) or cubic feet (imperial)
    QString pressure; // fill pressure; used in metric only
    QString breathingRate;
    int depth = 0;
};

struct NeedQuestion
{
    int depth = 0;
    int minutes = 0;
    QString breathingRate;
};

QString HowLongCanIStayText(const StayQuestion &question, bool metric);
QString HowMuchGasText(const NeedQuestion &question, bool metric);
