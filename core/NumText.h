#pragma once

// Number text: every number the program shows or reads goes through here, so
// that all windows format and parse alike.
//
// Formatting rounds the way a desk calculator does: the value is first taken
// to 15 significant decimal digits (what a double holds reliably), then
// rounded half away from zero at the shown position. So 0.125 shows as
// "0.13" and 2.675 as "2.68", whatever their binary neighbours are.

#include <QString>
#include <QChar>
#include <initializer_list>
#include <string_view>
#include <variant>

// The separators used to read and write numbers. They start as the system
// locale's; tests set them explicitly.
struct NumberFormatSettings
{
    QChar decimalSeparator = u'.';
    QChar thousandSeparator = u',';
};
NumberFormatSettings &numberFormatSettings();
// Resets the separators to the system locale's.
void useSystemNumberFormat();

// One argument of Format: a whole number, a floating-point number or a text.
class FormatArg
{
public:
    FormatArg(int v) : m_value(static_cast<long long>(v)) {}
    FormatArg(long v) : m_value(static_cast<long long>(v)) {}
    FormatArg(long long v) : m_value(v) {}
    FormatArg(unsigned v) : m_value(static_cast<long long>(v)) {}
    FormatArg(double v) : m_value(v) {}
    FormatArg(const QString &v) : m_value(v) {}
    FormatArg(const char *v) : m_value(QString::fromUtf8(v)) {}

    const std::variant<long long, double, QString> &value() const { return m_value; }

private:
    std::variant<long long, double, QString> m_value;
};

// printf-like formatting with the directives
//   %[index:][-][width][.precision]type  with type d u x f e g n s, and %%.
// width and precision may be "*" (taken from the next argument); above 4096
// they raise ConvertError.
// %f and %n show 2 decimals unless a precision is given; %n groups thousands.
// A directive that does not fit its argument raises ConvertError.
QString Format(const QString &format, std::initializer_list<FormatArg> args);

enum class FloatFormat { General, Exponent, Fixed, Number };

// Floating-point to text. `precision` is the number of significant digits
// kept (at most 15); `digits` is the number of decimals for Fixed and Number,
// the minimum exponent digits for General and Exponent.
QString FloatToStrF(double value, FloatFormat format, int precision, int digits);
// The shortest text that shows the value at 15 significant digits: 1.6 -> "1.6".
QString FloatToStr(double value);
// Picture formatting with '0' (digit always shown), '#' (digit if needed),
// '.' (decimal separator), ',' (group thousands) and quoted literals.
QString FormatFloat(const QString &picture, double value);
// The common text form of computed values: "%8.2f" with the blanks trimmed.
QString MyFormat(double value);
// The number MyFormat shows, as a number: 15 significant digits, then two
// decimals with halves away from zero, so that MyFormat(Round2(x)) equals
// MyFormat(x) and a computation that reads Round2(x) sees what the shown text
// says. Infinities and NaN pass unchanged.
double Round2(double value);
QString IntToStr(long long value);

// Text to number. Leading and trailing blanks are allowed; anything else that
// is not part of the number raises ConvertError with the messages
// "'%s' is not a valid floating point value" / "'%s' is not a valid integer value".
double StrToFloat(const QString &text);
int StrToInt(const QString &text);
bool TryStrToFloat(const QString &text, double &value);
bool TryStrToInt(const QString &text, int &value);
// The same for byte texts in a fixed format, whatever the user's locale
// (data files): `decimalSeparator` is the file's, e.g. '.'.
bool TryStrToFloat(std::string_view text, char decimalSeparator, double &value);
// Decimal only, for data files: blanks around, an optional sign, digits.
bool TryDecimalToInt(std::string_view text, int &value);
// StrToInt with a fallback for texts that do not convert.
int StrToIntDef(const QString &text, int fallback);
// The number of a text in the user's locale to the nearest whole number,
// halves to the even neighbour ("11.1" gives 11); false, and `value`
// untouched, when the text is no number or the result does not fit an int.
bool TryStrToRoundedInt(const QString &text, int &value);

// Nearest whole number, halves to the even neighbour.
long long Round(double value);
// Drops the fraction toward zero.
long long Trunc(double value);
