#include "profiles/model/DanViewerMath.h"

#include "core/NumText.h"
#include "core/Units.h"

#include <QFileInfo>

#include <algorithm>

std::optional<DanCursorReadout> DanCursorAt(bool inPlot, double x, double y)
{
    // Also no read-out where the view gives no number at all.
    if (!inPlot || !(x > 0) || !(y > 0))
        return std::nullopt;
    return DanReadout(x, y);
}

DanCursorReadout DanReadout(double x, double y)
{
    y = std::clamp(y, -DeepestReadoutDepth, DeepestReadoutDepth);
    // Air and imperial depths: the profile's depths are feet.
    return DanReadoutWith(x, y, OxygenPartialPressure(int(Round(y)), 21, false));
}

DanCursorReadout DanReadoutWith(double x, double y, double partialPressure)
{
    x = std::clamp(x, -LongestReadoutTime, LongestReadoutTime);
    y = std::clamp(y, -DeepestReadoutDepth, DeepestReadoutDepth);
    DanCursorReadout readout;
    readout.depth = Format(QStringLiteral("Depth: %3.1f"), {y});
    const double minutes = double(Trunc(x / 60));
    QString seconds = IntToStr(Round(x - minutes * 60));
    if (seconds.size() == 1)
        seconds.prepend(u'0');
    readout.minutes = Format(QStringLiteral("Minutes: %3.0f.%s"), {minutes, seconds});
    readout.partialPressure = partialPressure;
    readout.meterPosition = int(Round(readout.partialPressure * 0.625 * 100)) + 1;
    readout.ppO2 = Format(QStringLiteral("ppO2: %1.2f"), {readout.partialPressure});
    return readout;
}

DanView DanZoom(const DanView &view, bool zoomIn)
{
    const auto axis = [zoomIn](double lo, double hi, double &newLo, double &newHi) {
        const float middle = float((hi + lo) / 2);
        const float half = zoomIn ? float((hi - lo) * 0.35714285714285715) : float((hi - lo) * 1.4 * 0.5);
        newLo = double(middle) - double(half);
        newHi = double(middle) + double(half);
    };
    DanView zoomed;
    axis(view.loX, view.hiX, zoomed.loX, zoomed.hiX);
    axis(view.loY, view.hiY, zoomed.loY, zoomed.hiY);
    return zoomed;
}

QString DanNotePath(const QString &profilePath)
{
    const QFileInfo info(profilePath);
    const QString suffix = info.suffix();
    if (suffix.isEmpty())
        return profilePath + QStringLiteral(".txt");
    return profilePath.left(profilePath.size() - suffix.size()) + QStringLiteral("txt");
}

QString DanNewNameProblem(const QString &name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("A file name cannot be empty.");
    if (name == u"." || name == u"..")
        return QStringLiteral("\"%1\" cannot be used as a file name.").arg(name);
    if (name.contains(u'/') || name.contains(u'\\'))
        return QStringLiteral("A file name cannot hold \"/\" or \"\\\": \"%1\" would move the file to another folder. "
                              "Use \"Move file(s)\" for that.")
            .arg(name);
    return {};
}
