#include "profiles/model/DiveXml.h"

#include <charconv>
#include <cmath>

namespace {

constexpr qint64 PieceSize = 1 << 18;

QStringView localPart(QStringView name)
{
    const qsizetype colon = name.lastIndexOf(u':');
    return colon < 0 ? name : name.mid(colon + 1);
}

} // namespace

DiveXml::DiveXml(QFile &file, qint64 begin, qint64 end, const QByteArray &declaration, int firstLine,
                 std::function<void(qint64)> progress)
    : m_file(file), m_next(begin), m_end(end), m_firstLine(firstLine), m_progress(std::move(progress))
{
    m_xml.setNamespaceProcessing(false);
    if (!declaration.isEmpty())
        m_xml.addData(declaration);
    feed();
}

bool DiveXml::feed()
{
    if (m_next >= m_end)
        return false;
    if (!m_file.seek(m_next))
        return false;
    const QByteArray piece = m_file.read(std::min(PieceSize, m_end - m_next));
    if (piece.isEmpty())
        return false;
    m_next += piece.size();
    m_xml.addData(piece);
    if (m_progress)
        m_progress(m_next);
    return true;
}

bool DiveXml::next()
{
    if (failed() || m_endedEarly)
        return false;
    for (;;) {
        m_token = m_xml.readNext();
        switch (m_token) {
        case QXmlStreamReader::StartElement:
            m_name = localPart(m_xml.qualifiedName());
            m_text.resize(0); // keeps its room for the next element's text
            return true;
        case QXmlStreamReader::EndElement: m_name = localPart(m_xml.qualifiedName()); return true;
        case QXmlStreamReader::Characters:
            if (!m_xml.isWhitespace())
                m_text += m_xml.text();
            break;
        case QXmlStreamReader::EndDocument: return false;
        case QXmlStreamReader::Invalid:
            if (m_xml.error() == QXmlStreamReader::PrematureEndOfDocumentError) {
                if (feed())
                    continue;
                m_endedEarly = true;
                m_errorLine = m_firstLine + int(m_xml.lineNumber()) - 1;
                m_endReason = m_xml.errorString();
                return false;
            }
            m_error = m_xml.errorString();
            // The declaration put in front has no line of its own.
            m_errorLine = m_firstLine + int(m_xml.lineNumber()) - 1;
            return false;
        default: break;
        }
    }
}

QStringView DiveXml::attribute(QStringView name) const
{
    for (const QXmlStreamAttribute &a : m_xml.attributes())
        if (localPart(a.qualifiedName()) == name)
            return a.value();
    return {};
}

QStringView DiveXml::text() const { return QStringView(m_text).trimmed(); }

void DiveXml::skipElement()
{
    int depth = 1;
    while (depth > 0 && next())
        depth += isStart() ? 1 : -1;
}

namespace {

// Nearly every number of a log is a plain decimal ("12.5", "-3", "2.1e-3"):
// read straight from its characters, which costs a small part of what
// QString's reader spends building a C-locale copy of the text. False for
// anything else, which that reader then decides on.
bool plainNumber(QStringView text, double &value)
{
    char chars[64];
    if (text.isEmpty() || text.size() > qsizetype(sizeof chars))
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if ((c < u'0' || c > u'9') && c != u'.' && c != u'-' && c != u'+' && c != u'e' && c != u'E')
            return false;
        chars[i] = char(c);
    }
    const char *end = chars + text.size();
    const auto [stop, error] = std::from_chars(chars, end, value);
    return error == std::errc() && stop == end;
}

} // namespace

bool DiveNumber(QStringView text, double &value)
{
    text = text.trimmed();
    double v = 0;
    if (!plainNumber(text, v)) {
        bool ok = false;
        v = text.toDouble(&ok);
        if (!ok)
            return false;
    }
    if (!std::isfinite(v) || std::fabs(v) > 1e9)
        return false;
    value = v;
    return true;
}
