#pragma once

// A stay handed to a new "Gas calculations" window: it answers "How much air
// do I need" for `minutes` at `depth` breathing `breathingRate`, in the unit
// system `metric` names.

#include <QString>

struct GasNeedsRequest
{
    bool metric = false;
    int depth = 0; // feet or metres
    int minutes = 0;
    QString breathingRate; // cubic feet or litres a minute, as typed
};
