#include "core/NumText.h"

#include "core/Errors.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

constexpr int MaxSignificantDigits = 15;
// Widths and precisions of Format beyond this are refused as invalid: no
// text is that wide, and a huge one would ask for gigabytes of blanks.
constexpr long long MaxFieldWidth = 4096;

NumberFormatSettings systemNumberFormat()
{
    const QLocale locale = QLocale::system();
    NumberFormatSettings s;
    const QString dp = locale.decimalPoint();
    const QString gs = locale.groupSeparator();
    s.decimalSeparator = dp.isEmpty() ? QChar(u'.') : dp.at(0);
    s.thousandSeparator = gs.isEmpty() ? QChar(u',') : gs.at(0);
    return s;
}

// A decimal value 0.d1d2d3... x 10^exponent. Empty digits mean zero; the
// digits carry no trailing zeros.
struct Decimal
{
    bool negative = false;
    QString digits;
    int exponent = 0;
    bool isZero() const { return digits.isEmpty(); }
};

// Rounds |value| to at most `precision` significant digits and at most
// `decimals` digits after the decimal point, half away from zero.
Decimal toDecimal(double value, int precision, int decimals)
{
    Decimal d;
    d.negative = std::signbit(value);
    if (value == 0.0)
        return d;
    precision = std::clamp(precision, 1, MaxSignificantDigits);

    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                   std::chars_format::scientific, MaxSignificantDigits - 1);
    const std::string text(buf, res.ptr);
    const auto ePos = text.find('e');
    std::string digits;
    for (size_t i = 0; i < ePos; ++i)
        if (text[i] != '.')
            digits += text[i];
    int exponent = std::atoi(text.c_str() + ePos + 1) + 1;

    long long keep = std::min<long long>(precision, static_cast<long long>(exponent) + decimals);
    if (keep < 0)
        return d;
    if (keep < static_cast<long long>(digits.size())) {
        const bool up = digits[keep] >= '5';
        digits.resize(keep);
        if (up) {
            int i = static_cast<int>(keep) - 1;
            while (i >= 0 && digits[i] == '9') {
                digits[i] = '0';
                --i;
            }
            if (i >= 0) {
                ++digits[i];
            } else {
                digits.insert(digits.begin(), '1');
                ++exponent;
            }
        }
    }
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    d.digits = QString::fromLatin1(digits.data(), static_cast<int>(digits.size()));
    d.exponent = exponent;
    return d;
}

QChar digitAt(const Decimal &d, int index)
{
    return index >= 0 && index < d.digits.size() ? d.digits.at(index) : QChar(u'0');
}

QString groupThousands(const QString &integerPart)
{
    const QChar sep = numberFormatSettings().thousandSeparator;
    QString out;
    const int n = integerPart.size();
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += sep;
        out += integerPart.at(i);
    }
    return out;
}

QString fixedText(const Decimal &d, int decimals, bool group)
{
    QString integerPart;
    if (d.exponent <= 0 || d.isZero())
        integerPart = QStringLiteral("0");
    else
        for (int i = 0; i < d.exponent; ++i)
            integerPart += digitAt(d, i);
    if (group)
        integerPart = groupThousands(integerPart);
    QString out = (d.negative && !d.isZero()) ? QStringLiteral("-") : QString();
    out += integerPart;
    if (decimals > 0) {
        out += numberFormatSettings().decimalSeparator;
        for (int i = 0; i < decimals; ++i)
            out += d.isZero() ? QChar(u'0') : digitAt(d, d.exponent + i);
    }
    return out;
}

QString exponentText(int exponent, int minDigits, bool alwaysSign)
{
    QString out = exponent < 0 ? QStringLiteral("-") : (alwaysSign ? QStringLiteral("+") : QString());
    out += QString::number(std::abs(exponent)).rightJustified(minDigits, u'0');
    return out;
}

