#pragma once

// The SAC ratio factor (SRF): how far the turn point moves when two divers
// with different breathing rates dive together under the rule of thirds.
// Rates are in cubic feet per minute on a 0.05 grid from 0.35 to 1.15.

#include <optional>

// Moves a breathing rate up to the next 0.05 step of the table (a rate on a
// step stays) and rounds the result to two decimals.
double RoundRmvToStep(double rate);

// True for rates the table covers: 0.34 <= rate <= 1.15.
bool RmvInRange(double rate);

// The factor for a pair of rates, the smaller picking the row and the larger
// the column; nothing when either rate is off the grid or out of range.
std::optional<double> SrfTable(double smallerRate, double largerRate);
