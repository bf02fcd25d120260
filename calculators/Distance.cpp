#include "calculators/Distance.h"

#include "calculators/model/ConversionCalc.h"

#include <QLabel>
#include <QSpinBox>

TfmDistance::TfmDistance(ChildHost &host, QWidget *parent)
    : TConversionForm(host, QStringLiteral("Distance"), QStringLiteral("Feet"), QStringLiteral("Meters"),
                      {0, 3000, 300}, {0, 1000, 150}, parent)
{
    connectEvents();
}

// The sliders are not moved back here: a typed value beyond them stays.
void TfmDistance::FChange() { Label3->setText(FeetToMetresText(F->value())); }

void TfmDistance::CChange() { Label3->setText(MetresToFeetText(C->value())); }
