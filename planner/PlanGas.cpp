// The gas steps of the plan: SRF, reserves, available time per diver, the
// times of the dive and each diver's gas use per phase.

#include "planner/PlanModel.h"
#include "planner/SrfTable.h"

#include "core/Errors.h"
#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/Units.h"

#include <algorithm>

// The inputs of one diver, so that both divers share one computation.
struct PlanModel::DiverFields
{
    QString PlanModel::*name;
    QString PlanModel::*tankSize;
    QString PlanModel::*pressure;
    QString PlanModel::*rate;
};

const std::array<PlanModel::DiverFields, 2> &PlanModel::diverFields()
{
    static const std::array<DiverFields, 2> fields = {{
        {&PlanModel::Diver1Name, &PlanModel::Tanksize1, &PlanModel::PSI1, &PlanModel::BR1},
        {&PlanModel::Diver2Name, &PlanModel::Tanksize2, &PlanModel::PSI2, &PlanModel::BR2},
    }};
    return fields;
}

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
    double first = num(Metric ? LitresToCuFtText(rate1) : rate1);
    double second = num(Metric ? LitresToCuFtText(rate2) : rate2);
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
    if (SRF.isEmpty())
        return;
    const QString pressureWord = PressureUnitWord(Metric);
    for (size_t n = 0; n < 2; ++n) {
        const DiverFields &diver = diverFields()[n];
        const double reservePressure = Reserve == ReserveRule::FixedPressure
            ? num(ReservePressure)
            : num(this->*diver.pressure) * (1 - num(SRF));
        results.diver[n].Reserve = Metric
            ? StrToInt(this->*diver.tankSize) * reservePressure
            : divide(num(this->*diver.tankSize), num(this->*diver.pressure)) * reservePressure;
    }
    view.ReserveHint = Metric ? QStringLiteral("Selected reserve in Litres.") : QStringLiteral("Selected reserve in CuFt");
    for (DiverResults &diver : results.diver)
        diver.stReserveInCuFt = MyFormat(diver.Reserve);

    if (view.ShowGraphicsWho == GraphicView::Time)
        return;
    const DiverFields &shown = diverFields()[shownDiver()];
    const QString reserveText = Reserve == ReserveRule::RuleOfThird
        ? Format(QStringLiteral("Turn pressure: %d %s"),
                 {Trunc(num(this->*shown.pressure) * num(SRF)), pressureWord})
        : Format(QStringLiteral("Fixed reserve: %s %s"), {ReservePressure, pressureWord});
    view.ReserveStatusBar = Format(QStringLiteral("%s %s / %s"),
                                   {results.diver[shownDiver()].stReserveInCuFt, VolumeUnitWord(Metric), reserveText});
}

void PlanModel::showGasUse()
{
    const bool diverShown = view.ShowGraphicsWho != GraphicView::Time;
    view.GasStatusVisible = diverShown;
    const DiverFields &shown = diverFields()[shownDiver()];
    const DiverResults &shownResults = results.diver[shownDiver()];
    const QString used = MyFormat(num(shownResults.TotalRunTimeConsumption) + num(shownResults.stReserveInCuFt));
    const double available = Metric ? num(this->*shown.tankSize) * num(this->*shown.pressure)
                                    : num(this->*shown.tankSize);
    view.TotalConsumptionStatusBar = Format(QStringLiteral("%s %s of %s available"),
                                            {used, VolumeUnitWord(Metric), MyFormat(available)});
    view.AlarmShapeVisible = diverShown && num(used) > available;
    view.GasUsedVersusAvailableGasProgress = {Round(available * 1000), Round(num(used) * 1000)};
}

void PlanModel::Diver1Change() { diverChange(0); }
void PlanModel::Diver2Change() { diverChange(1); }

void PlanModel::diverChange(size_t n)
{
    const DiverFields &diver = diverFields()[n];
    if (results.PressureInATA.isEmpty())
        return;
    try {
        const double tank = num(this->*diver.tankSize);
        const double pressure = num(this->*diver.pressure);
        const double rate = num(this->*diver.rate);
        const double ata = num(results.PressureInATA);
        const double minutes = Metric ? divide(divide(tank * pressure, ata), rate)
                                      : divide(tank, ata * rate);
        results.diver[n].TeoretiskAvailTime = Format(QStringLiteral("%6.2f"), {minutes}).trimmed();
    } catch (const AppError &) {
        return;
    }
    if (!(this->*diver.name).isEmpty())
        (n == 0 ? view.Panel21 : view.Panel22) = this->*diver.name;
}

void PlanModel::BreathingRateChange()
{
    if (BR1.isEmpty() || BR2.isEmpty() || Suspended)
        return;
    try {
        SRF = OnlyDiver1 ? TwoThirdsSrf() : CalcSRF(BR1, BR2);
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
        results.DescentTime = MyFormat(static_cast<double>(Depth) / AscentRate());
        setAscentTimes();

        const double meanPressure = (num(results.PressureInATA) + 1) * 0.5;
        const double meanPressureAfterDeco =
            (AbsolutePressureAtDepth(Depth - results.DeepestDecoStop, Metric) + 1) * 0.5;
        const double bottomPressure = AbsolutePressureAtDepth(Depth, Metric);
        std::array<double, 2> bottomTimes{};
        for (size_t n = 0; n < 2; ++n) {
            const DiverFields &diver = diverFields()[n];
            DiverResults &gas = results.diver[n];
            const double rate = num(this->*diver.rate);
            gas.DescentComsumption = MyFormat(meanPressure * rate * num(results.DescentTime));
            gas.Ascent1Consumption = MyFormat(meanPressure * rate * num(results.AscentTime));
            gas.Ascent2Consumption = MyFormat(meanPressureAfterDeco * rate * num(results.AscentFromDecoTime));
            double deco = 0;
            for (int k = 1; k <= 3; ++k)
                if (stopActive(k))
                    deco += AbsolutePressureAtDepth(stopDepth(k), Metric) * rate * stopTime(k);
            gas.DecoConsumption = MyFormat(deco);

            const double otherGas = num(gas.DescentComsumption) + num(gas.Ascent1Consumption)
                + num(gas.Ascent2Consumption) + num(gas.DecoConsumption);
            const double available = Metric ? num(this->*diver.tankSize) * num(this->*diver.pressure)
                                            : num(this->*diver.tankSize);
            if (n == 0)
                view.ReserveBar = {Round(available), Round(num(results.diver[0].stReserveInCuFt))};
            double minutes = divide(divide(available - (num(gas.stReserveInCuFt) + otherGas),
                                           bottomPressure), rate);
            bottomTimes[n] = minutes - minutes * 0.001;
        }
        results.BottomTime = MyFormat(std::min(bottomTimes[0], bottomTimes[1]));
        if (!Quiet && num(results.BottomTime) <= 0)
            warn(QStringLiteral("Error: Timing invalid. No bottom time available."));
        results.BestTime = MyFormat(num(results.AscentTime) + num(results.DescentTime)
                                    + num(results.TotalDecoTime) + num(results.BottomTime));

        for (size_t n = 0; n < 2; ++n) {
            DiverResults &gas = results.diver[n];
            const double rate = num(this->*diverFields()[n].rate);
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
