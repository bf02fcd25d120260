#include "platform/RtfTokenizer.h"

#include <algorithm>

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

int hexValue(char c)
{
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

RtfToken RtfTokenizer::next()
{
    while (m_pos < m_data.size() && isLineEnd(m_data[m_pos]))
        ++m_pos;
    if (m_pos >= m_data.size())
        return {};

    RtfToken token;
    switch (m_data[m_pos]) {
    case '{':
        ++m_pos;
        token.kind = RtfToken::Kind::GroupStart;
        return token;
    case '}':
        ++m_pos;
        token.kind = RtfToken::Kind::GroupEnd;
        return token;
    case '\\':
        return readControl();
    default:
        return readText();
    }
}

RtfToken RtfTokenizer::readControl()
{
    ++m_pos; // the backslash
    RtfToken token;
    if (m_pos >= m_data.size())
        return token; // a lone backslash at the end
    const char c = m_data[m_pos];
    if (isLetter(c))
        return readControlWord();

    ++m_pos;
    if (c == '\'') {
        const int high = m_pos < m_data.size() ? hexValue(m_data[m_pos]) : -1;
        const int low = m_pos + 1 < m_data.size() ? hexValue(m_data[m_pos + 1]) : -1;
        if (high >= 0 && low >= 0) {
            m_pos += 2;
            token.kind = RtfToken::Kind::HexByte;
            token.byte = static_cast<unsigned char>(high * 16 + low);
            return token;
        }
        // A broken escape is dropped with the one hex digit it may have.
        if (high >= 0)
            ++m_pos;
    }
    token.kind = RtfToken::Kind::ControlSymbol;
    // A backslash before a line end is the old spelling of \par.
    token.symbol = isLineEnd(c) ? '\n' : c;
    return token;
}

RtfToken RtfTokenizer::readControlWord()
{
    RtfToken token;
    token.kind = RtfToken::Kind::ControlWord;
    const qsizetype start = m_pos;
    while (m_pos < m_data.size() && isLetter(m_data[m_pos]))
        ++m_pos;
    token.word = std::string_view(m_data.data() + start, size_t(m_pos - start));

    bool negative = false;
    if (m_pos + 1 < m_data.size() && m_data[m_pos] == '-' && isDigit(m_data[m_pos + 1])) {
        negative = true;
        ++m_pos;
    }
    if (m_pos < m_data.size() && isDigit(m_data[m_pos])) {
        long long value = 0;
        while (m_pos < m_data.size() && isDigit(m_data[m_pos])) {
            value = std::min<long long>(value * 10 + (m_data[m_pos] - '0'), parameterLimit);
            ++m_pos;
        }
        token.hasParameter = true;
        token.parameter = static_cast<int>(negative ? -value : value);
    }
    // One space ends a control word and belongs to it.
    if (m_pos < m_data.size() && m_data[m_pos] == ' ')
        ++m_pos;

    if (token.word == "bin" && token.hasParameter && token.parameter > 0)
        m_pos += std::min<qsizetype>(token.parameter, m_data.size() - m_pos);
    return token;
}

RtfToken RtfTokenizer::readText()
{
    const qsizetype start = m_pos;
    while (m_pos < m_data.size()) {
        const char c = m_data[m_pos];
        if (c == '{' || c == '}' || c == '\\' || isLineEnd(c))
            break;
        ++m_pos;
    }
    RtfToken token;
    token.kind = RtfToken::Kind::Text;
    token.word = std::string_view(m_data.data() + start, size_t(m_pos - start));
    return token;
}
