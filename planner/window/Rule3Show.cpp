// Showing the plan: the model's inputs, results and view written into the
// planner's controls. Nothing is computed here; change events of the
// controls written are ignored meanwhile.

#include "planner/window/Rule3.h"

#include "planner/window/ProfileGraphic.h"

#include "core/InputLists.h"
#include "core/NumText.h"
#include "widgets/Builders.h"
#include "widgets/Hints.h"
#include "widgets/UnitInputs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>

#include <algorithm>

namespace {

void put(QLineEdit *box, const QString &text)
{
    // Rewriting the same text would move the cursor of a user who is typing.
    if (box->text() != text)
        box->setText(text);
}

void put(QLabel *label, const QString &text)
{
    if (label->text() != text)
        label->setText(text);
}

void put(QSpinBox *spin, int value)
{
    if (spin->value() == value)
        return;
    const QSignalBlocker quiet(spin);
    spin->setValue(value);
}

void put(QAbstractButton *button, bool checked)
{
    if (button->isChecked() != checked)
        button->setChecked(checked);
}

void put(QProgressBar *progress, const Bar &bar)
{
    const int maximum = static_cast<int>(std::clamp(bar.max, 0LL, static_cast<long long>(INT_MAX)));
    progress->setRange(0, std::max(maximum, 1));
    progress->setValue(static_cast<int>(std::clamp(bar.position, 0LL, static_cast<long long>(maximum))));
}

// Panel `index` of a status line.
QLabel *panel(QStatusBar *line, int index)
{
    return line->findChild<QLabel *>(line->objectName() + QStringLiteral("Panel%1").arg(index));
}

} // namespace

void TfmRuleOfThird::showPlan()
{
    const bool wasShowing = m_showing;
    m_showing = true;
    fillUnitLists();
    showInputs();
    showResults();
    showDecoModelCheck();
    showGraphic();
    showRecords();
    m_showing = wasShowing;
}

void TfmRuleOfThird::fillUnitLists()
{
    const bool metric = m_plan.inputs.Metric;
    if (metric == m_listsMetric && m_listsSwitched)
        return;
    if (!m_listsSwitched) {
        // The form's own lists stay until the unit system is first switched.
        m_listsSwitched = true;
        FillBreathingRateList(BRBox[0], false);
        FillBreathingRateList(BRBox[1], false);
        FillTankSizeList(EdTankSize, false);
        FillPressureList(EdCertified, false);
        FillBreathingRateList(EdRMV, false);
        FillPressureList(ReservePressure, false);
        if (!metric) {
            showUnitLabels();
            return;
        }
    }
    m_listsMetric = metric;
    for (QComboBox *box : {TanksizeBox[0], TanksizeBox[1], EdTankSize})
        FillTankSizeList(box, metric);
    for (QComboBox *box : {PSIBox[0], PSIBox[1], EdCertified, ReservePressure})
        FillPressureList(box, metric);
    for (QComboBox *box : {BRBox[0], BRBox[1], EdRMV})
        FillBreathingRateList(box, metric);
    showUnitLabels();
}

void TfmRuleOfThird::showUnitLabels()
{
    const bool metric = m_plan.inputs.Metric;
    const QString depth = DepthUnitWord(metric);
    const QString volume = VolumeUnitWord(metric);
    const QString pressure = PressureUnitWord(metric);
    for (QLabel *label : {Label16, ModUnitLabel, EadUnitLabel, DecoDepthUnit, NarcosisDepthUnit})
        put(label, depth);
    for (QLabel *label : {Speed1Unit, Speed2Unit, AscentRateUnit})
        put(label, depth + QStringLiteral("/Min"));
    for (QLabel *label :
         {TanksizeUnit[0], TanksizeUnit[1], ReserveUnit[0], ReserveUnit[1], EdTankSizeUnit, ConsumptionUnit})
        put(label, volume);
    for (QLabel *label : {BRUnit[0], BRUnit[1], EdRMVUnit})
        put(label, volume + QStringLiteral("/Min"));
    for (QLabel *label : {PSIUnit[0], PSIUnit[1], EdCertifiedUnit, ReservePressureUnit})
        put(label, pressure);
}

