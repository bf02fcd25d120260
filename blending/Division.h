#pragma once

// Floating-point division that fails like the desk arithmetic the blenders
// are used to: a zero divisor is an error with its own message, never an
// infinite or undefined result that would show up as a number.

#include "core/Errors.h"

inline double Divide(double dividend, double divisor)
{
    if (divisor == 0.0)
        throw AppError(QStringLiteral("Floating point division by zero"));
    return dividend / divisor;
}
