#include "profiles/DiveCeiling.h"

#include "core/NumText.h"
#include "core/Units.h"
#include "deco/model/PlanCheck.h"

#include <cmath>

namespace {

constexpr std::size_t SnapshotStride = 256;

deco::BreathingGas gasOf(const LogDive &dive, const DiveSample &sample)
{
    const DiveMix mix = sample.gas < dive.mixes.size() ? dive.mixes[sample.gas] : DiveMix{};
    return {mix.o2, mix.he};
}

void follow(deco::DecoTracker &tracker, const LogDive &dive, const DiveSample &sample)
{
    tracker.add(sample.time / 60.0, sample.depth, gasOf(dive, sample));
}

} // namespace

deco::DecoSettings ViewerDecoSettings()
{
    const deco::GradientFactors gf = deco::SettingsGradientFactors();
    deco::DecoSettings settings;
    settings.gfLow = gf.low / 100.0;
    settings.gfHigh = gf.high / 100.0;
    // A log's depths are metres whatever the unit system it is shown in.
    settings.environment = deco::Environment::of(true, WaterType(), 1.01325);
    return settings;
}

DiveCeiling::DiveCeiling(const LogDive &dive, const deco::DecoSettings &settings)
{
    deco::DecoTracker tracker(settings);
    m_ceilings.reserve(dive.samples.size());
    m_snapshots.reserve(dive.samples.size() / SnapshotStride + 1);
    for (std::size_t i = 0; i < dive.samples.size(); ++i) {
        follow(tracker, dive, dive.samples[i]);
        m_ceilings.push_back(float(tracker.diveCeiling()));
        if (i % SnapshotStride == 0)
            m_snapshots.push_back(tracker);
    }
}

DiveAhead DiveCeiling::aheadAt(const LogDive &dive, double seconds) const
{
    const DiveSample *at = dive.sampleAt(seconds);
    DiveAhead ahead;
    if (!at || m_snapshots.empty())
        return ahead;
    const std::size_t index = std::size_t(at - dive.samples.data());
    const std::size_t from = index / SnapshotStride;
    deco::DecoTracker tracker = m_snapshots[std::min(from, m_snapshots.size() - 1)];
    for (std::size_t i = from * SnapshotStride + 1; i <= index && i < dive.samples.size(); ++i) {
        follow(tracker, dive, dive.samples[i]);
        tracker.diveCeiling();   // keeps the first stop up to date
    }
    ahead.ceiling = index < m_ceilings.size() ? m_ceilings[index] : tracker.diveCeiling();
    ahead.noDecoLimit = tracker.noDecoLimit();
    ahead.timeToSurface = tracker.timeToSurface();
    return ahead;
}

void DrawDiveCeiling(const LogDive &dive, const DiveCeiling &ceiling, bool metric, QRgb color, DanPlotter &plotter)
{
    const double scale = metric ? 1.0 : Conversion::MetresToFeet;
    const std::vector<float> &values = ceiling.ceilings();
    const std::size_t count = std::min(values.size(), dive.samples.size());
    constexpr double Step = 0.1;
    const auto put = [&](DanDrawOp::Kind kind, double x, double y) {
        DanDrawOp op;
        op.kind = kind;
        op.color = color;
        op.x = x;
        op.y = y;
        plotter.draw(op);
    };
    bool drawing = false;
    double lastDrawn = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = dive.samples[i].time;
        const double depth = values[i] * scale;
        if (depth <= 0) {
            if (drawing)
                put(DanDrawOp::LineTo, t, 0);
            drawing = false;
            continue;
        }
        if (!drawing) {
            // The line leaves the surface where the sample before was.
            const double from = i > 0 ? dive.samples[i - 1].time : t;
            put(DanDrawOp::MoveTo, from, 0);
            put(DanDrawOp::LineTo, t, depth);
            drawing = true;
            lastDrawn = depth;
            continue;
        }
        const bool last = i + 1 == count || values[i + 1] <= 0;
        if (last || std::abs(depth - lastDrawn) >= Step) {
            put(DanDrawOp::LineTo, t, depth);
            lastDrawn = depth;
        }
    }
}

QString CeilingReadout(const DiveAhead &ahead, bool metric)
{
    const double depth = metric ? ahead.ceiling : ahead.ceiling * Conversion::MetresToFeet;
    return Format(QStringLiteral("Ceiling: %3.1f"), {depth});
}

QString NdlTtsReadout(const DiveAhead &ahead)
{
    const QString ndl = ahead.noDecoLimit.unlimited ? IntToStr(deco::NoDecoLimitCap) + u'+'
                                                    : IntToStr(ahead.noDecoLimit.minutes);
    // The ascent's last part of a minute counts as a minute.
    const long long tts = std::llround(std::ceil(ahead.timeToSurface - 1e-9));
    return Format(QStringLiteral("NDL/TTS: %s/%d min"), {ndl, tts});
}