QString specialText(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

QString generalText(double value, int precision, int digits)
{
    const Decimal d = toDecimal(value, precision, INT_MAX / 2);
    if (d.isZero())
        return QStringLiteral("0");
    const QString sign = d.negative ? QStringLiteral("-") : QString();
    if (d.exponent > std::clamp(precision, 1, MaxSignificantDigits) || d.exponent < -4) {
        QString mantissa = d.digits.left(1);
        if (d.digits.size() > 1)
            mantissa += numberFormatSettings().decimalSeparator + d.digits.mid(1);
        return sign + mantissa + u'E' + exponentText(d.exponent - 1, digits, false);
    }
    const int decimals = std::max(0, static_cast<int>(d.digits.size()) - d.exponent);
    return fixedText(d, decimals, false);
}

QString exponentFormatText(double value, int precision, int digits)
{
    precision = std::clamp(precision, 1, MaxSignificantDigits);
    const Decimal d = toDecimal(value, precision, INT_MAX / 2);
    QString out = (d.negative && !d.isZero()) ? QStringLiteral("-") : QString();
    out += digitAt(d, 0);
    if (precision > 1) {
        out += numberFormatSettings().decimalSeparator;
        for (int i = 1; i < precision; ++i)
            out += digitAt(d, i);
    }
    const int shownExponent = d.isZero() ? 0 : d.exponent - 1;
    return out + u'E' + exponentText(shownExponent, std::clamp(digits, 0, 4), true);
}

[[noreturn]] void formatError(const QString &format)
{
    throw ConvertError(QStringLiteral("Format '%1' invalid or incompatible with argument").arg(format));
}

double asDouble(const FormatArg &arg, const QString &format)
{
    if (const auto *d = std::get_if<double>(&arg.value()))
        return *d;
    if (const auto *i = std::get_if<long long>(&arg.value()))
        return static_cast<double>(*i);
    formatError(format);
}

long long asInteger(const FormatArg &arg, const QString &format)
{
    if (const auto *i = std::get_if<long long>(&arg.value()))
        return *i;
    formatError(format);
}

QString asText(const FormatArg &arg, const QString &format)
{
    if (const auto *s = std::get_if<QString>(&arg.value()))
        return *s;
    formatError(format);
}

bool isBlank(QChar c) { return c.unicode() <= ' '; }

} // namespace

NumberFormatSettings &numberFormatSettings()
{
    static NumberFormatSettings settings = systemNumberFormat();
    return settings;
}

void useSystemNumberFormat() { numberFormatSettings() = systemNumberFormat(); }

QString FloatToStrF(double value, FloatFormat format, int precision, int digits)
{
    if (!std::isfinite(value))
        return specialText(value);
    switch (format) {
    case FloatFormat::General:
        return generalText(value, precision, digits);
    case FloatFormat::Exponent:
        return exponentFormatText(value, precision, digits);
    case FloatFormat::Fixed:
    case FloatFormat::Number: {
        const Decimal d = toDecimal(value, precision, std::max(digits, 0));
        if (d.exponent > std::clamp(precision, 1, MaxSignificantDigits))
            return generalText(value, precision, 0);
        return fixedText(d, std::max(digits, 0), format == FloatFormat::Number);
    }
    }
    return {};
}

QString FloatToStr(double value)
{
    return FloatToStrF(value, FloatFormat::General, MaxSignificantDigits, 0);
}

QString MyFormat(double value)
{
    return Format(QStringLiteral("%8.2f"), {value}).trimmed();
}

double Round2(double value)
{
    if (!std::isfinite(value))
        return value;
    const Decimal d = toDecimal(value, MaxSignificantDigits, 2);
    if (d.isZero())
        return 0.0;
    // The digits as a decimal text, read back with correct rounding as the
    // parser reads the shown text.
    const std::string text = (d.negative ? "-0." : "0.") + d.digits.toStdString() + 'e' + std::to_string(d.exponent);
    double rounded = 0;
    std::from_chars(text.data(), text.data() + text.size(), rounded);
    return rounded;
}

QString IntToStr(long long value) { return QString::number(value); }

