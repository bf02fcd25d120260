// The gas steps of the plan: SRF, reserves, available time per diver, the
// times of the dive and each diver's gas use per phase.

#include "planner/PlanModel.h"
#include "planner/SrfTable.h"

#include "core/Errors.h"
#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/Units.h"

#include <algorithm>

// The fields of one diver, so that both divers share one computation.
struct PlanModel::DiverFields
{
    QString PlanModel::*name;
    QString PlanModel::*tankSize;
    QString PlanModel::*pressure;
    QString PlanModel::*rate;
    QString PlanModel::*reserve;
    double PlanModel::*reserveVolume;
    QString PlanModel::*availableTime;
    QString PlanModel::*descent;
    QString PlanModel::*bottom;
    QString PlanModel::*ascent1;
    QString PlanModel::*deco;
    QString PlanModel::*ascent2;
    QString PlanModel::*total;
};

const std::array<PlanModel::DiverFields, 2> &PlanModel::diverFields()
{
    static const std::array<DiverFields, 2> fields = {{
        {&PlanModel::Diver1Name, &PlanModel::Tanksize1, &PlanModel::PSI1, &PlanModel::BR1,
         &PlanModel::stReserveInCuFt1, &PlanModel::Reserve1, &PlanModel::TeoretiskAvailTime,
         &PlanModel::DescentComsumption1, &PlanModel::BottomTimeConsumption1,
         &PlanModel::Ascent1Consumption1, &PlanModel::DecoConsumption1,
         &PlanModel::Ascent2Consumption1, &PlanModel::TotalRunTimeConsumption1},
        {&PlanModel::Diver2Name, &PlanModel::Tanksize2, &PlanModel::PSI2, &PlanModel::BR2,
         &PlanModel::stReserveInCuFt2, &PlanModel::Reserve2, &PlanModel::TeoretiskAvailTime2,
         &PlanModel::DescentComsumption2, &PlanModel::BottomTimeConsumption2,
         &PlanModel::Ascent1Consumption2, &PlanModel::DecoConsumption2,
         &PlanModel::Ascent2Consumption2, &PlanModel::TotalRunTimeConsumption2},
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
    for (const DiverFields &diver : diverFields()) {
        const double reservePressure = Reserve == ReserveRule::FixedPressure
            ? num(ReservePressure)
            : num(this->*diver.pressure) * (1 - num(SRF));
        this->*diver.reserveVolume = Metric
            ? StrToInt(this->*diver.tankSize) * reservePressure
            : divide(num(this->*diver.tankSize), num(this->*diver.pressure)) * reservePressure;
    }
    view.ReserveHint = Metric ? QStringLiteral("Selected reserve in Litres.") : QStringLiteral("Selected reserve in CuFt");
    stReserveInCuFt1 = MyFormat(Reserve1);
    stReserveInCuFt2 = MyFormat(Reserve2);

    if (view.ShowGraphicsWho == GraphicView::Time)
        return;
    const DiverFields &shown = diverFields()[view.ShowGraphicsWho == GraphicView::Diver2 ? 1 : 0];
    const QString reserveText = Reserve == ReserveRule::RuleOfThird
        ? Format(QStringLiteral("Turn pressure: %d %s"),
                 {Trunc(num(this->*shown.pressure) * num(SRF)), pressureWord})
        : Format(QStringLiteral("Fixed reserve: %s %s"), {ReservePressure, pressureWord});
    view.ReserveStatusBar = Format(QStringLiteral("%s %s / %s"),
                              {this->*shown.reserve, VolumeUnitWord(Metric), reserveText});
}

void PlanModel::showGasUse()
{
    const bool diverShown = view.ShowGraphicsWho != GraphicView::Time;
    view.GasStatusVisible = diverShown;
    const DiverFields &shown = diverFields()[view.ShowGraphicsWho == GraphicView::Diver2 ? 1 : 0];
    const QString used = MyFormat(num(this->*shown.total) + num(this->*shown.reserve));
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
    if (PressureInATA.isEmpty())
        return;
    try {
        const double tank = num(this->*diver.tankSize);
        const double pressure = num(this->*diver.pressure);
        const double rate = num(this->*diver.rate);
        const double ata = num(PressureInATA);
        const double minutes = Metric ? divide(divide(tank * pressure, ata), rate)
                                      : divide(tank, ata * rate);
        this->*diver.availableTime = Format(QStringLiteral("%6.2f"), {minutes}).trimmed();
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

        const double time1 = num(TeoretiskAvailTime);
        const double time2 = num(TeoretiskAvailTime2);
        // A warning of this pass (a stop below the depth) outranks the note.
        if (Round(time1) == Round(time2) && view.MsgStatusBar.isEmpty())
            view.MsgStatusBar = QStringLiteral("Very close to perfect gas matching");

        settleAscentRate();
        DescentTime = MyFormat(static_cast<double>(Depth) / AscentRate());
        setAscentTimes();

        const double meanPressure = (num(PressureInATA) + 1) * 0.5;
        const double meanPressureAfterDeco =
            (AbsolutePressureAtDepth(Depth - DeepestDecoStop, Metric) + 1) * 0.5;
        const double bottomPressure = AbsolutePressureAtDepth(Depth, Metric);
        std::array<double, 2> bottomTimes{};
        for (size_t n = 0; n < 2; ++n) {
            const DiverFields &diver = diverFields()[n];
            const double rate = num(this->*diver.rate);
            this->*diver.descent = MyFormat(meanPressure * rate * num(DescentTime));
            this->*diver.ascent1 = MyFormat(meanPressure * rate * num(AscentTime));
            this->*diver.ascent2 = MyFormat(meanPressureAfterDeco * rate * num(AscentFromDecoTime));
            double deco = 0;
            for (int k = 1; k <= 3; ++k)
                if (stopActive(k))
                    deco += AbsolutePressureAtDepth(stopDepth(k), Metric) * rate * stopTime(k);
            this->*diver.deco = MyFormat(deco);

            const double otherGas = num(this->*diver.descent) + num(this->*diver.ascent1)
                + num(this->*diver.ascent2) + num(this->*diver.deco);
            const double available = Metric ? num(this->*diver.tankSize) * num(this->*diver.pressure)
                                            : num(this->*diver.tankSize);
            if (n == 0)
                view.ReserveBar = {Round(available), Round(num(stReserveInCuFt1))};
            double minutes = divide(divide(available - (num(this->*diver.reserve) + otherGas),
                                           bottomPressure), rate);
            bottomTimes[n] = minutes - minutes * 0.001;
        }
        BottomTime = MyFormat(std::min(bottomTimes[0], bottomTimes[1]));
        if (!Quiet && num(BottomTime) <= 0)
            warn(QStringLiteral("Error: Timing invalid. No bottom time available."));
        BestTime = MyFormat(num(AscentTime) + num(DescentTime) + num(TotalDecoTime) + num(BottomTime));

        for (const DiverFields &diver : diverFields()) {
            const double rate = num(this->*diver.rate);
            this->*diver.bottom = MyFormat(rate * bottomPressure * num(BottomTime));
            this->*diver.total = MyFormat(num(this->*diver.descent) + num(this->*diver.bottom)
                                          + num(this->*diver.ascent1) + num(this->*diver.deco)
                                          + num(this->*diver.ascent2));
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
