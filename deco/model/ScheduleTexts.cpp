#include "deco/model/ScheduleTexts.h"

#include "core/InputLists.h"
#include "core/NumText.h"
#include "core/Units.h"
#include "deco/model/Schedule.h"

#include <cmath>

namespace deco {

namespace {

struct Conversion
{
    bool metric;
    double toMetres() const { return metric ? 1.0 : ::Conversion::FeetToMetres; }
    double metres(double depth) const { return depth * toMetres(); }
    // A depth in metres as a whole number of the window's unit.
    long long shown(double metres) const { return Round(metric ? metres : metres * ::Conversion::MetresToFeet); }
};

DiveInput diveOf(const ScheduleInputs &in, const Conversion &unit)
{
    DiveInput dive;
    dive.depth = unit.metres(in.depth);
    dive.bottomTime = in.bottomTime;
    dive.bottomGas = BreathingGas::fromPercent(in.bottomO2, in.bottomHe);
    for (const ScheduleInputs::Gas &gas : in.decoGases) {
        if (gas.o2 <= 0)
            continue;
        DecoGas deco{BreathingGas::fromPercent(gas.o2, gas.he), {}};
        if (!gas.switchDepth.trimmed().isEmpty())
            deco.switchDepth = unit.metres(StrToFloat(gas.switchDepth));
        dive.decoGases.push_back(deco);
    }
    return dive;
}

DecoSettings settingsOf(const ScheduleInputs &in, const Conversion &unit)
{
    DecoSettings s;
    s.gfLow = in.gfLow / 100.0;
    s.gfHigh = in.gfHigh / 100.0;
    s.descentRate = unit.metres(in.descentRate);
    s.ascentRate = unit.metres(in.ascentRate);
    s.stopInterval = unit.metres(in.metric ? 3 : 10);
    s.lastStop = unit.metres(in.lastStop);
    s.decoPPO2 = StrToFloat(in.ppO2);
    s.minSwitchTime = in.minSwitchTime;
    s.environment = Environment::of(in.metric, in.saltWater, StrToFloat(in.surfacePressure));
    return s;
}

QString warningText(const DecoWarning &w, const Schedule &schedule, const Conversion &unit)
{
    const QString gas = GasName(schedule.gases[size_t(w.gas)]);
    const QString word = DepthUnitWord(unit.metric);
    switch (w.kind) {
    case DecoWarning::PPO2Above:
        return Format(QStringLiteral("ppO2 of %s reaches %.2f at %d %s"), {gas, w.ppO2, unit.shown(w.depth), word});
    case DecoWarning::GasUnused:
        return Format(QStringLiteral("Deco gas %s is never breathed"), {gas});
    case DecoWarning::HypoxicAtSurface:
        return Format(QStringLiteral("%s is hypoxic at the surface (ppO2 %.2f)"), {gas, w.ppO2});
    case DecoWarning::StopDoesNotClear:
        return Format(QStringLiteral("The stop at %d %s does not clear within %d minutes"),
                      {unit.shown(w.depth), word, LongestStop});
    }
    return {};
}

QString padded(const QString &text, int width) { return text.leftJustified(width); }

} // namespace

ScheduleTexts ComputeScheduleTexts(const ScheduleInputs &in)
{
    const Conversion unit{in.metric};
    const DiveInput dive = diveOf(in, unit);
    const DecoSettings settings = settingsOf(in, unit);
    const Schedule schedule = ComputeSchedule(dive, settings);

    ScheduleTexts out;
    for (const Stop &stop : schedule.stops)
        out.stops.push_back({IntToStr(unit.shown(stop.depth)), IntToStr(stop.minutes), IntToStr(Round(stop.runTime)),
                             GasName(schedule.gases[size_t(stop.gas)])});
    out.totalRunTime = Format(QStringLiteral("%.1f"), {schedule.runTime});
    out.totalDecoTime = IntToStr(schedule.decoMinutes);
    out.firstStopDepth = IntToStr(schedule.stops.empty() ? 0 : unit.shown(schedule.stops.front().depth));
    const NoDecoLimit left = NoStopTimeLeft(dive, settings);
    out.noDecoLimit = left.unlimited ? QStringLiteral("> 999") : IntToStr(left.minutes);
    out.cnsPercent = IntToStr(Round(schedule.cnsPercent));
    out.otus = IntToStr(Round(schedule.otu));
    out.volumeUnit = VolumeUnitWord(in.metric);
    for (size_t g = 0, used = 1; g < in.decoGases.size(); ++g)
        if (in.decoGases[g].o2 > 0)
            out.switchDepths[g] = IntToStr(unit.shown(schedule.switchDepths[used++]));
    const std::vector<double> use = GasUse(schedule, in.bottomSac, in.decoSac);
    for (size_t g = 0; g < use.size(); ++g)
        if (use[g] > 0.0)
            out.gasNeeds.push_back({GasName(schedule.gases[g]),
                                    in.metric ? IntToStr(Round(use[g])) : Format(QStringLiteral("%.1f"), {use[g]})});
    for (const DecoWarning &w : Warnings(schedule))
        out.warnings << warningText(w, schedule, unit);
    if (schedule.oxygenAboveTable && settings.decoPPO2 > 1.6)
        out.warnings << QStringLiteral("CNS: ppO2 above 1.6 counted at 45 minutes");

    const QString word = DepthUnitWord(in.metric);
    out.lines << QStringLiteral("Decompression schedule (ZH-L16C, GF %1/%2)").arg(in.gfLow).arg(in.gfHigh)
              << Format(QStringLiteral("%d %s for %d min on %s"),
                        {in.depth, word, in.bottomTime, GasName(dive.bottomGas)});
    for (size_t g = 1; g < schedule.gases.size(); ++g)
        out.lines << Format(QStringLiteral("Deco gas %s from %d %s"),
                            {GasName(schedule.gases[g]), unit.shown(schedule.switchDepths[g]), word});
    out.lines << QString() << padded(QStringLiteral("Depth"), 8) + padded(QStringLiteral("Stop"), 8)
                                  + padded(QStringLiteral("Run time"), 10) + QStringLiteral("Gas");
    for (const ScheduleTexts::StopRow &row : out.stops)
        out.lines << padded(row.depth, 8) + padded(row.stop, 8) + padded(row.runTime, 10) + row.gas;
    out.lines << QString() << QStringLiteral("Run time: %1 min").arg(out.totalRunTime)
              << QStringLiteral("Deco time: %1 min").arg(out.totalDecoTime)
              << QStringLiteral("CNS: %1 %  OTU: %2").arg(out.cnsPercent, out.otus);
    for (const ScheduleTexts::GasRow &row : out.gasNeeds)
        out.lines << QStringLiteral("%1: %2 %3").arg(row.gas, row.volume, out.volumeUnit);
    out.lines << out.warnings;
    return out;
}

} // namespace deco
