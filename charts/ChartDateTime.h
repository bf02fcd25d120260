#pragma once

// Ticks and labels of a date/time axis. Values are days since 30 December
// 1899, the fraction being the time of day.

#include "charts/RChart.h"

#include <QString>

#include <utility>
#include <vector>

struct DateTimeTicks
{
    struct Tick
    {
        double value;
        bool major;
    };
    std::vector<Tick> ticks;
    std::vector<std::pair<double, QString>> labels;   // one per major tick
    QString message;                                  // set when the axis cannot be drawn
};

DateTimeTicks DateTimeAxis(double low, double high, int tickCount, const TDTLabel &format);
