#include "planner/model/PlanResults.h"

#include "core/Errors.h"
#include "core/NumText.h"

#include <cmath>

QString ShownValue(const PlanValue &value) { return value ? MyFormat(*value) : QString(); }

double ValueOf(const PlanValue &value)
{
    if (!value || !std::isfinite(*value))
        throw ConvertError(QStringLiteral("'%1' is not a valid floating point value").arg(ShownValue(value)));
    return *value;
}

QString ShownMod(const std::optional<ModDepth> &mod)
{
    if (!mod)
        return {};
    return mod->none ? QStringLiteral("0") : MyFormat(mod->depth);
}

QString ShownNitrogen(const PlanResults &results)
{
    return results.LblEdit4 ? FloatToStr(*results.LblEdit4) : QString();
}
