#pragma once

// The viewer's summary of a loaded profile: the texts of the seven panels
// of its status bar, the progress maximum and the automatic view.

#include "profiles/model/DanReader.h"

#include <QStringList>

enum DanSummaryPanel {
    MaxDepthPanel,
    RunTimePanel,
    AvgTempPanel,
    TankPanel,
    SerialPanel,
    UsedPanel,
    SamplingRatePanel,
    DanSummaryPanels
};

QString DanMaxDepthText(double maxDepth);      // "Max Depth: %3.2f"
QString DanRunTimeText(double maxTimeSeconds); // "Run time: %3.0f.%s", 2707 s: "Run time:  45.07"
QString DanSamplingRateText(double seconds);   // "Sampling rate: %2.0f sec"
// Panels 2 to 5 from the header, known as soon as line 2 is read.
QString DanAvgTempText(const DanHeader &header);
QString DanTankText(const DanHeader &header);
QString DanSerialText(const DanHeader &header);
QString DanUsedText(const DanHeader &header);

// All seven panels of a load; 0, 1 and 6 stay empty when the load stopped
// before its end (a file of several dives, an error), and all of them when
// the file could not be opened.
QStringList DanSummaryTexts(const DanLoadResult &result);

// Progress maximum for a file of `size` bytes: 90 % of it.
qint64 DanProgressMaximum(qint64 size);

// The view that auto scale gives a loaded profile: the lower end of the
// depth axis 10 % below the deepest point (or the warmest temperature, when
// larger) and the time axis 5 % beyond the run time.
struct DanAutoView
{
    double lowY;
    double highX;
};
DanAutoView DanAutoScale(const DanLoadResult &result);
