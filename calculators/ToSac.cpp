#include "calculators/ToSac.h"

#include "calculators/model/SacCalc.h"
#include "core/InputLists.h"
#include "core/NumText.h"
#include "widgets/Builders.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"
#include "widgets/UnitInputs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

TfmPSIToCuFtSAC::TfmPSIToCuFtSAC(ChildHost &host, QWidget *parent)
    : TChildForm(host, parent),
      Metric(ui::metricBox(this)),
      Tanksize(ui::inputList(this, QStringLiteral("Tanksize"))),
      PSI(ui::inputList(this, QStringLiteral("PSI"))),
      TankGauge(new QProgressBar(this)),
      Depth(ui::wholeSpin(this, QStringLiteral("Depth"), 0, 10000, 0)),
      GasUsed(ui::textBox(this, QStringLiteral("GasUsed"), QStringLiteral("0"))),
      GasUsedOverMin(ui::textBox(this, QStringLiteral("GasUsedOverMin"), QStringLiteral("0"))),
      TrackBar1(ui::trackBar(this, QStringLiteral("TrackBar1"), 0, 3500, 350)),
      TrackBar2(ui::trackBar(this, QStringLiteral("TrackBar2"), 0, 160, 20)),
      MyResult(ui::resultLabel(this, QStringLiteral("MyResult"))),
      Label1(ui::label(this, QStringLiteral("Label1"), QStringLiteral("Certified to: "))),
      Label2(ui::label(this, QStringLiteral("Label2"), QStringLiteral("PSI"))),
      Label3(ui::label(this, QStringLiteral("Label3"), QStringLiteral("CuFt"))),
      Label5(ui::label(this, QStringLiteral("Label5"), QStringLiteral("feet"))),
      Label6(ui::label(this, QStringLiteral("Label6"), QStringLiteral("Size"))),
      Label7(ui::label(this, QStringLiteral("Label7"), QStringLiteral("Gas used"))),
      GroupBox4(ui::group(this, QStringLiteral("GroupBox4"), QStringLiteral("Breathing test performed at "))),
      BitBot1(ui::sendButton(this, QStringLiteral("BitBot1")))
{
    setWindowTitle(QStringLiteral("Surface Air Consumption"));
    TankGauge->setObjectName(QStringLiteral("TankGauge"));
    TankGauge->setOrientation(Qt::Vertical);
    TankGauge->setTextVisible(false);
    TankGauge->setRange(0, 3500);
    TankGauge->setValue(3500);
    setHint(Depth, QStringLiteral("Breathing test performed at depth|Depth"));
    setHint(GasUsed, QStringLiteral("Gas used during the test|"));
    for (QLineEdit *edit : {GasUsed, GasUsedOverMin})
        edit->setMaximumWidth(90);

    QGroupBox *tank = ui::group(this, QStringLiteral("GroupBox1"), QStringLiteral("Tank"));
    auto *tankGrid = new QGridLayout(tank);
    tankGrid->addWidget(Label1, 0, 0);
    tankGrid->addWidget(PSI, 0, 1);
    tankGrid->addWidget(Label2, 0, 2);
    tankGrid->addWidget(Label6, 1, 0);
    tankGrid->addWidget(Tanksize, 1, 1);
    tankGrid->addWidget(Label3, 1, 2);
    tankGrid->addWidget(TankGauge, 0, 3, 2, 1);
    tankGrid->setColumnStretch(2, 1);

    auto *depthRow = new QHBoxLayout(GroupBox4);
    depthRow->addWidget(Depth);
    depthRow->addWidget(Label5);
    depthRow->addStretch();

    QGroupBox *consumed = ui::group(this, QStringLiteral("GroupBox3"), QStringLiteral("Gas consumed"));
    auto *usedGrid = new QGridLayout(consumed);
    usedGrid->addWidget(Label7, 0, 0);
    usedGrid->addWidget(GasUsed, 0, 1);
    usedGrid->addWidget(TrackBar1, 0, 2);
    usedGrid->addWidget(new QLabel(QStringLiteral("over"), consumed), 1, 0);
    usedGrid->addWidget(GasUsedOverMin, 1, 1);
    usedGrid->addWidget(TrackBar2, 1, 2);
    usedGrid->addWidget(new QLabel(QStringLiteral("minutes"), consumed), 1, 3);

    QGroupBox *result = ui::resultGroup(this, MyResult);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(ui::headerRow(Metric, BitBot1));
    layout->addWidget(tank);
    layout->addWidget(GroupBox4);
    layout->addWidget(consumed);
    layout->addWidget(result, 1);
    // Tab follows the boxes as they are read: the rating, the size, the
    // depth, then each amount with its slider.
    ui::tabOrder({Metric, PSI, Tanksize, Depth, GasUsed, TrackBar1, GasUsedOverMin, TrackBar2, BitBot1});

    adoptUnitSystem(Metric);
    connectEvents();
    MetricClick();
}

