#include "deco/model/Environment.h"

#include "core/Units.h"

namespace deco {

Environment Environment::of(bool metric, bool saltWater, double surfacePressure)
{
    const double perUnit = DepthPerAtmosphere(metric, saltWater);
    return {surfacePressure, metric ? perUnit : perUnit * Conversion::FeetToMetres};
}

} // namespace deco
