#include "blending/model/NitroxFillCalc.h"

#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/Units.h"

namespace {

constexpr double AirOxygenPercent = 21.0;
constexpr double AirNitrogenPercent = 79.0;

// Mix percentages show three significant digits with two decimals: 45.913 -> 45.90.
QString percentText(double percent) { return FloatToStrF(percent, FloatFormat::Fixed, 3, 2); }

} // namespace

void NitroxFill(const NitroxFillInput &input, NitroxFillTexts &texts)
{
    const double absolutePressure = AbsolutePressureAtDepth(input.depth, input.metric);
    double fraction = input.byDepth ? StrToFloat(input.ppO2) / absolutePressure : StrToFloat(input.eanx) * 0.01;

    // A named mix must be a percentage; a best mix beyond pure oxygen is pure oxygen.
    if (fraction < 0 || (!input.byDepth && fraction > 1)) {
        texts.gasPercentages = QStringLiteral("Invalid mix");
        texts.idealFill.clear();
        texts.airTopFill.clear();
        return;
    }
    if (fraction > 1)
        fraction = 1;

    // 31.995 % or more is called EAN32.
    const double eanNumber = static_cast<double>(Trunc(fraction * 100 + 0.01));
    const double percent = fraction * 100;
    const QString pressureWord = PressureUnitWord(input.metric);

    if (!input.byDepth) {
        texts.gasPercentages = Format(QStringLiteral("%s%% O2 and %s%% N2"),
                                      {percentText(percent), percentText(100 - percent)});
    } else if (percent < 100) {
        texts.gasPercentages = Format(
            QStringLiteral("The best NITROX gas mix to use at %s %s would be an EAN%2.0f. %s(%s%% O2 and %s%% N2)."),
            {IntToStr(input.depth), DepthUnitWord(input.metric), eanNumber, QStringLiteral(" "), percentText(percent),
             percentText(100 - percent)});
    } else {
        texts.gasPercentages = Format(QStringLiteral("The best gas mix to use at %s %s would be 100%% Oxygen (O2)."),
                                      {IntToStr(input.depth), DepthUnitWord(input.metric)});
    }

    const double fillPressure = StrToInt(input.fillPressure);
    const double oxygen = percent * fillPressure * 0.01;
    texts.idealFill = Format(QStringLiteral("To make an EAN%2.0f, fill with %3.2f %s O2 and %3.2f %s N2"),
                             {eanNumber, oxygen, pressureWord, fillPressure - oxygen, pressureWord});

    if (percent < AirOxygenPercent) {
        texts.airTopFill = Format(QStringLiteral(
                                      "The optimal O2 procentage (EAN%2.0f) is less than what is contained in air."),
                                  {percent})
                           + QStringLiteral("\n\rAir Top Fill not possible.");
    } else if (percent >= 100) {
        texts.airTopFill = Format(QStringLiteral("Best gas mix is 100%% Oxygen (O2). Fill with %s %s O2"),
                                  {input.fillPressure, pressureWord});
    } else {
        const double oxygenToAdd = (percent - AirOxygenPercent) * fillPressure / AirNitrogenPercent;
        const double air = (100 - percent) * fillPressure / AirNitrogenPercent;
        texts.airTopFill = Format(QStringLiteral("To make an EAN%2.0f, fill with %3.2f %s Air and %3.2f %s O2"),
                                  {eanNumber, air, pressureWord, oxygenToAdd, pressureWord});
    }
}
