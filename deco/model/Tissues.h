#pragma once

// The inert gas held by the 16 compartments of ZH-L16C, nitrogen and helium
// apart, and how it changes while the diver breathes a gas at a constant or
// steadily changing ambient pressure.

#include "deco/model/Gas.h"
#include "deco/model/ZhL16c.h"

#include <array>

namespace deco {

struct Tissues
{
    std::array<double, CompartmentCount> n2{};
    std::array<double, CompartmentCount> he{};

    // Saturated with air at the surface: nitrogen at (surface - water
    // vapour) x 0.79, no helium.
    static Tissues atSurface(double surfacePressure);

    // `minutes` at a constant ambient pressure (Haldane).
    void stay(double ambient, const BreathingGas &gas, double minutes);
    // `minutes` while the ambient pressure changes at a constant rate from
    // `startAmbient` to `endAmbient` (Schreiner). Equal pressures give Haldane.
    void change(double startAmbient, double endAmbient, const BreathingGas &gas, double minutes);

    // The lowest ambient pressure compartment `i` tolerates with gradient
    // factor `gf` (0..1): (P - a gf) / (gf / b + 1 - gf), with a and b
    // weighted by the compartment's nitrogen and helium.
    double toleratedAmbient(int i, double gf) const;
    // The largest of them: the ceiling as a pressure.
    double toleratedAmbient(double gf) const;
};

} // namespace deco
