// Decompression schedules of random dives: every schedule ends in finite
// time, and one whose stops all cleared holds when its segments are
// replayed on fresh tissues (tests/deco/DecoReplay.h). The no-decompression
// limit and a recorded-profile pass over the same dive end too.

#include "deco/model/Schedule.h"
#include "deco/model/Tracker.h"
#include "tests/deco/DecoReplay.h"
#include "tests/fuzz/FuzzCheck.h"

#include <cmath>

using namespace deco;

namespace {

// Reads the input a byte at a time; past its end, zeros.
class Bytes
{
public:
    Bytes(const unsigned char *data, size_t size) : m_data(data), m_size(size) {}
    int next() { return m_at < m_size ? m_data[m_at++] : 0; }
    int next16() { return next() | next() << 8; }

private:
    const unsigned char *m_data;
    size_t m_size;
    size_t m_at = 0;
};

BreathingGas gasFrom(Bytes &in)
{
    const int o2 = 1 + in.next() % 100;
    const int he = in.next() % (101 - o2);
    return BreathingGas::fromPercent(o2, he);
}

QString describe(const DiveInput &dive, const DecoSettings &s)
{
    QString text = QStringLiteral("%1 m %2 min %3, GF %4/%5, rates %6/%7, grid %8 last %9, ppO2 %10, switch %11, "
                                  "surface %12, %13 m/bar")
                       .arg(dive.depth).arg(dive.bottomTime).arg(GasName(dive.bottomGas))
                       .arg(s.gfLow).arg(s.gfHigh).arg(s.descentRate).arg(s.ascentRate).arg(s.stopInterval)
                       .arg(s.lastStop).arg(s.decoPPO2).arg(s.minSwitchTime)
                       .arg(s.environment.surfacePressure).arg(s.environment.metresPerBar);
    for (const DecoGas &g : dive.decoGases)
        text += QStringLiteral(", %1 from %2").arg(GasName(g.gas)).arg(g.switchDepth ? *g.switchDepth : -1.0);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size > 64)
        return 0;
    Bytes in(data, size);
    DiveInput dive;
    dive.depth = in.next16() % 2001 / 10.0;
    dive.bottomTime = in.next16() % 2001 / 10.0;
    dive.bottomGas = gasFrom(in);
    const int decoGases = in.next() % 4;
    for (int g = 0; g < decoGases; ++g) {
        DecoGas deco{gasFrom(in), {}};
        if (const int depth = in.next(); depth != 255)
            deco.switchDepth = depth / 2.0;
        dive.decoGases.push_back(deco);
    }
    DecoSettings s;
    s.gfLow = (1 + in.next() % 150) / 100.0;
    s.gfHigh = (1 + in.next() % 150) / 100.0;
    s.descentRate = 1 + in.next() % 60;
    s.ascentRate = 1 + in.next() % 30;
    const int grid = in.next() % 4;
    s.stopInterval = grid == 0 ? 3.0 : grid == 1 ? 10.0 / 3.28083 : 1.0 + in.next() % 10;
    s.lastStop = s.stopInterval * (in.next() % 3);
    s.decoPPO2 = 0.5 + in.next() % 201 / 100.0;
    s.minSwitchTime = in.next() % 6;
    s.environment.surfacePressure = 0.6 + in.next() % 81 / 100.0;
    s.environment.metresPerBar = in.next() % 2 ? 10.0 : 10.3;

    const Schedule schedule = ComputeSchedule(dive, s);
    FUZZ_CHECK(std::isfinite(schedule.runTime) && std::isfinite(schedule.cnsPercent) && std::isfinite(schedule.otu),
               describe(dive, s));
    if (schedule.cleared) {
        const QString fault = decoReplayFault(schedule);
        FUZZ_CHECK(fault.isEmpty(), describe(dive, s) + QStringLiteral("\n") + fault);
    }
    const NoDecoLimit left = NoStopTimeLeft(dive, s);
    FUZZ_CHECK(left.minutes >= 0 && left.minutes <= NoDecoLimitCap, describe(dive, s));

    DecoTracker tracker(s);
    double time = 0.0;
    for (const Segment &segment : schedule.segments) {
        time += segment.minutes;
        tracker.add(time, segment.endDepth, schedule.gases[size_t(segment.gas)]);
        FUZZ_CHECK(tracker.ceiling(s.gfHigh) >= 0.0, describe(dive, s));
    }
    tracker.noDecoLimit();
    return 0;
}
