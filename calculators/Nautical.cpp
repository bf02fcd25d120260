#include "calculators/Nautical.h"

#include "calculators/model/ConversionCalc.h"
#include "widgets/Builders.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

TfmNauticalMiles::TfmNauticalMiles(ChildHost &host, QWidget *parent)
    : TConversionForm(host, QStringLiteral("Nautical miles"), QStringLiteral("Nautical Mile"), QStringLiteral("Feet"),
                      {0, 5000, 500}, {0, 5000, 500}, parent),
      RadioGroup1(ui::group(this, QStringLiteral("RadioGroup1"), QStringLiteral("Conversion"))),
      m_units(new QButtonGroup(this))
{
    setHint(RadioGroup1, QStringLiteral("|Will toggle between nautical miles to selected item"));
    auto *column = new QVBoxLayout(RadioGroup1);
    const QStringList items = NauticalUnitItems();
    for (int i = 0; i < items.size(); ++i) {
        auto *item = new QRadioButton(items[i], RadioGroup1);
        m_units->addButton(item, i);
        column->addWidget(item);
    }
    m_units->button(0)->setChecked(true);
    extraArea()->addWidget(RadioGroup1, 0, 0);
    // The unit choice stands between the sliders and the send button.
    QWidget *previous = TrackBar2;
    for (QAbstractButton *item : m_units->buttons()) {
        setTabOrder(previous, item);
        previous = item;
    }
    setTabOrder(previous, BitBot1);
    connectEvents();
    connectGuarded(m_units, &QButtonGroup::idClicked, this, [this] { RadioGroup1Click(); });
}

int TfmNauticalMiles::chosenUnit() const { return m_units->checkedId(); }

void TfmNauticalMiles::CChange()
{
    const auto unit = static_cast<NauticalUnit>(chosenUnit());
    setHint(Label2, QString());
    const QString text = ToNauticalMilesText(C->value(), unit);
    if (unit == NauticalUnit::BritishNauticalMiles)
        setHint(Label2, QStringLiteral("British Nautical Miles"));
    Label3->setText(text);
    Label2->setText(NauticalUnitWord(unit, true));
    ui::moveSlider(TrackBar2, C->value());
    m_lastConverted = u'C';
}

void TfmNauticalMiles::FChange()
{
    const auto unit = static_cast<NauticalUnit>(chosenUnit());
    setHint(Label2, QString());
    const QString text = FromNauticalMilesText(F->value(), unit);
    if (unit == NauticalUnit::BritishNauticalMiles)
        setHint(Label2, QStringLiteral("British Nautical Miles"));
    Label3->setText(text);
    Label2->setText(NauticalUnitWord(unit, false));
    ui::moveSlider(TrackBar1, F->value());
    m_lastConverted = u'F';
}

void TfmNauticalMiles::RadioGroup1Click()
{
    if (m_lastConverted == u'C')
        CChange();
    else
        FChange();
}
