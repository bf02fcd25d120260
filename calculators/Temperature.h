#pragma once

// "Temperature": degrees Fahrenheit and Celsius.

#include "calculators/ConversionForm.h"

class TfmTemperature final : public TConversionForm
{
    Q_OBJECT
public:
    explicit TfmTemperature(ChildHost &host, QWidget *parent = nullptr);

    void FChange() override;
    void CChange() override;
};
