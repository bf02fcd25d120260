#include "blending/ParticialPressureMix.h"

#include "blending/Popup.h"
#include "core/NumText.h"
#include "widgets/Builders.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"
#include "widgets/UnitInputs.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString SumHint = QStringLiteral(
    "Sum of O2+He+N2 fractions|Calculation can only be done when sum reaches 100% in both Desired Mix and Current content");
const QString InvalidHint = QStringLiteral("The current mix sum up to be greater than 100%");
const QString AutoBalanceHint = QStringLiteral("Automatic calculate Nitrogen fraction");
const QString PurgeGasHint = QStringLiteral(
    "Be carefull to fill out purge gas data|Example: Empty tank, take valve off. Put it on again and you have 21% O2 "
    "and 79% N2. Tank pressure 0");

QProgressBar *sumGauge(QWidget *parent, const QString &name)
{
    auto *gauge = new QProgressBar(parent);
    gauge->setObjectName(name);
    gauge->setRange(0, 100);
    gauge->setValue(0);
    setHint(gauge, SumHint);
    return gauge;
}

QLabel *invalidMixLabel(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(QStringLiteral("Invalid mix"), parent);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("color: red; font-weight: bold;"));
    label->setAlignment(Qt::AlignCenter);
    label->hide();
    setHint(label, InvalidHint);
    return label;
}

QLabel *traceLabel(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

// The marker shows either the gauge or the red "Invalid mix" in its place.
QWidget *sumMarker(QWidget *parent, QProgressBar *gauge, QLabel *invalid)
{
    auto *marker = new QWidget(parent);
    auto *layout = new QHBoxLayout(marker);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(gauge);
    layout->addWidget(invalid);
    return marker;
}

void setEnabledBoxes(std::initializer_list<QWidget *> boxes, bool enabled)
{
    for (QWidget *box : boxes)
        box->setEnabled(enabled);
}

} // namespace

