#include "profiles/model/DanProfile.h"

#include "core/Errors.h"
#include "core/NumText.h"
#include "profiles/model/DanDrawing.h"
#include "profiles/model/DanFields.h"
#include "profiles/model/DanPlainSample.h"

#include <QString>

#include <array>
#include <cmath>

namespace {

using namespace ProfileColors;

constexpr double MaxFieldMagnitude = 1e12;

const char *const FieldNames[DanSampleFields] = {"time",          "depth",   "third",       "warning",
                                                 "decompression", "ceiling", "temperature", "tank pressure"};

std::string_view required(const std::array<std::string_view, DanSampleFields> &fields, int count, int number)
{
    if (number > count)
        throw ConvertError(
            QStringLiteral("The sample line ends before its %1 field").arg(QLatin1StringView(FieldNames[number - 1])));
    return fields[number - 1];
}

double realField(const std::array<std::string_view, DanSampleFields> &fields, int count, int number)
{
    const std::string_view text = required(fields, count, number);
    double value = 0;
    if (!TryStrToFloat(text, '.', value))
        throw ConvertError(QStringLiteral("'%1' is not a valid floating point value")
                               .arg(QLatin1StringView(text.data(), qsizetype(text.size()))));
    // Far beyond any dive; larger values would overflow the time in seconds
    // and the chart's ranges worked out from them.
    if (std::fabs(value) > MaxFieldMagnitude)
        throw ConvertError(QStringLiteral("'%1' is out of range for the %2 field")
                               .arg(QLatin1StringView(text.data(), qsizetype(text.size())),
                                    QLatin1StringView(FieldNames[number - 1])));
    return value;
}

int integerField(const std::array<std::string_view, DanSampleFields> &fields, int count, int number)
{
    const std::string_view text = required(fields, count, number);
    int value = 0;
    if (!TryDecimalToInt(text, value))
        throw ConvertError(QStringLiteral("'%1' is not a valid integer value")
                               .arg(QLatin1StringView(text.data(), qsizetype(text.size()))));
    return value;
}

// The fields of a sample line split apart, each read when it is asked for,
// so that a field that is no number is reported where the drawing of the
// line has got to.
class SplitFields
{
public:
    explicit SplitFields(std::string_view line) : m_count(DanSplitFields(line, m_fields)) {}
    double time() const { return realField(m_fields, m_count, 1); }
    double depth() const { return realField(m_fields, m_count, 2); }
    std::string_view warning() const { return m_fields[3]; }
    std::string_view decompression() const { return m_fields[4]; }
    int ceiling() const { return integerField(m_fields, m_count, 6); }
    double temperature() const { return realField(m_fields, m_count, 7); }
    int pressure() const { return integerField(m_fields, m_count, 8); }

private:
    std::array<std::string_view, DanSampleFields> m_fields;
    int m_count;
};

// A plain sample line, read in one pass; only its temperature may still
// need the general reader.
class PlainFields
{
public:
    PlainFields(std::string_view line, const DanPlainSample &sample) : m_line(line), m_sample(sample) {}
    double time() const { return m_sample.time; }
    double depth() const { return m_sample.depth; }
    std::string_view warning() const { return m_sample.warning; }
    std::string_view decompression() const { return m_sample.decompression; }
    int ceiling() const { return m_sample.ceiling; }
    double temperature() const
    {
        double value = 0;
        return DanReadPlainReal(m_sample.temperature, value) ? value : SplitFields(m_line).temperature();
    }
    int pressure() const { return m_sample.pressure; }

private:
    std::string_view m_line;
    const DanPlainSample &m_sample;
};

} // namespace

DanProfile::DanProfile(DanPlotter &plotter, bool animate, std::function<void()> redraw)
    : m_plotter(plotter), m_animate(animate), m_redraw(std::move(redraw))
{
}

void DanProfile::resetDive()
{
    m_sampleCount = 0;
    m_samplingInterval = 0;
    m_bandCeiling = 0;
    m_bandStart = 0;
    m_firstPressure = 0;
    m_pressureScale = 0;
}

void DanProfile::put(DanDrawOp::Kind kind, double x, double y, int markStyle)
{
    DanDrawOp op;
    op.kind = kind;
    op.x = x;
    op.y = y;
    op.markStyle = markStyle;
    op.color = kind == DanDrawOp::MoveTo ? 0 : m_pen;
    m_plotter.draw(op);
}

void DanProfile::closeBand(double t)
{
    DanDrawOp op;
    op.kind = DanDrawOp::Rectangle;
    op.x = m_bandStart;
    op.y = -1.0;
    op.x2 = t;
    op.y2 = m_bandCeiling;
    m_plotter.draw(op);
}

void DanProfile::ParseData(std::string_view line)
{
    DanPlainSample plain;
    if (DanReadPlainSample(line, plain))
        drawSample(PlainFields(line, plain));
    else
        drawSample(SplitFields(line));
}

template <typename Fields>
void DanProfile::drawSample(const Fields &fields)
{
    ++m_sampleCount;

    const double t = DanTimeSeconds(fields.time());
    if (t > m_maxTime)
        m_maxTime = t;
    const int p = fields.pressure();
    if (m_sampleCount == 1) {
        m_firstTime = t;
        m_firstPressure = p;
        m_pressureScale = p * 0.014285714285714285;
    } else {
        if (m_sampleCount == 2)
            m_samplingInterval = t - m_firstTime;
        // Tank pressure on the depth scale, the first sample's at 70; a
        // first pressure of 0 gives no scale and no marks.
        if (m_sampleCount % 10 == 0 && m_pressureScale != 0) {
            m_pen = Black;
            put(DanDrawOp::Mark, t, double(Round(p / m_pressureScale)), DanPressureMark);
        }
    }

    const double d = fields.depth();
    if (d > m_maxDepth)
        m_maxDepth = d;
    if (m_sample)
        m_sample(t, d);
    const int k = fields.ceiling();
    const std::string_view deco = fields.decompression();
    if (deco == "false")
        m_pen = White;
    else
        m_pen = k >= d ? Red : Yellow;
    put(DanDrawOp::LineTo, t, d);

    if (fields.warning() == "true") {
        m_pen = Red;
        put(DanDrawOp::Mark, t, d, DanDotMark);
    }
    bool penMoved = false;
    if (m_sampleCount % 20 == 0) {
        penMoved = true;
        const double temperature = fields.temperature();
        if (temperature > m_maxTemperature)
            m_maxTemperature = temperature;
        m_pen = Blue;
        put(DanDrawOp::MoveTo, t, temperature);
        put(DanDrawOp::Mark, t, temperature, DanDotMark);
    }

    // The band between the surface and the ceiling while decompression is
    // due: a piece is closed where the ceiling changes or decompression ends.
    if (deco == "true") {
        if (m_bandCeiling == 0) {
            m_bandCeiling = k;
            m_bandStart = t;
        } else if (k != m_bandCeiling) {
            closeBand(t);
            m_bandCeiling = k;
            m_bandStart = t;
        }
    } else if (m_bandCeiling > 0 && m_bandStart > 0) {
        closeBand(t);
        m_bandCeiling = 0;
        m_bandStart = 0;
    }

    // The next sample's line starts at this one. Marks and rectangles leave
    // the pen where it is, so the move is needed only after the temperature
    // mark; skipping it halves the chart's list of a long profile.
    if (penMoved)
        put(DanDrawOp::MoveTo, t, d);
    if (m_redraw && m_sampleCount % (m_animate ? 20 : 200) == 0)
        m_redraw();
}
