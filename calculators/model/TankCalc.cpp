#include "calculators/model/TankCalc.h"

#include "core/Arithmetic.h"
#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/Units.h"

QString TankContentText(const QString &tankSize, const QString &rated, const QString &current, bool metric)
{
    if (metric) {
        const double content = StrToInt(tankSize) * StrToFloat(current);
        return Format("The tank currently contains %4.0f %s.", {content, VolumeUnitWord(metric)});
    }
    const double content = Divide(StrToFloat(tankSize), StrToFloat(rated)) * StrToFloat(current);
    return Format("The tank currently contains %4.2f %s.", {content, VolumeUnitWord(metric)});
}

QString FillCapacityText(const QString &tankSize, const QString &rated)
{
    return MyFormat(StrToFloat(tankSize) * StrToFloat(rated));
}

QString ImperialToMetricText(const QString &ratedPsi, const QString &cubicFeet)
{
    const double psi = StrToFloat(ratedPsi);
    const double bar = psi * Conversion::PsiToBar;
    const double litres = Divide(StrToFloat(cubicFeet), psi) * Conversion::CuFtPsiToWaterLitres;
    const double freeLitres = bar * litres;
    return Format("%s litres with %s BAR. %s %s",
                  {FloatToStrF(litres, FloatFormat::Fixed, 10, 2), FloatToStrF(bar, FloatFormat::Fixed, 10, 1), "\r\n",
                   Format("%4.0f free litres", {freeLitres})});
}

QString MetricToImperialText(const QString &ratedBar, const QString &litres)
{
    const double size = StrToFloat(litres);
    const double bar = StrToFloat(ratedBar);
    const double freeLitres = size * bar;
    const double psi = bar * Conversion::BarToPsi;
    const double cubicFeet = size * bar * Conversion::LitresToCuFt;
    return Format("%s CuFt with %s PSI.%s %s",
                  {FloatToStrF(cubicFeet, FloatFormat::Fixed, 10, 2), FloatToStrF(psi, FloatFormat::Fixed, 10, 1),
                   "\r\n", Format("%4.0f free litres.", {freeLitres})});
}