void TfmRuleOfThird::showInputs()
{
    const PlanInputs &in = m_plan.inputs;
    put(Metric, in.Metric);
    put(Depth, in.Depth);
    put(BottomMixO2, in.BottomMixO2);
    ui::setListText(PO2, in.PO2);
    for (size_t n = 0; n < 2; ++n) {
        put(DiverName[n], in.diver[n].Name);
        ui::setListText(TanksizeBox[n], in.diver[n].Tanksize);
        ui::setListText(PSIBox[n], in.diver[n].PSI);
        ui::setListText(BRBox[n], in.diver[n].BR);
    }
    put(UseRuleOfThirdRadio, in.Reserve == ReserveRule::RuleOfThird);
    put(UsedFixedPressureReserveRadio, in.Reserve == ReserveRule::FixedPressure);
    ui::setListText(ReservePressure, in.ReservePressure);
    ReservePressure->setEnabled(in.ReservePressureEnabled());
    put(OnlyDiver1, in.OnlyDiver1);
    put(SRF, in.SRF);
    SRF->setEnabled(in.SRFEnabled());
    OnlyDiver1->setEnabled(in.SRFEnabled());

    QCheckBox *const checks[] = {Decom1Check, Decom2Check, Decom3Check};
    QSpinBox *const depths[] = {DecoDepth1, DecoDepth2, DecoDepth3};
    QSpinBox *const times[] = {DecoTime1, DecoTime2, DecoTime3};
    for (int k = 1; k <= 3; ++k) {
        put(checks[k - 1], in.stop(k).active);
        put(depths[k - 1], in.stop(k).depth);
        put(times[k - 1], in.stop(k).time);
        depths[k - 1]->setEnabled(in.DecoStopEnabled(k));
        times[k - 1]->setEnabled(in.DecoStopEnabled(k));
    }
    put(DecoGas, in.DecoGas);
    DecoGas->setEnabled(in.DecoGasEnabled());
    put(SameAsBottomGas, in.SameAsBottomGas);

    put(LessNarcDepth10Radio, in.Narcosis == NarcosisRule::TenPercent);
    put(LessNarcDepth50Radio, in.Narcosis == NarcosisRule::FiftyPercent);
    put(SpecifyNarcDepthCheck, in.Narcosis == NarcosisRule::Fixed);
    put(NarcosisDepth, in.NarcosisDepth);
    NarcosisDepth->setEnabled(in.NarcosisDepthEnabled());

    put(AscentRateEdit, in.AscentRateEdit);
    put(Speed1, in.Speed1);
    put(Speed2, in.Speed2);
}

