#include "calculators/Fathoms.h"

#include "calculators/model/ConversionCalc.h"
#include "core/InputLists.h"
#include "widgets/Builders.h"
#include "widgets/UnitInputs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>

TfmFathoms::TfmFathoms(ChildHost &host, QWidget *parent)
    : TConversionForm(host, QStringLiteral("Fahtoms, depth at sea"), QStringLiteral("Fahtoms"), QStringLiteral("Feet"),
                      {0, 500, 50}, {0, 500, 50}, parent),
      Metric(ui::metricBox(this, QStringLiteral("Toggle between feet and meters")))
{
    extraArea()->addWidget(Metric, 0, 0);
    ui::tabOrder({TrackBar2, Metric, BitBot1});
    connectEvents();
    adoptUnitSystem(Metric, false);
    MetricClick();
}

void TfmFathoms::FChange()
{
    Label3->setText(FathomsToDepthText(F->value(), isMetric()));
    ui::moveSlider(TrackBar1, F->value());
    m_lastConverted = u'F';
}

void TfmFathoms::CChange()
{
    Label3->setText(DepthToFathomsText(C->value(), isMetric()));
    ui::moveSlider(TrackBar2, C->value());
    m_lastConverted = u'C';
}

void TfmFathoms::MetricClick()
{
    Label2->setText(DepthUnitWord(isMetric()));
    ConvertDepthSpin(C, isMetric());
    if (m_lastConverted == u'F')
        FChange();
    else if (m_lastConverted == u'C')
        CChange();
}
