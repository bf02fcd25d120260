#pragma once

// The SAC ratio factor (SRF): how far the turn point moves when two divers
// with different breathing rates dive together under the rule of thirds.
// Rates are in cubic feet per minute on a 0.05 grid from 0.35 to 1.15.

#include <QString>

#include <optional>

// Moves a breathing rate up to the next 0.05 step of the table (a rate on a
// step stays) and rounds the result to two decimals.
double RoundRmvToStep(double rate);

// True for rates the table covers: 0.34 <= rate <= 1.15.
bool RmvInRange(double rate);

// The factor for a pair of rates, the smaller picking the row and the larger
// the column; nothing when either rate is off the grid or out of range.
std::optional<double> SrfTable(double smallerRate, double largerRate);

// What kept a lookup from the table; the planner then takes two thirds.
enum class SrfProblem { None, RateOutOfRange, OffTheGrid };

// The factor a plan's lookup found, rounded to two decimals as shown, and
// what kept it from the table.
struct SrfLookup
{
    double factor = 0;
    SrfProblem problem = SrfProblem::None;
};

// How the planner warns of a lookup's problem: the text on the main status
// line, the number of beeps, and the lower page it turns to ("" for none).
struct SrfWarning
{
    QString message;
    int beeps = 0;
    QString page;
};
std::optional<SrfWarning> WarningOf(SrfProblem problem);
