// The gas steps of the plan: SRF, reserves, available time per diver, the
// times of the dive and each diver's gas use per phase.

#include "planner/model/PlanModel.h"
#include "planner/model/SrfTable.h"

#include "core/Errors.h"
#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/Units.h"

#include <algorithm>

namespace {

double num(const QString &text) { return StrToFloat(text); }

// Division that fails like the floating-point unit does, so that a zero
// rate or pressure stops the step instead of showing "INF".
double divide(double dividend, double divisor)
{
    if (divisor == 0)
        throw AppError(QStringLiteral("Floating point division by zero"));
    return dividend / divisor;
}

} // namespace

QString PlanModel::TwoThirdsSrf() { return Format(QStringLiteral("%4.2f"), {2.0 / 3.0}); }

QString PlanModel::CalcSRF(const QString &rate1, const QString &rate2)
{
    double first = num(inputs.Metric ? LitresToCuFtText(rate1) : rate1);
    double second = num(inputs.Metric ? LitresToCuFtText(rate2) : rate2);
    first = RoundRmvToStep(first);
    second = RoundRmvToStep(second);
    if (Quiet)
        return TwoThirdsSrf();
    if (!RmvInRange(first) || !RmvInRange(second)) {
        view.LowerPageControl = QStringLiteral("Reserves");
        warn(QStringLiteral("SRF Input: Out of range error"));
        return TwoThirdsSrf();
    }
    const auto factor = SrfTable(std::min(first, second), std::max(first, second));
    if (!factor) {
        emit beep();
        warn(QStringLiteral("Out of SRF range error"));
        return TwoThirdsSrf();
    }
    return Format(QStringLiteral("%4.2f"), {*factor});
}

void PlanModel::CalculateReservers()
{
    try {
        computeReserves();
        showGasUse();
    } catch (const AppError &) {
        // A value that does not read as a number keeps the previous reserves.
    }
}

void PlanModel::computeReserves()
{
    if (inputs.SRF.isEmpty())
        return;
    const QString pressureWord = PressureUnitWord(inputs.Metric);
    for (size_t n = 0; n < 2; ++n) {
        const DiverInputs &diver = inputs.diver[n];
        const double reservePressure = inputs.Reserve == ReserveRule::FixedPressure
                                           ? num(inputs.ReservePressure)
                                           : num(diver.PSI) * (1 - num(inputs.SRF));
        results.diver[n].Reserve = inputs.Metric ? StrToInt(diver.Tanksize) * reservePressure
                                                 : divide(num(diver.Tanksize), num(diver.PSI)) * reservePressure;
    }
    view.ReserveHint = inputs.Metric ? QStringLiteral("Selected reserve in Litres.")
                                     : QStringLiteral("Selected reserve in CuFt");
    for (DiverResults &diver : results.diver)
        diver.stReserveInCuFt = MyFormat(diver.Reserve);

    if (view.ShowGraphicsWho == GraphicView::Time)
        return;
    const DiverInputs &shown = inputs.diver[shownDiver()];
    const QString reserveText = inputs.Reserve == ReserveRule::RuleOfThird
                                    ? Format(QStringLiteral("Turn pressure: %d %s"),
                                             {Trunc(num(shown.PSI) * num(inputs.SRF)), pressureWord})
                                    : Format(QStringLiteral("Fixed reserve: %s %s"),
                                             {inputs.ReservePressure, pressureWord});
    view.ReserveStatusBar = Format(QStringLiteral("%s %s / %s"), {results.diver[shownDiver()].stReserveInCuFt,
                                                                  VolumeUnitWord(inputs.Metric), reserveText});
}

void PlanModel::showGasUse()
{
    const bool diverShown = view.ShowGraphicsWho != GraphicView::Time;
    view.GasStatusVisible = diverShown;
    const DiverResults &shown = results.diver[shownDiver()];
    const QString used = MyFormat(num(shown.TotalRunTimeConsumption) + num(shown.stReserveInCuFt));
    const double available = inputs.diver[shownDiver()].gas(inputs.Metric);
    view.TotalConsumptionStatusBar = Format(QStringLiteral("%s %s of %s available"),
                                            {used, VolumeUnitWord(inputs.Metric), MyFormat(available)});
    view.AlarmShapeVisible = diverShown && num(used) > available;
    view.GasUsedVersusAvailableGasProgress = {Round(available * 1000), Round(num(used) * 1000)};
}

void PlanModel::Diver1Change() { diverChange(0); }
void PlanModel::Diver2Change() { diverChange(1); }

