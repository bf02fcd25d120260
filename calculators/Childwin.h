#pragma once

// "NITROX Calculations": best mix for a depth, maximum operating depth of a
// mix and equivalent air depth, one page each, recomputed on every change.

#include "widgets/ChildForm.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTabWidget;

class TFmNitrox final : public TChildForm
{
    Q_OBJECT
public:
    explicit TFmNitrox(ChildHost &host, QWidget *parent = nullptr);

    void CalcBestMix();
    void CalcMOD();
    void EADCalc();
    void MetricClick();

protected:
    void unitSwitch() override { MetricClick(); }

private:
    QWidget *createBestMixPage();
    QWidget *createModPage();
    QWidget *createEadPage();
    void connectEvents();
    void sendBestMix();
    void sendMod();
    void sendEad();

    QCheckBox *Metric;
    QTabWidget *PageControl1;
    QSpinBox *Depth = nullptr;
    QSlider *TrackBar1 = nullptr;
    QComboBox *PO2 = nullptr;
    QLineEdit *NITROXMix = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label14 = nullptr;
    QComboBox *MODEAN = nullptr;
    QComboBox *MODPO2 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLabel *Label4 = nullptr;
    QSpinBox *EADDepth = nullptr;
    QSlider *TrackBar2 = nullptr;
    QComboBox *BottomMixO2 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLabel *Label18 = nullptr;
    QLabel *Label20 = nullptr;
    QPushButton *BitBot1 = nullptr;
    QPushButton *BitBot2 = nullptr;
    QPushButton *BitBot3 = nullptr;
};
