#pragma once

// "Nautical miles": international nautical miles and the unit chosen in
// the window's "Conversion" group.

#include "calculators/ConversionForm.h"

class QButtonGroup;
class QGroupBox;

class TfmNauticalMiles final : public TConversionForm
{
    Q_OBJECT
public:
    explicit TfmNauticalMiles(ChildHost &host, QWidget *parent = nullptr);

    void FChange() override;
    void CChange() override;
    void RadioGroup1Click();

private:
    int chosenUnit() const;

    QGroupBox *RadioGroup1;
    QButtonGroup *m_units;
    // The side converted last: 'F', 'C' or none.
    QChar m_lastConverted;
};
