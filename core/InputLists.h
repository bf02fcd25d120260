#pragma once

// The inputs most calculators share: tank sizes, fill pressures, breathing
// rates, ppO2 limits and pressure steps, each offered in the window's own
// unit system, plus the unit words the windows show beside them. The fill
// operations work on an abstract list, so they run alike on any kind of
// drop-down box and are tested without widgets.

#include <QString>
#include <QStringList>

// An editable drop-down list: entries the user may pick, a free text the
// user may also type (windows read the free text), a hint and the entry
// selected underneath the text.
class InputList
{
public:
    virtual ~InputList() = default;

    // Replaces all entries.
    virtual void setEntries(const QStringList &entries) = 0;
    virtual QStringList entries() const = 0;
    virtual void setText(const QString &text) = 0;
    virtual QString text() const = 0;
    virtual void setHint(const QString &hint) = 0;
    virtual void setSelectedIndex(int index) = 0;
};

// The fixed tables, in the order the lists show them.
QList<int> TankSizeTable(bool metric);
QList<int> PressureTable(bool metric);

// Every fill replaces the entries, then sets the free text (and the hint).
// The tank size and fill pressure texts are the values remembered in the
// settings file ("Defaults", "FillTank"/"PresurizeTank" + UnitKeySuffix).
void FillTankSizeList(InputList &list, bool metric);
void FillPressureList(InputList &list, bool metric);

// The tank pressure and size a unit system's lists start with next time
// ("Defaults" keys "PresurizeTank"/"FillTank" with the unit suffix).
void RememberPressure(bool metric, int pressure);
void RememberTankSize(bool metric, int size);
void FillBreathingRateList(InputList &list, bool metric);
void FillPPO2List(InputList &list);
void FillPressureStepList(InputList &list, bool metric);

QString PressureUnitWord(bool metric);
QString VolumeUnitWord(bool metric);
QString DepthUnitWord(bool metric);
// "M" or "F" followed by "SW" or "FW" for the current water type.
QString DepthUnitTag(bool metric);
// The letter that tells the remembered metric and imperial values apart.
QString UnitKeySuffix(bool metric);

// A whole-number depth converted to the other unit, rounded.
int ConvertedDepth(int depth, bool toMetric);
// The hint of a depth input in the given unit.
QString DepthHint(bool metric);
