#include "calculators/Childwin.h"

#include "calculators/model/NitroxCalc.h"
#include "core/Units.h"
#include "widgets/Builders.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"
#include "widgets/UnitInputs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const QStringList MixPercents{"21", "32", "36", "50", "80", "100"};
const QString ModHint = QStringLiteral("Maximum Operating Depth (MOD)|");
const QString PPO2Hint = QStringLiteral("Partial pressure of O2 in ATA (Atmospheres Absolute)|");
} // namespace

TFmNitrox::TFmNitrox(ChildHost &host, QWidget *parent)
    : TChildForm(host, parent), Metric(ui::metricBox(this)), PageControl1(ui::pageControl(this, QStringLiteral("PageControl1")))
{
    setWindowTitle(QStringLiteral("NITROX Calculations"));
    PageControl1->addTab(createBestMixPage(), QStringLiteral("Best Mix"));
    PageControl1->addTab(createModPage(), QStringLiteral("MOD"));
    PageControl1->addTab(createEadPage(), QStringLiteral("EAD"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Metric);
    layout->addWidget(PageControl1);

    adoptUnitSystem(Metric);
    Depth->setValue(isMetric() ? 100 : 25);
    FillPPO2List(MODPO2);
    FillPPO2List(PO2);
    connectEvents();
    MetricClick();
    ui::moveSlider(TrackBar1, Depth->value());
}

QWidget *TFmNitrox::createBestMixPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet1"));
    Depth = ui::wholeSpin(page, QStringLiteral("Depth"), 0, 32768, 0);
    TrackBar1 = ui::trackBar(page, QStringLiteral("TrackBar1"), 0, 500, 40);
    PO2 = ui::inputList(page, QStringLiteral("PO2"));
    setHint(PO2, PPO2Hint);
    NITROXMix = ui::textBox(page, QStringLiteral("NITROXMix"), {}, true);
    setHint(NITROXMix, QStringLiteral("Pressure in Atmospheres Absolute|Pressure in Atmospheres Absolute (ATA)"));
    Label1 = ui::label(page, QStringLiteral("Label1"), QStringLiteral("NITROX best mix"));
    Label2 = ui::label(page, QStringLiteral("Label2"), QStringLiteral("% oxygen"));
    Label14 = ui::label(page, QStringLiteral("Label14"), QStringLiteral("feet"));
    BitBot1 = ui::sendButton(page, QStringLiteral("BitBot1"));

    auto *grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("Depth"), page), 0, 0);
    grid->addWidget(Depth, 0, 1);
    grid->addWidget(Label14, 0, 2);
    grid->addWidget(TrackBar1, 1, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("ppO2"), page), 2, 0);
    grid->addWidget(PO2, 2, 1);
    grid->addWidget(new QLabel(QStringLiteral("ATA"), page), 2, 2);
    grid->addWidget(ui::label(page, QStringLiteral("Label9"), QStringLiteral("Absolute pressure: ")), 3, 0);
    grid->addWidget(NITROXMix, 3, 1);
    grid->addWidget(Label1, 4, 0);
    grid->addWidget(Label2, 4, 1, 1, 3);
    grid->addWidget(BitBot1, 5, 3);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(6, 1);
    return page;
}

QWidget *TFmNitrox::createModPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet2"));
    MODEAN = ui::inputList(page, QStringLiteral("MODEAN"), MixPercents, QStringLiteral("21"));
    MODPO2 = ui::inputList(page, QStringLiteral("MODPO2"));
    setHint(MODPO2, QStringLiteral("Partial pressure of O2 in ATA (Atmospheres Absolute)"));
    Edit1 = ui::textBox(page, QStringLiteral("Edit1"), {}, true);
    setHint(Edit1, ModHint);
    Label4 = ui::label(page, QStringLiteral("Label4"), QStringLiteral("feet"));
    setHint(Label4, ModHint);
    QLabel *Label8 = ui::label(page, QStringLiteral("Label8"), QStringLiteral("MOD"));
    setHint(Label8, ModHint);
    BitBot2 = ui::sendButton(page, QStringLiteral("BitBot2"));

    auto *grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("NITROX Mix"), page), 0, 0);
    grid->addWidget(MODEAN, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("% oxygen"), page), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("ppO2"), page), 1, 0);
    grid->addWidget(MODPO2, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("ATA"), page), 1, 2);
    grid->addWidget(Label8, 2, 0);
    grid->addWidget(Edit1, 2, 1);
    grid->addWidget(Label4, 2, 2);
    grid->addWidget(new QLabel(QStringLiteral("Maximum Operating Depth"), page), 3, 0, 1, 3);
    grid->addWidget(BitBot2, 4, 3);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(5, 1);
    return page;
}

