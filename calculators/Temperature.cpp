#include "calculators/Temperature.h"

#include "calculators/model/ConversionCalc.h"
#include "widgets/Builders.h"

#include <QLabel>
#include <QSlider>
#include <QSpinBox>

TfmTemperature::TfmTemperature(ChildHost &host, QWidget *parent)
    : TConversionForm(host, QStringLiteral("Temperature"), QStringLiteral("Fahrenheit"), QStringLiteral("Centigrade"),
                      {-75, 150, 30}, {-100, 100, 20}, parent)
{
    ui::moveSlider(TrackBar1, 32);
    F->setValue(32);
    connectEvents();
    setFocusProxy(F);
}

void TfmTemperature::FChange()
{
    Label3->setText(FahrenheitToCelsiusText(F->value()));
    ui::moveSlider(TrackBar1, F->value());
}

void TfmTemperature::CChange()
{
    Label3->setText(CelsiusToFahrenheitText(C->value()));
    ui::moveSlider(TrackBar2, C->value());
}
