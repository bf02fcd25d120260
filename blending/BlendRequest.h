#pragma once

// A desired mix handed to a new "Gas blending worksheet". The worksheet
// takes the unit system, the tank pressure and the three fractions as given
// (the nitrogen as sent, not balanced from the other two) and names the gas
// and the diver in its caption. The texts are what the sender shows: the
// worksheet's boxes hold texts and read them as the user's own.

#include <QString>

struct BlendRequest
{
    bool metric = false;
    QString pressure;                 // the desired tank pressure, bar or psi
    QString oxygen, helium, nitrogen; // percentages of the desired mix
    QString gasName;                  // "Nitrox", "Trimix": added to the caption
    QString diverName;                // whose tank, added after the gas; empty for none
};
