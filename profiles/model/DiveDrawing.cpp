#include "profiles/model/DiveDrawing.h"

#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/Units.h"
#include "profiles/model/DanDrawing.h"
#include "profiles/model/DanSummary.h"

namespace {

using namespace ProfileColors;

// The mix's name stands this part of the deepest depth above its mark.
constexpr double NameLift = 0.05;

constexpr int PressureMarkSpacing = 10;

double depthIn(double metres, bool metric) { return metric ? metres : metres * Conversion::MetresToFeet; }

double temperatureIn(double celsius, bool metric)
{
    return metric ? celsius : celsius * Conversion::CelsiusToFahrenheitFactor + Conversion::FahrenheitOffset;
}

DanDrawOp op(DanDrawOp::Kind kind, double x, double y, QRgb color = 0, int style = 0)
{
    DanDrawOp o;
    o.kind = kind;
    o.x = x;
    o.y = y;
    o.color = color;
    o.markStyle = style;
    return o;
}

} // namespace

DiveDrawResult DrawLogDive(const LogDive &dive, bool metric, DanPlotter &plotter, const std::function<void()> &redraw)
{
    DiveDrawResult result;
    plotter.draw(op(DanDrawOp::MoveTo, 0, 0));
    double firstPressure = 0;
    std::size_t lastPressureMark = 0;
    std::vector<std::size_t> switches; // samples where another mix is breathed
    bool bandOpen = false;
    double bandCeiling = 0, bandStart = 0;
    const auto closeBand = [&](double t) {
        DanDrawOp band = op(DanDrawOp::Rectangle, bandStart, -1.0);
        band.x2 = t;
        band.y2 = bandCeiling;
        plotter.draw(band);
        bandOpen = false;
    };
    for (std::size_t i = 0; i < dive.samples.size(); ++i) {
        const DiveSample &s = dive.samples[i];
        const double t = s.time;
        const double d = depthIn(s.depth, metric);
        result.maxTime = std::max(result.maxTime, t);
        result.maxDepth = std::max(result.maxDepth, d);
        plotter.draw(op(DanDrawOp::LineTo, t, d, s.inDeco ? Yellow : White));

        if (i > 0 && s.gas != dive.samples[i - 1].gas)
            switches.push_back(i);
        if ((s.given & DiveSample::TemperatureGiven) && HasValue(s.temperature)) {
            const double temperature = temperatureIn(s.temperature, metric);
            result.maxTemperature = std::max(result.maxTemperature, temperature);
            plotter.draw(op(DanDrawOp::Mark, t, temperature, Blue, DanDotMark));
        }
        if ((s.given & DiveSample::PressureGiven) && HasValue(s.pressure) && s.pressure > 0) {
            if (firstPressure == 0) {
                firstPressure = s.pressure;
                lastPressureMark = i;
            } else if (i >= lastPressureMark + PressureMarkSpacing) {
                plotter.draw(
                    op(DanDrawOp::Mark, t, double(Round(s.pressure * 70 / firstPressure)), Black, DanPressureMark));
                lastPressureMark = i;
            }
        }

        // The band between the surface and the stop depth while in deco: a
        // piece ends where the stop depth changes or the deco ends.
        const double ceiling = s.inDeco ? depthIn(s.ceiling, metric) : 0;
        if (bandOpen && ceiling != bandCeiling)
            closeBand(t);
        if (!bandOpen && ceiling > 0) {
            bandOpen = true;
            bandCeiling = ceiling;
            bandStart = t;
        }
        if (redraw && (i + 1) % 200 == 0)
            redraw();
    }
    if (bandOpen)
        closeBand(result.maxTime);
    // Last, so that no band covers them.
    for (const std::size_t i : switches) {
        const DiveSample &s = dive.samples[i];
        const double d = depthIn(s.depth, metric);
        plotter.draw(op(DanDrawOp::Mark, s.time, d, Green, GasSwitchMark));
        DanDrawOp name = op(DanDrawOp::Text, s.time, d - result.maxDepth * NameLift, Green, GasNameFontSize);
        name.text = DiveMixName(s.gas < dive.mixes.size() ? dive.mixes[s.gas] : DiveMix{});
        plotter.draw(name);
    }
    return result;
}

QStringList DiveSummaryTexts(const LogDive &dive, bool metric)
{
    const DiveHeader &h = dive.header;
    QStringList panels(DanSummaryPanels);
    double maxDepth = 0;
    double temperatures = 0;
    int temperatureCount = 0;
    float firstPressure = NoValue, lastPressure = NoValue;
    for (const DiveSample &s : dive.samples) {
        maxDepth = std::max(maxDepth, double(s.depth));
        if ((s.given & DiveSample::TemperatureGiven) && HasValue(s.temperature)) {
            temperatures += s.temperature;
            ++temperatureCount;
        }
        if (HasValue(s.pressure)) {
            if (!HasValue(firstPressure))
                firstPressure = s.pressure;
            lastPressure = s.pressure;
        }
    }
    const bool samples = !dive.samples.empty();
    panels[MaxDepthPanel] = DanMaxDepthText(depthIn(samples ? maxDepth : h.maxDepth, metric));
    panels[RunTimePanel] = DanRunTimeText(samples ? double(dive.samples.back().time) : h.duration);
    panels[AvgTempPanel] = QStringLiteral("Avg. temp: ");
    if (temperatureCount > 0)
        panels[AvgTempPanel] = Format(QStringLiteral("Avg. temp: %.1f %s"),
                                      {temperatureIn(temperatures / temperatureCount, metric),
                                       metric ? QStringLiteral("C") : QStringLiteral("F")});
    QString tank = h.tankDescription;
    if (tank.isEmpty() && h.tankLitres > 0) {
        const bool cubicFeet = !metric && h.tankWorkPressure > 0;
        const double size = cubicFeet ? h.tankLitres * h.tankWorkPressure * Conversion::LitresToCuFt : h.tankLitres;
        tank = MyFormat(size) + u' ' + VolumeUnitWord(!cubicFeet);
    }
    panels[TankPanel] = QStringLiteral("Tank: ") + tank;
    panels[SerialPanel] = QStringLiteral("Serial # ") + h.computer;
    const float start = HasValue(h.startPressure) ? h.startPressure : firstPressure;
    const float end = HasValue(h.endPressure) ? h.endPressure : lastPressure;
    panels[UsedPanel] = QStringLiteral("Used: ");
    if (HasValue(start) && HasValue(end)) {
        const double used = metric ? start - end : (start - end) * Conversion::BarToPsi;
        panels[UsedPanel] += IntToStr(Round(used)) + u' ' + PressureUnitWord(metric);
    }
    if (dive.samples.size() >= 2)
        panels[SamplingRatePanel] = DanSamplingRateText(double(dive.samples[1].time) - double(dive.samples[0].time));
    return panels;
}

DanCursorReadout LogDiveReadout(const LogDive &dive, bool metric, double x, double y)
{
    y = std::clamp(y, -DeepestReadoutDepth, DeepestReadoutDepth);
    const DiveSample *sample = dive.sampleAt(x);
    if (dive.header.rebreather && sample && HasValue(sample->ppO2))
        return DanReadoutWith(x, y, sample->ppO2);
    const DiveMix mix = dive.mixAt(x);
    return DanReadoutWith(x, y, OxygenPartialPressure(int(Round(y)), int(Round(mix.o2 * 100)), metric));
}
