#include "planner/model/PlanInputs.h"

namespace {

// The three fields of stop 1..3.
struct StopFields
{
    bool PlanInputs::*active;
    int PlanInputs::*depth;
    int PlanInputs::*time;
};

constexpr std::array<StopFields, 3> Stops = {{
    {&PlanInputs::Decom1Check, &PlanInputs::DecoDepth1, &PlanInputs::DecoTime1},
    {&PlanInputs::Decom2Check, &PlanInputs::DecoDepth2, &PlanInputs::DecoTime2},
    {&PlanInputs::Decom3Check, &PlanInputs::DecoDepth3, &PlanInputs::DecoTime3},
}};

const StopFields &stopFields(int stop) { return Stops.at(stop - 1); }

} // namespace

bool PlanInputs::stopActive(int stop) const { return this->*stopFields(stop).active; }
void PlanInputs::setStopActive(int stop, bool active) { this->*stopFields(stop).active = active; }
int PlanInputs::stopDepth(int stop) const { return this->*stopFields(stop).depth; }
int PlanInputs::stopTime(int stop) const { return this->*stopFields(stop).time; }

double DiverInputs::gas(bool metric) const
{
    return metric ? StrToFloat(Tanksize) * StrToFloat(PSI) : StrToFloat(Tanksize);
}