void TfmRuleOfThird::showResults()
{
    const PlanResults &r = m_plan.results;
    const PlanView &v = m_plan.view;
    const std::pair<QLineEdit *, PlanValue> fields[] = {
        {PressureInATA, r.PressureInATA},
        {MaxPOTwo, r.MaxPOTwo},
        {EAD, r.EAD},
        {MODDecomixEdit, r.MODDecomixEdit},
        {BestMix, r.BestMix},
        {SuggestedHelium, r.SuggestedHelium},
        {SuggestedOxygen, r.SuggestedOxygen},
        {SuggestedNitrogen, r.SuggestedNitrogen},
        {DescentTime, r.DescentTime},
        {BottomTime, r.BottomTime},
        {AscentTime, r.AscentTime},
        {TotalDecoTime, r.TotalDecoTime},
        {AscentFromDecoTime, r.AscentFromDecoTime},
        {BestTime, r.BestTime},
    };
    for (const auto &[box, value] : fields)
        put(box, ShownValue(value));
    put(MODBottomGasEdit, ShownMod(r.MODBottomGasEdit));
    put(LblEdit4, ShownNitrogen(r));
    for (size_t n = 0; n < 2; ++n) {
        const DiverResults &d = r.diver[n];
        put(DescentComsumption[n], ShownValue(d.DescentComsumption));
        put(BottomTimeConsumption[n], ShownValue(d.BottomTimeConsumption));
        put(Ascent1Consumption[n], ShownValue(d.Ascent1Consumption));
        put(DecoConsumption[n], ShownValue(d.DecoConsumption));
        put(Ascent2Consumption[n], ShownValue(d.Ascent2Consumption));
        put(TotalRunTimeConsumption[n], ShownValue(d.TotalRunTimeConsumption));
        put(stReserveInCuFt[n], ShownValue(d.stReserveInCuFt));
        put(TeoretiskAvailTime[n], ShownValue(d.TeoretiskAvailTime));
        if (hintOf(stReserveInCuFt[n]) != v.ReserveHint)
            setHint(stReserveInCuFt[n], v.ReserveHint);
    }

    if (windowTitle() != v.Caption)
        setWindowTitle(v.Caption);
    for (const auto &[heading, text] : {std::pair{Panel21, v.Panel21}, std::pair{Panel22, v.Panel22}})
        if (heading->text() != text) {
            heading->setText(text);
            setHint(heading, text);
        }
    SuggestedTrimixGroupbox->setTitle(v.SuggestedTrimixGroupbox);
    SuggestedTrimixGroupbox->setEnabled(v.SuggestedTrimixEnabled);
    UseSuggestedGasButton->setText(v.UseSuggestedGasButton);
    UseSuggestedGasButton->setEnabled(v.UseSuggestedGasButtonEnabled);
    BestMix->setEnabled(v.BestMixEnabled);
    if (hintOf(GroupBox5) != v.GroupBox5Hint)
        setHint(GroupBox5, v.GroupBox5Hint);
    if (MsgStatusBar->currentMessage() != v.MsgStatusBar)
        MsgStatusBar->showMessage(v.MsgStatusBar);
    put(panel(ReserveStatusBar, 1), v.ReserveStatusBar);
    put(panel(TotalConsumptionStatusBar, 1), v.TotalConsumptionStatusBar);

    put(ReserveBar, v.ReserveBar);
    put(DiverMatchProgressBar, v.DiverMatchProgressBar);
    put(GasUsedVersusAvailableGasProgress, v.GasUsedVersusAvailableGasProgress);
    put(Gauge, v.Gauge);
    // The MOD gauge turns red when the depth reaches the bottom gas's MOD.
    Gauge->setStyleSheet(v.GaugeRed ? QStringLiteral("QProgressBar::chunk { background: red; }") : QString());
    Savediveplan1->setEnabled(v.SaveDivePlanEnabled);

    // The diver items of the graphic's choice carry the divers' names.
    for (int n = 0; n < 2; ++n) {
        const QString name = m_plan.inputs.diver[n].Name;
        ShowGraphicsWho->setItemText(n, name.isEmpty() ? QStringLiteral("Diver #%1").arg(n + 1) : name);
    }
    if (ShowGraphicsWho->currentIndex() != static_cast<int>(v.ShowGraphicsWho))
        ShowGraphicsWho->setCurrentIndex(static_cast<int>(v.ShowGraphicsWho));
    showPage(LowerPageControl, v.LowerPageControl);
    showPage(UpperPageControl, v.UpperPageControl);
}

