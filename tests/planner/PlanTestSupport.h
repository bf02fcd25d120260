#pragma once

// Shared set-up of the planner tests: fixed number separators, program-wide
// units, and a plan ready to recalculate.

#include "planner/model/PlanModel.h"

#include "core/NumText.h"
#include "core/Units.h"
#include "tests/support/TestNumbers.h"

#include <memory>

inline void usePlanTestUnits(bool metric, bool saltWater = true, int ascentRate = 33)
{
    useTestNumberFormat();
    programUnits() = ProgramUnits{metric, saltWater, ascentRate};
}

// A plan opened in the program-wide unit system, no longer suspended.
inline std::unique_ptr<PlanModel> openPlan()
{
    auto plan = std::make_unique<PlanModel>();
    plan->Suspended = false;
    return plan;
}

// The settled imperial plan: 100 ft in salt water on air at ppO2 1.4, two
// divers with 80 cubic feet at 3000 psi breathing 0.75, rule of thirds.
inline std::unique_ptr<PlanModel> imperialExample()
{
    usePlanTestUnits(false);
    auto plan = openPlan();
    plan->inputs.Depth = 100;
    plan->inputs.BottomMixO2 = 21;
    plan->inputs.PO2 = localNumbers("1.4");
    plan->inputs.diver[0].Tanksize = plan->inputs.diver[1].Tanksize = QStringLiteral("80");
    plan->inputs.diver[0].PSI = plan->inputs.diver[1].PSI = QStringLiteral("3000");
    plan->inputs.diver[0].BR = plan->inputs.diver[1].BR = localNumbers("0.75");
    plan->view.ShowGraphicsWho = GraphicView::Diver1;
    return plan;
}