QWidget *TFmNitrox::createEadPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("TabSheet3"));
    EADDepth = ui::wholeSpin(page, QStringLiteral("EADDepth"), 0, 32768, 130);
    TrackBar2 = ui::trackBar(page, QStringLiteral("TrackBar2"), 0, 500, 40);
    BottomMixO2 = ui::inputList(page, QStringLiteral("BottomMixO2"), MixPercents, QStringLiteral("32"));
    Edit2 = ui::textBox(page, QStringLiteral("Edit2"), {}, true);
    setHint(Edit2, QStringLiteral("Equivalent Air Depth"));
    Label18 = ui::label(page, QStringLiteral("Label18"), QStringLiteral("feet"));
    setHint(Label18, ModHint);
    Label20 = ui::label(page, QStringLiteral("Label20"), QStringLiteral("feet"));
    BitBot3 = ui::sendButton(page, QStringLiteral("BitBot3"));

    auto *grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("NITROX Mix"), page), 0, 0);
    grid->addWidget(BottomMixO2, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("% oxygen"), page), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("Depth"), page), 1, 0);
    grid->addWidget(EADDepth, 1, 1);
    grid->addWidget(Label18, 1, 2);
    grid->addWidget(TrackBar2, 2, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("EAD"), page), 3, 0);
    grid->addWidget(Edit2, 3, 1);
    grid->addWidget(Label20, 3, 2);
    grid->addWidget(new QLabel(QStringLiteral("Equivalent Air Depth"), page), 4, 0, 1, 3);
    grid->addWidget(BitBot3, 5, 3);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(6, 1);
    // The mix stands above the depth, so it comes first when tabbing.
    ui::tabOrder({BottomMixO2, EADDepth, TrackBar2, Edit2, BitBot3});
    return page;
}

void TFmNitrox::connectEvents()
{
    connectGuarded(Depth, &QSpinBox::valueChanged, this, [this] { CalcBestMix(); });
    connectGuarded(PO2, &QComboBox::editTextChanged, this, [this] { CalcBestMix(); });
    connectGuarded(MODEAN, &QComboBox::editTextChanged, this, [this] { CalcMOD(); });
    connectGuarded(MODPO2, &QComboBox::editTextChanged, this, [this] { CalcMOD(); });
    for (QWidget *w : {static_cast<QWidget *>(MODEAN), static_cast<QWidget *>(MODPO2),
                       static_cast<QWidget *>(Edit1)})
        ui::onLeave(w, [this] { CalcMOD(); });
    ui::onEnter(Edit1, [this] { CalcMOD(); });
    connectGuarded(EADDepth, &QSpinBox::valueChanged, this, [this] { EADCalc(); });
    connectGuarded(BottomMixO2, &QComboBox::editTextChanged, this, [this] { EADCalc(); });
    ui::onLeave(BottomMixO2, [this] { EADCalc(); });
    connectGuarded(PageControl1, &QTabWidget::currentChanged, this, [this] { EADCalc(); });
    connectGuarded(TrackBar1, &QSlider::valueChanged, this, [this](int position) { Depth->setValue(position); });
    connectGuarded(TrackBar2, &QSlider::valueChanged, this, [this](int position) { EADDepth->setValue(position); });
    connectGuarded(BitBot1, &QPushButton::clicked, this, [this] { sendBestMix(); });
    connectGuarded(BitBot2, &QPushButton::clicked, this, [this] { sendMod(); });
    connectGuarded(BitBot3, &QPushButton::clicked, this, [this] { sendEad(); });
}

void TFmNitrox::MetricClick()
{
    const bool metric = isMetric();
    for (QLabel *unit : {Label14, Label4, Label18, Label20})
        unit->setText(DepthUnitWord(metric));
    ConvertDepthSpin(Depth, metric);
    ConvertDepthSpin(EADDepth, metric);
    CalcBestMix();
    CalcMOD();
    EADCalc();
    host().showUnits(metric);
}

void TFmNitrox::CalcBestMix()
{
    const BestMixResult result = BestMix(Depth->value(), PO2->currentText(), isMetric());
    NITROXMix->setText(result.absolutePressure);
    Label2->setText(result.oxygen);
    ui::moveSlider(TrackBar1, Depth->value());
}

void TFmNitrox::CalcMOD()
{
    Label4->setText(DepthUnitWord(isMetric()));
    Edit1->setText(MaximumOperatingDepth(MODPO2->currentText(), MODEAN->currentText(), isMetric()));
}

void TFmNitrox::EADCalc()
{
    ui::moveSlider(TrackBar2, EADDepth->value());
    Edit2->setText(EquivalentAirDepth(EADDepth->value(), BottomMixO2->currentText(), isMetric()));
}

void TFmNitrox::sendBestMix()
{
    ui::sendLinesToNote(host(), {BestMixNoteLine(PO2->currentText(), Depth->value(), Label14->text(),
                                           Label1->text(), Label2->text())});
}

void TFmNitrox::sendMod()
{
    ui::sendLinesToNote(host(),
        {ModNoteLine(MODEAN->currentText(), MODPO2->currentText(), Edit1->text(), Label4->text())});
}

void TFmNitrox::sendEad()
{
    ui::sendLinesToNote(host(),
        {EadNoteLine(BottomMixO2->currentText(), EADDepth->value(), Label18->text(), Edit2->text())});
}
