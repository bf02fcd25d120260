// Subsurface logbooks: values are attributes whose text carries the unit
// after a blank ("12.3 m", "45:30 min", "18.0 C", "200.0 bar", "11.1 l",
// "32.0%"); samples repeat only what changed; gas switches are events.

#include "profiles/model/DiveLogFormats.h"
#include "profiles/model/DiveXml.h"

#include "core/Units.h"

#include <algorithm>

namespace {

// The number and the unit word of a value.
bool valueOf(QStringView text, double &value, QStringView &unit)
{
    text = text.trimmed();
    if (text.isEmpty())
        return false;
    const qsizetype blank = text.indexOf(u' ');
    unit = blank < 0 ? QStringView() : text.mid(blank + 1).trimmed();
    QStringView digits = blank < 0 ? text : text.left(blank);
    if (digits.endsWith(u'%')) {
        digits.chop(1);
        unit = u"%";
    }
    return DiveNumber(digits, value);
}

float depthOf(QStringView text)
{
    double value = 0;
    QStringView unit;
    if (!valueOf(text, value, unit))
        return NoValue;
    return float(unit == u"ft" ? value * Conversion::FeetToMetres : value);
}

// "45:30 min" (minutes:seconds), "45 min", "30 sec".
float timeOf(QStringView text)
{
    text = text.trimmed();
    const qsizetype blank = text.indexOf(u' ');
    const QStringView unit = blank < 0 ? QStringView() : text.mid(blank + 1).trimmed();
    const QStringView digits = blank < 0 ? text : text.left(blank);
    double minutes = 0, seconds = 0;
    if (const qsizetype colon = digits.indexOf(u':'); colon >= 0) {
        if (!DiveNumber(digits.left(colon), minutes) || !DiveNumber(digits.mid(colon + 1), seconds))
            return NoValue;
        return float(minutes * 60 + seconds);
    }
    if (!DiveNumber(digits, seconds))
        return NoValue;
    return float(unit.startsWith(u"min") ? seconds * 60 : seconds);
}

float temperatureOf(QStringView text)
{
    double value = 0;
    QStringView unit;
    if (!valueOf(text, value, unit))
        return NoValue;
    if (unit == u"F")
        return float((value - Conversion::FahrenheitOffset) * Conversion::FahrenheitToCelsiusFactor);
    if (unit == u"K")
        return float(value - 273.15);
    return float(value);
}

float pressureOf(QStringView text)
{
    double value = 0;
    QStringView unit;
    if (!valueOf(text, value, unit))
        return NoValue;
    return float(unit == u"psi" ? value * Conversion::PsiToBar : value);
}

// "32.0%" as 0.32; NoValue when absent.
float fractionOf(QStringView text)
{
    double value = 0;
    QStringView unit;
    if (!valueOf(text, value, unit))
        return NoValue;
    return float(std::clamp(unit == u"%" ? value / 100 : value, 0.0, 1.0));
}

struct GasSwitch
{
    float time;
    std::uint8_t gas;
};

class SsrfDive
{
public:
    SsrfDive(const DiveLogContext &context, LogDive &dive) : m_context(context), m_dive(dive) {}
    void start(DiveXml &xml);
    bool end(DiveXml &xml);
    void finish();

private:
    std::uint8_t mixIndex(const DiveMix &mix);

