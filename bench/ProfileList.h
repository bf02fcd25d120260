#pragma once

// A profile-like display list, drawn the way the profile viewer draws a dive
// file: a depth line in white, yellow or red by decompression state, a
// pressure mark every 10th sample, a temperature mark every 20th, ceiling
// bands as rectangles, and a pen move back to the depth after each sample.
// Units are the viewer's imperial ones: feet, degrees Fahrenheit, and the
// tank pressure scaled so that 3000 psi lies at 70.

#include "charts/ProfileLook.h"
#include "charts/RChart.h"

#include <QColor>

#include <cmath>
#include <cstddef>
#include <functional>

struct ProfileShape
{
    double diveSeconds = 3000;     // one dive, then a surface interval of the same length
    double maxDepth = 110;     // feet
};

inline double ProfileDepth(double t, const ProfileShape &shape)
{
    const double period = 2 * shape.diveSeconds;
    const double phase = std::fmod(t, period);
    if (phase > shape.diveSeconds)
        return 0;
    const double dive = std::floor(t / period);
    const double depth = shape.maxDepth * (0.6 + 0.4 * std::sin(dive * 1.7)) * std::sin(M_PI * phase / shape.diveSeconds);
    return std::max(0.0, depth + 2.5 * std::sin(t / 7.0) + 1.2 * std::sin(t / 2.3));
}

// Tank pressure in psi: a full tank at each dive's start, 700 psi left at its end.
inline double ProfilePressure(double t, const ProfileShape &shape)
{
    const double phase = std::fmod(t, 2 * shape.diveSeconds);
    return 3000 - 2300 * std::min(phase / shape.diveSeconds, 1.0);
}

// Appends samples until the list holds at least `items` items; calls
// `everySamples` after each `interval` samples (for redraws while loading).
inline std::size_t AppendProfile(TRChart &chart, std::size_t items, const ProfileShape &shape = {},
                                 int interval = 0, const std::function<void()> &everySamples = {})
{
    std::size_t samples = 0;
    double bandStart = -1;
    chart.MovePenTo(0, 0);
    for (std::size_t i = 1; chart.items().size() < items; ++i, ++samples) {
        const double t = double(i);
        const double d = ProfileDepth(t, shape);
        const double ceiling = d > 90 ? (d - 90) * 0.5 : 0;
        if (i % 10 == 0) {
            chart.setDataColor(Qt::black);
            // Pressure on the depth scale, as the viewer draws it: 3000 psi at 70.
            chart.AddMark(t, std::round(ProfilePressure(t, shape) * 70 / 3000), 8);
        }
        chart.setDataColor(ceiling <= 0 ? QColor(Qt::white) : (d - ceiling < 10 ? QColor(Qt::red) : QColor(Qt::yellow)));
        chart.DrawLineTo(t, d);
        if (i % 20 == 0) {
            chart.setDataColor(Qt::blue);
            const double temperature = 74 + 5 * std::cos(t / 5000.0);
            chart.MovePenTo(t, temperature);
            chart.AddMark(t, temperature, 24);
        }
        if (ceiling > 0 && bandStart < 0)
            bandStart = t;
        if ((ceiling <= 0 || i % 60 == 0) && bandStart >= 0) {
            chart.setLineWidth(0);
            chart.setDataColor(chart.WindColor());
            chart.AddRectangle(bandStart, -1.0, t, std::max(ceiling, 1.0));
            chart.setLineWidth(1);
            bandStart = ceiling > 0 ? t : -1;
        }
        chart.MovePenTo(t, d);
        if (interval > 0 && i % interval == 0 && everySamples)
            everySamples();
    }
    return samples;
}