void TfmRuleOfThird::showGraphic()
{
    const PlanResults &r = m_plan.results;
    const PlanView &v = m_plan.view;
    const bool metric = m_plan.inputs.Metric;
    QLabel *const values[] = {Label33, Label34, Label35, Label41, Label36};
    if (v.ShowGraphicsWho == GraphicView::Time) {
        const PlanValue times[] = {r.DescentTime, r.BottomTime, r.AscentTime, r.TotalDecoTime, r.AscentFromDecoTime};
        for (int i = 0; i < 5; ++i)
            put(values[i], ShownValue(times[i]));
        put(Label30, QString());
    } else {
        const DiverResults &d = r.diver[v.ShowGraphicsWho == GraphicView::Diver2 ? 1 : 0];
        const PlanValue uses[] = {d.DescentComsumption, d.BottomTimeConsumption, d.Ascent1Consumption,
                                  d.DecoConsumption, d.Ascent2Consumption};
        for (int i = 0; i < 5; ++i)
            put(values[i], ShownValue(uses[i]));
        put(Label30, Format(QStringLiteral("Total run: %s %s"),
                            {ShownValue(d.TotalRunTimeConsumption), VolumeUnitWord(metric)}));
    }
    const QString valueHint = metric ? QStringLiteral("Consumption in Litres") : QStringLiteral("Consumption in CuFt");
    for (QLabel *label : values)
        if (hintOf(label) != valueHint)
            setHint(label, valueHint);
    put(panel(TotalRunAndBottomTime, 1), ShownValue(r.BestTime));
    put(panel(TotalRunAndBottomTime, 3), ShownValue(r.BottomTime));
    put(Label17Depth, v.Label17Depth);

    // The stops' segment shows only with an active stop; without one the
    // ascent labels move up to the stops' row.
    const bool deco = r.DecoActive;
    Panel11->setDecompression(deco);
    for (QLabel *label : {DecompressionCaption, Label41, DecoAscentCaption, Label36})
        label->setVisible(deco);
    Panel11->place(AscentCaption, deco ? QPointF(0.64, 0.50) : QPointF(0.80, 0.36));
    Panel11->place(Label35, deco ? QPointF(0.64, 0.58) : QPointF(0.80, 0.44));
    Panel11->place(DecompressionCaption, {0.64, 0.20});
    Panel11->place(Label41, {0.66, 0.29});
    Panel11->place(DecoAscentCaption, {0.80, 0.48});
    Panel11->place(Label36, {0.80, 0.56});
    const QString graphicHint = v.ShowGraphicsWho == GraphicView::Time
                                    ? QStringLiteral("Time in minutes")
                                    : Format(QStringLiteral("Air consumption for %s"),
                                             {ShowGraphicsWho->currentText()});
    if (hintOf(Panel11) != graphicHint)
        setHint(Panel11, graphicHint);

    // Turn, call and end marks belong to the rule of thirds.
    for (QLabel *mark : {Shape1, Shape2, Shape3})
        mark->setVisible(m_plan.inputs.SRFEnabled());
    // The gas lines and the "how much gas" question belong to a diver.
    for (QWidget *line :
         {static_cast<QWidget *>(ReserveStatusBar), static_cast<QWidget *>(TotalConsumptionStatusBar),
          static_cast<QWidget *>(GasUsedVersusAvailableGasProgress), static_cast<QWidget *>(HowMuchGasBottum)})
        line->setVisible(v.GasStatusVisible);
    AlarmShape->setVisible(v.AlarmShapeVisible);
}

void TfmRuleOfThird::showRecords()
{
    QStringList listed;
    for (int i = 0; i < DiversListBox->count(); ++i)
        listed << DiversListBox->item(i)->text();
    if (listed != m_records.DiversListBox) {
        DiversListBox->clear();
        DiversListBox->addItems(m_records.DiversListBox);
    }
    put(EdName, m_records.EdName);
    ui::setListText(EdTankSize, m_records.EdTankSize);
    ui::setListText(EdCertified, m_records.EdCertified);
    ui::setListText(EdRMV, m_records.EdRMV);
    DiverDelete->setEnabled(m_records.DiverDeleteEnabled());
}

void TfmRuleOfThird::showPage(QTabWidget *pages, const QString &name)
{
    for (int i = 0; i < pages->count(); ++i)
        if (pages->widget(i)->objectName() == name && pages->currentIndex() != i) {
            pages->setCurrentIndex(i);
            return;
        }
}

QString TfmRuleOfThird::pageName(const QTabWidget *pages) const
{
    return pages->currentWidget() ? pages->currentWidget()->objectName() : QString();
}
