#pragma once

// The dive planner's model: a plan for two divers at one depth on one bottom
// gas, with up to three decompression stops on one decompression gas. Every
// field carries the name of the planner control that shows it, which is also
// its key in a plan file. Numbers travel between the steps as two-decimal
// texts, so each step reads the rounded results of the steps before it.
//
// Fields are set directly; the window then calls the handler of the control
// that changed, which ends in DepthChange. One DepthChange computes every
// result in dependency order, so its values are final: no second pass is
// ever needed. The choice handlers of the window (reserve rule, strict rule,
// stop checks, "Same as bottom gas") only need DepthChange, because the
// enabled states below are derived from the choices and every recalculation
// derives SRF afresh.

#include "planner/PlanResults.h"
#include "planner/PlanView.h"

#include "core/NumText.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>

enum class ReserveRule { RuleOfThird, FixedPressure };
enum class NarcosisRule { TenPercent, FiftyPercent, Fixed };

class PlanModel final : public QObject
{
    Q_OBJECT

public:
    // Opens a plan as the planner window does: in the program-wide unit
    // system, at 10 m / 30 ft, `Suspended` until the first plan is loaded.
    explicit PlanModel(QObject *parent = nullptr);

    // --- Inputs -------------------------------------------------------------
    bool Metric = false;
    int Depth = 0;
    int BottomMixO2 = 21;
    QString PO2 = FloatToStr(1.6);
    QString Diver1Name, Diver2Name;
    QString Tanksize1 = QStringLiteral("160"), Tanksize2 = QStringLiteral("240");
    QString PSI1 = QStringLiteral("3000"), PSI2 = QStringLiteral("3500");
    QString BR1 = QStringLiteral("1"), BR2 = QStringLiteral("1");
    ReserveRule Reserve = ReserveRule::RuleOfThird;   // UseRuleOfThirdRadio / UsedFixedPressureReserveRadio
    QString ReservePressure = QStringLiteral("500");
    bool OnlyDiver1 = false;
    QString SRF = QStringLiteral("0");
    bool Decom1Check = false, Decom2Check = false, Decom3Check = false;
    int DecoDepth1 = 30, DecoDepth2 = 20, DecoDepth3 = 15;
    int DecoTime1 = 0, DecoTime2 = 0, DecoTime3 = 3;
    int DecoGas = 80;
    bool SameAsBottomGas = false;
    NarcosisRule Narcosis = NarcosisRule::FiftyPercent;  // LessNarcDepth10Radio / LessNarcDepth50Radio / SpecifyNarcDepthCheck
    int NarcosisDepth = 10;
    QString AscentRateEdit;
    QString Speed1 = QStringLiteral("60"), Speed2 = QStringLiteral("75");

    // --- Results of the last recalculation ----------------------------------
    PlanResults results;

    // --- State of the model ----------------------------------------------------
    bool Suspended = true;  // while set, every recalculation entry returns at once
    bool Quiet = true;      // no warnings, beeps or SRF lookup

    // --- What the window shows besides the fields ------------------------------
    PlanView view;
    QString PlanFileName;                  // the plan's file; empty for none

    // Enabled states that follow the choices.
    bool ReservePressureEnabled() const { return Reserve == ReserveRule::FixedPressure; }
    bool SRFEnabled() const { return Reserve == ReserveRule::RuleOfThird; }  // also the strict rule and the turn marks
    bool NarcosisDepthEnabled() const { return Narcosis == NarcosisRule::Fixed; }
    bool DecoStopEnabled(int stop) const { return stopActive(stop); }        // depth and time of stop 1..3
    bool DecoGasEnabled() const { return Decom1Check && !SameAsBottomGas; }

    // --- Steps ----------------------------------------------------------------
    void DepthChange();
    void BreathingRateChange();
    void DecoChange();
    void CalculateReservers();
    QString CalcSRF(const QString &rate1, const QString &rate2);
    void PO2Change();
    void CheckforExceedMOD();
    void FindSuggestedHelium();
    void Diver1Change();
    void Diver2Change();
    void SpecifyNarcDepthCheckClick();
    void BestMixChange();
    QString DeepestDecoGas() const;

    // --- Input handlers -------------------------------------------------------
    // A typed SRF of 0 or less is replaced; `inform` shows "SRF Adjusted".
    void SRFChange(const std::function<void(const QString &)> &inform);
    void AscentRateEditChange();
    void UseSuggestedGasCheckBoxClick();
    void SetO2ValueClick(int oxygenPercent);
    // Runs the unit switch for the new value of `Metric`; a switch by the
    // user forgets the plan file, one run by loading a plan keeps it.
    enum class SwitchBy { User, Loading };
    void MetricClick(SwitchBy by = SwitchBy::User);

    // A beep and a text on the main status line.
    void warn(const QString &text);

    // The SRF when the table does not apply: two thirds, "%4.2f".
    static QString TwoThirdsSrf();
    // Maximum operating depth for a ppO2 and an oxygen percentage: "0" when
    // either reads 0, else (ppO2 / fO2 - 1) x 10 m or 33 ft, "%10.2f" trimmed.
    static QString MOD(const QString &ppO2, const QString &oxygenPercent, bool metric);

    // Stop 1..3 by number.
    bool stopActive(int stop) const;
    void setStopActive(int stop, bool active);
    int stopDepth(int stop) const;
    int stopTime(int stop) const;

signals:
    void beep();
    void mainStatus(const QString &text);

private:
    struct DiverFields;
    static const std::array<DiverFields, 2> &diverFields();
    void diverChange(size_t n);
    // The diver whose reserve and gas use the status lines show.
    size_t shownDiver() const { return view.ShowGraphicsWho == GraphicView::Diver2 ? 1 : 0; }
    void computeReserves();
    void showGasUse();
    // Sets the shared ascent rate to 1 when it is 0; the steps that divide
    // by the rate run this first, so setAscentTimes and the descent time
    // only read it.
    void settleAscentRate();
    void setAscentTimes();
    void applyUnitDefaults();
};
