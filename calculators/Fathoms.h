#pragma once

// "Fahtoms, depth at sea": fathoms and depth in metres or feet.

#include "calculators/ConversionForm.h"

class TfmFathoms final : public TConversionForm
{
    Q_OBJECT
public:
    explicit TfmFathoms(ChildHost &host, QWidget *parent = nullptr);

    void FChange() override;
    void CChange() override;
    void MetricClick();

protected:
    void unitSwitch() override { MetricClick(); }

private:
    QCheckBox *Metric;
    // The side converted last: 'F', 'C' or none.
    QChar m_lastConverted;
};
