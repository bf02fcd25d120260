#pragma once

// The partial-pressure blending worksheet without its window: the texts of
// the worksheet's boxes, the balancing of the nitrogen fractions, the sum
// markers, the mixing formula and the adjustment (drain) formula.
//
// Values travel as the texts of the boxes; every computation parses them
// again and writes its results back as texts, so a window only copies texts
// in and out.

#include <QString>
#include <QStringList>

#include <functional>

struct BlendSheet
{
    // Desired mix: fill pressure (gauge) and percentages.
    QString psig;
    QString xFo2;
    QString xFHe;
    QString xFN2;
    // Current content of the tank.
    QString psi;
    QString currentxFO2;
    QString currentxFHe;
    QString currentxFN2;
    // Oxygen percent of the top-off gas.
    QString fillGasFractionO2 = QStringLiteral("21");

    bool metric = false;
    bool autoCalc = true;      // balance the desired nitrogen
    bool emptyAutoCalc = true; // balance the current nitrogen
    bool emptyTank = false;    // ideal fill: the tank holds nothing
    bool noJump = false;       // keep negative mixing results, no adjustment
    bool shortCalc = false;    // adjustment with values rounded to 3 decimals

    // Results.
    QString targetAir;
    QString targetO2;
    QString targetHe;
    QString drainAir;
    bool drainEnabled = true;
    QString status;
    QString mixTrace;
    QString adjustTrace;

    // Sum markers: the gauges' positions and whether "Invalid mix" shows.
    int currentSumGauge = 0;
    int desiredSumGauge = 0;
    bool currentInvalid = false;
    bool desiredInvalid = false;
    // The current content is empty: the blender must describe the purge gas.
    bool purgeGasHint = false;
};

// The 201 entries 0.00, 0.50, 1.00, ... 99.50, 100.00 of the percentage lists.
QStringList PercentageList();

// A sum of fractions taken to 40 mantissa bits, so that sums such as
// 33.3 + 33.3 + 33.4 that miss 100 only in the last binary digits count as 100.
double RoundedSum(double sum);

class BlendWorksheet
{
public:
    // Asks the blender whether to take the suggested solution; true for Yes.
    using ProblemQuestion = std::function<bool(const QString &problem, const QString &solution)>;
    using Beep = std::function<void()>;

    BlendWorksheet(BlendSheet &sheet, ProblemQuestion askProblem, Beep beep);

    // Balances the nitrogen fractions, updates the sum markers and runs the
    // mixing formula. Texts that do not convert raise ConvertError here.
    void TotalGasChange();
    // The mixing formula. Any failure ends it silently, keeping what it wrote.
    void MainFormular();
    // The adjustment formula. Failures are raised to the caller.
    void CalcDrain();

    static inline const QString ProblemText = QStringLiteral("Too much nitrogen in current tank");
    static inline const QString SolutionText = QStringLiteral("Drain tank and purge with Oxygen");

private:
    double surfacePressure() const;
    void runMixing();
    // Empties the results; true when the calculation is to stop.
    bool sumCheckStops(const QString &message);
    // Offers to purge the tank when the drain exceeds `limit`. True when
    // the blender chose the purge (the current content is then pure oxygen).
    bool drainExceeds(const QString &limit);
    bool offerPurge();

    BlendSheet &m_sheet;
    ProblemQuestion m_askProblem;
    Beep m_beep;
};
