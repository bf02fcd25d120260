#include "profiles/model/DanPlainSample.h"

#include "profiles/model/DanFields.h"

#include <cstdint>

namespace {

constexpr int MaxRealDigits = 12;   // below the largest field value a sample may hold
constexpr int MaxIntegerDigits = 9; // within an int

bool isDigit(char c) { return unsigned(c - '0') < 10; }

// Digits from `p` into `number`; moves `p` past them and returns how many.
int digitsInto(const char *&p, const char *end, std::int64_t &number)
{
    const char *const first = p;
    for (; p < end && isDigit(*p); ++p)
        number = number * 10 + (*p - '0');
    return int(p - first);
}

bool fieldEnds(const char *p, const char *end) { return p == end || DanIsBlank(*p); }

// Reads a plain real from `p` up to the next blank or the end; moves `p`
// past it.
bool plainReal(const char *&p, const char *end, double &value)
{
    const bool negative = p < end && *p == '-';
    p += negative;
    std::int64_t mantissa = 0;
    int digits = digitsInto(p, end, mantissa);
    int decimals = 0;
    if (p < end && *p == '.') {
        ++p;
        decimals = digitsInto(p, end, mantissa);
        digits += decimals;
    }
    if (!fieldEnds(p, end) || digits == 0 || digits > MaxRealDigits)
        return false;
    // The digits as a whole number and the power of ten are exact doubles,
    // so one division gives the correctly rounded value.
    static constexpr double Powers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12};
    const double magnitude = double(mantissa) / Powers[decimals];
    value = negative ? -magnitude : magnitude;
    return true;
}

bool plainInteger(const char *&p, const char *end, int &value)
{
    const bool negative = p < end && *p == '-';
    p += negative;
    std::int64_t magnitude = 0;
    const int digits = digitsInto(p, end, magnitude);
    if (!fieldEnds(p, end) || digits == 0 || digits > MaxIntegerDigits)
        return false;
    value = int(negative ? -magnitude : magnitude);
    return true;
}

std::string_view word(const char *&p, const char *end)
{
    const char *start = p;
    while (p < end && !DanIsBlank(*p))
        ++p;
    return {start, std::size_t(p - start)};
}

} // namespace

bool DanReadPlainSample(std::string_view line, DanPlainSample &sample)
{
    if (line.size() > DanFieldReach)
        return false;
    const char *p = line.data();
    const char *const end = p + line.size();
    // Before each field its blanks; a field that is missing ends the line.
    const auto field = [&] {
        while (p < end && DanIsBlank(*p))
            ++p;
        return p < end;
    };
    if (!field() || !plainReal(p, end, sample.time) || !field() || !plainReal(p, end, sample.depth) || !field())
        return false;
    word(p, end); // field 3 is not used
    if (!field())
        return false;
    sample.warning = word(p, end);
    if (!field())
        return false;
    sample.decompression = word(p, end);
    if (!field() || !plainInteger(p, end, sample.ceiling) || !field())
        return false;
    sample.temperature = word(p, end);
    return field() && plainInteger(p, end, sample.pressure);
}

bool DanReadPlainReal(std::string_view text, double &value)
{
    const char *p = text.data();
    const char *const end = p + text.size();
    return p < end && plainReal(p, end, value) && p == end;
}
