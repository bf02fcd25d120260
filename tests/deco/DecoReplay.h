#pragma once

// Replays a schedule's segments on fresh tissues and checks what the
// schedule promises: the segments join up, the stops hold whole minutes
// on the stop grid, deepest first, and on arriving at every stop, leaving
// it and reaching the surface no compartment holds more than the M-value
// of that depth's gradient factor allows. Shared by the schedule tests and
// the fuzz target; an empty text means the schedule holds.

#include "deco/model/Schedule.h"

#include <QString>

#include <cmath>

inline QString decoReplayFault(const deco::Schedule &schedule)
{
    using namespace deco;
    const Environment &env = schedule.settings.environment;
    Tissues tissues = Tissues::atSurface(env.surfacePressure);
    double depth = 0.0;
    double time = 0.0;
    const auto allowed = [&](double at, const QString &where) -> QString {
        const double gf = GradientAt(at, schedule.firstStop, schedule.settings);
        for (int i = 0; i < CompartmentCount; ++i) {
            const double tolerated = tissues.toleratedAmbient(i, gf);
            if (tolerated > env.ambient(at) + 1e-9)
                return QStringLiteral("%1 at %2 m (run %3 min): compartment %4 tolerates only %5 bar, ambient %6 bar")
                    .arg(where).arg(at).arg(time).arg(i + 1).arg(tolerated, 0, 'f', 6).arg(env.ambient(at), 0, 'f', 6);
        }
        return {};
    };
    const auto &segments = schedule.segments;
    for (size_t n = 0; n < segments.size(); ++n) {
        const Segment &s = segments[n];
        if (std::abs(s.startDepth - depth) > 1e-9)
            return QStringLiteral("segment %1 starts at %2 m, the diver is at %3 m").arg(n).arg(s.startDepth).arg(depth);
        if (!(s.minutes > 0.0))
            return QStringLiteral("segment %1 lasts %2 min").arg(n).arg(s.minutes);
        tissues.change(env.ambient(s.startDepth), env.ambient(s.endDepth), schedule.gases[size_t(s.gas)], s.minutes);
        depth = s.endDepth;
        time += s.minutes;
        if (s.bottom || !schedule.cleared)
            continue;
        const bool rising = s.endDepth < s.startDepth;
        if (rising && (n + 1 == segments.size() || segments[n + 1].startDepth == segments[n + 1].endDepth)) {
            const QString fault = allowed(depth, depth == 0.0 ? QStringLiteral("surface") : QStringLiteral("arrival"));
            if (!fault.isEmpty())
                return fault;
        }
        if (!rising && depth > 0.0 && depth <= schedule.firstStop + 1e-9) {
            const QString fault = allowed(depth, QStringLiteral("departure"));
            if (!fault.isEmpty())
                return fault;
        }
    }
    if (depth != 0.0)
        return QStringLiteral("the schedule ends at %1 m").arg(depth);
    if (std::abs(time - schedule.runTime) > 1e-6)
        return QStringLiteral("the segments last %1 min, the run time is %2 min").arg(time).arg(schedule.runTime);
    double previous = 1e9;
    int total = 0;
    for (const Stop &stop : schedule.stops) {
        if (stop.minutes < 1)
            return QStringLiteral("a stop of %1 min at %2 m").arg(stop.minutes).arg(stop.depth);
        if (stop.depth >= previous)
            return QStringLiteral("a stop at %1 m after one at %2 m").arg(stop.depth).arg(previous);
        previous = stop.depth;
        total += stop.minutes;
    }
    if (total != schedule.decoMinutes)
        return QStringLiteral("the stops add up to %1 min, the deco time is %2").arg(total).arg(schedule.decoMinutes);
    return {};
}