void TfmPSIToCuFtSAC::connectEvents()
{
    for (QComboBox *list : {Tanksize, PSI})
        connectGuarded(list, &QComboBox::editTextChanged, this, [this] { Calculate(); });
    connectGuarded(Depth, &QSpinBox::valueChanged, this, [this] { Calculate(); });
    for (QLineEdit *edit : {GasUsed, GasUsedOverMin})
        connectGuarded(edit, &QLineEdit::textChanged, this, [this] { Calculate(); });
    connectGuarded(TrackBar1, &QSlider::valueChanged, this,
                   [this](int position) { GasUsed->setText(IntToStr(position)); });
    connectGuarded(TrackBar2, &QSlider::valueChanged, this,
                   [this](int position) { GasUsedOverMin->setText(IntToStr(position)); });
    connectGuarded(BitBot1, &QPushButton::clicked, this, [this] { sendResult(); });
}

void TfmPSIToCuFtSAC::MetricClick()
{
    const bool metric = isMetric();
    FillTankSizeList(Tanksize, metric);
    FillPressureList(PSI, metric);
    ui::moveSlider(TrackBar1, StrToInt(PSI->currentText()));
    GasUsed->setText(PSI->currentText());
    Label5->setText(DepthUnitWord(metric));
    ConvertDepthSpin(Depth, metric);
    Calculate();
    host().showUnits(metric);
}

void TfmPSIToCuFtSAC::Calculate()
{
    const bool metric = isMetric();
    Label2->setText(PressureUnitWord(metric));
    Label3->setText(VolumeUnitWord(metric));
    Label5->setText(DepthUnitWord(metric));
    // A test that does not compute yet (no minutes, a half-typed number)
    // keeps the previous result.
    try {
        const QString result = SacResultText({Tanksize->currentText(), PSI->currentText(), Depth->value(),
                                              GasUsed->text(), GasUsedOverMin->text()},
                                             metric);
        MyResult->setText(ui::shownText(result));
    } catch (const AppError &) {
    }

    ui::moveSlider(TrackBar1, StrToInt(GasUsed->text()));
    const int rated = StrToInt(PSI->currentText());
    ui::setSliderMaximum(TrackBar1, rated);
    TrackBar1->setTickInterval(static_cast<int>(Round(rated * 0.1)));
    ui::moveSlider(TrackBar2, StrToInt(GasUsedOverMin->text()));
    TankGauge->setMaximum(rated);
    TankGauge->setValue(TrackBar1->value());
}

void TfmPSIToCuFtSAC::sendResult()
{
    ui::sendLinesToNote(host(), {
        QStringLiteral("Breathing test"),
        "Tank " + Label1->text() + " " + PSI->currentText() + " " + Label2->text(),
        Label6->text() + " " + Tanksize->currentText() + " " + Label3->text(),
        GroupBox4->title() + " " + IntToStr(Depth->value()) + " " + Label5->text(),
        Label7->text() + " " + GasUsed->text() + " " + Label2->text() + " over " + GasUsedOverMin->text()
            + " minutes",
        QString(),
        MyResult->text(),
    });
}

void TfmPSIToCuFtSAC::closeSteps()
{
    RememberPressure(isMetric(), StrToInt(PSI->currentText()));
    RememberTankSize(isMetric(), StrToInt(Tanksize->currentText()));
}
