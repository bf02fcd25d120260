#include "shell/WindowCatalog.h"

#include "blending/ConsumTankSize.h"
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
#include "deco/window/DecoSchedule.h"
#include "planner/model/PlanFile.h"
#include "planner/window/Rule3.h"
#include "profiles/window/DANGraphic.h"
#include "shell/Background.h"
#include "shell/MDIEdit.h"

#include <algorithm>
#include <memory>

namespace {

template <typename Window>
ChildMaker maker()
{
    return [](ChildHost &host) -> TChildForm * { return new Window(host); };
}

// A new planner opens with the plan it was last left with.
TChildForm *newDivePlan(ChildHost &host)
{
    auto plan = std::make_unique<TfmRuleOfThird>(host);
    plan->LoadDive(DefaultDiveFileName());
    return plan.release();
}

using P = CommandPlace;

QList<WindowKind> makeCatalog()
{
    return {
        {ChildKind::Notepad, maker<TEditForm>(),
         {{P::FileMenu, 0, "NewNotepad1", "&New notepad", "New notepad"}}},
        {ChildKind::FeetMeters, maker<TfmDistance>(),
         {{P::ConversionsMenu, 0, "FeetMeters1", "Feet - &meters", "Feet - Meter conversions"},
          {P::PopupConversions, 0, "FeetMeters2", "Feet - &meters", "Feet - Meter conversions"},
          {P::MiscToolbar, 5, "btnFeetMeter", "Feet - Meter", "Feet - Meter conversions"}}},
        {ChildKind::Temperature, maker<TfmTemperature>(),
         {{P::ConversionsMenu, 1, "Temperatures1", "&Temperatures", "Temperature Conversions"},
          {P::PopupConversions, 1, "Temperatures2", "&Temperatures", "Temperature Conversions"},
          {P::MiscToolbar, 0, "btnTemperature", "Temperature", "Temperature Conversions"}}},
        {ChildKind::Fathoms, maker<TfmFathoms>(),
         {{P::ConversionsMenu, 2, "Fahtoms1", "&Fahtoms", "Fathoms is used to measure depth on sea maps"},
          {P::PopupConversions, 2, "Fahtoms2", "&Fahtoms", "Fathoms is used to measure depth on sea maps"},
          {P::MiscToolbar, 2, "btnFahtoms", "Fahtoms", "Used on sea maps - depth at sea"}}},
        {ChildKind::NauticalMiles, maker<TfmNauticalMiles>(),
         {{P::ConversionsMenu, 3, "NauticalMiles1", "&Nautical miles", "Nautical miles conversions"},
          {P::PopupConversions, 3, "NauticalMiles2", "&Nautical miles", "Nautical miles conversions"},
          {P::MiscToolbar, 6, "btnNauticalMiles", "Nautical miles", "Nautical miles conversions"}}},
        {ChildKind::Blending, maker<TfmParticialPressureMix>(),
         {{P::CalculationsMenu, 0, "GasBlending1", "&Gas blending", "Gas blending worksheet", Qt::Key_F3},
          {P::PopupBlending, 0, "GasBlending2", "&Gas blending", "Gas blending worksheet"},
          {P::MainToolbar, 1, "btnBlend", "Blend", "Gas blending worksheet"}}},
        {ChildKind::MixEditor, maker<TfmMixEditor>(),
         {{P::CalculationsMenu, 1, "GasMixEditor1", "Gas &Mix Editor", "Gas mix editor for creating gas mixes",
           Qt::Key_F6}}},
        {ChildKind::TankContent, maker<TfmTankContent>(),
         {{P::TanksMenu, 0, "Content1", "&Content", "How much left with current pressure",
           QKeySequence(Qt::CTRL | Qt::Key_F2)},
          {P::MiscToolbar, 3, "btnContent", "Content", "Tank content|How much left with current pressure"}}},
        {ChildKind::Fills, maker<TfmtNixtroFill>(),
         {{P::TanksMenu, 1, "Fills1", "&Fills", "Nitrox gas mixing", QKeySequence(Qt::CTRL | Qt::Key_F4)},
          {P::MainToolbar, 6, "btnFills", "Fills", "Nitrox gas mixing"}}},
        {ChildKind::TankSize, maker<TfmIMTankConverter>(),
         {{P::TanksMenu, 2, "SizeConversion1", "&Size conversion", "Imperial to Metric and Metric to Imperial",
           QKeySequence(Qt::CTRL | Qt::Key_F6), nullptr, true},
          {P::MiscToolbar, 4, "btnTankSizes", "Tank sizes",
           "Tank size conversions|Metric to Imperial or Imperial to Metric"}}},
        {ChildKind::Nitrox, maker<TFmNitrox>(),
         {{P::CalculationsAfterTanks, 0, "NitroxCalculations1", "&Nitrox calculations", "Calculations for nitrox gas",
           Qt::Key_F7},
          {P::MainToolbar, 5, "btnNitrox", "itrox", "Calculations for nitrox gas", {}, nitroxGlyph}}},
        {ChildKind::BottomTime, maker<TfmtTimeCalcs>(),
         {{P::CalculationsAfterTanks, 1, "BottomTime1", "&Bottom Time", "Bottom Time Calculations", Qt::Key_F9},
          {P::MiscToolbar, 1, "btnTime", "Time", "Bottom Time Calculations"}}},
        {ChildKind::DivePlan, newDivePlan,
         {{P::PlanningMenu, 0, "NewDivePlan1", "&New Dive Plan", PlanningHint, Qt::Key_F4},
          {P::PopupPlans, 0, "NewDivePlan2", "&New dive plan", PlanningHint},
          {P::MainToolbar, 0, "btnPlan", "Plan",
           "New dive plan|Dive planning with 'Rule of Third' and calculation of turn/call pressure etc."}}},
        {ChildKind::Sac, maker<TfmPSIToCuFtSAC>(),
         {{P::PlanningTools, 0, "SurfaceAirConsumption1", "&Surface Air Consumption",
           "SAC - PSI/Min to CuFt/Min or SAC BAR/Min to Litres/Min", Qt::Key_F8},
          {P::MainToolbar, 2, "btnSAC", "SAC",
           "SAC - Surface Air Consumption or RMV - Respiratory Minute Volume|Surface Air Consumption - PSI/Min to "
           "CuFt/Min or BAR/Min to Litres/Min"}}},
        {ChildKind::GasNeeds, maker<TfmGasCalc>(),
         {{P::PlanningTools, 1, "GasCalculations1", "&Gas Calculations", "How much gas would I need for...",
           Qt::Key_F10},
          {P::MainToolbar, 4, "btnGas", "Gas", "Gas Calculations|How much gas would I need for..."}}},
        {ChildKind::DecoSchedule, maker<TfmDecoSchedule>(),
         {{P::PlanningTools, 2, "DecompressionSchedule1", "&Decompression schedule",
           "Stops, run time and oxygen exposure for a dive", QKeySequence(Qt::CTRL | Qt::Key_F5)}}},
        // Opened by the planner only.
        {ChildKind::TankComparison, maker<TfmConsumptionVersusTankSize>(), {}},
        {ChildKind::ProfileViewer, [](ChildHost &host) -> TChildForm * { return NewEmptyDanViewer(host); },
         {{P::DiveComputersMenu, 0, "ShowDANDiveProfiles1", "&Show DAN Dive profiles", "Show DAN Research graphic",
           Qt::Key_F12},
          {P::PopupProfiles, 0, "DANDiveProfile2", "&DAN Dive profile", "Read DAN Research format"},
          {P::MainToolbar, 3, "btnDAN", "DAN", "Show DAN Research graphic"}}},
    };
}

} // namespace

const QList<WindowKind> &windowCatalog()
{
    static const QList<WindowKind> catalog = makeCatalog();
    return catalog;
}

ChildMaker childMaker(ChildKind kind)
{
    for (const WindowKind &row : windowCatalog())
        if (row.kind == kind)
            return row.make;
    return {};
}

QList<std::pair<ChildKind, WindowCommand>> commandsAt(CommandPlace place)
{
    QList<std::pair<ChildKind, WindowCommand>> found;
    for (const WindowKind &row : windowCatalog())
        for (const WindowCommand &command : row.commands)
            if (command.place == place)
                found.append({row.kind, command});
    std::stable_sort(found.begin(), found.end(),
                     [](const auto &a, const auto &b) { return a.second.order < b.second.order; });
    return found;
}
