#pragma once

// Arithmetic that fails loudly: a zero divisor or a whole-number product
// beyond 32 bits is an error with its own message, never an infinite or
// wrapped result that would show up as a number.

#include "core/Errors.h"

#include <limits>

inline double Divide(double dividend, double divisor)
{
    if (divisor == 0.0)
        throw AppError(QStringLiteral("Floating point division by zero"));
    return dividend / divisor;
}

// A 64-bit result that must fit a 32-bit whole number.
inline int CheckedWhole(long long value)
{
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        throw AppError(QStringLiteral("Integer overflow"));
    return static_cast<int>(value);
}

inline int MultiplyWhole(int value, int factor)
{
    return CheckedWhole(static_cast<long long>(value) * factor);
}
