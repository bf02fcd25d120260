// The decompression engine's speed beside baselines from the same run:
// - the schedule of 100 m for 30 minutes on TX10/70 with three deco gases
//   at GF 30/85 (target: a median under 1 ms, and under 20 times one full
//   update of the 16 compartments per one-minute step of the schedule);
// - the ceiling over a 2,000,000-sample recorded profile, sample by
//   sample, beside the same samples only walked through (the viewer's
//   load of such a profile with and without its ceiling is measured by
//   bench_danreader).

#include "deco/model/Schedule.h"
#include "deco/model/Tracker.h"

#include "bench/Timing.h"

#include <cmath>
#include <cstdio>
#include <vector>

using namespace deco;

namespace {

DiveInput trimixDive()
{
    DiveInput dive;
    dive.depth = 100.0;
    dive.bottomTime = 30.0;
    dive.bottomGas = BreathingGas::fromPercent(10, 70);
    dive.decoGases = {{BreathingGas::fromPercent(21, 35), {}},
                      {BreathingGas::fromPercent(50, 0), {}},
                      {BreathingGas::fromPercent(100, 0), {}}};
    return dive;
}

// A profile of `count` samples 2 s apart: dives of an hour to 30..60 m and back.
struct Sample
{
    double minutes, depth;
};
std::vector<Sample> recordedProfile(int count)
{
    std::vector<Sample> samples;
    samples.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const double minutes = i * 2.0 / 60.0;
        const double phase = std::fmod(minutes, 90.0);
        const double deepest = 30.0 + 30.0 * std::fmod(minutes / 90.0, 1.0);
        samples.push_back({minutes, phase < 60.0 ? deepest * std::sin(phase / 60.0 * 3.14159265) : 0.0});
    }
    return samples;
}

} // namespace

int main()
{
    const DiveInput dive = trimixDive();
    const DecoSettings settings;
    const Schedule once = ComputeSchedule(dive, settings);
    const int steps = int(std::ceil(once.runTime));
    double sink = 0.0;
    const double schedule = medianMilliseconds(301, [&] { sink += ComputeSchedule(dive, settings).runTime; });

    // One full update: a Schreiner step of all 16 compartments, N2 and He,
    // for a duration never used before (its 32 exponentials included).
    Tissues tissues = Tissues::atSurface(1.01325);
    int fresh = 0;
    const double fullUpdate = medianMilliseconds(301, [&] {
        for (int i = 0; i < 1000; ++i)
            tissues.change(5.0, 4.7, dive.bottomGas, 1.0 + 1e-9 * ++fresh);
    }) / 1000.0;
    sink += tissues.n2[0];
    const double budget = 20.0 * fullUpdate * steps;
    std::printf("schedule 100 m 30 min TX10/70 + 3 deco gases, GF 30/85: %zu stops, run time %.1f min (%d one-minute steps)\n",
                once.stops.size(), once.runTime, steps);
    std::printf("  median %.4f ms (target <= 1 ms: %.2fx of it)\n", schedule, schedule / 1.0);
    std::printf("  one full 16-compartment update %.5f ms; 20 x update x steps = %.4f ms; schedule / that = %.2fx (target <= 1)\n",
                fullUpdate, budget, schedule / budget);

    const std::vector<Sample> profile = recordedProfile(2'000'000);
    const BreathingGas air;
    const double walk = medianMilliseconds(5, [&] {
        for (const Sample &s : profile)
            sink += s.depth * 1e-9;
    });
    const double ceilingPass = medianMilliseconds(5, [&] {
        DecoTracker tracker(settings);
        double deepest = 0.0;
        for (const Sample &s : profile) {
            tracker.add(s.minutes, s.depth, air);
            deepest = std::max(deepest, tracker.diveCeiling());
        }
        sink += deepest;
    });
    std::printf("computed ceiling over 2,000,000 samples: median %.1f ms (walking the samples alone %.1f ms); "
                "compare with the viewer's load of such a profile (bench_danreader)\n",
                ceilingPass, walk);
    return sink == 12345.0 ? 1 : 0;
}
