#pragma once

// The first dive of a DAN research file as the dive model (DiveLog.h), so
// that what works on a dive's samples serves DAN files and logs alike:
// depths and ceilings are read as feet, temperatures as degrees Fahrenheit
// and tank pressures as psi (the units of the computers that write the
// format), and converted; every dive is breathed on air.

#include "profiles/model/DiveLog.h"

#include <QString>

struct DanDiveResult
{
    LogDive dive;
    QString message;     // why reading stopped early; empty when it did not
    int messageLine = 0; // the line (from 1) it concerns
};

DanDiveResult ReadDanDive(const QString &path);
