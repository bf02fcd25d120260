// UDDF: SI units throughout (metres, seconds, kelvin, pascal, fractions,
// cubic metres); values are the texts of elements, mixes and sites are
// named by id and linked from the dives.

#include "profiles/model/DiveLogFormats.h"
#include "profiles/model/DiveXml.h"

#include <QStringList>

namespace {

constexpr double KelvinOffset = 273.15;
constexpr double PascalPerBar = 100000.0;

float number(QStringView text, double scale = 1.0, double offset = 0.0)
{
    double value = 0;
    return DiveNumber(text, value) ? float(value * scale + offset) : NoValue;
}

QString joined(const QString &a, const QString &b)
{
    if (a.isEmpty())
        return b;
    return b.isEmpty() ? a : a + QStringLiteral(", ") + b;
}

} // namespace

void UddfReadProlog(DiveXml &xml, DiveLogContext &context)
{
    QStringList path; // local names of the open elements
    QString id, name, location, first, last, model, serial;
    double o2 = NoValue, he = 0;
    while (xml.next()) {
        const QString element = xml.name().toString();
        if (xml.isStart()) {
            path << element;
            if (element == u"mix" || element == u"site" || element == u"buddy" || element == u"divecomputer") {
                id = xml.attribute(u"id").toString();
                name.clear();
                location.clear();
                first.clear();
                last.clear();
                model.clear();
                serial.clear();
                o2 = NoValue;
                he = 0;
            }
            continue;
        }
        const QString text = xml.text().toString();
        const QString parent = path.size() >= 2 ? path[path.size() - 2] : QString();
        if (element == u"o2" && parent == u"mix")
            o2 = number(text);
        else if (element == u"he" && parent == u"mix")
            he = HasValue(number(text)) ? number(text) : 0;
        else if (element == u"name" && (parent == u"site" || parent == u"divecomputer"))
            name = text;
        else if (element == u"location" && parent == u"geography")
            location = text;
        else if (element == u"firstname" && path.contains(QStringLiteral("buddy")))
            first = text;
        else if (element == u"lastname" && path.contains(QStringLiteral("buddy")))
            last = text;
        else if (element == u"model" && parent == u"divecomputer")
            model = text;
        else if (element == u"serialnumber" && parent == u"divecomputer")
            serial = text;
        else if (element == u"mix" && HasValue(float(o2))) {
            context.mixIds.push_back(id);
            context.mixes.push_back({std::clamp(o2, 0.0, 1.0), std::clamp(he, 0.0, 1.0)});
        } else if (element == u"site") {
            context.sites.insert(id, joined(name, location));
        } else if (element == u"buddy") {
            context.people.insert(id, (first + u' ' + last).trimmed());
        } else if (element == u"divecomputer") {
            const QString shown = ((model.isEmpty() ? name : model) + u' ' + serial).trimmed();
            context.computers.insert(id, shown);
            if (context.firstComputer.isEmpty())
                context.firstComputer = shown;
        }
        if (!path.isEmpty())
            path.removeLast();
    }
}

namespace {

// The state of one dive while its elements go by.
class UddfDive
{
public:
    UddfDive(const DiveLogContext &context, LogDive &dive) : m_context(context), m_dive(dive)
    {
        m_dive.mixes = context.mixes;
        m_dive.header.computer = context.firstComputer;
    }
    void start(DiveXml &xml);
    // False at the dive's end.
    bool end(DiveXml &xml);

private:
    std::uint8_t mixIndex(QStringView id);
    std::uint8_t airIndex();

