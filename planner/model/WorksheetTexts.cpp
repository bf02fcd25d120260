#include "planner/model/WorksheetTexts.h"

#include "planner/model/PlanModel.h"

#include "core/Arithmetic.h"
#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/Units.h"

#include <algorithm>

namespace {
const QString NotAvailable = QStringLiteral("N/A");
}

double MyStrToFloat(const QString &text)
{
    if (text == NotAvailable)
        return 0;
    const qsizetype ata = text.indexOf(QStringLiteral(" ATA"));
    return StrToFloat(ata >= 0 ? text.left(ata).trimmed() : text);
}

QString MyFormat2(double value, int decimals) { return Format("%*.*f", {8, decimals, value}).trimmed(); }

QString WorksheetGasName(int oxygenPercent, bool decompressionGas)
{
    switch (oxygenPercent) {
    case 21: return QStringLiteral("Air");
    case 32: return QStringLiteral("EAN32");
    case 36: return QStringLiteral("EAN36");
    default: break;
    }
    if (decompressionGas) {
        switch (oxygenPercent) {
        case 50: return QStringLiteral("DECO50");
        case 80: return QStringLiteral("DECO80");
        case 100: return QStringLiteral("100% Oxygen");
        default: break;
        }
    }
    return Format("Special mix EAN%d", {oxygenPercent});
}

WorksheetTexts::WorksheetTexts(const PlanModel &plan)
    : m_plan(plan), m_metric(plan.inputs.Metric), m_volumeWord(VolumeUnitWord(m_metric)),
      m_pressureWord(PressureUnitWord(m_metric))
{
}

bool WorksheetTexts::decompression() const
{
    return std::ranges::any_of(std::array{1, 2, 3}, [this](int k) { return stopActive(k); });
}

QString WorksheetTexts::title() const
{
    return decompression() ? QStringLiteral("Dive Plan Air with Decompression")
                           : QStringLiteral("Dive Plan Air - Non decompression dive");
}

// --- Divers ------------------------------------------------------------------

QString WorksheetTexts::diverName(int n) const { return m_plan.inputs.diver.at(n).Name; }

QString WorksheetTexts::diverCaption(int n) const
{
    const QString name = diverName(n).trimmed();
    return name.isEmpty() ? Format("Diver #%d", {n + 1}) : name;
}

QString WorksheetTexts::tankSize(int n) const { return m_plan.inputs.diver.at(n).Tanksize + u' ' + m_volumeWord; }

QString WorksheetTexts::tankPressure(int n) const { return m_plan.inputs.diver.at(n).PSI + u' ' + m_pressureWord; }

QString WorksheetTexts::rmv(int n) const
{
    return m_plan.inputs.diver.at(n).BR + u' ' + m_volumeWord + QStringLiteral("/min");
}

// --- Dive parameters -------------------------------------------------------------

QString WorksheetTexts::depthCode() const { return DepthUnitTag(m_metric); }

QString WorksheetTexts::maxDepth() const { return IntToStr(m_plan.inputs.Depth) + u' ' + depthCode(); }

QString WorksheetTexts::bottomGas() const { return IntToStr(m_plan.inputs.BottomMixO2); }

QString WorksheetTexts::bottomGasName() const { return WorksheetGasName(m_plan.inputs.BottomMixO2, false); }

QString WorksheetTexts::maxPpO2(WorksheetLog &log) const
{
    if (ValueOf(m_plan.results.MaxPOTwo) > MyStrToFloat(m_plan.inputs.PO2))
        log.add(QStringLiteral("Error: ppO2 is higher than set as maximum. Choose another gas."));
    return ShownValue(m_plan.results.MaxPOTwo) + QStringLiteral(" ATA");
}

QString WorksheetTexts::bottomTime(WorksheetLog &log) const
{
    if (ValueOf(m_plan.results.BottomTime) <= 0)
        log.add(QStringLiteral("Error: No bottom time available."));
    return ShownValue(m_plan.results.BottomTime);
}

QString WorksheetTexts::totalRunTime() const { return ShownValue(m_plan.results.BestTime); }

QString WorksheetTexts::ascentRate() const
{
    return IntToStr(AscentRate()) + u' ' + depthCode().toLower() + QStringLiteral("/min");
}

// --- Air consumption -----------------------------------------------------------------

TurnPoints WorksheetTexts::turnPoints(int n) const
{
    const double psi = MyStrToFloat(m_plan.inputs.diver.at(n).PSI);
    TurnPoints p;
    if (m_plan.inputs.Reserve == ReserveRule::RuleOfThird)
        p.used = psi * (1 - MyStrToFloat(m_plan.inputs.SRF));
    else
        p.used = (psi - MyStrToFloat(m_plan.inputs.ReservePressure)) * 0.5;
    p.turn = psi - p.used;
    p.call = p.turn - p.used;
    return p;
}

// The gas left in the tank at `pressure`.
double WorksheetTexts::gasLeftAt(int n, double pressure) const
{
    const DiverInputs &d = m_plan.inputs.diver.at(n);
    const double size = MyStrToFloat(d.Tanksize);
    const double psi = MyStrToFloat(d.PSI);
    if (m_metric)
        return size * psi - size * (psi - pressure);
    return size - size * (1 - Divide(pressure, psi));
}

