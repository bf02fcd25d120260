#include "calculators/model/GasNeedsCalc.h"

#include "core/Arithmetic.h"
#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/Units.h"

QString HowLongCanIStayText(const StayQuestion &question, bool metric)
{
    const double pressure = AbsolutePressureAtDepth(question.depth, metric);
    double total = 0;
    double atDepth = 0;
    if (metric) {
        total = StrToFloat(question.gas) * StrToFloat(question.pressure);
        atDepth = total / pressure;
    } else {
        total = StrToFloat(question.gas);
        atDepth = StrToInt(question.gas) / pressure;
    }
    const double minutes = Divide(atDepth, StrToFloat(question.breathingRate));
    const QString volume = VolumeUnitWord(metric);
    return Format("At %d %s the absolute pressure is %f ATA. \r\n"
                  "Your %5.1f %s is now only %5.1f %s. \r\n"
                  "With a breahing rate of %s %s/min you can stay at this depth for %f minutes.\r\n"
                  "Remember you will also need gas for accent and decent and a reasonable reserve.",
                  {question.depth, DepthUnitWord(metric), pressure, total, volume, atDepth, volume,
                   question.breathingRate, volume, minutes});
}

QString HowMuchGasText(const NeedQuestion &question, bool metric)
{
    const double pressure = AbsolutePressureAtDepth(question.depth, metric);
    const double need = pressure * (question.minutes * StrToFloat(question.breathingRate));
    const QString volume = VolumeUnitWord(metric);
    return Format("At %d %s the absolute pressure is %f ATA. \r\n"
                  "With a breahing rate of %s %s/min you need %f %s of gas to stay for %d minutes. \r\n"
                  "Remember you will also need gas for accent and decent and a reasonable reserve.",
                  {question.depth, DepthUnitWord(metric), pressure, question.breathingRate, volume, need, volume,
                   question.minutes});
}
