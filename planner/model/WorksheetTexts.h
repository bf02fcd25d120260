#pragma once

// The texts of the printed gas management worksheet, read from a plan as it
// was last computed, and the checks that list the plan's problems. Each text
// is read afresh when asked for; one that needs a plan field that does not
// read as a number throws ConvertError, one whose arithmetic would divide by
// zero throws AppError, and the worksheet then keeps that label's design text.

#include <QString>
#include <QStringList>

class PlanModel;

// A planner field as a number: "N/A" reads as 0, a text with " ATA" is read
// up to it; anything else must be a number (ConvertError otherwise).
double MyStrToFloat(const QString &text);
// "%*.*f" at width 8 with `decimals` decimals, trimmed.
QString MyFormat2(double value, int decimals);
// The name of a gas by its oxygen percentage; a decompression gas also
// knows the usual decompression mixes.
QString WorksheetGasName(int oxygenPercent, bool decompressionGas);

// The problems one print of the worksheet finds, each listed once, in the
// order the labels that check them print.
class WorksheetLog
{
public:
    void add(const QString &line)
    {
        if (!m_lines.contains(line))
            m_lines << line;
    }
    void clear() { m_lines.clear(); }
    const QStringList &lines() const { return m_lines; }

private:
    QStringList m_lines;
};

// Where a diver turns and calls the dive: the pressure used out and back,
// and the turn and call pressures.
struct TurnPoints
{
    double used = 0;
    double turn = 0;
    double call = 0;
};

class WorksheetTexts
{
public:
    // The volume and pressure words are the plan's, as the planner shows
    // them when the worksheet is made.
    explicit WorksheetTexts(const PlanModel &plan);

    const QString &volumeWord() const { return m_volumeWord; }
    const QString &pressureWord() const { return m_pressureWord; }

    bool decompression() const; // any stop active
    QString title() const;

    // --- Divers (n = 0, 1) -----------------------------------------------
    QString diverName(int n) const;
    // The name, or "Diver #1" / "Diver #2" for a diver without one.
    QString diverCaption(int n) const;
    QString tankSize(int n) const;
    QString tankPressure(int n) const;
    QString rmv(int n) const;

    // --- Dive parameters ---------------------------------------------------
    QString depthCode() const; // "FSW", "MFW", ...
    QString maxDepth() const;
    QString bottomGas() const;
    QString bottomGasName() const;
    QString maxPpO2(WorksheetLog &log) const;
    QString bottomTime(WorksheetLog &log) const;
    QString totalRunTime() const;
    QString ascentRate() const;

    // --- Air consumption (n = 0, 1) ----------------------------------------
    TurnPoints turnPoints(int n) const;
    QString tankGas(int n) const;
    QString reserveType() const;
    QString reserveVolume(int n) const;
    QString availableForDive(int n) const;
    QString startPoint(int n) const;
    QString turnPoint(int n) const;
    QString callPoint(int n) const;
    QString adjustedTurnpoint() const; // empty with a fixed reserve

    // --- Decompression (stops k = 1..3; an inactive stop reads "N/A") ------
    QString decoGas() const;
    QString decoGasName() const;
    QString decoMod() const;
    bool stopActive(int k) const;
    QString stopDepth(int k) const;
    QString stopTime(int k, WorksheetLog &log) const;
    QString stopPpO2(int k, WorksheetLog &log) const;
    QString stopAir(int k, int n) const;
    QString totalDecoTime() const;
    QString maxDecoPpO2() const;

private:
    double stopPpO2Value(int k) const;
    double gasLeftAt(int n, double pressure) const;
    QString pressureWithGas(int n, double pressure, const QString &pressureText) const;

    const PlanModel &m_plan;
    const bool m_metric;
    const QString m_volumeWord;
    const QString m_pressureWord;
};
