#pragma once

// "Decompression schedule": the stops, run time, oxygen exposure and gas
// needs of one dive by ZH-L16C with gradient factors. Every input
// recomputes at once; warnings go to the program's message line.

#include "deco/model/ScheduleTexts.h"
#include "widgets/ChildForm.h"

#include <array>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

class TfmDecoSchedule final : public TChildForm
{
    Q_OBJECT
public:
    explicit TfmDecoSchedule(ChildHost &host, QWidget *parent = nullptr);

    // Takes the dive of `request` (in its units) and computes it.
    void ShowDive(const DecoScheduleRequest &request);
    // Reads the inputs, computes and shows the schedule; warnings go to
    // the message line with a beep. Throws ConvertError for a text that is
    // not a number, leaving the results as they were.
    void Recalculate();
    void MetricClick();
    void ToNoteClick();
    void PrintClick();

    const deco::ScheduleTexts &texts() const { return m_texts; }

protected:
    void unitSwitch() override { MetricClick(); }

private:
    void createControls();
    void layOut();
    void connectEvents();
    deco::ScheduleInputs readInputs() const;
    void showTexts(const deco::ScheduleTexts &texts);
    void showWarnings(const QStringList &warnings);
    void showUnitLabels();
    // Converts every depth, rate and volume to the units now chosen.
    void convertInputs(bool toMetric);

    deco::ScheduleTexts m_texts;
    bool m_setting = false;          // the window writes its inputs: no recalculation yet
    bool m_warned = false;           // the message line shows this window's warnings

public:
    QCheckBox *Metric = nullptr;
    QSpinBox *DecoDepth = nullptr, *DecoBottomTime = nullptr, *DecoBottomO2 = nullptr, *DecoBottomHe = nullptr;
    std::array<QSpinBox *, 3> DecoGasO2{}, DecoGasHe{};
    std::array<QLineEdit *, 3> DecoGasDepth{};
    QSpinBox *GFLow = nullptr, *GFHigh = nullptr, *DescentRate = nullptr, *AscentRateDeco = nullptr;
    QComboBox *LastStop = nullptr, *DecoPPO2 = nullptr;
    QLineEdit *SurfacePressure = nullptr;
    QSpinBox *MinSwitchTime = nullptr;
    QDoubleSpinBox *DecoBottomSAC = nullptr, *DecoDecoSAC = nullptr;
    QTableWidget *StopTable = nullptr, *GasNeeds = nullptr;
    QLineEdit *TotalRunTime = nullptr, *TotalDecoTime = nullptr, *FirstStopDepth = nullptr, *NoDecoLimit = nullptr,
              *CNSPercent = nullptr, *OTUs = nullptr;
    QPushButton *ToNoteButton = nullptr, *PrintButton = nullptr;
    QLabel *DepthUnit = nullptr, *RateUnit = nullptr, *SacUnit = nullptr, *PressureUnit = nullptr,
           *SwitchDepthUnit = nullptr, *FirstStopUnit = nullptr;
};
