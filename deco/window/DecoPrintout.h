#pragma once

// The printed decompression schedule: a heading, the stops as a table whose
// columns are as wide as the printer font's widest text in them, the totals,
// the gas needed and the warnings, on as many pages as it takes.

#include "deco/model/ScheduleTexts.h"

class QPainter;
class QPagedPaintDevice;

// Prints on a painter already open on `device`.
void PrintDecoSchedule(QPainter &painter, QPagedPaintDevice &device, const deco::ScheduleTexts &texts);
