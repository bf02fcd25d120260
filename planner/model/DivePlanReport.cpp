#include "planner/model/DivePlanReport.h"

#include "planner/model/PlanModel.h"

#include "core/Arithmetic.h"
#include "core/Errors.h"
#include "core/InputLists.h"
#include "core/NumText.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>

namespace {

double num(const QString &text) { return StrToFloat(text); }

// The file name with its last extension (if any) replaced by ".txt"; the
// folder stays, so the report is saved beside its plan.
QString withTextExtension(const QString &fileName)
{
    const qsizetype folderEnd = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return (dot > folderEnd ? fileName.left(dot) : fileName) + QStringLiteral(".txt");
}

// "Default.Dive" is the planner's memory, not a plan the user named.
bool isNamedPlan(const QString &fileName)
{
    return !fileName.isEmpty()
           && QFileInfo(fileName).completeBaseName().compare(QStringLiteral("Default"), Qt::CaseInsensitive) != 0;
}

const QString Rule = QStringLiteral("------------------------------------------------ ");

// Appends the report's lines one by one, so that a value that fails to
// convert leaves the lines before it in place.
class ReportWriter
{
public:
    ReportWriter(const PlanModel &plan, ShortDivePlan &report) : m_plan(plan), m_in(plan.inputs), m_report(report) {}

    void write(const QDate &today)
    {
        const bool metric = m_in.Metric;
        const SrfLookup srf = m_in.OnlyDiver1 ? SrfLookup{PlanModel::TwoThirdsSrf()}
                                              : m_plan.CalcSRF(m_in.diver[0].BR, m_in.diver[1].BR);
        m_report.srfProblem = srf.problem;
        add(QStringLiteral("Dive Plan created ") + QLocale::system().toString(today, QLocale::ShortFormat));
        add();
        diver(0);
        add();
        diver(1);
        add();
        add();

        const QString depthWord = DepthUnitWord(metric);
        const PlanResults &r = m_plan.results;
        add(QStringLiteral("DIVE"));
        add(QStringLiteral("Set depth          : ") + MyFormat(m_in.Depth) + u' ' + depthWord);
        add(QStringLiteral("Primary gas        : ") + MyFormat(m_in.BottomMixO2) + QStringLiteral(" % oxygen"));
        add(QStringLiteral("Max ppO2           : ") + ShownValue(r.MaxPOTwo));
        add(QStringLiteral("MOD for primary gas: ") + ShownMod(r.MODBottomGasEdit) + u' ' + depthWord);
        add();
        add();
        add(QStringLiteral("DECOMPRESSION"));
        add(QStringLiteral("Decompression gas  : ") + MyFormat(m_in.DecoGas) + QStringLiteral(" % oxygen"));
        add(QStringLiteral("MOD for deco gas   : ") + ShownMod(m_plan.DecoGasMOD()) + u' ' + depthWord);
        add();
        add();
        turnPoints(srf.factor);
    }

private:
    void add(const QString &line = QString()) { m_report.lines.append(line); }

    // Lines 3 to 8 and 10 to 15: the diver's tank, rate and reserve.
    void diver(size_t n)
    {
        const bool metric = m_in.Metric;
        const DiverInputs &d = m_in.diver[n];
        const QString pressureWord = PressureUnitWord(metric);
        const QString volumeWord = VolumeUnitWord(metric);
        add(QStringLiteral("Diver # %1 - ").arg(n + 1) + d.Name);
        add(QStringLiteral("Tank certified to  : ") + d.PSI + u' ' + pressureWord);
        QString size = QStringLiteral("Tank size          : ") + d.Tanksize + u' ' + volumeWord;
        // Diver 1's metric tank also shows the gas it holds.
        if (metric && n == 0)
            size += QStringLiteral(" / ") + MyFormat(d.gas(metric)) + u' ' + volumeWord;
        add(size);
        add(QStringLiteral("RMV                : ") + d.BR + u' ' + volumeWord + QStringLiteral("/Min"));
        add(m_in.Reserve == ReserveRule::RuleOfThird
                ? QStringLiteral("Reserve type       : Rule of Third")
                : Format(QStringLiteral("Reserve type       : Fixed reserve: %s %s"),
                         {m_in.ReservePressure, pressureWord}));
        add(QStringLiteral("Reserve            : ") + ShownValue(m_plan.results.diver[n].stReserveInCuFt) + u' '
            + volumeWord);
    }

