#pragma once

// What the planner window shows besides the plan's inputs and results:
// captions, the chosen pages, status lines, hints, gauges and the enabled
// and visible states that the steps decide. Each member carries the name of
// the control it belongs to where the control has one.

#include <QString>

// The diver or time view chosen in `ShowGraphicsWho`, by item index.
enum class GraphicView { Diver1 = 0, Diver2 = 1, Time = 2 };

// A progress bar or gauge: its maximum and position.
struct Bar
{
    long long max = 100;
    long long position = 0;
    bool operator==(const Bar &) const = default;
};

struct PlanView
{
    // --- Choices of the user that only change what is shown ----------------
    // The pages in front; a plan file stores both.
    QString LowerPageControl = QStringLiteral("Dive");
    QString UpperPageControl = QStringLiteral("BottomInformation");
    // The subject of the profile graphic and of the reserve and gas lines.
    GraphicView ShowGraphicsWho = GraphicView::Time;

    // --- Captions -------------------------------------------------------------
    QString Caption = QStringLiteral("Dive planning with 'Rule of Third'"); // the window's
    // Headings of the divers' columns (caption = hint).
    QString Panel21 = QStringLiteral("Diver #1"), Panel22 = QStringLiteral("Diver #2");
    QString Label17Depth; // depth label of the profile graphic
    QString SuggestedTrimixGroupbox = QStringLiteral("Suggested Trimix/Heliox");
    QString UseSuggestedGasButton = QStringLiteral("Use 21% oxygen");

    // --- Status texts ---------------------------------------------------------
    QString MsgStatusBar; // the planner's message line
    QString MainStatus;   // last text sent to the main status line
    QString ReserveStatusBar, TotalConsumptionStatusBar;

    // --- Hints ----------------------------------------------------------------
    QString ReserveHint;   // hint of both reserve fields
    QString GroupBox5Hint; // hint of the best-mix group

    // --- Gauges and bars ------------------------------------------------------
    Bar ReserveBar, DiverMatchProgressBar, GasUsedVersusAvailableGasProgress, Gauge;
    bool GaugeRed = false; // the MOD gauge: red when the depth reaches the MOD

    // --- Enabled and visible states -------------------------------------------
    bool SaveDivePlanEnabled = false; // "&Save dive plan"
    bool GasStatusVisible = false;    // reserve and consumption lines, gauge, "how much gas" button
    bool AlarmShapeVisible = false;
    bool SuggestedTrimixEnabled = false;
    bool BestMixEnabled = true;
    bool UseSuggestedGasButtonEnabled = false;
};
