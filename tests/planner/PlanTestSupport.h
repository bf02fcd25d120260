#pragma once

// Shared set-up of the planner tests: fixed number separators, program-wide
// units, and a plan ready to recalculate.

#include "planner/PlanModel.h"

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
    plan->Depth = 100;
    plan->BottomMixO2 = 21;
    plan->PO2 = localNumbers("1.4");
    plan->Tanksize1 = plan->Tanksize2 = QStringLiteral("80");
    plan->PSI1 = plan->PSI2 = QStringLiteral("3000");
    plan->BR1 = plan->BR2 = localNumbers("0.75");
    plan->view.ShowGraphicsWho = GraphicView::Diver1;
    return plan;
}