    // The turn and call pressures by the SRF (whatever the reserve rule),
    // diver 1's time to the turn point and back, and both divers' gas over it.
    // Gas is what the tank holds (litres times bar in metric plans), so the
    // times and the gas left hold in both unit systems.
    void turnPoints(double srf)
    {
        const bool metric = m_in.Metric;
        const QString pressureWord = PressureUnitWord(metric);
        const QString volumeWord = VolumeUnitWord(metric);
        const QString depthWord = DepthUnitWord(metric);
        // The imperial report has always abbreviated the speed unit.
        const QString speedWord = metric ? depthWord + QStringLiteral("/min") : QStringLiteral("ft/min");
        const DiverInputs &d1 = m_in.diver[0];
        const DiverInputs &d2 = m_in.diver[1];

        add(QStringLiteral("TURN POINTS"));
        add();
        add(QStringLiteral("Diver               #1         #2 "));
        add(Rule);
        add(Format(QStringLiteral("Starter with   :    %s       %s %s"), {d1.PSI, d2.PSI, pressureWord}));
        const double p1 = num(d1.PSI);
        const double p2 = num(d2.PSI);
        const double turn1 = p1 * srf;
        const double turn2 = p2 * srf;
        add(Format(QStringLiteral("Turn point     :    %4.0f       %4.0f %s"), {turn1, turn2, pressureWord}));
        add(Format(QStringLiteral("Call point     :    %4.0f       %4.0f %s"),
                   {turn1 - (p1 - turn1), turn2 - (p2 - turn2), pressureWord}));
        add(Rule);
        add();

        const double gas1 = d1.gas(metric);
        const double rate1 = num(d1.BR);
        const double ata = ValueOf(m_plan.results.PressureInATA);
        // The gas used to the turn point, rounded as the planner shows it.
        const double usedToTurn = Round2(gas1 * (1 - Divide(turn1, p1)));
        const double outMinutes = Divide(usedToTurn, rate1 * ata);
        add(Format(QStringLiteral(
                       "From which we can conclude that at the turn point you have been diving %4.1f minutes"),
                   {outMinutes}));
        const double distance = outMinutes * num(m_in.Speed1);
        add(Format(QStringLiteral("and with a outgoing speed of %s %s you would have covered %4.2f %s."),
                   {m_in.Speed1, speedWord, distance, depthWord}));
        const double backMinutes = Divide(distance, num(m_in.Speed2));
        const double diveMinutes = outMinutes + backMinutes;
        add(Format(
            QStringLiteral(
                "and your return trip would take %4.2f minutes which would give the total dive time of %4.2f minutes."),
            {backMinutes, diveMinutes}));
        add();

        add(QStringLiteral("GAS USED AT DIVE"));
        add(QStringLiteral("Diver               #1          #2 "));
        add(Rule);
        const double used1 = rate1 * ata * diveMinutes;
        const double used2 = num(d2.BR) * ata * diveMinutes;
        add(Format(QStringLiteral("Gas used            %4.2f       %4.2f %s"), {used1, used2, volumeWord}));
        add(Format(QStringLiteral("Gas left            %4.2f       %4.2f %s"),
                   {gas1 - used1, d2.gas(metric) - used2, volumeWord}));
        add();
    }

    const PlanModel &m_plan;
    const PlanInputs &m_in;
    ShortDivePlan &m_report;
};

} // namespace

QString ShortDivePlanFileName(const PlanModel &plan)
{
    if (isNamedPlan(plan.PlanFileName))
        return withTextExtension(plan.PlanFileName);
    return QStringLiteral("DivePlan") + IntToStr(plan.inputs.Depth) + u'_' + IntToStr(plan.inputs.BottomMixO2) + u'-'
           + IntToStr(Trunc(ValueOf(plan.results.BottomTime))) + QStringLiteral(".txt");
}

ShortDivePlan MakeShortDivePlan(const PlanModel &plan, const QDate &today)
{
    ShortDivePlan report;
    try {
        report.fileName = ShortDivePlanFileName(plan);
        ReportWriter(plan, report).write(today);
    } catch (const AppError &error) {
        report.stopped = true;
        report.error = error.message();
    }
    return report;
}