QString Format(const QString &format, std::initializer_list<FormatArg> argList)
{
    const std::vector<FormatArg> args(argList);
    size_t next = 0;
    auto takeArg = [&]() -> const FormatArg & {
        if (next >= args.size())
            throw ConvertError(QStringLiteral("No argument for format '%1'").arg(format));
        return args[next++];
    };

    QString out;
    const int n = format.size();
    int i = 0;
    while (i < n) {
        const QChar c = format.at(i++);
        if (c != u'%') {
            out += c;
            continue;
        }
        if (i >= n)
            formatError(format);
        if (format.at(i) == u'%') {
            out += u'%';
            ++i;
            continue;
        }
        // A number read here is either an index (followed by ':') or the width.
        auto readNumber = [&](int &value) -> bool {
            long long number = 0;
            if (i < n && format.at(i) == u'*') {
                ++i;
                number = asInteger(takeArg(), format);
            } else if (i < n && format.at(i).isDigit()) {
                while (i < n && format.at(i).isDigit() && number <= MaxFieldWidth)
                    number = number * 10 + format.at(i++).digitValue();
            } else {
                return false;
            }
            if (number > MaxFieldWidth)
                formatError(format);
            value = static_cast<int>(std::max(number, -MaxFieldWidth));
            return true;
        };
        bool leftAlign = false;
        int width = -1;
        int precision = -1;
        // An index "n:" picks the argument of this directive and those after it.
        int digitsEnd = i;
        while (digitsEnd < n && format.at(digitsEnd).isDigit())
            ++digitsEnd;
        if (digitsEnd > i && digitsEnd < n && format.at(digitsEnd) == u':') {
            next = static_cast<size_t>(format.mid(i, digitsEnd - i).toInt());
            i = digitsEnd + 1;
        }
        if (i < n && format.at(i) == u'-') {
            leftAlign = true;
            ++i;
        }
        readNumber(width);
        if (i < n && format.at(i) == u'.') {
            ++i;
            if (!readNumber(precision))
                precision = 0;
        }
        if (i >= n)
            formatError(format);
        const QChar type = format.at(i++).toLower();
        QString text;
        switch (type.unicode()) {
        case u'd':
        case u'u': {
            long long v = asInteger(takeArg(), format);
            if (type == u'u' && v < 0)
                v = static_cast<long long>(static_cast<unsigned>(v));
            // The magnitude in unsigned arithmetic, which also holds that of the smallest value.
            const unsigned long long magnitude = v < 0 ? 0ull - static_cast<unsigned long long>(v)
                                                       : static_cast<unsigned long long>(v);
            text = QString::number(magnitude);
            if (precision > text.size())
                text = text.rightJustified(precision, u'0');
            if (v < 0)
                text.prepend(u'-');
            break;
        }
        case u'x': {
            const long long v = asInteger(takeArg(), format);
            text = QString::number(static_cast<unsigned long long>(v) & 0xFFFFFFFFull, 16).toUpper();
            if (precision > text.size())
                text = text.rightJustified(precision, u'0');
            break;
        }
        case u'f':
            text = FloatToStrF(asDouble(takeArg(), format), FloatFormat::Fixed, MaxSignificantDigits,
                               precision < 0 ? 2 : precision);
            break;
        case u'n':
            text = FloatToStrF(asDouble(takeArg(), format), FloatFormat::Number, MaxSignificantDigits,
                               precision < 0 ? 2 : precision);
            break;
        case u'e':
            text = FloatToStrF(asDouble(takeArg(), format), FloatFormat::Exponent,
                               precision < 0 ? MaxSignificantDigits : precision, 3);
            break;
        case u'g':
            text = FloatToStrF(asDouble(takeArg(), format), FloatFormat::General,
                               precision < 0 ? MaxSignificantDigits : precision, 3);
            break;
        case u's':
            text = asText(takeArg(), format);
            if (precision >= 0 && precision < text.size())
                text.truncate(precision);
            break;
        default:
            formatError(format);
        }
        if (width > text.size())
            text = leftAlign ? text.leftJustified(width) : text.rightJustified(width);
        out += text;
    }
    return out;
}

