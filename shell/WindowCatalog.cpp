#include "shell/WindowCatalog.h"

ChildMaker childMaker(ChildKind kind)
{
    switch (kind) {
    case ChildKind::Notepad:
    case ChildKind::FeetMeters:
    case ChildKind::Temperature:
    case ChildKind::Fathoms:
    case ChildKind::NauticalMiles:
    case ChildKind::Blending:
    case ChildKind::MixEditor:
    case ChildKind::TankContent:
    case ChildKind::Fills:
    case ChildKind::TankSize:
    case ChildKind::Nitrox:
    case ChildKind::BottomTime:
    case ChildKind::DivePlan:
    case ChildKind::Sac:
    case ChildKind::GasNeeds:
    case ChildKind::ProfileViewer:
        break;
    }
    return {};
}
