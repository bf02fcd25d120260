#pragma once

#include "core/Units.h"

// Sets the program-wide water type for the life of the object, then puts
// the previous one back.
class WaterTypeScope
{
public:
    explicit WaterTypeScope(bool salt) : m_saved(programUnits().saltWater) { programUnits().saltWater = salt; }
    ~WaterTypeScope() { programUnits().saltWater = m_saved; }
    WaterTypeScope(const WaterTypeScope &) = delete;
    WaterTypeScope &operator=(const WaterTypeScope &) = delete;

private:
    bool m_saved;
};
