// The planner's input events: every control's change reads the controls
// into the model, runs the model's handler (one recalculation) and shows
// the model again.

#include "planner/window/Rule3.h"

#include "widgets/Builders.h"
#include "widgets/Dialogs.h"
#include "widgets/ErrorGuard.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

void TfmRuleOfThird::run(const std::function<void()> &step)
{
    if (m_showing)
        return;
    readInputs();
    // What the step got done stays shown, also when it fails part way.
    struct ShowAfter
    {
        TfmRuleOfThird *window;
        ~ShowAfter() { window->showPlan(); }
    } show{this};
    step();
}

void TfmRuleOfThird::readInputs()
{
    PlanInputs &in = m_plan.inputs;
    in.Depth = Depth->value();
    in.BottomMixO2 = BottomMixO2->value();
    in.PO2 = PO2->currentText();
    for (size_t n = 0; n < 2; ++n) {
        in.diver[n].Name = DiverName[n]->text();
        in.diver[n].Tanksize = TanksizeBox[n]->currentText();
        in.diver[n].PSI = PSIBox[n]->currentText();
        in.diver[n].BR = BRBox[n]->currentText();
    }
    in.Reserve = UseRuleOfThirdRadio->isChecked() ? ReserveRule::RuleOfThird : ReserveRule::FixedPressure;
    in.ReservePressure = ReservePressure->currentText();
    in.OnlyDiver1 = OnlyDiver1->isChecked();
    in.SRF = SRF->text();
    const QCheckBox *const checks[] = {Decom1Check, Decom2Check, Decom3Check};
    const QSpinBox *const depths[] = {DecoDepth1, DecoDepth2, DecoDepth3};
    const QSpinBox *const times[] = {DecoTime1, DecoTime2, DecoTime3};
    for (size_t k = 0; k < in.stops.size(); ++k)
        in.stops[k] = {checks[k]->isChecked(), depths[k]->value(), times[k]->value()};
    in.DecoGas = DecoGas->value();
    in.SameAsBottomGas = SameAsBottomGas->isChecked();
    in.Narcosis = LessNarcDepth10Radio->isChecked()    ? NarcosisRule::TenPercent
                  : SpecifyNarcDepthCheck->isChecked() ? NarcosisRule::Fixed
                                                       : NarcosisRule::FiftyPercent;
    in.NarcosisDepth = NarcosisDepth->value();
    in.AscentRateEdit = AscentRateEdit->text();
    in.Speed1 = Speed1->text();
    in.Speed2 = Speed2->text();
    m_plan.view.ShowGraphicsWho = static_cast<GraphicView>(ShowGraphicsWho->currentIndex());
    m_plan.view.LowerPageControl = pageName(LowerPageControl);
    m_plan.view.UpperPageControl = pageName(UpperPageControl);
    m_records.EdName = EdName->text();
    m_records.EdTankSize = EdTankSize->currentText();
    m_records.EdCertified = EdCertified->currentText();
    m_records.EdRMV = EdRMV->currentText();
}

