#include "calculators/TankContent.h"

#include "calculators/model/TankCalc.h"
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
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

TfmTankContent::TfmTankContent(ChildHost &host, QWidget *parent)
    : TChildForm(host, parent),
      Metric(ui::metricBox(this, QStringLiteral("Metric or Imperial standard"))),
      PSI1(ui::inputList(this, QStringLiteral("PSI1"))),
      Tanksize1(ui::inputList(this, QStringLiteral("Tanksize1"))),
      CurrentPressure(ui::textBox(this, QStringLiteral("CurrentPressure"))),
      TrackBar1(ui::trackBar(this, QStringLiteral("TrackBar1"), 0, 3500, 400)),
      Label1(ui::label(this, QStringLiteral("Label1"), QStringLiteral("Certified to: "))),
      Label2(ui::label(this, QStringLiteral("Label2"), QStringLiteral("PSI"))),
      Label3(ui::label(this, QStringLiteral("Label3"), QStringLiteral("CuFt"))),
      Label6(ui::label(this, QStringLiteral("Label6"), QStringLiteral("Size:"))),
      Label7(ui::label(this, QStringLiteral("Label7"), QStringLiteral("PSI"))),
      Label8(ui::label(this, QStringLiteral("Label8"), QStringLiteral("Current pressure: "))),
      Label9(ui::resultLabel(this, QStringLiteral("Label9"))),
      BitBot1(ui::sendButton(this, QStringLiteral("BitBot1")))
{
    setWindowTitle(QStringLiteral("Tank content"));
    setHint(Label8, QStringLiteral("|Current pressure: "));
    CurrentPressure->setMaximumWidth(90);

    QGroupBox *tank = ui::group(this, QStringLiteral("GroupBox1"), QStringLiteral("Tank"));
    auto *grid = new QGridLayout(tank);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(PSI1, 0, 1);
    grid->addWidget(Label7, 0, 2);
    grid->addWidget(Label6, 1, 0);
    grid->addWidget(Tanksize1, 1, 1);
    grid->addWidget(Label3, 1, 2);
    grid->addWidget(Label8, 2, 0);
    grid->addWidget(CurrentPressure, 2, 1);
    grid->addWidget(Label2, 2, 2);
    grid->addWidget(TrackBar1, 3, 0, 1, 4);
    grid->setColumnStretch(3, 1);

    QGroupBox *result = ui::resultGroup(this, Label9);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(ui::headerRow(Metric, BitBot1));
    layout->addWidget(tank);
    layout->addWidget(result, 1);

    connectGuarded(PSI1, &QComboBox::editTextChanged, this, [this] { PSI1Change(); });
    connectGuarded(Tanksize1, &QComboBox::editTextChanged, this, [this] { DataChange(); });
    connectGuarded(CurrentPressure, &QLineEdit::textChanged, this, [this] { DataChange(); });
    connectGuarded(TrackBar1, &QSlider::valueChanged, this,
                   [this](int position) { CurrentPressure->setText(IntToStr(position)); });
    connectGuarded(BitBot1, &QPushButton::clicked, this, [this] { sendResult(); });

    adoptUnitSystem(Metric);
    MetricClick();
}

void TfmTankContent::MetricClick()
{
    const bool metric = isMetric();
    FillTankSizeList(Tanksize1, metric);
    FillPressureList(PSI1, metric);
    ui::moveSlider(TrackBar1, StrToInt(PSI1->currentText()));
    PSI1Change();
    host().showUnits(metric);
}

void TfmTankContent::PSI1Change()
{
    // A full tank: setting the text runs DataChange through its change event.
    CurrentPressure->setText(PSI1->currentText());
    DataChange();
}

void TfmTankContent::DataChange()
{
    const bool metric = isMetric();
    Label3->setText(VolumeUnitWord(metric));
    Label2->setText(PressureUnitWord(metric));
    Label7->setText(PressureUnitWord(metric));
    Label9->setText(TankContentText(Tanksize1->currentText(), PSI1->currentText(),
                                    CurrentPressure->text(), metric));
    ui::moveSlider(TrackBar1, StrToInt(CurrentPressure->text()));
    const int rated = StrToInt(PSI1->currentText());
    ui::setSliderMaximum(TrackBar1, rated);
    TrackBar1->setTickInterval(static_cast<int>(Round(rated * 0.1)));
}

void TfmTankContent::sendResult()
{
    QStringList lines{Label1->text() + " " + PSI1->currentText() + " " + Label7->text(),
                      Label6->text() + " " + Tanksize1->currentText() + " " + Label3->text()};
    if (isMetric())
        lines << "Fill capacity : " + FillCapacityText(Tanksize1->currentText(), PSI1->currentText());
    lines << Label8->text() + " " + CurrentPressure->text() << QString() << Label9->text();
    ui::sendLinesToNote(host(), lines);
}

void TfmTankContent::closeSteps()
{
    RememberPressure(isMetric(), StrToInt(PSI1->currentText()));
    RememberTankSize(isMetric(), StrToInt(Tanksize1->currentText()));
}
