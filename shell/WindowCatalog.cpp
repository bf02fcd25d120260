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
        return [](ChildHost &host) -> TChildForm * { return new TFmNitrox(host); };
    case ChildKind::Sac:
        return [](ChildHost &host) -> TChildForm * { return new TfmPSIToCuFtSAC(host); };
    case ChildKind::GasNeeds:
        return [](ChildHost &host) -> TChildForm * { return new TfmGasCalc(host); };
    case ChildKind::TankContent:
        return [](ChildHost &host) -> TChildForm * { return new TfmTankContent(host); };
    case ChildKind::TankSize:
        return [](ChildHost &host) -> TChildForm * { return new TfmIMTankConverter(host); };
    case ChildKind::Temperature:
        return [](ChildHost &host) -> TChildForm * { return new TfmTemperature(host); };
    case ChildKind::FeetMeters:
        return [](ChildHost &host) -> TChildForm * { return new TfmDistance(host); };
    case ChildKind::Fathoms:
        return [](ChildHost &host) -> TChildForm * { return new TfmFathoms(host); };
    case ChildKind::NauticalMiles:
        return [](ChildHost &host) -> TChildForm * { return new TfmNauticalMiles(host); };
    case ChildKind::BottomTime:
        return [](ChildHost &host) -> TChildForm * { return new TfmtTimeCalcs(host); };
    case ChildKind::Notepad:
        return [](ChildHost &host) -> TChildForm * { return new TEditForm(host); };
    case ChildKind::Blending:
        return [](ChildHost &host) -> TChildForm * { return new TfmParticialPressureMix(host); };
    case ChildKind::MixEditor:
        return [](ChildHost &host) -> TChildForm * { return new TfmMixEditor(host); };
    case ChildKind::Fills:
        return [](ChildHost &host) -> TChildForm * { return new TfmtNixtroFill(host); };
    case ChildKind::DivePlan:
    case ChildKind::ProfileViewer:
        break;
    }
    return {};
}
