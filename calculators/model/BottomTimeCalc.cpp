#include "calculators/model/BottomTimeCalc.h"

#include "core/Arithmetic.h"
#include "core/NumText.h"
#include "core/Units.h"

BottomTimeSum AddBottomTime(int totalHours, int totalMinutes, int diveHours, int diveMinutes)
{
    long long minutes = static_cast<long long>(diveMinutes) + totalMinutes;
    const long long carry = Trunc(minutes * Conversion::MinutesToHours);
    long long hours = static_cast<long long>(diveHours) + totalHours;
    if (carry > 0) {
        minutes -= carry * 60;
        hours += carry;
    }
    const QString text = Format("%2.0f:%s",
                                {static_cast<double>(hours), FormatFloat("00", static_cast<double>(minutes))});
    return {text, CheckedWhole(hours), CheckedWhole(minutes)};
}

int WrappedMinutes(int minutes)
{
    if (minutes == 60)
        return 0;
    if (minutes == -1)
        return 59;
    return minutes;
}
