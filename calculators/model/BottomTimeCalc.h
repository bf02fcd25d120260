#pragma once

// The running total of bottom time: the total to date plus this dive, with
// the minutes carried into hours.

#include <QString>

struct BottomTimeSum
{
    QString text; // "%2.0f:%s": hours at least two wide, minutes two digits
    int hours = 0;
    int minutes = 0;
};

// A sum of hours beyond 32 bits raises an error.
BottomTimeSum AddBottomTime(int totalHours, int totalMinutes, int diveHours, int diveMinutes);

// A minutes box steps past its range to wrap around: 60 becomes 0, -1
// becomes 59; any other value stays.
int WrappedMinutes(int minutes);
