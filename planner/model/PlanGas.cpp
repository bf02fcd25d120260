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

double PlanModel::TwoThirdsSrf() { return Round2(2.0 / 3.0); }

SrfLookup PlanModel::CalcSRF(const QString &rate1, const QString &rate2) const
{
    // The table is in cubic feet per minute; litres are converted as shown, to two decimals.
    const auto cubicFeet = [this](const QString &rate) {
        return inputs.Metric ? Round2(num(rate) * Conversion::LitresToCuFt) : num(rate);
    };
    const double first = RoundRmvToStep(cubicFeet(rate1));
    const double second = RoundRmvToStep(cubicFeet(rate2));
    if (Quiet)
        return {TwoThirdsSrf()};
    if (!RmvInRange(first) || !RmvInRange(second))
        return {TwoThirdsSrf(), SrfProblem::RateOutOfRange};
    const auto factor = SrfTable(std::min(first, second), std::max(first, second));
    if (!factor)
        return {TwoThirdsSrf(), SrfProblem::OffTheGrid};
    return {Round2(*factor)};
}

void PlanModel::setSrf(const SrfLookup &srf)
{
    if (srf.problem != SrfProblem::None)
        emit srfProblem(srf.problem);
    inputs.SRF = MyFormat(srf.factor);
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
    std::array<double, 2> reserves{};
    for (size_t n = 0; n < 2; ++n) {
        const DiverInputs &diver = inputs.diver[n];
        const double reservePressure = inputs.Reserve == ReserveRule::FixedPressure
                                           ? num(inputs.ReservePressure)
                                           : num(diver.PSI) * (1 - num(inputs.SRF));
        reserves[n] = inputs.Metric ? StrToInt(diver.Tanksize) * reservePressure
                                    : divide(num(diver.Tanksize), num(diver.PSI)) * reservePressure;
    }
    view.ReserveHint = inputs.Metric ? QStringLiteral("Selected reserve in Litres.")
                                     : QStringLiteral("Selected reserve in CuFt");
    for (size_t n = 0; n < 2; ++n)
        results.diver[n].stReserveInCuFt = Round2(reserves[n]);

    if (view.ShowGraphicsWho == GraphicView::Time)
        return;
    const DiverInputs &shown = inputs.diver[shownDiver()];
    const QString reserveText = inputs.Reserve == ReserveRule::RuleOfThird
                                    ? Format(QStringLiteral("Turn pressure: %d %s"),
                                             {Trunc(num(shown.PSI) * num(inputs.SRF)), pressureWord})
                                    : Format(QStringLiteral("Fixed reserve: %s %s"),
                                             {inputs.ReservePressure, pressureWord});
    view.ReserveStatusBar = Format(QStringLiteral("%s %s / %s"),
                                   {ShownValue(results.diver[shownDiver()].stReserveInCuFt),
                                    VolumeUnitWord(inputs.Metric), reserveText});
}

void PlanModel::showGasUse()
{
    const bool diverShown = view.ShowGraphicsWho != GraphicView::Time;
    view.GasStatusVisible = diverShown;
    const DiverResults &shown = results.diver[shownDiver()];
    const double used = Round2(ValueOf(shown.TotalRunTimeConsumption) + ValueOf(shown.stReserveInCuFt));
    const double available = inputs.diver[shownDiver()].gas(inputs.Metric);
    view.TotalConsumptionStatusBar = Format(QStringLiteral("%s %s of %s available"),
                                            {MyFormat(used), VolumeUnitWord(inputs.Metric), MyFormat(available)});
    view.AlarmShapeVisible = diverShown && used > available;
    view.GasUsedVersusAvailableGasProgress = {Round(available * 1000), Round(used * 1000)};
}

void PlanModel::Diver1Change() { diverChange(0); }
void PlanModel::Diver2Change() { diverChange(1); }