    const DiveLogContext &m_context;
    LogDive &m_dive;
    enum Section { Other, Before, After, Tank, Waypoint } m_section = Other;
    Section m_outer = Other; // the section a waypoint interrupts
    int m_tanks = 0;
    QString m_firstTank;            // id of the first tankdata
    QString m_trackedTank;          // the tank whose pressures are drawn
    bool m_pressureTracked = false; // the tankpressure being read is the tracked tank's
    bool m_firstGasSet = false;
    std::uint8_t m_gas = 0;
    DiveSample m_sample;
    double m_sensors = 0;
    int m_sensorCount = 0;
    QStringList m_paragraphs;
};

std::uint8_t UddfDive::mixIndex(QStringView id)
{
    for (std::size_t i = 0; i < m_context.mixIds.size() && i < 255; ++i)
        if (m_context.mixIds[i] == id)
            return std::uint8_t(i);
    // An unknown mix is taken for air.
    return airIndex();
}

std::uint8_t UddfDive::airIndex()
{
    for (std::size_t i = 0; i < m_dive.mixes.size() && i < 255; ++i)
        if (m_dive.mixes[i] == DiveMix{})
            return std::uint8_t(i);
    if (m_dive.mixes.size() >= 255)
        return 0;
    m_dive.mixes.push_back(DiveMix{});
    return std::uint8_t(m_dive.mixes.size() - 1);
}

void UddfDive::start(DiveXml &xml)
{
    const QStringView name = xml.name();
    if (NameIs(name, u"informationbeforedive"))
        m_section = Before;
    else if (NameIs(name, u"informationafterdive"))
        m_section = After;
    else if (NameIs(name, u"tankdata")) {
        if (++m_tanks == 1) {
            m_section = Tank;
            m_firstTank = xml.attribute(u"id").toString();
        }
    } else if (NameIs(name, u"waypoint")) {
        m_outer = m_section;
        m_section = Waypoint;
        m_sample = DiveSample{};
        // Without a tank's mix or a switch, air is breathed.
        if (!m_firstGasSet) {
            m_gas = airIndex();
            m_firstGasSet = true;
        }
        m_sensors = 0;
        m_sensorCount = 0;
    } else if (NameIs(name, u"link")) {
        const QString ref = xml.attribute(u"ref").toString();
        if (m_section == Tank && !m_firstGasSet) {
            m_gas = mixIndex(ref);
            m_firstGasSet = true;
        } else if (m_section == Before) {
            if (m_context.sites.contains(ref))
                m_dive.header.location = m_context.sites.value(ref);
            else if (m_context.people.contains(ref))
                m_dive.header.buddy = m_dive.header.buddy.isEmpty()
                                          ? m_context.people.value(ref)
                                          : m_dive.header.buddy + QStringLiteral(", ") + m_context.people.value(ref);
            else if (m_context.computers.contains(ref))
                m_dive.header.computer = m_context.computers.value(ref);
        }
    } else if (NameIs(name, u"divemode")) {
        m_dive.header.rebreather = xml.attribute(u"type") == u"closedcircuit";
    } else if (m_section == Waypoint) {
        if (NameIs(name, u"switchmix")) {
            m_gas = mixIndex(xml.attribute(u"ref"));
            m_firstGasSet = true;
        } else if (NameIs(name, u"decostop")) {
            if (xml.attribute(u"kind") == u"mandatory") {
                const float stop = number(xml.attribute(u"decodepth"));
                m_sample.inDeco = true;
                m_sample.ceiling = HasValue(stop) ? std::max(0.0f, stop) : 0.0f;
            }
        } else if (NameIs(name, u"tankpressure")) {
            // Decided at the start, while the attribute is at hand.
            const QStringView ref = xml.attribute(u"ref");
            if (m_trackedTank.isEmpty())
                m_trackedTank = m_firstTank.isEmpty() ? ref.toString() : m_firstTank;
            m_pressureTracked = ref.isEmpty() || ref == m_trackedTank;
        }
    }
}

bool UddfDive::end(DiveXml &xml)
{
    const QStringView name = xml.name();
    const QStringView text = xml.text();
    DiveHeader &h = m_dive.header;
    if (m_section == Waypoint) {
        if (NameIs(name, u"divetime"))
            m_sample.time = number(text);
        else if (NameIs(name, u"depth"))
            m_sample.depth = number(text);
        else if (NameIs(name, u"temperature")) {
            m_sample.temperature = number(text, 1.0, -KelvinOffset);
            if (HasValue(m_sample.temperature))
                m_sample.given |= DiveSample::TemperatureGiven;
        } else if (NameIs(name, u"tankpressure")) {
            if (m_pressureTracked) {
                m_sample.pressure = number(text, 1.0 / PascalPerBar);
                if (HasValue(m_sample.pressure))
                    m_sample.given |= DiveSample::PressureGiven;
            }
        } else if (NameIs(name, u"calculatedpo2")) {
            m_sample.ppO2 = number(text);
        } else if (NameIs(name, u"ppo2")) {
            if (const float pa = number(text); HasValue(pa)) {
                m_sensors += pa / PascalPerBar;
                ++m_sensorCount;
            }
        } else if (NameIs(name, u"waypoint")) {
            if (m_sensorCount > 0)
                m_sample.ppO2 = float(m_sensors / m_sensorCount);
            m_sample.gas = m_gas;
            // A waypoint without its time or depth is no point of the profile.
            if (HasValue(m_sample.time) && HasValue(m_sample.depth))
                m_dive.samples.push_back(m_sample);
            m_section = m_outer;
        }
        return true;
    }
    if (NameIs(name, u"dive")) {
        if (!m_paragraphs.isEmpty())
            h.notes = m_paragraphs.join(u'\n');
        return false;
    }
    if (NameIs(name, u"informationbeforedive") || NameIs(name, u"informationafterdive") || NameIs(name, u"tankdata")) {
        m_section = Other;
    } else if (m_section == Before) {
        if (NameIs(name, u"datetime")) {
            const QString value = text.toString();
            h.date = value.section(u'T', 0, 0);
            h.time = value.section(u'T', 1).left(5);
        } else if (NameIs(name, u"divenumber")) {
            h.number = text.toString();
        }
    } else if (m_section == After) {
        double value = 0;
        if (NameIs(name, u"greatestdepth") && DiveNumber(text, value))
            h.maxDepth = value;
        else if (NameIs(name, u"diveduration") && DiveNumber(text, value))
            h.duration = value;
        else if (NameIs(name, u"para"))
            m_paragraphs << text.toString();
        else if (NameIs(name, u"notes") && m_paragraphs.isEmpty() && !text.isEmpty())
            m_paragraphs << text.toString();
    } else if (m_section == Tank) {
        if (NameIs(name, u"tankvolume")) {
            const float cubicMetres = number(text);
            h.tankLitres = HasValue(cubicMetres) ? cubicMetres * 1000.0 : 0.0;
        } else if (NameIs(name, u"tankpressurebegin")) {
            h.startPressure = number(text, 1.0 / PascalPerBar);
        } else if (NameIs(name, u"tankpressureend")) {
            h.endPressure = number(text, 1.0 / PascalPerBar);
        }
    }
    return true;
}

} // namespace

void UddfReadDive(DiveXml &xml, const DiveLogContext &context, LogDive &dive)
{
    UddfDive reading(context, dive);
    while (xml.next()) {
        if (xml.isStart())
            reading.start(xml);
        else if (!reading.end(xml))
            break;
    }
    if (dive.mixes.empty())
        dive.mixes.push_back(DiveMix{});
}
