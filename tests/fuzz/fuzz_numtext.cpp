// Number text: any text parses or is refused with ConvertError, what parses
// shows and parses back to the same number, and any format string formats
// or is refused with ConvertError.

#include "core/Errors.h"
#include "core/NumText.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cmath>
#include <iterator>

namespace {

// The first byte picks the separators, the second splits the rest into a
// text to parse and a format or picture.
void useSeparators(unsigned char choice)
{
    static const QChar pairs[][2] = {{u'.', u','}, {u',', u'.'}, {u'.', u'\xa0'},
                                     {u',', u'\xa0'}, {u'.', u'\''}, {u'\x66b', u'\x66c'}};
    const auto &pair = pairs[choice % std::size(pairs)];
    numberFormatSettings().decimalSeparator = pair[0];
    numberFormatSettings().thousandSeparator = pair[1];
}

void checkParse(const QString &text)
{
    double v = 0;
    const bool ok = TryStrToFloat(text, v);
    try {
        const double w = StrToFloat(text);
        FUZZ_CHECK(ok && (w == v || (std::isnan(w) && std::isnan(v))), text);
    } catch (const ConvertError &) {
        FUZZ_CHECK(!ok, text);
    }
    int i = 0;
    const bool intOk = TryStrToInt(text, i);
    try {
        const int j = StrToInt(text);
        FUZZ_CHECK(intOk && j == i, text);
    } catch (const ConvertError &) {
        FUZZ_CHECK(!intOk, text);
    }
    FUZZ_CHECK(StrToIntDef(text, -7) == (intOk ? i : -7), text);
    if (intOk)
        FUZZ_CHECK(StrToInt(IntToStr(i)) == i, text);
    if (!ok || !std::isfinite(v))
        return;
    const QString shown = FloatToStr(v);
    double back = 0;
    FUZZ_CHECK(TryStrToFloat(shown, back), text + QStringLiteral(" -> ") + shown);
    FUZZ_CHECK(std::fabs(back - v) <= std::fabs(v) * 1e-14, text + QStringLiteral(" -> ") + shown);
    double mine = 0;
    FUZZ_CHECK(TryStrToFloat(MyFormat(v), mine), text + QStringLiteral(" -> ") + MyFormat(v));
    FUZZ_CHECK(std::fabs(mine - v) <= 0.005 + std::fabs(v) * 1e-14, text + QStringLiteral(" -> ") + MyFormat(v));
}

void checkFormat(const QString &format, const QString &text, double number)
{
    const long long whole = std::fabs(number) < 9e18 ? static_cast<long long>(number) : 0;
    try {
        Format(format, {whole, number, text});
    } catch (const ConvertError &) {
    }
    try {
        Format(format, {number});
    } catch (const ConvertError &) {
    }
    try {
        FormatFloat(format, number);
    } catch (const ConvertError &) {
    }
    for (const auto kind : {FloatFormat::General, FloatFormat::Exponent, FloatFormat::Fixed, FloatFormat::Number})
        FloatToStrF(number, kind, static_cast<int>(format.size()) % 20, static_cast<int>(text.size()) % 20);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size < 2 || size > 4096)
        return 0;
    useSeparators(data[0]);
    const QByteArray rest(reinterpret_cast<const char *>(data + 2), static_cast<qsizetype>(size - 2));
    const qsizetype split = std::min<qsizetype>(data[1], rest.size());
    const QString text = QString::fromUtf8(rest.left(split));
    const QString format = QString::fromUtf8(rest.mid(split));
    checkParse(text);
    checkParse(format);
    double number = 0;
    TryStrToFloat(text, number);
    checkFormat(format, text, number);
    return 0;
}