void TfmRuleOfThird::connectEvents()
{
    const auto depthChange = [this] { DepthChange(); };
    for (QSpinBox *spin : {Depth, BottomMixO2, DecoGas, DecoTime1, DecoTime2, DecoTime3, DecoDepth1, DecoDepth2,
                           DecoDepth3, NarcosisDepth})
        connectGuarded(spin, &QSpinBox::valueChanged, this, depthChange);
    for (QComboBox *list : {PO2, TanksizeBox[0], TanksizeBox[1], PSIBox[0], PSIBox[1], BRBox[0], BRBox[1]})
        ui::onUserChange(list, this, depthChange);
    for (QRadioButton *choice : {LessNarcDepth10Radio, LessNarcDepth50Radio, SpecifyNarcDepthCheck})
        connectGuarded(choice, &QRadioButton::clicked, this, depthChange);
    // Stops, the deco gas rule and the strict rule only change what the
    // recalculation reads; the enabled states follow from them.
    for (QCheckBox *check : {Decom1Check, Decom2Check, Decom3Check, SameAsBottomGas, OnlyDiver1})
        connectGuarded(check, &QCheckBox::clicked, this, depthChange);
    ui::onUserChange(ReservePressure, this, depthChange);
    for (QRadioButton *choice : {UseRuleOfThirdRadio, UsedFixedPressureReserveRadio})
        connectGuarded(choice, &QRadioButton::clicked, this, [this] { UseRuleOfThirdRadioClick(); });
    connectGuarded(SRF, &QLineEdit::textEdited, this, [this] { SRFChange(); });
    connectGuarded(AscentRateEdit, &QLineEdit::textEdited, this, [this] { AscentRateEditChange(); });
    for (QLineEdit *speed : {Speed1, Speed2})
        connectGuarded(speed, &QLineEdit::textEdited, this, [this] { run([] {}); });
    for (QLineEdit *name : DiverName)
        connectGuarded(name, &QLineEdit::textEdited, this, [this] { DiverNameChange(); });
    connectGuarded(ShowGraphicsWho, &QComboBox::activated, this, depthChange);
    connectGuarded(UseSuggestedGasButton, &QPushButton::clicked, this, [this] { UseSuggestedGasCheckBoxClick(); });
    connectGuarded(BottomMixO2, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (QAction *chosen = PopupMenu1->exec(BottomMixO2->mapToGlobal(at)))
            SetO2ValueClick(chosen->data().toInt());
    });
    connectGuarded(AlarmShape, &QPushButton::clicked, this, [this] { AlarmShapeClick(); });

    // Pages: the chosen page is part of the plan; "Dive members" brings the team up.
    connectGuarded(LowerPageControl, &QTabWidget::currentChanged, this, [this] {
        if (m_showing)
            return;
        m_plan.view.LowerPageControl = pageName(LowerPageControl);
        if (m_plan.view.LowerPageControl == u"DiveMembers")
            showPage(UpperPageControl, QStringLiteral("DiveTeam"));
    });
    connectGuarded(UpperPageControl, &QTabWidget::currentChanged, this, [this] {
        if (!m_showing)
            m_plan.view.UpperPageControl = pageName(UpperPageControl);
    });

    // Commands on the pages.
    connectGuarded(BitBot1, &QPushButton::clicked, this, [this] { ConsumpTankSizeClick(1); });
    connectGuarded(BitBot2, &QPushButton::clicked, this, [this] { ConsumpTankSizeClick(2); });
    connectGuarded(SpeedButton4, &QPushButton::clicked, this, [this] { CreateMixClick(); });
    connectGuarded(CreateTrimixButtom, &QPushButton::clicked, this, [this] { CreateTrimixButtomClick(); });
    connectGuarded(HowMuchGasBottum, &QPushButton::clicked, this, [this] { HowMuchGasBottumClick(); });
    connectGuarded(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    connectGuarded(ComputeStopsButton, &QPushButton::clicked, this, [this] { ComputeStopsButtonClick(); });
    connectGuarded(CalculateButton, &QPushButton::clicked, this, [this] { PreviewDivePlanClick(); });
    connectGuarded(PrintButtom, &QPushButton::clicked, this, [this] { PrintButtomClick(); });
    connectGuarded(SpeedButton3, &QPushButton::clicked, this, [this] { CalculateButtonClick(); });

    // The model's warnings go to the main window's message line.
    connect(&m_plan, &PlanModel::beep, this, [] { QApplication::beep(); });
    connect(&m_plan, &PlanModel::mainStatus, this, [this](const QString &text) { host().showMessage(text); });
    connect(&m_plan, &PlanModel::srfProblem, this, [this](SrfProblem problem) { warnOfSrf(problem); });
}

void TfmRuleOfThird::warnOfSrf(SrfProblem problem)
{
    const auto warning = WarningOf(problem);
    if (!warning)
        return;
    for (int n = 0; n < warning->beeps; ++n)
        QApplication::beep();
    m_plan.view.MainStatus = warning->message;
    host().showMessage(warning->message);
    // The page shows with the plan, after the step that warned.
    if (!warning->page.isEmpty())
        m_plan.view.LowerPageControl = warning->page;
}