QString FormatFloat(const QString &picture, double value)
{
    // Sections: positive;negative;zero.
    QStringList sections;
    {
        QString current;
        QChar quote;
        for (const QChar c : picture) {
            if (!quote.isNull()) {
                if (c == quote)
                    quote = QChar();
            } else if (c == u'"' || c == u'\'') {
                quote = c;
            } else if (c == u';') {
                sections << current;
                current.clear();
                continue;
            }
            current += c;
        }
        sections << current;
    }
    QString section = sections.value(0);
    bool showSign = true;
    if (value < 0 && sections.size() > 1 && !sections.at(1).isEmpty()) {
        section = sections.at(1);
        showSign = false;
    }

    // Scan the placeholders of the chosen section.
    QString prefix, suffix;
    int integerZeros = 0, decimals = 0, minDecimals = 0;
    bool seenPoint = false, seenDigit = false, group = false, zeroStarted = false;
    QChar quote;
    for (const QChar c : section) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                (seenDigit ? suffix : prefix) += c;
            continue;
        }
        if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'0' || c == u'#') {
            if (!suffix.isEmpty())
                continue;
            seenDigit = true;
            if (seenPoint) {
                ++decimals;
                if (c == u'0')
                    minDecimals = decimals;
            } else {
                if (c == u'0')
                    zeroStarted = true;
                if (zeroStarted)
                    ++integerZeros;
            }
        } else if (c == u'.' && !seenPoint && suffix.isEmpty()) {
            seenPoint = true;
            seenDigit = true;
        } else if (c == u',' && !seenPoint && suffix.isEmpty()) {
            group = true;
        } else {
            (seenDigit ? suffix : prefix) += c;
        }
    }
    if (!seenDigit)
        return prefix;

    const Decimal d = toDecimal(value, MaxSignificantDigits, decimals);
    if (d.isZero() && sections.size() > 2 && !sections.at(2).isEmpty())
        return FormatFloat(sections.at(2), 0.0);
    QString integerPart;
    for (int i = 0; i < d.exponent; ++i)
        integerPart += digitAt(d, i);
    if (integerPart.size() < integerZeros)
        integerPart = integerPart.rightJustified(integerZeros, u'0');
    if (group)
        integerPart = groupThousands(integerPart);
    QString fraction;
    for (int i = 0; i < decimals; ++i)
        fraction += digitAt(d, d.exponent + i);
    while (fraction.size() > minDecimals && fraction.endsWith(u'0'))
        fraction.chop(1);
    QString number = integerPart;
    if (!fraction.isEmpty())
        number += numberFormatSettings().decimalSeparator + fraction;
    if (showSign && d.negative && !d.isZero())
        number.prepend(u'-');
    return prefix + number + suffix;
}

bool TryStrToFloat(std::string_view text, char decimalSeparator, double &value)
{
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(QChar(uchar(text[b]))))
        ++b;
    while (e > b && isBlank(QChar(uchar(text[e - 1]))))
        --e;
    // Checks the form (sign, digits, separator, digits, exponent) in place;
    // from_chars then reads the text as it stands when the separator is '.'.
    const auto digitsFrom = [&](std::size_t &at) {
        const std::size_t first = at;
        while (at < e && text[at] >= '0' && text[at] <= '9')
            ++at;
        return at - first;
    };
    std::size_t i = b;
    const bool plus = i < e && text[i] == '+';
    if (i < e && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t mantissaDigits = digitsFrom(i);
    std::size_t separatorAt = std::string_view::npos;
    if (i < e && text[i] == decimalSeparator) {
        separatorAt = i++;
        mantissaDigits += digitsFrom(i);
    }
    if (mantissaDigits == 0)
        return false;
    const bool hasExponent = i < e && (text[i] == 'e' || text[i] == 'E');
    if (hasExponent) {
        ++i;
        if (i < e && (text[i] == '+' || text[i] == '-'))
            ++i;
        if (digitsFrom(i) == 0)
            return false;
    }
    if (i != e)
        return false;
    // Up to 15 digits without an exponent: the digits as a whole number are
    // exact in a double, and so is a power of ten up to 1e22, so one
    // division gives the correctly rounded value, as from_chars would.
    if (mantissaDigits <= 15 && !hasExponent) {
        std::int64_t mantissa = 0;
        int decimals = 0;
        for (std::size_t k = b; k < e; ++k) {
            if (text[k] >= '0' && text[k] <= '9') {
                mantissa = mantissa * 10 + (text[k] - '0');
                decimals += k > separatorAt && separatorAt != std::string_view::npos;
            }
        }
        static constexpr double Powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        const double magnitude = double(mantissa) / Powers[decimals];
        value = text[b] == '-' ? -magnitude : magnitude;
        return true;
    }
    std::string_view number = text.substr(b + (plus ? 1 : 0), e - b - (plus ? 1 : 0));
    std::string copy;
    if (separatorAt != std::string_view::npos && decimalSeparator != '.') {
        copy.assign(number);
        copy[separatorAt - b - (plus ? 1 : 0)] = '.';
        number = copy;
    }
    double parsed = 0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), parsed);
    if (res.ec != std::errc() || res.ptr != number.data() + number.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool TryStrToFloat(const QString &text, double &value)
{
    // The locale's separator becomes '.', so the byte parser sees plain
    // ASCII; any other character outside ASCII makes the text no number.
    const QChar sep = numberFormatSettings().decimalSeparator;
    std::string ascii;
    ascii.reserve(text.size());
    for (const QChar c : text) {
        if (c == sep)
            ascii += '.';
        else if (c.unicode() < 128 && c != u'.')
            ascii += char(c.unicode());
        else
            return false;
    }
    return TryStrToFloat(ascii, '.', value);
}

double StrToFloat(const QString &text)
{
    double value = 0;
    if (!TryStrToFloat(text, value))
        throw ConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(text));
    return value;
}

