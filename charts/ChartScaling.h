#pragma once

// The chart's arithmetic: world-to-pixel scaling of one axis, tick steps of
// numeric and time axes, and tick label texts. No drawing happens here.

#include <QString>

#include <algorithm>
#include <cmath>
#include <vector>

// World value <-> pixel for one axis. Linear axes map v to k * v + d;
// logarithmic axes map ln v the same way.
struct AxisScale
{
    double k = 0.0;
    double d = 0.0;
    bool log = false;

    // Maps [low, high] onto the pixels [lowPixel, highPixel]. `extent` is the
    // plot width or height; when it is not positive the factor is 0 and the
    // offset is `fallbackOffset` (half the control's size).
    static AxisScale fit(double low, double high, int lowPixel, int highPixel,
                         int extent, int fallbackOffset, bool log);

    // Held within +-2147483647, rounded to the nearest integer (halves to
    // even), then held within -30000..30000. Inline: drawing calls it for
    // every point.
    int toPixel(double value) const
    {
        const double p = toPixelExact(value);
        // Adding and taking away 1.5 * 2^52 rounds to the nearest integer,
        // halves to even, like lrint, without a library call.
        constexpr double Round = 6755399441055744.0;
        // Mostly the pixel lies well within the limits (and is a number).
        if (p > -30000.0 && p < 30000.0)
            return static_cast<int>((p + Round) - Round);
        if (std::isnan(p))
            return 0;
        const double rounded = (std::clamp(p, -2147483647.0, 2147483647.0) + Round) - Round;
        return static_cast<int>(std::clamp(rounded, -30000.0, 30000.0));
    }
    double toPixelExact(double value) const;
    double toWorld(double pixel) const;
};

// The smallest positive value a logarithmic axis accepts.
inline constexpr double LogFloor = 1e-30;

inline double AxisScale::toPixelExact(double value) const
{
    return k * (log ? std::log(std::max(value, LogFloor)) : value) + d;
}

struct TickStep
{
    double step = 0.0;   // signed like high - low; 0 for an empty span
    int subdivisions = 1;
};

// Step 1, 2 or 5 times a power of ten so that the span holds at least
// `tickCount` (held within 2..20) steps.
TickStep NumericTickStep(double low, double high, int tickCount);
// The first major tick at or after `low` (in the direction of the step).
double FirstTick(double low, double step);

struct TimeStep
{
    double step = 0.0;   // seconds; 0 when no time step fits
    int subdivisions = 1;
};
// The largest of the 17 time steps (5 s .. 1 day) not above span / tickCount;
// none when no step or only the day step fits.
TimeStep TimeTickStep(double low, double high, int tickCount);
// " hh:mm:ss" (leading blank) for values of zero and above, "-hh:mm:ss" below.
QString TimeLabel(double seconds);

// A numeric tick label: `value` with `decimals` decimals (-2 chosen from the
// span, -1 exponent form), at most 8 characters.
QString NumericLabel(double value, double span, int decimals);

struct Tick
{
    double value;
    bool major;
};
// Minor and major ticks of a numeric axis between low and high.
std::vector<Tick> NumericTicks(double low, double high, int tickCount);
// Ticks at powers of ten (major) and their multiples (minor).
std::vector<Tick> LogTicks(double low, double high);
// Ticks of a time axis with the given step.
std::vector<Tick> TimeTicks(double low, double high, TimeStep step);
// Grid line positions: whole multiples of `spacing` from the one nearest to
// the smaller bound up to the larger bound (none for a spacing that is not
// positive or would give more lines than `maxLines`).
std::vector<double> GridPositions(double low, double high, double spacing, int maxLines);
