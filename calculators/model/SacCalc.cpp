#include "calculators/model/SacCalc.h"

#include "core/Arithmetic.h"
#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/Units.h"

QString SacResultText(const BreathingTest &test, bool metric)
{
    const double pressure = AbsolutePressureAtDepth(test.depth, metric);
    const double used = StrToFloat(test.gasUsed);
    const double minutes = StrToFloat(test.minutes);
    const double pressureRate = Divide(used, pressure * minutes);
    double volumeRate = 0;
    QString otherUnit;
    if (metric) {
        // Litres of water volume times bar per minute: litres per minute.
        volumeRate = Divide(Divide(used * StrToInt(test.tankSize), minutes), pressure);
        otherUnit = "(" + LitresToCuFtText(FloatToStr(volumeRate)) + " CuFt/Min)";
    } else {
        // Rated cubic feet per psi times psi per minute.
        volumeRate = pressureRate * Divide(StrToInt(test.tankSize), StrToInt(test.rated));
        otherUnit = "(" + CuFtToLitresText(FloatToStr(volumeRate)) + " Liters/Min)";
    }
    return Format("Your SAC is %f %s/Min or %f %s/Min",
                  {volumeRate, VolumeUnitWord(metric), pressureRate, PressureUnitWord(metric)})
           + "\r\n\r\n" + otherUnit;
}
