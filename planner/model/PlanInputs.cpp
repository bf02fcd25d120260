#include "planner/model/PlanInputs.h"

double DiverInputs::gas(bool metric) const
{
    return metric ? StrToFloat(Tanksize) * StrToFloat(PSI) : StrToFloat(Tanksize);
}
