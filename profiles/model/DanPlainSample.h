#pragma once

// The common sample line read in one pass: every number the profile needs
// in its plain form, [-]digits[.digits] for the real fields (at most 12
// digits) and [-]digits for the integer ones (at most 9), so that each is
// read exactly as the general number reader would read it and none can be
// out of range. Any other line (a field missing, an exponent, a sign '+',
// more digits, a line longer than the fields' reach) is left to the general
// reader, which also says what is wrong with it.

#include <string_view>

struct DanPlainSample
{
    double time = 0;                // field 1, minutes.seconds as written
    double depth = 0;               // field 2
    std::string_view warning;       // field 4
    std::string_view decompression; // field 5
    int ceiling = 0;                // field 6
    std::string_view temperature;   // field 7, read only when it is drawn
    int pressure = 0;               // field 8
};

bool DanReadPlainSample(std::string_view line, DanPlainSample &sample);

// A real field in the plain form; false for any other text.
bool DanReadPlainReal(std::string_view text, double &value);
