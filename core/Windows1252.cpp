#include "core/Windows1252.h"

#include <QStringDecoder>

namespace {
// 0x80..0x9F; the five unassigned bytes map to themselves, as Windows does.
constexpr char16_t HighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
} // namespace

QChar windows1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return QChar(HighControls[byte - 0x80]);
    return QChar(char16_t(byte));
}

QString decodeWindows1252(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (const char b : bytes)
        out += windows1252ToUnicode(static_cast<unsigned char>(b));
    return out;
}

unsigned char unicodeToWindows1252(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<unsigned char>(u);
    for (int i = 0; i < 32; ++i)
        if (HighControls[i] == u)
            return static_cast<unsigned char>(0x80 + i);
    return 0;
}

QString decodeUtf8OrWindows1252(const QByteArray &bytes, bool *hadBom)
{
    const bool bom = bytes.startsWith("\xEF\xBB\xBF");
    if (hadBom)
        *hadBom = bom;
    const QByteArray body = bom ? bytes.mid(3) : bytes;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(body);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(body);
}
