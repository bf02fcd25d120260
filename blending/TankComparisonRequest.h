#pragma once

// Two divers' tanks handed to a new "Air consumption / Tank sizes" window:
// one diver's tank size takes each of `sizes` in turn, one row each, while
// the other diver keeps their own tank. The texts are the divers' inputs as
// typed; a row whose values are no numbers stops the filling with an error.

#include "blending/model/TankMatch.h"

#include <QString>
#include <QStringList>

#include <array>

struct TankComparisonRequest
{
    bool metric = false;
    std::array<DiverTank, 2> diver; // diver 1 and diver 2
    int variedDiver = 1;            // 1 or 2: whose tank size varies
    QStringList sizes;              // the varied sizes; rows beyond the window's last are left out
    QString header;                 // the caption above the rows: the divers' names
};
