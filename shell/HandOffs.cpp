// The windows one window asks the main window to open with a request: each
// opens as its menu command opens it, then takes the request.

#include "shell/Main.h"

#include "blending/ConsumTankSize.h"
#include "blending/ParticialPressureMix.h"
#include "calculators/GasCalcu.h"
#include "deco/window/DecoSchedule.h"

void TMainForm::openDecoSchedule(const DecoScheduleRequest &request)
{
    if (auto *schedule = qobject_cast<TfmDecoSchedule *>(openChild(ChildKind::DecoSchedule)))
        schedule->ShowDive(request);
}

TChildForm *TMainForm::openBlending(const BlendRequest &request)
{
    auto *sheet = qobject_cast<TfmParticialPressureMix *>(openChild(ChildKind::Blending));
    if (sheet)
        sheet->apply(request);
    return sheet;
}

void TMainForm::openTankComparison(const TankComparisonRequest &request)
{
    if (auto *comparison = qobject_cast<TfmConsumptionVersusTankSize *>(openChild(ChildKind::TankComparison)))
        comparison->apply(request);
}

void TMainForm::openGasNeeds(const GasNeedsRequest &request)
{
    if (auto *gas = qobject_cast<TfmGasCalc *>(openChild(ChildKind::GasNeeds)))
        gas->apply(request);
}
