// The planner and the decompression model: "Compute stops (ZH-L16C)" on the
// "Decompression" page fills the plan's three stops from the model, and
// after every recalculation a label says whether the plan's stops clear the
// model's ceiling.

#include "planner/window/Rule3.h"

#include "core/NumText.h"
#include "planner/model/PlanDeco.h"
#include "widgets/Builders.h"
#include "widgets/Hints.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include <cmath>

void TfmRuleOfThird::addDecoModelControls(QWidget *page, QGridLayout *grid)
{
    ComputeStopsButton = ui::button(page, QStringLiteral("ComputeStopsButton"),
                                    QStringLiteral("Compute stops (ZH-L16C)"),
                                    QStringLiteral("Compute stops|The stops of the dive by Bühlmann's ZH-L16C with "
                                                   "gradient factors"));
    DecoModelCheck = ui::label(page, QStringLiteral("DecoModelCheck"), {});
    DecoModelCheck->setWordWrap(true);
    grid->addWidget(ComputeStopsButton, 4, 0, 1, 3, Qt::AlignLeft);
    grid->addWidget(DecoModelCheck, 5, 0, 1, 6);
    grid->setRowStretch(4, 0);
    grid->setRowStretch(6, 1);
}

void TfmRuleOfThird::ComputeStopsButtonClick()
{
    readInputs();
    const deco::GradientFactors gf = deco::SettingsGradientFactors();
    const std::vector<PlanStop> stops = ModelStops(m_plan, gf);
    if (stops.size() > 3) {
        const PlanInputs &in = m_plan.inputs;
        DecoScheduleRequest request;
        request.metric = in.Metric;
        request.depth = in.Depth;
        request.bottomTime = int(std::ceil(ValueOf(m_plan.results.DescentTime) + ValueOf(m_plan.results.BottomTime)));
        request.bottomO2 = in.BottomMixO2;
        request.decoO2 = in.SameAsBottomGas || in.DecoGas <= in.BottomMixO2 ? 0 : in.DecoGas;
        request.gfLow = gf.low;
        request.gfHigh = gf.high;
        host().openDecoSchedule(request);
        host().showMessage(Format(QStringLiteral("ZH-L16C gives %d stops, more than the plan holds: see "
                                                 "\"Decompression schedule\""),
                                  {static_cast<long long>(stops.size())}));
        return;
    }
    QCheckBox *checks[] = {Decom1Check, Decom2Check, Decom3Check};
    QSpinBox *depths[] = {DecoDepth1, DecoDepth2, DecoDepth3};
    QSpinBox *times[] = {DecoTime1, DecoTime2, DecoTime3};
    const bool wasShowing = m_showing;
    m_showing = true;
    for (size_t k = 0; k < 3; ++k) {
        checks[k]->setChecked(k < stops.size());
        if (k < stops.size()) {
            depths[k]->setValue(stops[k].depth);
            times[k]->setValue(stops[k].minutes);
        }
    }
    m_showing = wasShowing;
    DepthChange();
}

void TfmRuleOfThird::showDecoModelCheck()
{
    bool clear = true;
    DecoModelCheck->setText(DecoModelCheckText(m_plan, deco::SettingsGradientFactors(), clear));
    DecoModelCheck->setStyleSheet(clear ? QString() : QStringLiteral("color: red"));
}
