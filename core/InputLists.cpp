#include "core/InputLists.h"

#include "core/NumText.h"
#include "core/SettingsFile.h"
#include "core/Units.h"

namespace {
const QString DefaultsSection = QStringLiteral("Defaults");

QStringList wholeNumberTexts(const QList<int> &table)
{
    QStringList texts;
    for (int value : table) {
        if (value > 0)
            texts << IntToStr(value);
    }
    return texts;
}

// Steps in hundredths from `first` to `last`: counting in whole numbers
// keeps the last step exact and present.
QStringList hundredthSteps(int first, int last, int step)
{
    QStringList texts;
    for (int hundredths = first; hundredths <= last; hundredths += step)
        texts << MyFormat(hundredths / 100.0);
    return texts;
}

int rememberedInteger(const QString &key, int fallback)
{
    return SettingsFile().readInteger(DefaultsSection, key, fallback);
}
} // namespace

QList<int> TankSizeTable(bool metric)
{
    if (metric)
        return {28, 20, 14, 12, 10, 9, 8, 7, 6, 5, 4, 3};
    return {240, 160, 120, 108, 104, 100, 95, 80, 70, 50, 45, 13};
}

QList<int> PressureTable(bool metric)
{
    if (metric)
        return {300, 241, 232, 220, 206, 200, 180};
    return {4000, 3500, 3190, 3000, 2640, 2475, 2450};
}

void FillTankSizeList(InputList &list, bool metric)
{
    const QList<int> table = TankSizeTable(metric);
    list.setEntries(wholeNumberTexts(table));
    list.setText(IntToStr(rememberedInteger(QStringLiteral("FillTank") + UnitKeySuffix(metric),
                                            table.first())));
    list.setHint(QStringLiteral("Tank size in ") + VolumeUnitWord(metric));
}

void FillPressureList(InputList &list, bool metric)
{
    const QStringList entries = wholeNumberTexts(PressureTable(metric));
    list.setEntries(entries);
    list.setSelectedIndex(static_cast<int>(Round(entries.size() * 0.25)));
    list.setText(IntToStr(rememberedInteger(QStringLiteral("PresurizeTank") + UnitKeySuffix(metric),
                                            metric ? 200 : 3500)));
    list.setHint(metric ? QStringLiteral("Pressure in BAR")
                        : QStringLiteral("Pressure in PSI|Pressure in PSI (Pounds per Square Inch)"));
}

void RememberPressure(bool metric, int pressure)
{
    SettingsFile().writeInteger(DefaultsSection, QStringLiteral("PresurizeTank") + UnitKeySuffix(metric), pressure);
}

void RememberTankSize(bool metric, int size)
{
    SettingsFile().writeInteger(DefaultsSection, QStringLiteral("FillTank") + UnitKeySuffix(metric), size);
}

void FillBreathingRateList(InputList &list, bool metric)
{
    if (metric) {
        list.setEntries(hundredthSteps(990, 3240, 10));
        list.setText(IntToStr(rememberedInteger(QStringLiteral("BR Metric"), 25)));
        list.setHint(QStringLiteral("Breathing rate in Litres/Min|Range between 9.91 and 32.57"));
    } else {
        list.setEntries(hundredthSteps(35, 115, 5));
        list.setText(IntToStr(rememberedInteger(QStringLiteral("BR Imperial"), 1)));
        list.setHint(QStringLiteral("Breathing rate in CuFt/Min|Range between 0.35 and 1.15"));
    }
}

void FillPPO2List(InputList &list)
{
    list.setEntries(hundredthSteps(100, 160, 5));
    list.setText(FloatToStr(1.6));
}

void FillPressureStepList(InputList &list, bool metric)
{
    QStringList entries{QStringLiteral("0")};
    const int first = metric ? 10 : 300;
    const int last = metric ? 300 : 4000;
    for (int pressure = first; pressure <= last; pressure += 10)
        entries << IntToStr(pressure);
    list.setEntries(entries);
    list.setText(QStringLiteral("0"));
}

QString PressureUnitWord(bool metric)
{
    return metric ? QStringLiteral("BAR") : QStringLiteral("PSI");
}

QString VolumeUnitWord(bool metric)
{
    return metric ? QStringLiteral("Litres") : QStringLiteral("CuFt");
}

QString DepthUnitWord(bool metric)
{
    return metric ? QStringLiteral("meters") : QStringLiteral("feet");
}

QString DepthUnitTag(bool metric)
{
    return (metric ? QStringLiteral("M") : QStringLiteral("F"))
         + (WaterType() ? QStringLiteral("SW") : QStringLiteral("FW"));
}

QString UnitKeySuffix(bool metric)
{
    return metric ? QStringLiteral("M") : QStringLiteral("I");
}

int ConvertedDepth(int depth, bool toMetric)
{
    const double factor = toMetric ? Conversion::FeetToMetres : Conversion::MetresToFeet;
    return static_cast<int>(Round(depth * factor));
}

QString DepthHint(bool metric)
{
    return (metric ? QStringLiteral("Depth in Meters - ") : QStringLiteral("Depth in Feet - "))
         + DepthUnitTag(metric);
}
