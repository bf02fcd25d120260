#pragma once

// "Distance": feet and metres.

#include "calculators/ConversionForm.h"

class TfmDistance final : public TConversionForm
{
    Q_OBJECT
public:
    explicit TfmDistance(ChildHost &host, QWidget *parent = nullptr);

    void FChange() override;
    void CChange() override;
};
