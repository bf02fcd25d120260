#pragma once

// Dive plan files (".Dive"): one section "Defaults" whose keys are the
// planner's control names. A plan stores the choices and the two diver
// names; the divers' tanks and rates come from their diver records.
// "Default.Dive" in the program's data folder is the planner's memory between uses.

#include <QString>

#include <functional>

class PlanModel;

enum class SaveAnswer { Yes, No, Cancel };

// What the save dialog shows; the answer is the chosen file name, empty when cancelled.
struct SaveDialogRequest
{
    QString title = QStringLiteral("Save a dive");
    QString defaultExtension = QStringLiteral("dive");
    QString filter = QStringLiteral("Tidewell Dive files (*.dive)|*.dive");
};
using AskSaveFileName = std::function<QString(const SaveDialogRequest &request)>;
using AskYesNoCancel = std::function<SaveAnswer(const QString &question)>;

// "Default.Dive" in the program's data folder (DataFolder()).
QString DefaultDiveFileName();

// Reads a plan into the planner, loads its two divers and recalculates.
// A wrong extension or a missing file is reported on the main status line;
// the divers are then reloaded from the default record.
void LoadDive(PlanModel &plan, const QString &fileName);

// Writes every key of the plan to `fileName` (WriteError when it cannot).
void WriteDivePlan(const PlanModel &plan, const QString &fileName);

// Saves to the plan's file, or to a name asked for when it has none.
// Returns false when the dialog was cancelled.
bool Saveas1Click(PlanModel &plan, const AskSaveFileName &askFileName);

// Whether the planner may close: a named plan asks "Do you wish to save: ...",
// an unnamed one is saved silently to DefaultDiveFileName().
bool DivePlanCloseQuery(PlanModel &plan, const AskYesNoCancel &ask);
