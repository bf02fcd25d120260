#pragma once

// The nitrox top-off fill without its window: from a depth and a maximum
// ppO2 (the best mix) or from a named nitrox percentage, the mix text, the
// air top fill (oxygen first, topped with air) and the ideal fill (pure
// oxygen and pure nitrogen into an empty tank).

#include <QString>

struct NitroxFillInput
{
    bool byDepth = true;  // page "Depth"; false for page "EANx"
    int depth = 0;        // in the window's depth unit
    QString ppO2;         // maximum oxygen partial pressure
    QString eanx;         // oxygen percent of the named mix
    QString fillPressure; // whole number, in the window's pressure unit
    bool metric = false;
};

struct NitroxFillTexts
{
    QString gasPercentages; // "Gas percentages"
    QString idealFill;      // "Ideal fill"
    QString airTopFill;     // "Air Top Fill"
};

// Recomputes the three texts. A ppO2 or mix text that is not a number
// raises ConvertError before anything changes; a fill pressure that is not
// a whole number raises it after the mix text is written, so the two fill
// texts keep what they showed.
void NitroxFill(const NitroxFillInput &input, NitroxFillTexts &texts);