void PlanModel::diverChange(size_t n)
{
    const DiverInputs &diver = inputs.diver[n];
    if (!results.PressureInATA)
        return;
    try {
        const double tank = num(diver.Tanksize);
        const double pressure = num(diver.PSI);
        const double rate = num(diver.BR);
        const double ata = ValueOf(results.PressureInATA);
        const double minutes = inputs.Metric ? divide(divide(tank * pressure, ata), rate) : divide(tank, ata * rate);
        results.diver[n].TeoretiskAvailTime = Round2(minutes);
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
        setSrf(inputs.OnlyDiver1 ? SrfLookup{TwoThirdsSrf()} : CalcSRF(inputs.diver[0].BR, inputs.diver[1].BR));
        try {
            computeReserves();
        } catch (const AppError &) {
        }
        Diver1Change();
        Diver2Change();

        const double time1 = ValueOf(results.diver[0].TeoretiskAvailTime);
        const double time2 = ValueOf(results.diver[1].TeoretiskAvailTime);
        // A warning of this pass (a stop below the depth) outranks the note.
        if (Round(time1) == Round(time2) && view.MsgStatusBar.isEmpty())
            view.MsgStatusBar = QStringLiteral("Very close to perfect gas matching");

        settleAscentRate();
        const double descentTime = Round2(static_cast<double>(inputs.Depth) / AscentRate());
        results.DescentTime = descentTime;
        const AscentTimes ascent = setAscentTimes();

        const double meanPressure = (ValueOf(results.PressureInATA) + 1) * 0.5;
        const double meanPressureAfterDeco =
            (AbsolutePressureAtDepth(inputs.Depth - results.DeepestDecoStop, inputs.Metric) + 1) * 0.5;
        const double bottomPressure = AbsolutePressureAtDepth(inputs.Depth, inputs.Metric);
        std::array<double, 2> bottomTimes{};
        for (size_t n = 0; n < 2; ++n) {
            const DiverInputs &diver = inputs.diver[n];
            DiverResults &gas = results.diver[n];
            const double rate = num(diver.BR);
            const double descentGas = Round2(meanPressure * rate * descentTime);
            const double ascentGas = Round2(meanPressure * rate * ascent.toDeepestStop);
            const double ascentFromDecoGas = Round2(meanPressureAfterDeco * rate * ascent.fromDeepestStop);
            double deco = 0;
            for (const DecoStop &stop : inputs.stops)
                if (stop.active)
                    deco += AbsolutePressureAtDepth(stop.depth, inputs.Metric) * rate * stop.time;
            const double decoGas = Round2(deco);
            gas.DescentComsumption = descentGas;
            gas.Ascent1Consumption = ascentGas;
            gas.Ascent2Consumption = ascentFromDecoGas;
            gas.DecoConsumption = decoGas;

            const double otherGas = descentGas + ascentGas + ascentFromDecoGas + decoGas;
            const double available = diver.gas(inputs.Metric);
            const double reserve = ValueOf(gas.stReserveInCuFt);
            if (n == 0)
                view.ReserveBar = {Round(available), Round(reserve)};
            double minutes = divide(divide(available - (reserve + otherGas), bottomPressure), rate);
            bottomTimes[n] = minutes - minutes * 0.001;
        }
        const double bottomTime = Round2(std::min(bottomTimes[0], bottomTimes[1]));
        results.BottomTime = bottomTime;
        if (!Quiet && bottomTime <= 0)
            warn(QStringLiteral("Error: Timing invalid. No bottom time available."));
        results.BestTime = Round2(ascent.toDeepestStop + descentTime + ValueOf(results.TotalDecoTime) + bottomTime);

        for (size_t n = 0; n < 2; ++n) {
            DiverResults &gas = results.diver[n];
            const double rate = num(inputs.diver[n].BR);
            const double bottomGas = Round2(rate * bottomPressure * bottomTime);
            gas.BottomTimeConsumption = bottomGas;
            gas.TotalRunTimeConsumption = Round2(*gas.DescentComsumption + bottomGas + *gas.Ascent1Consumption
                                                 + *gas.DecoConsumption + *gas.Ascent2Consumption);
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
