#include "profiles/model/DanFields.h"

#include <cmath>

bool DanIsEmptyLine(std::string_view line)
{
    for (const char c : line)
        if (!DanIsBlank(c))
            return false;
    return true;
}

std::string_view DanField(std::string_view line, int number)
{
    std::array<std::string_view, DanSampleFields + 1> fields;
    if (number < 1 || number > int(fields.size()))
        return {};
    return DanSplitFields(line, fields) >= number ? fields[number - 1] : std::string_view{};
}

double DanTimeSeconds(double minutesDotSeconds)
{
    const double whole = std::trunc(minutesDotSeconds);
    return whole * 60 + (minutesDotSeconds - whole) * 100;
}