void TfmRuleOfThird::connectDiverRecords()
{
    connectGuarded(DiversListBox, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        run([this, index = DiversListBox->row(item)] { m_records.DiversListBoxClick(index); });
    });
    connectGuarded(EdName, &QLineEdit::textEdited, this, [this] { run([this] { m_records.EdNameChange(); }); });
    connectGuarded(DiverNew, &QPushButton::clicked, this, [this] { run([this] { m_records.DiverNewClick(); }); });
    connectGuarded(DiverSave, &QPushButton::clicked, this, [this] { run([this] { m_records.DiverSaveClick(); }); });
    connectGuarded(DiverDelete, &QPushButton::clicked, this, [this] { run([this] { m_records.DiverDeleteClick(); }); });
    connectGuarded(SpeedButton1, &QPushButton::clicked, this,
                   [this] { run([this] { m_records.SpeedButton1Click(); }); });
}

bool TfmRuleOfThird::eventFilter(QObject *watched, QEvent *event)
{
    const auto fromList = [](QEvent *e) { return qobject_cast<QListWidget *>(static_cast<QDropEvent *>(e)->source()); };
    const bool upperPages = watched == UpperPageControl || watched == UpperPageControl->tabBar();
    if (upperPages && event->type() == QEvent::DragEnter) {
        // Dragging a diver up from "Dive members" shows the team to drop it on.
        if (pageName(LowerPageControl) == u"DiveMembers")
            showPage(UpperPageControl, QStringLiteral("DiveTeam"));
        return false;
    }
    if (upperPages)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    const bool inBox1 = widget && (widget == GroupBox1 || GroupBox1->isAncestorOf(widget));
    const bool inBox2 = widget && (widget == GroupBox2 || GroupBox2->isAncestorOf(widget));
    if (!inBox1 && !inBox2)
        return TChildForm::eventFilter(watched, event);
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        // The boxes take a diver only from the list of records.
        auto *drag = static_cast<QDragMoveEvent *>(event);
        if (fromList(event)) {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        } else {
            drag->ignore();
        }
        return true;
    }
    if (event->type() == QEvent::Drop && fromList(event)) {
        auto *drop = static_cast<QDropEvent *>(event);
        const QListWidgetItem *item = DiversListBox->currentItem();
        const QString name = item ? item->text() : QString();
        drop->acceptProposedAction();
        guarded([&] { run([&] { inBox1 ? m_records.GroupBox1DragDrop(name) : m_records.GroupBox2DragDrop(name); }); });
        return true;
    }
    return TChildForm::eventFilter(watched, event);
}

// ---- the input handlers ---------------------------------------------------

void TfmRuleOfThird::DepthChange()
{
    run([this] { m_plan.DepthChange(); });
}

void TfmRuleOfThird::UseRuleOfThirdRadioClick()
{
    run([this] { m_plan.DepthChange(); });
}

void TfmRuleOfThird::SRFChange()
{
    run([this] { m_plan.SRFChange([](const QString &text) { ShowMessage(text); }); });
}

void TfmRuleOfThird::AscentRateEditChange()
{
    run([this] { m_plan.AscentRateEditChange(); });
}

void TfmRuleOfThird::UseSuggestedGasCheckBoxClick()
{
    run([this] { m_plan.UseSuggestedGasCheckBoxClick(); });
}

void TfmRuleOfThird::SetO2ValueClick(int oxygenPercent)
{
    run([this, oxygenPercent] { m_plan.SetO2ValueClick(oxygenPercent); });
}

void TfmRuleOfThird::DiverNameChange()
{
    run([this] { m_plan.DepthChange(); });
}

void TfmRuleOfThird::AlarmShapeClick()
{
    run([this] { m_plan.DepthChange(); });
}

void TfmRuleOfThird::MetricClick()
{
    // The box's new state is the plan's unit system; the model converts
    // the plan, the window refills its lists for it.
    run([this] {
        m_plan.inputs.Metric = Metric->isChecked();
        m_plan.MetricClick();
    });
}