bool TryStrToInt(const QString &text, int &value)
{
    int i = 0;
    const int n = text.size();
    while (i < n && isBlank(text.at(i)))
        ++i;
    bool negative = false;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-'))
        negative = text.at(i++) == u'-';
    int base = 10;
    if (i < n && text.at(i) == u'$') {
        base = 16;
        ++i;
    } else if (i + 1 < n && text.at(i) == u'0' && (text.at(i + 1) == u'x' || text.at(i + 1) == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return false;
    long long magnitude = 0;
    for (; i < n; ++i) {
        const int digit = text.at(i).unicode() < 128 ? QChar::fromLatin1(char(text.at(i).unicode())).toLower().digitValue() : -1;
        int v = digit;
        if (v < 0 && base == 16) {
            const char16_t c = QChar(text.at(i)).toLower().unicode();
            if (c >= u'a' && c <= u'f')
                v = 10 + (c - u'a');
        }
        if (v < 0 || v >= base)
            return false;
        magnitude = magnitude * base + v;
        if (magnitude > 0x100000000LL)
            return false;
    }
    const long long signedValue = negative ? -magnitude : magnitude;
    // Hexadecimal texts may name any 32-bit pattern, decimal ones must fit.
    if (base == 16 && !negative && signedValue <= 0xFFFFFFFFLL) {
        value = static_cast<int>(static_cast<unsigned>(signedValue));
        return true;
    }
    if (signedValue < INT_MIN || signedValue > INT_MAX)
        return false;
    value = static_cast<int>(signedValue);
    return true;
}

bool TryDecimalToInt(std::string_view text, int &value)
{
    std::size_t b = 0, e = text.size();
    while (b < e && isBlank(QChar(uchar(text[b]))))
        ++b;
    while (e > b && isBlank(QChar(uchar(text[e - 1]))))
        --e;
    if (b < e && text[b] == '+' && !(b + 1 < e && text[b + 1] == '-'))
        ++b;
    const auto res = std::from_chars(text.data() + b, text.data() + e, value);
    return b < e && res.ec == std::errc() && res.ptr == text.data() + e;
}

int StrToInt(const QString &text)
{
    int value = 0;
    if (!TryStrToInt(text, value))
        throw ConvertError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

int StrToIntDef(const QString &text, int fallback)
{
    int value = 0;
    return TryStrToInt(text, value) ? value : fallback;
}

long long Round(double value) { return std::llrint(value); }

bool TryStrToRoundedInt(const QString &text, int &value)
{
    double number = 0;
    // Beyond this the rounding itself would overflow; NaN fails the test too.
    if (!TryStrToFloat(text, number) || !(std::fabs(number) < 1e18))
        return false;
    const long long rounded = Round(number);
    if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
        return false;
    value = static_cast<int>(rounded);
    return true;
}

long long Trunc(double value) { return static_cast<long long>(std::trunc(value)); }
