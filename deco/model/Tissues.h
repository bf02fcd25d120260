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
    // Every compartment's tolerated ambient pressure with `gf` into `each`;
    // returns the largest.
    double toleratedAmbients(double gf, std::array<double, CompartmentCount> &each) const;
    // The ceiling as a pressure when the gradient factor depends on the
    // ambient pressure: `gfHigh` at `surface`, falling in a straight line to
    // `gfLow` at `firstStop` and `gfLow` below it. It is the deepest point
    // where some compartment holds more than that point's factor allows;
    // `surface` or less when there is none. `firstStop` lies below `surface`;
    // `atGfLow` are the compartments' tolerated pressures with `gfLow`.
    double toleratedAmbient(double gfLow, double gfHigh, double surface, double firstStop,
                            const std::array<double, CompartmentCount> &atGfLow) const;
};

} // namespace deco
