#include "calculators/model/NitroxCalc.h"

#include "core/Arithmetic.h"
#include "core/NumText.h"
#include "core/Units.h"

#include <algorithm>

BestMixResult BestMix(int depth, const QString &maxPPO2, bool metric)
{
    const double pressure = AbsolutePressureAtDepth(depth, metric);
    const double ppO2 = StrToFloat(maxPPO2);
    const double percent = std::min(ppO2 / pressure * 100, 100.0);
    return {FloatToStrF(pressure, FloatFormat::Fixed, 10, 6),
            Format("%s %% oxygen.  ", {FloatToStrF(percent, FloatFormat::Fixed, 10, 4)})};
}

QString MaximumOperatingDepth(const QString &maxPPO2, const QString &oxygenPercent, bool metric)
{
    const double ppO2 = StrToFloat(maxPPO2);
    const double fraction = StrToFloat(oxygenPercent) * 0.01;
    const double mod = (Divide(ppO2, fraction) - 1) * (metric ? 10 : 33);
    return FloatToStrF(mod, FloatFormat::Number, 10, 4);
}

QString EquivalentAirDepth(int depth, const QString &oxygenPercent, bool metric)
{
    return EquivalentAirDepthText(depth, StrToInt(oxygenPercent), metric);
}

QString BestMixNoteLine(const QString &maxPPO2, int depth, const QString &depthWord, const QString &caption,
                        const QString &oxygen)
{
    return Format("With %s as max ppO2 at a depth of %d %s", {maxPPO2, depth, depthWord}) + caption
           + QStringLiteral(" is ") + oxygen;
}

QString ModNoteLine(const QString &oxygenPercent, const QString &maxPPO2, const QString &mod, const QString &depthWord)
{
    return Format("Maximum Operating Depth for a %s %% oxygen mix with max %s ATA is %s %s",
                  {oxygenPercent, maxPPO2, mod, depthWord});
}

QString EadNoteLine(const QString &oxygenPercent, int depth, const QString &depthWord, const QString &ead)
{
    return Format("Equivalent Air Depth for a %s %% oxygen mix at %d %s is %s %s.",
                  {oxygenPercent, depth, depthWord, ead, depthWord});
}
