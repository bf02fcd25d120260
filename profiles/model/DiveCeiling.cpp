#include "profiles/model/DiveCeiling.h"

#include "core/NumText.h"
#include "core/Units.h"
#include "deco/model/PlanCheck.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::size_t SnapshotStride = 256;
constexpr float PointSeconds = 10;

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

CeilingDive CeilingDiveOf(const LogDive &dive)
{
    CeilingDive out;
    out.mixes = dive.mixes.empty() ? std::vector<DiveMix>{DiveMix{}} : dive.mixes;
    out.samples.reserve(dive.samples.size());
    for (const DiveSample &s : dive.samples)
        out.samples.push_back({s.time, s.depth, s.gas});
    return out;
}

DiveCeiling::DiveCeiling(CeilingDive dive, const deco::DecoSettings &settings)
    : m_dive(std::move(dive)), m_walk{deco::DecoTracker(settings)}
{
    const std::size_t count = m_dive.samples.size();
    reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        walkOn(i);
    finish();
}

DiveCeiling::DiveCeiling(std::vector<DiveMix> mixes, const deco::DecoSettings &settings)
    : m_dive{{}, std::move(mixes)}, m_walk{deco::DecoTracker(settings)}
{
}

void DiveCeiling::reserve(std::size_t samples)
{
    m_dive.samples.reserve(samples);
    m_snapshots.reserve(samples / SnapshotStride + 1);
}

void DiveCeiling::add(const CeilingSample &sample)
{
    m_dive.samples.push_back(sample);
    walkOn(m_dive.samples.size() - 1);
}

void DiveCeiling::walkOn(std::size_t i)
{
    if (i % SnapshotStride == 0)
        m_snapshots.push_back(m_walk);
    // Whether a sample follows is not known yet: `finish` adds the last point.
    const CeilingSample &sample = m_dive.samples[i];
    m_pointAtLast = step(m_walk, sample, false);
    if (m_pointAtLast)
        m_points.push_back({sample.seconds, float(m_walk.tracker.diveCeiling())});
}

void DiveCeiling::finish()
{
    // The last sample always gives a point.
    if (m_dive.samples.empty() || m_pointAtLast)
        return;
    m_pointAtLast = true;
    m_points.push_back({m_dive.samples.back().seconds, float(m_walk.tracker.diveCeiling())});
}

bool DiveCeiling::step(Walk &walk, const CeilingSample &sample, bool last) const
{
    const DiveMix mix = sample.mix < m_dive.mixes.size() ? m_dive.mixes[sample.mix] : DiveMix{};
    walk.tracker.add(sample.seconds / 60.0, sample.metres, {mix.o2, mix.he});
    if (walk.started && sample.seconds - walk.lastPoint < PointSeconds && !last)
        return false;
    walk.started = true;
    walk.lastPoint = sample.seconds;
    return true;
}

DiveAhead DiveCeiling::aheadAt(double seconds) const
{
    DiveAhead ahead;
    const std::vector<CeilingSample> &samples = m_dive.samples;
    if (samples.empty())
        return ahead;
    // The sample at or before `seconds` (the first when all lie after it).
    const auto after = std::upper_bound(samples.begin(), samples.end(), seconds,
                                        [](double t, const CeilingSample &s) { return t < double(s.seconds); });
    const std::size_t index = after == samples.begin() ? 0 : std::size_t(after - samples.begin()) - 1;
    const std::size_t snapshot = std::min(index / SnapshotStride, m_snapshots.size() - 1);
    Walk walk = m_snapshots[snapshot];
    for (std::size_t i = snapshot * SnapshotStride; i <= index; ++i)
        if (step(walk, samples[i], i + 1 == samples.size()))
            walk.tracker.diveCeiling(); // moves the first stop as the whole walk did
    ahead.ceiling = walk.tracker.diveCeiling();
    ahead.noDecoLimit = walk.tracker.noDecoLimit();
    // A diver carries the dive's other mixes: the ascent switches to them.
    std::vector<deco::BreathingGas> carried;
    for (const DiveMix &mix : m_dive.mixes)
        carried.push_back({mix.o2, mix.he});
    ahead.timeToSurface = walk.tracker.timeToSurface(carried);
    return ahead;
}

void DrawDiveCeiling(const DiveCeiling &ceiling, bool metric, QRgb color, DanPlotter &plotter)
{
    const double scale = metric ? 1.0 : Conversion::MetresToFeet;
    const std::vector<CeilingPoint> &points = ceiling.points();
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
    for (std::size_t i = 0; i < points.size(); ++i) {
        const double t = points[i].seconds;
        const double depth = points[i].metres * scale;
        if (depth <= 0) {
            if (drawing)
                put(DanDrawOp::LineTo, t, 0);
            drawing = false;
            continue;
        }
        if (!drawing) {
            // The line leaves the surface where the point before was.
            put(DanDrawOp::MoveTo, i > 0 ? points[i - 1].seconds : t, 0);
            put(DanDrawOp::LineTo, t, depth);
            drawing = true;
            lastDrawn = depth;
            continue;
        }
        const bool last = i + 1 == points.size() || points[i + 1].metres <= 0;
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
