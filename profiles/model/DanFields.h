#pragma once

// Lines of a DAN research file: fields are separated by runs of blanks,
// leading blanks are skipped, and a field is looked for only within the
// first 255 characters of its line.

#include <array>
#include <string_view>

constexpr std::size_t DanFieldReach = 255;
constexpr int DanSampleFields = 8;

inline bool DanIsBlank(char c) { return c == ' ' || c == '\t'; }

// A sample line begins with a blank; any other line is a dive header.
inline bool DanBeginsWithBlank(std::string_view line) { return !line.empty() && DanIsBlank(line.front()); }

// A line with nothing but blanks (or nothing at all).
bool DanIsEmptyLine(std::string_view line);

// Fields 1 to N of `line` into `fields`; returns how many were found.
template <std::size_t N>
int DanSplitFields(std::string_view line, std::array<std::string_view, N> &fields)
{
    line = line.substr(0, DanFieldReach);
    int count = 0;
    std::size_t i = 0;
    while (count < int(N)) {
        while (i < line.size() && DanIsBlank(line[i]))
            ++i;
        if (i >= line.size())
            break;
        const std::size_t start = i;
        while (i < line.size() && !DanIsBlank(line[i]))
            ++i;
        fields[count++] = line.substr(start, i - start);
    }
    for (int k = count; k < int(N); ++k)
        fields[k] = {};
    return count;
}

// Field `number` (from 1) of `line`, empty when the line has fewer fields.
std::string_view DanField(std::string_view line, int number);

// A time written as minutes.seconds (12.30) in seconds: whole part x 60 +
// fractional part x 100, so 12.30 is 750 s and 0.05 is 5 s.
double DanTimeSeconds(double minutesDotSeconds);
