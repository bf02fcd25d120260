// Time of one full plan recalculation after an input change (target: a
// median under 50 microseconds).

#include "planner/model/PlanModel.h"

#include "core/NumText.h"
#include "core/Units.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

int main()
{
    numberFormatSettings() = NumberFormatSettings{u'.', u','};
    // Imperial, so that opening the plan reads no settings file.
    programUnits() = ProgramUnits{false, true, 33};
    PlanModel plan;
    plan.Suspended = false;
    plan.inputs.PO2 = QStringLiteral("1.4");
    plan.inputs.diver[0].Tanksize = plan.inputs.diver[1].Tanksize = QStringLiteral("80");
    plan.inputs.diver[0].PSI = plan.inputs.diver[1].PSI = QStringLiteral("3000");
    plan.inputs.diver[0].BR = QStringLiteral("0.75");
    plan.inputs.diver[1].BR = QStringLiteral("0.9");
    plan.inputs.stop(1) = {true, 20, 3};
    plan.view.ShowGraphicsWho = GraphicView::Diver1;

    constexpr int Warmup = 1000;
    constexpr int Samples = 20001;
    std::vector<double> micros;
    micros.reserve(Samples);
    for (int i = 0; i < Warmup + Samples; ++i) {
        plan.inputs.Depth = 90 + i % 21;   // every pass starts from a changed depth
        const auto start = std::chrono::steady_clock::now();
        plan.DepthChange();
        const auto end = std::chrono::steady_clock::now();
        if (i >= Warmup)
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(micros.begin(), micros.end());
    std::printf("plan recalculation (DepthChange): median %.2f us, p90 %.2f us over %d runs\n",
                micros[micros.size() / 2], micros[micros.size() * 9 / 10], Samples);
    return 0;
}
