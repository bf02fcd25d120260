#include "blending/model/TankMatch.h"

#include "core/Arithmetic.h"
#include "core/InputLists.h"
#include "core/NumText.h"

#include <algorithm>

double CalcGas(const QString &size, const QString &pressure, const QString &breathingRate, bool metric)
{
    // All three must be numbers, also the pressure an imperial tank does not need.
    const double volume = StrToFloat(size);
    const double bar = StrToFloat(pressure);
    const double rate = StrToFloat(breathingRate);
    return Divide(metric ? volume * bar : volume, rate);
}

TankMatchRow MatchTanks(const DiverTank &diver2, const DiverTank &diver1, bool metric)
{
    const QString unit = VolumeUnitWord(metric);
    const double time2 = CalcGas(diver2.size, diver2.pressure, diver2.breathingRate, metric);
    const double time1 = CalcGas(diver1.size, diver1.pressure, diver1.breathingRate, metric);
    const double longer = std::max(time1, time2);
    const double shorter = std::min(time1, time2);

    TankMatchRow row;
    row.label = Format(QStringLiteral("%s %s / %s %s"), {diver1.size, unit, diver2.size, unit});
    row.hint = Format(QStringLiteral("%5.0f min / %5.0f min|Time that divers can stay at surface breathing "
                                     "these tanks empty: %5.1f min / %5.1f min"),
                      {time1, time2, time1, time2});
    row.maximum = static_cast<int>(Round(longer));
    row.position = static_cast<int>(Round(shorter));
    return row;
}

QList<int> BestRows(const QList<int> &gaps)
{
    QList<int> best;
    if (gaps.isEmpty())
        return best;
    const int smallest = *std::min_element(gaps.begin(), gaps.end());
    for (int i = 0; i < gaps.size(); ++i)
        if (gaps.at(i) == smallest)
            best << i;
    return best;
}
