#pragma once

// Where a dive takes place: the pressure at the surface and the depth of
// water that adds one unit of pressure. The engine works in metres and bar;
// an imperial dive reads its surface pressure in atmospheres, counted as the
// engine's pressure unit just as the program's other pressure formulas do,
// and its 33 (33.8083) feet per atmosphere converted to metres.

namespace deco {

struct Environment
{
    double surfacePressure = 1.01325;   // bar
    double metresPerBar = 10.0;         // 10.0 salt water, 10.3 fresh

    // The environment of a window's unit system and water type.
    static Environment of(bool metric, bool saltWater, double surfacePressure);

    double ambient(double depth) const { return surfacePressure + depth / metresPerBar; }
    // The depth of an ambient pressure; negative above the surface.
    double depthOf(double pressure) const { return (pressure - surfacePressure) * metresPerBar; }
};

} // namespace deco
