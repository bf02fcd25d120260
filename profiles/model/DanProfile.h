#pragma once

// The samples of one dive turned into drawing operations, and what is
// learned from them on the way (deepest point, run time, warmest water,
// sampling interval). One sample line at a time, as ParseData.

#include "profiles/model/DanDrawing.h"

#include <functional>
#include <string_view>

class DanProfile
{
public:
    // `redraw` is called every 20th sample when `animate`, else every 200th.
    DanProfile(DanPlotter &plotter, bool animate, std::function<void()> redraw);

    // Parses and draws one sample line (beginning with a blank). A field that
    // is missing or not a number raises ConvertError; what was drawn before
    // stays drawn.
    void ParseData(std::string_view line);

    // Starts a further dive: the per-dive counters go back to 0.
    void resetDive();
    // Hands every sample parsed from now on to `sample`: seconds, feet.
    void setSampleSink(std::function<void(double, double)> sample) { m_sample = std::move(sample); }

    double maxDepth() const { return m_maxDepth; }
    double maxTime() const { return m_maxTime; }
    double maxTemperature() const { return m_maxTemperature; }
    double samplingInterval() const { return m_samplingInterval; }
    int sampleCount() const { return m_sampleCount; }

private:
    // Draws one sample whose fields `fields` reads, in the order that
    // decides which error a bad line reports.
    template <typename Fields>
    void drawSample(const Fields &fields);
    void put(DanDrawOp::Kind kind, double x, double y, int markStyle = 0);
    void closeBand(double t);

    DanPlotter &m_plotter;
    bool m_animate;
    std::function<void()> m_redraw;
    std::function<void(double, double)> m_sample;
    QRgb m_pen = 0;

    double m_maxDepth = 0;
    double m_maxTime = 0;
    double m_maxTemperature = 0;
    int m_sampleCount = 0;
    double m_firstTime = 0;
    double m_samplingInterval = 0;
    int m_firstPressure = 0;
    double m_pressureScale = 0;
    int m_bandCeiling = 0;
    double m_bandStart = 0;
};
