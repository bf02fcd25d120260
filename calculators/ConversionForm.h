#pragma once

// The pattern of the small conversion windows: two whole-number boxes, `F`
// in the first unit and `C` in the second, each moved by a slider; a change
// of either converts it into the other unit and shows the sentence in
// `Label3`, which the send button puts into a new note.

#include "widgets/ChildForm.h"

class QGridLayout;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

struct SliderRange
{
    int min;
    int max;
    int tick;
};

class TConversionForm : public TChildForm
{
    Q_OBJECT
public:
    virtual void FChange() = 0;
    virtual void CChange() = 0;

protected:
    TConversionForm(ChildHost &host, const QString &caption, const QString &firstUnit, const QString &secondUnit,
                    SliderRange firstRange, SliderRange secondRange, QWidget *parent);
    // Connects the change events; called by each window once its own
    // controls are made.
    void connectEvents();
    // Room beside the boxes for a window's own controls.
    QGridLayout *extraArea() const { return m_extra; }

    QSpinBox *F;
    QSpinBox *C;
    QSlider *TrackBar1;
    QSlider *TrackBar2;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QPushButton *BitBot1;

private:
    QGridLayout *m_extra;
};
