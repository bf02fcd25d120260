#include "shell/WindowCatalog.h"

#include "blending/MixEditor.h"
#include "blending/NitroxFills.h"
#include "blending/ParticialPressureMix.h"
#include "calculators/Childwin.h"
#include "calculators/Distance.h"
#include "calculators/Fathoms.h"
#include "calculators/GasCalcu.h"
#include "calculators/IMTankConvert.h"
#include "calculators/Nautical.h"
#include "calculators/TankContent.h"
#include "calculators/Temperature.h"
#include "calculators/Timings.h"
#include "calculators/ToSac.h"
#include "shell/MDIEdit.h"

ChildMaker childMaker(ChildKind kind)
{
    switch (kind) {
    case ChildKind::Nitrox:
        return [](TMainForm *) -> TChildForm * { return new TFmNitrox; };
    case ChildKind::Sac:
        return [](TMainForm *) -> TChildForm * { return new TfmPSIToCuFtSAC; };
    case ChildKind::GasNeeds:
        return [](TMainForm *) -> TChildForm * { return new TfmGasCalc; };
    case ChildKind::TankContent:
        return [](TMainForm *) -> TChildForm * { return new TfmTankContent; };
    case ChildKind::TankSize:
        return [](TMainForm *) -> TChildForm * { return new TfmIMTankConverter; };
    case ChildKind::Temperature:
        return [](TMainForm *) -> TChildForm * { return new TfmTemperature; };
    case ChildKind::FeetMeters:
        return [](TMainForm *) -> TChildForm * { return new TfmDistance; };
    case ChildKind::Fathoms:
        return [](TMainForm *) -> TChildForm * { return new TfmFathoms; };
    case ChildKind::NauticalMiles:
        return [](TMainForm *) -> TChildForm * { return new TfmNauticalMiles; };
    case ChildKind::BottomTime:
        return [](TMainForm *) -> TChildForm * { return new TfmtTimeCalcs; };
    case ChildKind::Notepad:
        return [](TMainForm *) -> TChildForm * { return new TEditForm; };
    case ChildKind::Blending:
        return [](TMainForm *) -> TChildForm * { return new TfmParticialPressureMix; };
    case ChildKind::MixEditor:
        return [](TMainForm *) -> TChildForm * { return new TfmMixEditor; };
    case ChildKind::Fills:
        return [](TMainForm *) -> TChildForm * { return new TfmtNixtroFill; };
    case ChildKind::DivePlan:
    case ChildKind::ProfileViewer:
        break;
    }
    return {};
}
