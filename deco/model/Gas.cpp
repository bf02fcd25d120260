#include "deco/model/Gas.h"

#include <cmath>

namespace deco {

QString GasName(const BreathingGas &gas)
{
    const long o2 = std::lround(gas.o2 * 100.0);
    const long he = std::lround(gas.he * 100.0);
    if (he > 0)
        return QStringLiteral("TX%1/%2").arg(o2).arg(he);
    if (o2 == 21)
        return QStringLiteral("Air");
    if (o2 == 100)
        return QStringLiteral("O2");
    return QStringLiteral("EAN%1").arg(o2);
}

} // namespace deco
