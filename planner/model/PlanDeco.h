#pragma once

// The plan and the decompression model: the stops the model gives for the
// plan's dive, and whether the plan's own stops clear the model's ceiling.

#include "deco/model/PlanCheck.h"
#include "planner/model/PlanModel.h"

#include <QString>

#include <vector>

struct PlanStop
{
    int depth = 0; // the plan's depth unit
    int minutes = 0;
};

// The schedule for the plan's depth, its descent and bottom time, bottom
// gas and deco gas (none when it is the bottom gas), at the plan's rate.
// The deco gas is breathed from its MOD at 1.6 bar up, in the schedule and
// in the check alike.
// Throws ConvertError when the plan's times are not numbers.
std::vector<PlanStop> ModelStops(const PlanModel &plan, const deco::GradientFactors &gf);

// "Stops clear ZH-L16C GF 30/85", or "Stops do not clear ZH-L16C GF 30/85:
// ceiling 6 meters at 42 min" with `clear` false; empty when the plan has no
// dive to check (no depth or no bottom time).
QString DecoModelCheckText(const PlanModel &plan, const deco::GradientFactors &gf, bool &clear);
