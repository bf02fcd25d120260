#include "profiles/model/DiveLog.h"

#include <algorithm>

QString DiveMixName(const DiveMix &mix)
{
    const long o2 = std::lround(mix.o2 * 100);
    const long he = std::lround(mix.he * 100);
    if (he > 0)
        return QStringLiteral("TX%1/%2").arg(o2).arg(he);
    if (o2 >= 100)
        return QStringLiteral("O2");
    if (o2 == 21)
        return QStringLiteral("Air");
    return QStringLiteral("EAN%1").arg(o2);
}

QString DiveHeader::shownNumber() const { return number.isEmpty() ? QString::number(position) : number; }

QString DiveHeader::listText() const { return QStringLiteral("Dive #%1  %2 %3").arg(shownNumber(), date, time); }

QString DiveHeader::chartCaption() const { return QStringLiteral("Dive # %1 on %2 %3").arg(shownNumber(), date, time); }

const DiveSample *LogDive::sampleAt(double seconds) const
{
    if (samples.empty())
        return nullptr;
    auto after = std::upper_bound(samples.begin(), samples.end(), seconds,
                                  [](double t, const DiveSample &s) { return t < double(s.time); });
    return after == samples.begin() ? &samples.front() : &*(after - 1);
}

DiveMix LogDive::mixAt(double seconds) const
{
    const DiveSample *sample = sampleAt(seconds);
    const std::size_t gas = sample ? sample->gas : 0;
    return gas < mixes.size() ? mixes[gas] : DiveMix{};
}
