#pragma once

// The short dive plan: a plain-text summary of the current plan, meant to be
// left at the dive site. The planner puts these lines into a new note named
// by ShortDivePlanFileName.

#include "planner/model/SrfTable.h"

#include <QDate>
#include <QString>
#include <QStringList>

class PlanModel;

struct ShortDivePlan
{
    QString fileName;                         // the note's file name and caption; empty when it could not be made
    QStringList lines;                        // the report, one entry a line ("" for an empty line)
    bool stopped = false;                     // a value did not read as a number: `lines` hold the lines before it
    QString error;                            // that value's message, as the program reports conversion errors
    SrfProblem srfProblem = SrfProblem::None; // what kept the SRF of the turn points from the table
};

// The note's file name: a saved plan's file with the extension ".txt"; an
// unsaved plan (or "Default.Dive") "DivePlan" + depth + "_" + bottom gas
// oxygen + "-" + whole minutes of bottom time + ".txt", e.g. "DivePlan30_32-41.txt".
// Throws ConvertError when the bottom time does not read as a number.
QString ShortDivePlanFileName(const PlanModel &plan);

// The file name and the report lines of the plan as it was last computed.
// The SAC ratio factor is looked up afresh (two thirds under the strict rule
// of thirds); the window warns of its problem as a recalculation does. Every
// amount is worded in the plan's own units. A value that does not read as a
// number, or a division by zero, ends the report at the line that needs it.
ShortDivePlan MakeShortDivePlan(const PlanModel &plan, const QDate &today = QDate::currentDate());
