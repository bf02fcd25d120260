#pragma once

// The shared unit-aware inputs on real widgets: drop-down boxes filled with
// the lists of core/InputLists.h and depth spin boxes that follow the
// window's unit switch.

#include "core/InputLists.h"

class QComboBox;
class QSpinBox;

// An editable drop-down box seen as an input list. Filling it does not emit
// its change signals: the windows recompute once, after all lists are filled.
class ComboInputList final : public InputList
{
public:
    explicit ComboInputList(QComboBox *box) : m_box(box) {}

    void setEntries(const QStringList &entries) override;
    QStringList entries() const override;
    void setText(const QString &text) override;
    QString text() const override;
    void setHint(const QString &hint) override;
    void setSelectedIndex(int index) override;

private:
    QComboBox *m_box;
};

// The fill operations on a drop-down box, plain or with a caption label.
void FillTankSizeList(QComboBox *box, bool metric);
void FillPressureList(QComboBox *box, bool metric);
void FillBreathingRateList(QComboBox *box, bool metric);
void FillPPO2List(QComboBox *box);
void FillPressureStepList(QComboBox *box, bool metric);

// Converts the depth in `spin` to the other unit (rounded) and gives it the
// depth hint of the new unit. It always converts: call it once per switch.
void ConvertDepthSpin(QSpinBox *spin, bool toMetric);
