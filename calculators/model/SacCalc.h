#pragma once

// Surface air consumption from a breathing test: the gas used over some
// minutes at a depth, brought back to the surface, as volume and as tank
// pressure per minute. Texts that are not numbers raise ConvertError, a zero
// duration or rating raises a division error.

#include <QString>

struct BreathingTest
{
    QString tankSize; // litres of water volume, or rated cubic feet
    QString rated;    // fill pressure, bar or psi
    int depth = 0;
    QString gasUsed; // pressure used during the test
    QString minutes;
};

// "Your SAC is ... /Min or ... /Min", an empty line, the volume rate in the
// other unit system.
QString SacResultText(const BreathingTest &test, bool metric);
