#include "charts/ChartScaling.h"

#include "core/NumText.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
double axisValue(double value, bool log)
{
    return log ? std::log(std::max(value, LogFloor)) : value;
}
} // namespace

AxisScale AxisScale::fit(double low, double high, int lowPixel, int highPixel,
                         int extent, int fallbackOffset, bool log)
{
    AxisScale s;
    s.log = log;
    const double lo = axisValue(low, log);
    const double hi = axisValue(high, log);
    if (extent <= 0 || hi == lo) {
        s.k = 0.0;
        s.d = fallbackOffset;
        return s;
    }
    s.k = (highPixel - lowPixel) / (hi - lo);
    s.d = (hi * lowPixel - lo * highPixel) / (hi - lo);
    return s;
}

double AxisScale::toWorld(double pixel) const
{
    if (k == 0.0)
        return log ? std::exp(0.0) : 0.0;
    const double v = (pixel - d) / k;
    return log ? std::exp(v) : v;
}

TickStep NumericTickStep(double low, double high, int tickCount)
{
    const double span = high - low;
    if (span == 0.0)
        return {0.0, 1};
    const double r = std::abs(span) / std::clamp(tickCount, 2, 20);
    const double e = std::log10(r);
    const double m = e - std::floor(e);
    const double power = std::pow(10.0, std::floor(e));
    TickStep t;
    // The thresholds are log10 2 and log10 5 to five places.
    if (m < 0.30103)
        t = {power, 5};
    else if (m < 0.69897)
        t = {2 * power, 4};
    else
        t = {5 * power, 5};
    if (span < 0)
        t.step = -t.step;
    return t;
}

double FirstTick(double low, double step)
{
    if (step == 0.0)
        return low;
    double tick = (std::trunc(low / step) - 1) * step;
    // Advance while the tick lies more than a thousandth of a step before low.
    const double tolerance = 0.001 * std::abs(step);
    for (int guard = 0; guard < 4; ++guard) {
        const bool before = step > 0 ? tick < low - tolerance : tick > low + tolerance;
        if (!before)
            break;
        tick += step;
    }
    return tick;
}

std::vector<Tick> NumericTicks(double low, double high, int tickCount)
{
    std::vector<Tick> ticks;
    const TickStep t = NumericTickStep(low, high, tickCount);
    if (t.step == 0.0 || !std::isfinite(t.step))
        return ticks;
    const double first = FirstTick(low, t.step);
    const double minor = t.step / t.subdivisions;
    const double lo = std::min(low, high);
    const double hi = std::max(low, high);
    const double tolerance = 0.001 * std::abs(minor);
    // Minor ticks from one step before the first tick; every
    // `subdivisions`-th of them is a major tick.
    for (int i = -t.subdivisions; i < 100000; ++i) {
        const double v = first + i * minor;
        const bool pastEnd = t.step > 0 ? v > hi + tolerance : v < lo - tolerance;
        if (pastEnd)
            break;
        if (v < lo - tolerance || v > hi + tolerance)
            continue;
        ticks.push_back({v, i % t.subdivisions == 0});
    }
    return ticks;
}

std::vector<Tick> LogTicks(double low, double high)
{
    std::vector<Tick> ticks;
    const double lo = std::max(std::min(low, high), LogFloor);
    const double hi = std::max(low, high);
    if (!(hi > lo) || !std::isfinite(hi))
        return ticks;
    for (int e = static_cast<int>(std::floor(std::log10(lo))); e <= std::ceil(std::log10(hi)); ++e) {
        const double power = std::pow(10.0, e);
        for (int m = 1; m <= 9; ++m) {
            const double v = m * power;
            if (v >= lo * (1 - 1e-9) && v <= hi * (1 + 1e-9))
                ticks.push_back({v, m == 1});
        }
    }
    return ticks;
}

namespace {
struct TimeCandidate
{
    int seconds;
    int subdivisions;
};
constexpr std::array<TimeCandidate, 17> TimeCandidates{{
    {5, 5}, {10, 5}, {20, 4}, {30, 6}, {60, 6}, {120, 6}, {180, 6}, {300, 5}, {600, 5},
    {1200, 6}, {1800, 6}, {3600, 6}, {7200, 4}, {14400, 4}, {21600, 6}, {43200, 6}, {86400, 6},
}};
} // namespace

TimeStep TimeTickStep(double low, double high, int tickCount)
{
    const double limit = std::abs(high - low) / std::clamp(tickCount, 2, 20);
    int found = -1;
    for (int i = 0; i < int(TimeCandidates.size()); ++i)
        if (TimeCandidates[i].seconds <= limit)
            found = i;
    if (found < 0 || found == int(TimeCandidates.size()) - 1)
        return {};
    return {double(TimeCandidates[found].seconds), TimeCandidates[found].subdivisions};
}

std::vector<Tick> TimeTicks(double low, double high, TimeStep step)
{
    std::vector<Tick> ticks;
    if (step.step <= 0)
        return ticks;
    const double widen = std::abs(high - low) * 0.00001;
    const double lo = std::min(low, high) - widen;
    const double hi = std::max(low, high) + widen;
    const double minor = step.step / step.subdivisions;
    for (double n = std::ceil(lo / minor); n * minor <= hi; n += 1) {
        const double v = n * minor;
        const double q = v / step.step;
        ticks.push_back({v, std::abs(q - std::round(q)) < 1e-9});
    }
    return ticks;
}

QString TimeLabel(double seconds)
{
    const long long total = std::llround(std::abs(seconds));
    const auto two = [](long long v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); };
    return (seconds < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + two(total / 3600) + u':'
           + two(total / 60 % 60) + u':' + two(total % 60);
}

QString NumericLabel(double value, double span, int decimals)
{
    span = std::abs(span);
    bool exponent = decimals == -1;
    if (decimals == -2) {
        if (span >= 1000000 || span <= 0.0001)
            exponent = true;
        else if (span >= 100)
            decimals = 0;
        else
            decimals = std::max(0, int(2 - Round(0.4 * std::log(span))));
    }
    QString text;
    if (!exponent && std::abs(value) < 0.001 && span > 100000)
        text = decimals <= 0 ? QStringLiteral("0") : QStringLiteral("0.0");
    else if (exponent)
        text = FloatToStrF(value, FloatFormat::Exponent, 3, 1);
    else
        text = FloatToStrF(value, FloatFormat::Fixed, 15, std::max(decimals, 0));
    return text.left(8);
}

std::vector<double> GridPositions(double low, double high, double spacing, int maxLines)
{
    std::vector<double> positions;
    const double lo = std::min(low, high);
    const double hi = std::max(low, high);
    if (!(spacing > 0) || !std::isfinite(lo) || !std::isfinite(hi) || (hi - lo) / spacing > maxLines)
        return positions;
    for (double n = std::round(lo / spacing); n * spacing <= hi; n += 1)
        positions.push_back(n * spacing);
    return positions;
}