TfmParticialPressureMix::TfmParticialPressureMix(ChildHost &host, QWidget *parent)
    : TChildForm(host, parent),
      PageControl1(new QTabWidget(this)),
      PSIG(ui::inputList(this, QStringLiteral("PSIG"))),
      xFo2(ui::inputList(this, QStringLiteral("xFo2"), {}, QStringLiteral("36"))),
      xFHe(ui::inputList(this, QStringLiteral("xFHe"), {}, QStringLiteral("0"))),
      xFN2(ui::inputList(this, QStringLiteral("xFN2"), {}, QStringLiteral("0"))),
      AutoCalc(ui::checkBox(this, QStringLiteral("AutoCalc"), QStringLiteral("Auto balance Nitrogen"), true)),
      Gauge2(sumGauge(this, QStringLiteral("Gauge2"))),
      Gauge2Label(invalidMixLabel(this, QStringLiteral("Gauge2Label"))),
      PSI(ui::inputList(this, QStringLiteral("PSI"))),
      CurrentxFO2(ui::inputList(this, QStringLiteral("CurrentxFO2"), {}, QStringLiteral("21"))),
      CurrentxFHe(ui::inputList(this, QStringLiteral("CurrentxFHe"), {}, QStringLiteral("0"))),
      CurrentxFN2(ui::inputList(this, QStringLiteral("CurrentxFN2"), {}, QStringLiteral("79"))),
      EmptytankCheck(ui::checkBox(this, QStringLiteral("EmptytankCheck"), QStringLiteral("Empty tank"))),
      EmptyAutoCalcClick(ui::checkBox(this, QStringLiteral("EmptyAutoCalcClick"), QStringLiteral("Auto balance Nitrogen"), true)),
      Gauge1(sumGauge(this, QStringLiteral("Gauge1"))),
      Gauge1Label(invalidMixLabel(this, QStringLiteral("Gauge1Label"))),
      FillGasRadio(new QGroupBox(QStringLiteral("Fill gas for Air Top"), this)),
      AirRadio(new QRadioButton(QStringLiteral("Air "), FillGasRadio)),
      EanxRadio(new QRadioButton(QStringLiteral("EANx mix "), FillGasRadio)),
      FillGasFractionO2(ui::inputList(this, QStringLiteral("FillGasFractionO2"),
                                            {"21", "32", "36", "40", "80"}, QStringLiteral("21"))),
      TargetAir(ui::resultBox(this, QStringLiteral("TargetAir"))),
      TargetAirLabel(new QLabel(QStringLiteral("Fill Air:"), this)),
      TargetO2(ui::resultBox(this, QStringLiteral("TargetO2"))),
      TargetHe(ui::resultBox(this, QStringLiteral("TargetHe"))),
      DrainAir(ui::resultBox(this, QStringLiteral("DrainAir"))),
      Metric(ui::checkBox(this, QStringLiteral("Metric"), QStringLiteral("Metric"))),
      CheckBox1(ui::checkBox(this, QStringLiteral("CheckBox1"), QStringLiteral("No Jump"))),
      CheckBox2(ui::checkBox(this, QStringLiteral("CheckBox2"), QStringLiteral("Short calc"))),
      SpeedButton1(ui::button(this, QStringLiteral("SpeedButton1"), QStringLiteral("!"), QStringLiteral("Recalc"))),
      SpeedButton2(ui::button(this, QStringLiteral("SpeedButton2"), QStringLiteral("Adjust"),
                          QStringLiteral("Run adjustment formular"))),
      StatusBar1(new QStatusBar(this)),
      Label1(traceLabel(this, QStringLiteral("Label1"))),
      Label2(traceLabel(this, QStringLiteral("Label2")))
{
    setWindowTitle(QStringLiteral("Gas blending worksheet"));
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    FillGasRadio->setObjectName(QStringLiteral("FillGasRadio"));
    AirRadio->setObjectName(QStringLiteral("AirRadio"));
    EanxRadio->setObjectName(QStringLiteral("EanxRadio"));
    AirRadio->setChecked(true);
    TargetAirLabel->setObjectName(QStringLiteral("TargetAirLabel"));
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    SpeedButton1->setMaximumWidth(32);

    setHint(EmptytankCheck, QStringLiteral(
        "No pressure or gas present in tank|Fx. a tank which value have been off will have 21% O2 and 79% N2 and "
        "tankpressure 0 (1 ATA or 14.7 psi) - Also called ideal fill"));
    setHint(CheckBox1, QStringLiteral("Debug: Do NOT jump ot adjust"));
    setHint(CheckBox2, QStringLiteral("Debug: Calc only with shorten numbers"));
    setHint(AutoCalc, AutoBalanceHint);
    setHint(EmptyAutoCalcClick, AutoBalanceHint);
    setHint(FillGasFractionO2, QStringLiteral("Oxygen fraction for EANx gas"));
    setHint(Metric, QStringLiteral("Metric or Imperial standard"));

    auto *banner = new QLabel(QStringLiteral("NOTE: Not fully implemented"), this);
    QFont bold = banner->font();
    bold.setBold(true);
    banner->setFont(bold);

    PageControl1->addTab(buildMixPage(), QStringLiteral("Desired mix"));
    QLayout *lower = buildFillAndResults();

    auto *options = new QHBoxLayout;
    options->addWidget(Metric);
    options->addWidget(CheckBox1);
    options->addWidget(CheckBox2);
    options->addStretch();
    options->addWidget(SpeedButton1);
    options->addWidget(SpeedButton2);

    // The formulas' traces are diagnostics: a strip three pixels high.
    auto *tracePanel = new QWidget(this);
    tracePanel->setObjectName(QStringLiteral("TracePanel"));
    tracePanel->setFixedHeight(3);
    auto *traceLayout = new QVBoxLayout(tracePanel);
    traceLayout->setContentsMargins(0, 0, 0, 0);
    traceLayout->addWidget(Label1);
    traceLayout->addWidget(Label2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(banner);
    layout->addLayout(options);
    layout->addWidget(PageControl1);
    layout->addLayout(lower);
    layout->addWidget(tracePanel);
    layout->addWidget(StatusBar1);

    connectEvents();

    adoptUnitSystem(Metric);
    guarded([this] {
        MetricClick();
        AutoCalcClick();
        EmptyAutoCalcClickClick();
        EmptytankCheckClick();
        TotalGasChange();
        FillGasRadioClick();
    });
}

// The desired mix and the tank's current content, side by side.
QWidget *TfmParticialPressureMix::buildMixPage()
{
    auto *page = new QWidget(PageControl1);
    auto *desired = new QGroupBox(QStringLiteral("Desired"), page);
    desired->setObjectName(QStringLiteral("Desired"));
    auto *desiredForm = new QFormLayout(desired);
    desiredForm->addRow(QStringLiteral("Tank pressure:"), PSIG);
    desiredForm->addRow(QStringLiteral("Fraction of Oxygen:"), xFo2);
    desiredForm->addRow(QStringLiteral("Fraction of Helium:"), xFHe);
    desiredForm->addRow(QStringLiteral("Fraction of Nitrogen:"), xFN2);
    desiredForm->addRow(QString(), AutoCalc);
    desiredForm->addRow(QString(), sumMarker(desired, Gauge2, Gauge2Label));

    auto *current = new QGroupBox(QStringLiteral("Describe tank to be filled"), page);
    current->setObjectName(QStringLiteral("DescribeTank"));
    auto *currentLayout = new QVBoxLayout(current);
    m_currentBevel = new QFrame(current);
    m_currentBevel->setObjectName(QStringLiteral("Bevel1"));
    m_currentBevel->setFrameShape(QFrame::StyledPanel);
    auto *currentForm = new QFormLayout(m_currentBevel);
    currentForm->addRow(QStringLiteral("Current Tank Pressure:"), PSI);
    currentForm->addRow(QStringLiteral("Current Fraction of Oxygen:"), CurrentxFO2);
    currentForm->addRow(QStringLiteral("Current Fraction of Helium:"), CurrentxFHe);
    currentForm->addRow(QStringLiteral("Current Fraction of Nitrogen:"), CurrentxFN2);
    currentLayout->addWidget(m_currentBevel);
    auto *currentChecks = new QHBoxLayout;
    currentChecks->addWidget(EmptytankCheck);
    currentChecks->addWidget(EmptyAutoCalcClick);
    currentLayout->addLayout(currentChecks);
    currentLayout->addWidget(sumMarker(current, Gauge1, Gauge1Label));

    for (QGroupBox *group : {desired, current}) {
        group->setContextMenuPolicy(Qt::CustomContextMenu);
        connectGuarded(group, &QWidget::customContextMenuRequested, this,
                       [this, group](const QPoint &at) { mixMenu()->popup(group->mapToGlobal(at)); });
    }
    auto *pageLayout = new QHBoxLayout(page);
    pageLayout->addWidget(desired);
    pageLayout->addWidget(current);
    return page;
}

// The top-off gas and the results.
QLayout *TfmParticialPressureMix::buildFillAndResults()
{
    auto *radioLayout = new QGridLayout(FillGasRadio);
    radioLayout->addWidget(AirRadio, 0, 0);
    radioLayout->addWidget(EanxRadio, 1, 0);
    radioLayout->addWidget(new QLabel(QStringLiteral("Oxygen fraction"), FillGasRadio), 0, 1);
    radioLayout->addWidget(FillGasFractionO2, 1, 1);
    auto *radios = new QButtonGroup(this);
    radios->addButton(AirRadio);
    radios->addButton(EanxRadio);

    auto *results = new QGroupBox(QStringLiteral("Result"), this);
    auto *resultGrid = new QGridLayout(results);
    resultGrid->addWidget(TargetAirLabel, 0, 0);
    resultGrid->addWidget(TargetAir, 0, 1);
    resultGrid->addWidget(new QLabel(QStringLiteral("Fill Oxygen:"), results), 1, 0);
    resultGrid->addWidget(TargetO2, 1, 1);
    resultGrid->addWidget(new QLabel(QStringLiteral("Fill Helium:"), results), 0, 2);
    resultGrid->addWidget(TargetHe, 0, 3);
    resultGrid->addWidget(new QLabel(QStringLiteral("Drain gas before mixing:"), results), 1, 2);
    resultGrid->addWidget(DrainAir, 1, 3);

    auto *lower = new QHBoxLayout;
    lower->addWidget(FillGasRadio);
    lower->addWidget(results, 1);
    return lower;
}

void TfmParticialPressureMix::connectEvents()
{
    m_worksheetMenu = new QMenu(QStringLiteral("&Blending"), this);
    QAction *recalc = m_worksheetMenu->addAction(QStringLiteral("&Recalculate"));
    recalc->setObjectName(QStringLiteral("Recalculate1"));
    connectGuarded(recalc, &QAction::triggered, this, [this] { TotalGasChange(); });

    for (QComboBox *box : {PSIG, xFo2, xFHe, xFN2, PSI, CurrentxFO2, CurrentxFHe, CurrentxFN2})
        ui::onUserChange(box, this, [this] { TotalGasChange(); });
    connectGuarded(SpeedButton1, &QPushButton::clicked, this, [this] { TotalGasChange(); });
    connectGuarded(CheckBox1, &QCheckBox::clicked, this, [this] { TotalGasChange(); });
    connectGuarded(CheckBox2, &QCheckBox::clicked, this, [this] { TotalGasChange(); });
    connectGuarded(SpeedButton2, &QPushButton::clicked, this, [this] { CalcDrain(); });
    connectGuarded(AutoCalc, &QCheckBox::clicked, this, [this] { AutoCalcClick(); });
    connectGuarded(EmptyAutoCalcClick, &QCheckBox::clicked, this, [this] { EmptyAutoCalcClickClick(); });
    connectGuarded(EmptytankCheck, &QCheckBox::clicked, this, [this] { EmptytankCheckClick(); });
    connectGuarded(AirRadio, &QRadioButton::clicked, this, [this] { FillGasRadioClick(); });
    connectGuarded(EanxRadio, &QRadioButton::clicked, this, [this] { FillGasRadioClick(); });
    ui::onUserChange(FillGasFractionO2, this, [this] { FillGasFractionO2Change(); });
}

QList<MergedMenu> TfmParticialPressureMix::mergedMenus() const { return {{MenuGroup::Blending, m_worksheetMenu}}; }

QMenu *TfmParticialPressureMix::mixMenu()
{
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *load = menu->addAction(QStringLiteral("&Load Mix"));
    load->setObjectName(QStringLiteral("LoadMix1"));
    connectGuarded(load, &QAction::triggered, this, [this] { LoadMix(); });
    // Mixes are saved in the mix editor itself.
    menu->addAction(QStringLiteral("&Save Mix"))->setEnabled(false);
    return menu;
}

void TfmParticialPressureMix::LoadMix()
{
    host().openWindow(ChildKind::MixEditor);
}

void TfmParticialPressureMix::apply(const BlendRequest &request)
{
    if (Metric->isChecked() != request.metric) {
        Metric->setChecked(request.metric);
        MetricClick();
    }
    // The nitrogen is taken as sent, not balanced from the other two.
    AutoCalc->setChecked(false);
    AutoCalcClick();
    PSIG->setEditText(request.pressure);
    xFo2->setEditText(request.oxygen);
    xFHe->setEditText(request.helium);
    xFN2->setEditText(request.nitrogen);
    AutoCalc->setChecked(true);
    AutoCalcClick();
    QString caption = windowTitle() + QStringLiteral(", ") + request.gasName;
    if (!request.diverName.isEmpty())
        caption += QStringLiteral(", ") + request.diverName;
    setWindowTitle(caption);
}

void TfmParticialPressureMix::MetricClick()
{
    FillBoxes();
    host().showUnits(isMetric());
}

void TfmParticialPressureMix::FillBoxes()
{
    const bool metric = isMetric();
    FillPressureList(PSIG, metric);
    const QStringList percentages = PercentageList();
    for (QComboBox *box : {xFo2, xFHe, xFN2})
        ui::setListEntries(box, percentages);
    FillPressureStepList(PSI, metric);
    for (QComboBox *box : {CurrentxFO2, CurrentxFHe, CurrentxFN2})
        ui::setListEntries(box, percentages);
    const QString pressureHint = hintOf(PSIG);
    for (QWidget *box : std::initializer_list<QWidget *>{TargetAir, TargetO2, TargetHe, DrainAir, PSI})
        setHint(box, pressureHint);
    AutoCalcClick();
}

void TfmParticialPressureMix::AutoCalcClick()
{
    xFN2->setEnabled(!AutoCalc->isChecked());
    TotalGasChange();
}

void TfmParticialPressureMix::EmptyAutoCalcClickClick()
{
    CurrentxFN2->setEnabled(!EmptyAutoCalcClick->isChecked() && !EmptytankCheck->isChecked());
    TotalGasChange();
}

void TfmParticialPressureMix::EmptytankCheckClick()
{
    const bool empty = EmptytankCheck->isChecked();
    setEnabledBoxes({PSI, CurrentxFO2, CurrentxFHe, CurrentxFN2, EmptyAutoCalcClick}, !empty);
    EmptyAutoCalcClickClick();
    if (empty) {
        Gauge1->setValue(0);
        for (QComboBox *box : {PSI, CurrentxFO2, CurrentxFHe, CurrentxFN2})
            ui::setListText(box, QStringLiteral("0"));
    } else {
        FillPressureStepList(PSI, isMetric());
        ui::setListText(CurrentxFO2, QStringLiteral("21"));
        ui::setListText(CurrentxFN2, QStringLiteral("79"));
    }
    TotalGasChange();
}

BlendSheet TfmParticialPressureMix::readSheet() const
{
    BlendSheet s;
    s.psig = PSIG->currentText();
    s.xFo2 = xFo2->currentText();
    s.xFHe = xFHe->currentText();
    s.xFN2 = xFN2->currentText();
    s.psi = PSI->currentText();
    s.currentxFO2 = CurrentxFO2->currentText();
    s.currentxFHe = CurrentxFHe->currentText();
    s.currentxFN2 = CurrentxFN2->currentText();
    s.fillGasFractionO2 = FillGasFractionO2->currentText();
    s.metric = isMetric();
    s.autoCalc = AutoCalc->isChecked();
    s.emptyAutoCalc = EmptyAutoCalcClick->isChecked();
    s.emptyTank = EmptytankCheck->isChecked();
    s.noJump = CheckBox1->isChecked();
    s.shortCalc = CheckBox2->isChecked();
    s.targetAir = TargetAir->text();
    s.targetO2 = TargetO2->text();
    s.targetHe = TargetHe->text();
    s.drainAir = DrainAir->text();
    s.drainEnabled = DrainAir->isEnabled();
    s.status = StatusBar1->currentMessage();
    s.mixTrace = Label1->text();
    s.adjustTrace = Label2->text();
    s.currentSumGauge = Gauge1->value();
    s.desiredSumGauge = Gauge2->value();
    s.currentInvalid = Gauge1Label->isVisibleTo(this);
    s.desiredInvalid = Gauge2Label->isVisibleTo(this);
    s.purgeGasHint = !hintOf(m_currentBevel).isEmpty();
    return s;
}

void TfmParticialPressureMix::showSheet(const BlendSheet &s)
{
    ui::setListText(xFN2, s.xFN2);
    ui::setListText(PSI, s.psi);
    ui::setListText(CurrentxFO2, s.currentxFO2);
    ui::setListText(CurrentxFHe, s.currentxFHe);
    ui::setListText(CurrentxFN2, s.currentxFN2);
    TargetAir->setText(s.targetAir);
    TargetO2->setText(s.targetO2);
    TargetHe->setText(s.targetHe);
    DrainAir->setText(s.drainAir);
    DrainAir->setEnabled(s.drainEnabled);
    StatusBar1->showMessage(s.status);
    Label1->setText(s.mixTrace);
    Label2->setText(s.adjustTrace);
    Gauge1->setValue(s.currentSumGauge);
    Gauge2->setValue(s.desiredSumGauge);
    Gauge1Label->setVisible(s.currentInvalid);
    Gauge1->setVisible(!s.currentInvalid);
    Gauge2Label->setVisible(s.desiredInvalid);
    Gauge2->setVisible(!s.desiredInvalid);
    setHint(m_currentBevel, s.purgeGasHint ? PurgeGasHint : QString());
}

void TfmParticialPressureMix::compute(void (BlendWorksheet::*step)())
{
    BlendSheet sheet = readSheet();
    BlendWorksheet worksheet(
        sheet, [](const QString &problem, const QString &solution) { return TfmPopup::ask(problem, solution); },
        [] { QApplication::beep(); });
    try {
        (worksheet.*step)();
    } catch (...) {
        showSheet(sheet);
        throw;
    }
    showSheet(sheet);
}

void TfmParticialPressureMix::TotalGasChange() { compute(&BlendWorksheet::TotalGasChange); }

void TfmParticialPressureMix::MainFormular() { compute(&BlendWorksheet::MainFormular); }

void TfmParticialPressureMix::CalcDrain() { compute(&BlendWorksheet::CalcDrain); }

void TfmParticialPressureMix::FillGasRadioClick()
{
    const bool eanx = EanxRadio->isChecked();
    if (!eanx)
        ui::setListText(FillGasFractionO2, QStringLiteral("21"));
    FillGasFractionO2->setEnabled(eanx);
    DrainAir->setEnabled(true);
    TargetAir->setEnabled(true);
    FillGasFractionO2Change();
}

void TfmParticialPressureMix::FillGasFractionO2Change()
{
    const int percent = StrToInt(FillGasFractionO2->currentText());
    if (percent < 0 || percent > 100) {
        QApplication::beep();
        ui::setListText(FillGasFractionO2, QStringLiteral("0"));
    }
    QString caption = EanxRadio->isChecked() ? QStringLiteral("Fill EAN") + FillGasFractionO2->currentText()
                                             : QStringLiteral("Fill Air");
    if (!caption.endsWith(u':'))
        caption += u':';
    TargetAirLabel->setText(caption);
}
