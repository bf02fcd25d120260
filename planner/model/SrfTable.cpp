#include "planner/model/SrfTable.h"

#include "core/NumText.h"

#include <array>

namespace {

constexpr int GridSteps = 17; // 1.15, 1.10, ... 0.35
constexpr int LargestCents = 115;
constexpr int StepCents = 5;

// Factors in hundredths. Row r is the smaller rate 1.15 - 0.05 r, column c
// the larger rate 1.15 - 0.05 c; only cells with c <= r hold a factor.
// The 0.60 row reads 0.68 on its own diagonal, as the published table does.
constexpr std::array<std::array<int, GridSteps>, GridSteps> Factors = {{
    {67},
    {67, 67},
    {68, 67, 67},
    {68, 68, 67, 67},
    {69, 68, 68, 67, 67},
    {69, 69, 68, 68, 67, 67},
    {70, 70, 69, 69, 68, 67, 67},
    {71, 70, 70, 69, 69, 68, 67, 67},
    {72, 71, 71, 70, 69, 69, 68, 67, 67},
    {73, 72, 71, 71, 70, 70, 69, 68, 67, 67},
    {73, 73, 72, 72, 71, 70, 70, 69, 68, 67, 67},
    {74, 74, 73, 73, 72, 71, 71, 70, 69, 68, 68, 68},
    {76, 75, 74, 74, 73, 73, 72, 71, 70, 69, 69, 68, 67},
    {77, 76, 76, 75, 74, 74, 73, 72, 71, 71, 70, 69, 68, 67},
    {78, 78, 77, 76, 76, 75, 74, 74, 73, 72, 71, 70, 69, 68, 67},
    {79, 79, 78, 78, 77, 76, 76, 75, 74, 73, 72, 71, 70, 69, 68, 67},
    {81, 81, 80, 79, 79, 78, 77, 77, 76, 75, 74, 73, 72, 71, 70, 68, 67},
}};

// A rate in whole hundredths, as its two-decimal text shows it.
long long cents(double rate) { return Round(rate * 100); }

// The grid index of a rate, or -1 when it is not on the grid.
int gridIndex(double rate)
{
    const long long c = cents(rate);
    if (c % StepCents != 0)
        return -1;
    const long long index = (LargestCents - c) / StepCents;
    return index >= 0 && index < GridSteps ? static_cast<int>(index) : -1;
}

} // namespace

double RoundRmvToStep(double rate)
{
    // Tenths and hundredths are read as the rate's decimal text shows them;
    // the small offset keeps 0.71 (binary 0.70999...) from losing a digit.
    const long long hundredths = Trunc(rate * 100 + 1e-7);
    const long long tenths = hundredths / 10;
    const long long digit = hundredths % 10;
    double stepped = rate;
    if (digit >= 1 && digit <= 4)
        stepped = tenths * 0.1 + 0.05;
    else if (digit >= 6)
        stepped = (tenths + 1) * 0.1;
    return cents(stepped) / 100.0;
}

bool RmvInRange(double rate)
{
    const long long c = cents(rate);
    return c >= 34 && c <= LargestCents;
}

std::optional<double> SrfTable(double smallerRate, double largerRate)
{
    const int row = gridIndex(smallerRate);
    const int column = gridIndex(largerRate);
    if (row < 0 || column < 0 || column > row)
        return std::nullopt;
    return Factors[row][column] / 100.0;
}

std::optional<SrfWarning> WarningOf(SrfProblem problem)
{
    switch (problem) {
    case SrfProblem::None: break;
    case SrfProblem::RateOutOfRange:
        return SrfWarning{QStringLiteral("SRF Input: Out of range error"), 1, QStringLiteral("Reserves")};
    case SrfProblem::OffTheGrid:
        // A rate off the 0.05 grid beeps once for the table and once for the message.
        return SrfWarning{QStringLiteral("Out of SRF range error"), 2, QString()};
    }
    return std::nullopt;
}
