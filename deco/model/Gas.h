#pragma once

// A breathing gas by its oxygen and helium fractions; the rest is nitrogen.

#include <QString>

namespace deco {

struct BreathingGas
{
    double o2 = 0.21;
    double he = 0.0;

    static BreathingGas fromPercent(int o2Percent, int hePercent)
    {
        return {o2Percent / 100.0, hePercent / 100.0};
    }
    double n2() const { return 1.0 - o2 - he; }
    bool operator==(const BreathingGas &) const = default;
};

// "Air", "O2", "EAN50" or "TX18/45", by whole percentages.
QString GasName(const BreathingGas &gas);

} // namespace deco