QString WorksheetTexts::tankGas(int n) const
{
    const DiverInputs &d = m_plan.inputs.diver.at(n);
    if (m_metric)
        return MyFormat(MyStrToFloat(d.Tanksize) * MyStrToFloat(d.PSI)) + u' ' + m_volumeWord;
    return d.Tanksize + u' ' + m_volumeWord;
}

QString WorksheetTexts::reserveType() const
{
    if (m_plan.inputs.Reserve == ReserveRule::RuleOfThird)
        return QStringLiteral("Rule of Third");
    return Format("Fixed reserve : %s %s", {m_plan.inputs.ReservePressure, m_pressureWord});
}

QString WorksheetTexts::reserveVolume(int n) const
{
    return Format("%s %s", {ShownValue(m_plan.results.diver.at(n).stReserveInCuFt), m_volumeWord});
}

QString WorksheetTexts::availableForDive(int n) const
{
    const DiverInputs &d = m_plan.inputs.diver.at(n);
    const double tank = m_metric ? MyStrToFloat(d.Tanksize) * MyStrToFloat(d.PSI) : MyStrToFloat(d.Tanksize);
    return Format("%s %s", {MyFormat(tank - ValueOf(m_plan.results.diver.at(n).stReserveInCuFt)), m_volumeWord});
}

QString WorksheetTexts::pressureWithGas(int n, double pressure, const QString &pressureText) const
{
    return Format("%s %s (%s %s)", {pressureText, m_pressureWord, MyFormat(gasLeftAt(n, pressure)), m_volumeWord});
}

QString WorksheetTexts::startPoint(int n) const
{
    const QString &psi = m_plan.inputs.diver.at(n).PSI;
    return pressureWithGas(n, MyStrToFloat(psi), psi);
}

QString WorksheetTexts::turnPoint(int n) const
{
    const double turn = turnPoints(n).turn;
    return pressureWithGas(n, turn, MyFormat2(turn, 0));
}

QString WorksheetTexts::callPoint(int n) const
{
    const double call = turnPoints(n).call;
    return pressureWithGas(n, call, MyFormat2(call, 0));
}

QString WorksheetTexts::adjustedTurnpoint() const
{
    if (m_plan.inputs.Reserve != ReserveRule::RuleOfThird)
        return {};
    return QStringLiteral("Adjusted turnpoint ") + m_plan.inputs.SRF;
}

// --- Decompression -----------------------------------------------------------------

QString WorksheetTexts::decoGas() const { return MyFormat(m_plan.inputs.DecoGas); }

QString WorksheetTexts::decoGasName() const { return WorksheetGasName(m_plan.inputs.DecoGas, true); }

QString WorksheetTexts::decoMod() const { return ShownMod(m_plan.DecoGasMOD()) + u' ' + depthCode(); }

bool WorksheetTexts::stopActive(int k) const { return m_plan.inputs.stop(k).active; }

QString WorksheetTexts::stopDepth(int k) const
{
    if (!stopActive(k))
        return NotAvailable;
    return MyFormat(m_plan.inputs.stop(k).depth) + u' ' + depthCode();
}

QString WorksheetTexts::stopTime(int k, WorksheetLog &log) const
{
    if (!stopActive(k))
        return NotAvailable;
    if (m_plan.inputs.stop(k).time <= 0)
        log.add(QStringLiteral("Warning: No decompression time selected for ") + stopDepth(k));
    return MyFormat(m_plan.inputs.stop(k).time);
}

double WorksheetTexts::stopPpO2Value(int k) const
{
    return OxygenPartialPressure(m_plan.inputs.stop(k).depth, m_plan.inputs.DecoGas, m_metric);
}

QString WorksheetTexts::stopPpO2(int k, WorksheetLog &log) const
{
    if (!stopActive(k))
        return NotAvailable;
    const double ppO2 = stopPpO2Value(k);
    if (ppO2 > MyStrToFloat(m_plan.inputs.PO2))
        log.add(Format("Error: ppO2 for Deco %d is higher than set as maximum. Choose another gas.", {k}));
    return MyFormat(ppO2) + QStringLiteral(" ATA");
}

// What diver n breathes at stop k: the absolute pressure there times the
// breathing rate times the minutes, as the plan's decompression gas use sums it.
QString WorksheetTexts::stopAir(int k, int n) const
{
    if (!stopActive(k))
        return NotAvailable;
    const double gas = AbsolutePressureAtDepth(m_plan.inputs.stop(k).depth, m_metric)
                       * MyStrToFloat(m_plan.inputs.diver.at(n).BR) * m_plan.inputs.stop(k).time;
    return MyFormat(gas) + u' ' + m_volumeWord;
}

QString WorksheetTexts::totalDecoTime() const { return ShownValue(m_plan.results.TotalDecoTime); }

QString WorksheetTexts::maxDecoPpO2() const
{
    double highest = 0;
    for (int k = 1; k <= 3; ++k)
        if (stopActive(k))
            highest = std::max(highest, stopPpO2Value(k));
    return MyFormat(highest) + QStringLiteral(" ATA");
}
