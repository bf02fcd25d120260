#include "planner/model/PlanModel.h"

#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/Units.h"

#include <algorithm>

namespace {

// The plan holds the texts of its unit-aware lists; the window holds their
// entries. This list keeps what a fill operation leaves in it.
class ListText final : public InputList
{
public:
    void setEntries(const QStringList &entries) override { m_entries = entries; }
    QStringList entries() const override { return m_entries; }
    void setText(const QString &text) override { m_text = text; }
    QString text() const override { return m_text; }
    void setHint(const QString &) override {}
    void setSelectedIndex(int) override {}

private:
    QStringList m_entries;
    QString m_text;
};

} // namespace

PlanModel::PlanModel(QObject *parent) : QObject(parent)
{
    // The form is designed imperial; a metric program starts the plan metric.
    // The shown ascent rate is taken after that, so the program-wide rate
    // (already in the program's unit) is not converted a second time.
    if (UnitSystem()) {
        inputs.Metric = true;
        applyUnitDefaults();
    }
    settleAscentRate();
    inputs.AscentRateEdit = MyFormat(AscentRate());
    inputs.Depth = inputs.Metric ? 10 : 30;
    inputs.NarcosisDepth = inputs.Metric ? 40 : 133;
    Quiet = false;
}

void PlanModel::warn(const QString &text)
{
    emit beep();
    view.MainStatus = text;
    emit mainStatus(text);
}

void PlanModel::settleAscentRate()
{
    // The shared rate divides every time of the plan; a rate of 0 is taken as 1.
    if (AscentRate() == 0)
        programUnits().ascentRate = 1;
}

PlanModel::AscentTimes PlanModel::setAscentTimes()
{
    const double rate = AscentRate();
    const bool fromStop = results.DecoActive && inputs.Depth > results.DeepestDecoStop;
    const AscentTimes times{Round2((inputs.Depth - (fromStop ? results.DeepestDecoStop : 0)) / rate),
                            fromStop ? Round2(results.DeepestDecoStop / rate) : 0.0};
    results.AscentTime = times.toDeepestStop;
    results.AscentFromDecoTime = times.fromDeepestStop;
    return times;
}

void PlanModel::DepthChange()
{
    if (Suspended)
        return;
    view.MsgStatusBar.clear();
    SpecifyNarcDepthCheckClick();
    if (inputs.SameAsBottomGas)
        inputs.DecoGas = inputs.BottomMixO2;
    // Dependency order: stops and decompression time, then the absolute
    // pressure, then the gas use that reads both.
    DecoChange();
    results.MaxPOTwo = Round2(OxygenPartialPressure(inputs.Depth, inputs.BottomMixO2, inputs.Metric));
    view.Label17Depth = MyFormat(inputs.Depth) + u' ' + DepthUnitWord(inputs.Metric);
    CheckforExceedMOD();
    BreathingRateChange();
    const double best = Round2(std::min(StrToFloat(inputs.PO2) / ValueOf(results.PressureInATA) * 100, 100.0));
    results.BestMix = best;
    BestMixChange();
    FindSuggestedHelium();
    view.UseSuggestedGasButtonEnabled = Trunc(ValueOf(results.BestMix)) != inputs.BottomMixO2;
}

void PlanModel::SRFChange(const std::function<void(const QString &)> &inform)
{
    if (!inputs.SRF.isEmpty() && StrToFloat(inputs.SRF) <= 0) {
        inform(QStringLiteral("SRF Adjusted"));
        setSrf(CalcSRF(inputs.diver[1].BR, inputs.diver[0].BR));
    }
    DepthChange();
}

void PlanModel::AscentRateEditChange()
{
    programUnits().ascentRate = static_cast<int>(Round(StrToFloat(inputs.AscentRateEdit)));
    DepthChange();
}

void PlanModel::UseSuggestedGasCheckBoxClick()
{
    inputs.BottomMixO2 = static_cast<int>(Trunc(ValueOf(results.BestMix)));
    DepthChange();
}

void PlanModel::SetO2ValueClick(int oxygenPercent)
{
    inputs.BottomMixO2 = oxygenPercent;
    DepthChange();
}

void PlanModel::applyUnitDefaults()
{
    // The texts the unit-aware lists start from: the remembered tank and
    // fill pressure of this unit system, and the default breathing rate.
    ListText tankSize, pressure, rate;
    FillTankSizeList(tankSize, inputs.Metric);
    FillPressureList(pressure, inputs.Metric);
    FillBreathingRateList(rate, inputs.Metric);
    for (DiverInputs &diver : inputs.diver) {
        diver.Tanksize = tankSize.text();
        diver.PSI = pressure.text();
        diver.BR = rate.text();
    }
    inputs.ReservePressure = inputs.Metric ? QStringLiteral("35") : QStringLiteral("500");
    inputs.Speed1 = inputs.Metric ? QStringLiteral("20") : QStringLiteral("60");
    inputs.Speed2 = inputs.Metric ? QStringLiteral("25") : QStringLiteral("75");
}

void PlanModel::MetricClick(SwitchBy by)
{
    // Loading a plan in the other unit system keeps the plan's own file, so
    // the plan is saved back where it came from.
    if (by == SwitchBy::User)
        PlanFileName.clear();
    applyUnitDefaults();
    inputs.Depth = ConvertedDepth(inputs.Depth, inputs.Metric);
    inputs.NarcosisDepth = ConvertedDepth(inputs.NarcosisDepth, inputs.Metric);
    double rate = 0;
    if (TryStrToFloat(inputs.AscentRateEdit, rate)) {
        inputs.AscentRateEdit = ConvertDepthText(inputs.AscentRateEdit, inputs.Metric);
        programUnits().ascentRate = static_cast<int>(Round(StrToFloat(inputs.AscentRateEdit)));
    }
    for (DiverInputs &diver : inputs.diver)
        diver.Name.clear();
    DepthChange();
}