void PlanModel::diverChange(size_t n)
{
    const DiverInputs &diver = inputs.diver[n];
    if (results.PressureInATA.isEmpty())
        return;
    try {
        const double tank = num(diver.Tanksize);
        const double pressure = num(diver.PSI);
        const double rate = num(diver.BR);
        const double ata = num(results.PressureInATA);
        const double minutes = inputs.Metric ? divide(divide(tank * pressure, ata), rate) : divide(tank, ata * rate);
        results.diver[n].TeoretiskAvailTime = Format(QStringLiteral("%6.2f"), {minutes}).trimmed();
    } catch (const AppError &) {
        return;
    }
    if (!diver.Name.isEmpty())
        (n == 0 ? view.Panel21 : view.Panel22) = diver.Name;
}

void PlanModel::BreathingRateChange()
{
    if (inputs.diver[0].BR.isEmpty() || inputs.diver[1].BR.isEmpty() || Suspended)
        return;
    try {
        inputs.SRF = inputs.OnlyDiver1 ? TwoThirdsSrf() : CalcSRF(inputs.diver[0].BR, inputs.diver[1].BR);
        try {
            computeReserves();
        } catch (const AppError &) {
        }
        Diver1Change();
        Diver2Change();

        const double time1 = num(results.diver[0].TeoretiskAvailTime);
        const double time2 = num(results.diver[1].TeoretiskAvailTime);
        // A warning of this pass (a stop below the depth) outranks the note.
        if (Round(time1) == Round(time2) && view.MsgStatusBar.isEmpty())
            view.MsgStatusBar = QStringLiteral("Very close to perfect gas matching");

        settleAscentRate();
        results.DescentTime = MyFormat(static_cast<double>(inputs.Depth) / AscentRate());
        setAscentTimes();

        const double meanPressure = (num(results.PressureInATA) + 1) * 0.5;
        const double meanPressureAfterDeco =
            (AbsolutePressureAtDepth(inputs.Depth - results.DeepestDecoStop, inputs.Metric) + 1) * 0.5;
        const double bottomPressure = AbsolutePressureAtDepth(inputs.Depth, inputs.Metric);
        std::array<double, 2> bottomTimes{};
        for (size_t n = 0; n < 2; ++n) {
            const DiverInputs &diver = inputs.diver[n];
            DiverResults &gas = results.diver[n];
            const double rate = num(diver.BR);
            gas.DescentComsumption = MyFormat(meanPressure * rate * num(results.DescentTime));
            gas.Ascent1Consumption = MyFormat(meanPressure * rate * num(results.AscentTime));
            gas.Ascent2Consumption = MyFormat(meanPressureAfterDeco * rate * num(results.AscentFromDecoTime));
            double deco = 0;
            for (int k = 1; k <= 3; ++k)
                if (inputs.stopActive(k))
                    deco += AbsolutePressureAtDepth(inputs.stopDepth(k), inputs.Metric) * rate * inputs.stopTime(k);
            gas.DecoConsumption = MyFormat(deco);

            const double otherGas = num(gas.DescentComsumption) + num(gas.Ascent1Consumption)
                                    + num(gas.Ascent2Consumption) + num(gas.DecoConsumption);
            const double available = diver.gas(inputs.Metric);
            if (n == 0)
                view.ReserveBar = {Round(available), Round(num(gas.stReserveInCuFt))};
            double minutes = divide(divide(available - (num(gas.stReserveInCuFt) + otherGas), bottomPressure), rate);
            bottomTimes[n] = minutes - minutes * 0.001;
        }
        results.BottomTime = MyFormat(std::min(bottomTimes[0], bottomTimes[1]));
        if (!Quiet && num(results.BottomTime) <= 0)
            warn(QStringLiteral("Error: Timing invalid. No bottom time available."));
        results.BestTime = MyFormat(num(results.AscentTime) + num(results.DescentTime) + num(results.TotalDecoTime)
                                    + num(results.BottomTime));

        for (size_t n = 0; n < 2; ++n) {
            DiverResults &gas = results.diver[n];
            const double rate = num(inputs.diver[n].BR);
            gas.BottomTimeConsumption = MyFormat(rate * bottomPressure * num(results.BottomTime));
            gas.TotalRunTimeConsumption = MyFormat(num(gas.DescentComsumption) + num(gas.BottomTimeConsumption)
                                                   + num(gas.Ascent1Consumption) + num(gas.DecoConsumption)
                                                   + num(gas.Ascent2Consumption));
        }
        // The used-versus-available check comes after the totals it reads.
        try {
            showGasUse();
        } catch (const AppError &) {
        }
        view.DiverMatchProgressBar = {Round(std::max(time1, time2)), Round(std::min(time1, time2))};
    } catch (const AppError &) {
        // A value that does not read as a number leaves the remaining fields as they are.
    }
}