    const DiveLogContext &m_context;
    LogDive &m_dive;
    int m_computers = 0;
    int m_cylinders = 0;
    DiveSample m_last; // the values samples carry over
    std::vector<GasSwitch> m_switches;
};

std::uint8_t SsrfDive::mixIndex(const DiveMix &mix)
{
    for (std::size_t i = 0; i < m_dive.mixes.size(); ++i)
        if (std::abs(m_dive.mixes[i].o2 - mix.o2) < 0.005 && std::abs(m_dive.mixes[i].he - mix.he) < 0.005)
            return std::uint8_t(i);
    if (m_dive.mixes.size() >= 255)
        return 0;
    m_dive.mixes.push_back(mix);
    return std::uint8_t(m_dive.mixes.size() - 1);
}

void SsrfDive::start(DiveXml &xml)
{
    const QStringView name = xml.name();
    DiveHeader &h = m_dive.header;
    if (NameIs(name, u"dive")) {
        h.number = xml.attribute(u"number").toString();
        h.date = xml.attribute(u"date").toString();
        h.time = xml.attribute(u"time").trimmed().left(5).toString();
        if (const float duration = timeOf(xml.attribute(u"duration")); HasValue(duration))
            h.duration = duration;
        h.location = m_context.sites.value(xml.attribute(u"divesiteid").toString());
    } else if (NameIs(name, u"divecomputer")) {
        if (++m_computers > 1) {
            // Only the first computer's profile is read.
            xml.skipElement();
            return;
        }
        const QString model = xml.attribute(u"model").toString();
        const QString serial = m_context.computers.value(xml.attribute(u"deviceid").toString(),
                                                         xml.attribute(u"serial").toString());
        h.computer = (model + u' ' + serial).trimmed();
        const QStringView type = xml.attribute(u"dctype");
        h.rebreather = type == u"CCR" || type == u"PSCR";
    } else if (NameIs(name, u"cylinder")) {
        DiveMix mix;
        if (const float o2 = fractionOf(xml.attribute(u"o2")); HasValue(o2) && o2 > 0)
            mix.o2 = o2;
        if (const float he = fractionOf(xml.attribute(u"he")); HasValue(he))
            mix.he = he;
        // Each cylinder keeps its own place: events name cylinders by number.
        if (m_dive.mixes.size() < 255)
            m_dive.mixes.push_back(mix);
        if (++m_cylinders == 1) {
            h.tankDescription = xml.attribute(u"description").toString();
            double size = 0;
            QStringView unit;
            if (valueOf(xml.attribute(u"size"), size, unit)) {
                const float work = pressureOf(xml.attribute(u"workpressure"));
                if (unit == u"cuft")
                    size = HasValue(work) && work > 0 ? size * Conversion::CuFtToLitres / work : 0;
                h.tankLitres = size;
                h.tankWorkPressure = HasValue(work) ? work : 0;
            }
            h.startPressure = pressureOf(xml.attribute(u"start"));
            h.endPressure = pressureOf(xml.attribute(u"end"));
        }
    } else if (NameIs(name, u"depth")) {
        if (const float max = depthOf(xml.attribute(u"max")); HasValue(max))
            h.maxDepth = max;
    } else if (NameIs(name, u"event")) {
        if (xml.attribute(u"name") != u"gaschange")
            return;
        const float time = timeOf(xml.attribute(u"time"));
        if (!HasValue(time))
            return;
        double cylinder = 0;
        if (DiveNumber(xml.attribute(u"cylinder"), cylinder) && cylinder >= 0
            && cylinder < double(m_dive.mixes.size())) {
            m_switches.push_back({time, std::uint8_t(cylinder)});
            return;
        }
        DiveMix mix;
        double value = 0;
        if (const float o2 = fractionOf(xml.attribute(u"o2")); HasValue(o2) && o2 > 0) {
            mix.o2 = o2;
            if (const float he = fractionOf(xml.attribute(u"he")); HasValue(he))
                mix.he = he;
        } else if (DiveNumber(xml.attribute(u"value"), value) && value > 0) {
            // Older files: O2 percent, helium percent in the upper 16 bits.
            const long long packed = (long long)value;
            mix.o2 = std::clamp(double(packed & 0xFFFF) / 100, 0.0, 1.0);
            mix.he = std::clamp(double((packed >> 16) & 0xFFFF) / 100, 0.0, 1.0);
        } else {
            return;
        }
        m_switches.push_back({time, mixIndex(mix)});
    } else if (NameIs(name, u"sample")) {
        DiveSample s = m_last;
        s.given = 0;
        s.time = timeOf(xml.attribute(u"time"));
        s.depth = depthOf(xml.attribute(u"depth"));
        if (const float t = temperatureOf(xml.attribute(u"temp")); HasValue(t)) {
            s.temperature = t;
            s.given |= DiveSample::TemperatureGiven;
        }
        const QStringView sensor = xml.attribute(u"sensor");
        if (sensor.isEmpty() || sensor == u"0") {
            QStringView pressure = xml.attribute(u"pressure");
            if (pressure.isEmpty())
                pressure = xml.attribute(u"pressure0");
            if (const float p = pressureOf(pressure); HasValue(p)) {
                s.pressure = p;
                s.given |= DiveSample::PressureGiven;
            }
        }
        if (const QStringView stop = xml.attribute(u"stopdepth"); !stop.isEmpty())
            s.ceiling = std::max(0.0f, HasValue(depthOf(stop)) ? depthOf(stop) : 0.0f);
        if (const QStringView deco = xml.attribute(u"in_deco"); !deco.isEmpty())
            s.inDeco = deco.trimmed() == u"1";
        if (const float po2 = pressureOf(xml.attribute(u"po2")); HasValue(po2))
            s.ppO2 = po2;
        m_last = s;
        if (HasValue(s.time) && HasValue(s.depth))
            m_dive.samples.push_back(s);
    }
}

bool SsrfDive::end(DiveXml &xml)
{
    const QStringView name = xml.name();
    DiveHeader &h = m_dive.header;
    if (NameIs(name, u"dive"))
        return false;
    if (NameIs(name, u"buddy"))
        h.buddy = xml.text().toString();
    else if (NameIs(name, u"divemaster"))
        h.divemaster = xml.text().toString();
    else if (NameIs(name, u"notes"))
        h.notes = xml.text().toString();
    else if (NameIs(name, u"location") && h.location.isEmpty())
        h.location = xml.text().toString();
    return true;
}

void SsrfDive::finish()
{
    if (m_dive.mixes.empty())
        m_dive.mixes.push_back(DiveMix{});
    // Each sample breathes the mix of the last switch at or before it.
    std::stable_sort(m_switches.begin(), m_switches.end(),
                     [](const GasSwitch &a, const GasSwitch &b) { return a.time < b.time; });
    std::size_t next = 0;
    std::uint8_t gas = 0;
    for (DiveSample &s : m_dive.samples) {
        while (next < m_switches.size() && m_switches[next].time <= s.time)
            gas = m_switches[next++].gas;
        s.gas = gas;
    }
}

} // namespace

void SubsurfaceReadProlog(DiveXml &xml, DiveLogContext &context)
{
    while (xml.next()) {
        if (!xml.isStart())
            continue;
        if (xml.name() == u"divecomputerid")
            context.computers.insert(xml.attribute(u"deviceid").toString(), xml.attribute(u"serial").toString());
        else if (xml.name() == u"site")
            context.sites.insert(xml.attribute(u"uuid").trimmed().toString(), xml.attribute(u"name").toString());
    }
}

void SubsurfaceReadDive(DiveXml &xml, const DiveLogContext &context, LogDive &dive)
{
    SsrfDive reading(context, dive);
    while (xml.next()) {
        if (xml.isStart())
            reading.start(xml);
        else if (!reading.end(xml))
            break;
    }
    reading.finish();
}
