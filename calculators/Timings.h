#pragma once

// "Bottom time calculations": the running total of a diver's bottom time.
// This dive is added to the total to date; the sum is remembered in the
// settings file and is the total to date of the next opening.

#include "widgets/ChildForm.h"

class QLineEdit;
class QSpinBox;
class TMultiShape;

class TfmtTimeCalcs final : public TChildForm
{
    Q_OBJECT
public:
    explicit TfmtTimeCalcs(ChildHost &host, QWidget *parent = nullptr);

    void TimeChange();
    void MinutesChange(QSpinBox *sender);
    void closeSteps() override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void FormCreate();

    TMultiShape *MultiShape1;
    QSpinBox *TH;
    QSpinBox *TM;
    QSpinBox *BH;
    QSpinBox *BM;
    QLineEdit *Edit4;
    QLineEdit *Edit5;
    // The sum as whole numbers, saved when the window closes.
    int m_hours = 0;
    int m_minutes = 0;
};
