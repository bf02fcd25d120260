#pragma once

// The dive planner's model: a plan for two divers at one depth on one bottom
// gas, with up to three decompression stops on one decompression gas. It
// holds three plain structs that a window binds to: what the user sets
// (`inputs`), what a recalculation computes (`results`, each diver's part in
// `results.diver`) and what the window shows besides them (`view`). Members
// carry the names of the planner's controls; those of the inputs are also
// the plan file's keys. Results are numbers rounded as the window shows them
// (see PlanResults), so each step reads what the window shows of the steps
// before it.
//
// Inputs are set directly; the window then calls the handler of the control
// that changed, which ends in DepthChange. One DepthChange computes every
// result in dependency order, so its values are final: no second pass is
// ever needed. The choice handlers of the window (reserve rule, strict rule,
// stop checks, "Same as bottom gas") only need DepthChange, because the
// enabled states are derived from the choices (see PlanInputs) and every
// recalculation derives SRF afresh.

#include "planner/model/PlanInputs.h"
#include "planner/model/PlanResults.h"
#include "planner/model/PlanView.h"
#include "planner/model/SrfTable.h"

#include <QObject>
#include <QString>

#include <functional>

class PlanModel final : public QObject
{
    Q_OBJECT

public:
    // Opens a plan as the planner window does: in the program-wide unit
    // system, at 10 m / 30 ft, `Suspended` until the first plan is loaded.
    explicit PlanModel(QObject *parent = nullptr);

    PlanInputs inputs;   // what the user sets
    PlanResults results; // what the last recalculation computed
    PlanView view;       // captions, pages, status lines, gauges, shown states

    // --- State of the model ----------------------------------------------------
    QString PlanFileName;  // the plan's file; empty for none
    bool Suspended = true; // while set, every recalculation entry returns at once
    bool Quiet = true;     // no warnings, beeps or SRF lookup

    // --- Steps ----------------------------------------------------------------
    void DepthChange();
    void BreathingRateChange();
    void DecoChange();
    void CalculateReservers();
    // The SRF for two breathing rates: the table's factor, or two thirds with
    // the problem that kept it from the table (none when `Quiet`). Only
    // looks up; a recalculation reports the problem by srfProblem. Throws
    // ConvertError for a rate that is no number.
    SrfLookup CalcSRF(const QString &rate1, const QString &rate2) const;
    void PO2Change();
    void CheckforExceedMOD();
    void FindSuggestedHelium();
    void Diver1Change();
    void Diver2Change();
    void SpecifyNarcDepthCheckClick();
    void BestMixChange();
    // The depth the decompression gas may be breathed to at the plan's
    // maximum ppO2 (MOD of `PO2` and `DecoGas`).
    ModDepth DecoGasMOD() const;

    // --- Input handlers -------------------------------------------------------
    // A typed SRF of 0 or less is replaced; `inform` shows "SRF Adjusted".
    void SRFChange(const std::function<void(const QString &)> &inform);
    void AscentRateEditChange();
    void UseSuggestedGasCheckBoxClick();
    void SetO2ValueClick(int oxygenPercent);
    // Runs the unit switch for the new value of `inputs.Metric`; a switch by the
    // user forgets the plan file, one run by loading a plan keeps it.
    enum class SwitchBy { User, Loading };
    void MetricClick(SwitchBy by = SwitchBy::User);

    // A beep and a text on the main status line.
    void warn(const QString &text);

    // The SRF when the table does not apply: two thirds, to two decimals.
    static double TwoThirdsSrf();
    // Maximum operating depth for a ppO2 and an oxygen percentage: none when
    // either is 0, else (ppO2 / fO2 - 1) x 10 m or 33 ft to two decimals.
    // Throws ConvertError when the ppO2 is no number.
    static ModDepth MOD(const QString &ppO2, int oxygenPercent, bool metric);

signals:
    void beep();
    void mainStatus(const QString &text);
    // A recalculation's SRF lookup fell back to two thirds; the window warns (see WarningOf).
    void srfProblem(SrfProblem problem);

private:
    void diverChange(size_t n);
    // Takes a lookup's factor as the SRF and passes its problem on.
    void setSrf(const SrfLookup &srf);
    // The diver whose reserve and gas use the status lines show.
    size_t shownDiver() const { return view.ShowGraphicsWho == GraphicView::Diver2 ? 1 : 0; }
    void computeReserves();
    void showGasUse();
    // Sets the shared ascent rate to 1 when it is 0; the steps that divide
    // by the rate run this first, so setAscentTimes and the descent time
    // only read it.
    void settleAscentRate();
    // Sets the ascent times, rounded as shown, and gives them to the step that runs it.
    struct AscentTimes
    {
        double toDeepestStop = 0;   // `AscentTime`
        double fromDeepestStop = 0; // `AscentFromDecoTime`
    };
    AscentTimes setAscentTimes();
    void applyUnitDefaults();
};
