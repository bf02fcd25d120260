#include "tests/faults/DiverWriters.h"

#include "planner/model/DiverRecords.h"
#include "planner/model/PlanModel.h"

namespace {
bool yes(const QString &) { return true; }
}

void SaveCharliesRecord()
{
    PlanModel plan;
    DiverRecords(plan, yes).SaveDiverRecord(QStringLiteral("Charlie"), QStringLiteral("80"), QStringLiteral("3000"),
                                            QStringLiteral("0.5"));
}

void DeleteAlphasRecord()
{
    PlanModel plan;
    DiverRecords records(plan, yes);
    records.EdName = QStringLiteral("Alpha");
    records.DiverDeleteClick();
}
