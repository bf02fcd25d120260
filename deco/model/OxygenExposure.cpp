#include "deco/model/OxygenExposure.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace deco {

namespace {

constexpr double Highest = 1.6;
constexpr double HighestLimit = 45.0;
constexpr double Lowest = 0.5;
constexpr double StepMinutes = 0.1;

// ppO2 (bar) and its single-exposure limit (minutes).
constexpr std::array<std::pair<double, double>, 11> Limits = {{
    {0.6, 720}, {0.7, 570}, {0.8, 450}, {0.9, 360}, {1.0, 300}, {1.1, 240},
    {1.2, 210}, {1.3, 180}, {1.4, 150}, {1.5, 120}, {1.6, 45},
}};

} // namespace

double CnsLimitMinutes(double ppO2)
{
    if (ppO2 < Lowest)
        return 0.0;
    if (ppO2 >= Highest)
        return HighestLimit;
    if (ppO2 <= Limits.front().first)
        return Limits.front().second;
    for (size_t row = 1; row < Limits.size(); ++row) {
        const auto [p1, t1] = Limits[row];
        if (ppO2 <= p1) {
            const auto [p0, t0] = Limits[row - 1];
            return t0 + (t1 - t0) * (ppO2 - p0) / (p1 - p0);
        }
    }
    return HighestLimit;
}

void OxygenExposure::breathe(double ppO2, double minutes)
{
    if (!(minutes > 0.0) || ppO2 < Lowest)
        return;
    m_cns += minutes * 100.0 / CnsLimitMinutes(ppO2);
    if (ppO2 > Highest)
        m_aboveTable = true;
    if (ppO2 > Lowest)
        m_otu += minutes * std::pow((ppO2 - Lowest) / Lowest, 0.83);
}

void OxygenExposure::breatheChanging(double startPPO2, double endPPO2, double minutes)
{
    if (!(minutes > 0.0))
        return;
    const double steps = std::ceil(minutes / StepMinutes - 1e-9);
    const int count = steps < 1.0 ? 1 : static_cast<int>(std::min(steps, 1e7));
    const double step = minutes / count;
    for (int i = 0; i < count; ++i)
        breathe(startPPO2 + (endPPO2 - startPPO2) * (i + 0.5) / count, step);
}

} // namespace deco
