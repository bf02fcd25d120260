#include "charts/ChartDateTime.h"

#include <QDateTime>

#include <array>
#include <cmath>

namespace {
constexpr double SecondsPerDay = 86400.0;
// The dates a day count can stand for: years 100 to 9999.
constexpr double FirstDay = -657434.0;
constexpr double LastDay = 2958465.0;

struct Step
{
    int seconds;
    int subdivisions;
};
constexpr std::array<Step, 21> Steps{{
    {1, 5}, {2, 4}, {5, 5}, {10, 5}, {15, 3}, {30, 6}, {60, 6}, {120, 4}, {300, 5}, {600, 5}, {900, 3},
    {1800, 6}, {3600, 6}, {7200, 4}, {10800, 3}, {21600, 6}, {43200, 6}, {86400, 4}, {172800, 2},
    {604800, 7}, {2592000, 5},
}};

QDateTime dateTimeOf(double days)
{
    const QDateTime epoch(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
    return epoch.addMSecs(std::llround(days * SecondsPerDay * 1000.0));
}

QString timeText(const QTime &t, const TDTLabel &f)
{
    const QString sep(f.TimeSeparator);
    switch (f.TimeFormat) {
    case tfHHhMM:
        return t.toString(QStringLiteral("hh'h'mm"));
    case tfAMPM:
        return t.toString(QStringLiteral("h") + sep + QStringLiteral("mm AP"));
    case tfHHMMSS:
        break;
    }
    return t.toString(QStringLiteral("hh") + sep + QStringLiteral("mm") + sep + QStringLiteral("ss"));
}

QString dateText(const QDate &d, const TDTLabel &f)
{
    const QString sep(f.DateSeparator);
    const QString month = f.MonthName ? QStringLiteral("MMM") : QStringLiteral("MM");
    const QString year = f.YearLength == ylYYYY ? QStringLiteral("yyyy") : QStringLiteral("yy");
    QStringList parts;
    switch (f.DateOrder) {
    case doMMDDYY:
        parts = {month, QStringLiteral("dd")};
        break;
    case doDDMMYY:
        parts = {QStringLiteral("dd"), month};
        break;
    case doYYMMDD:
        parts = {month, QStringLiteral("dd")};
        if (f.YearLength != ylNone)
            parts.prepend(year);
        return d.toString(parts.join(sep));
    }
    if (f.YearLength != ylNone)
        parts.append(year);
    return d.toString(parts.join(sep));
}
} // namespace

DateTimeTicks DateTimeAxis(double low, double high, int tickCount, const TDTLabel &format)
{
    DateTimeTicks result;
    const double lo = std::min(low, high);
    const double hi = std::max(low, high);
    if (!std::isfinite(lo) || !std::isfinite(hi) || lo < FirstDay || hi > LastDay) {
        result.message = QStringLiteral("invalid DateTime scale");
        return result;
    }
    const double spanSeconds = (hi - lo) * SecondsPerDay;
    if (spanSeconds < 1.0) {
        result.message = QStringLiteral("DateTime range is below 1 second");
        return result;
    }
    Step step = Steps.front();
    for (const Step &s : Steps)
        if (s.seconds <= spanSeconds / tickCount)
            step = s;
    const double stepDays = step.seconds / SecondsPerDay;
    const double minor = stepDays / step.subdivisions;
    bool dateShown = false;
    for (double n = std::ceil(lo / minor - 1e-9); n * minor <= hi + 1e-9; n += 1) {
        const double v = n * minor;
        const double q = v / stepDays;
        const bool major = std::abs(q - std::round(q)) < 1e-6;
        result.ticks.push_back({v, major});
        if (!major)
            continue;
        const QDateTime at = dateTimeOf(v);
        QString text = step.seconds >= 86400 ? dateText(at.date(), format) : timeText(at.time(), format);
        const bool midnight = at.time() == QTime(0, 0);
        const bool withDate = step.seconds < 86400
                              && (format.DateForTime == dtAllTicks || (format.DateForTime == dtOnePerChart && !dateShown)
                                  || (format.DateForTime == dtOnePerDay && (midnight || !dateShown)));
        if (withDate) {
            text = dateText(at.date(), format) + u' ' + text;
            dateShown = true;
        }
        result.labels.emplace_back(v, text);
    }
    return result;
}
