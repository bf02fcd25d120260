#include "profiles/model/DanSummary.h"

#include "core/NumText.h"

QString DanMaxDepthText(double maxDepth) { return Format(QStringLiteral("Max Depth: %3.2f"), {maxDepth}); }

QString DanRunTimeText(double maxTimeSeconds)
{
    const double minutes = double(Trunc(maxTimeSeconds / 60));
    QString seconds = IntToStr(Round(maxTimeSeconds - minutes * 60));
    if (seconds.size() == 1)
        seconds.prepend(u'0');
    return Format(QStringLiteral("Run time: %3.0f.%s"), {minutes, seconds});
}

QString DanSamplingRateText(double seconds) { return Format(QStringLiteral("Sampling rate: %2.0f sec"), {seconds}); }
QString DanAvgTempText(const DanHeader &header) { return QStringLiteral("Avg. temp: ") + header.averageTemperature; }
QString DanTankText(const DanHeader &header) { return QStringLiteral("Tank: ") + header.tank; }
QString DanSerialText(const DanHeader &header) { return QStringLiteral("Serial # ") + header.serial; }
QString DanUsedText(const DanHeader &header) { return QStringLiteral("Used: ") + header.gasUsed; }

QStringList DanSummaryTexts(const DanLoadResult &result)
{
    QStringList panels(DanSummaryPanels);
    if (!result.opened)
        return panels;
    const bool finished = result.complete();
    if (finished) {
        panels[MaxDepthPanel] = DanMaxDepthText(result.maxDepth);
        panels[RunTimePanel] = DanRunTimeText(result.maxTime);
    }
    panels[AvgTempPanel] = DanAvgTempText(result.header);
    panels[TankPanel] = DanTankText(result.header);
    panels[SerialPanel] = DanSerialText(result.header);
    panels[UsedPanel] = DanUsedText(result.header);
    if (result.sampleCount >= 2)
        panels[SamplingRatePanel] = DanSamplingRateText(result.samplingInterval);
    return panels;
}

qint64 DanProgressMaximum(qint64 size) { return size - Round(size * 0.1); }

DanAutoView DanAutoScale(const DanLoadResult &result)
{
    const double top = result.maxTemperature > result.maxDepth ? result.maxTemperature : result.maxDepth;
    return {top + top * 0.1, result.maxTime + result.maxTime * 0.05};
}
