#pragma once

// One dive of a dive log, as every profile reader gives it: the header, the
// gas mixes breathed and the samples. Quantities are metric whatever the
// file held (metres, seconds, degrees Celsius, bar, litres); the viewer
// converts them to its own unit system when it draws them.

#include <QString>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

constexpr float NoValue = std::numeric_limits<float>::quiet_NaN();
inline bool HasValue(float value) { return !std::isnan(value); }

struct DiveMix
{
    double o2 = 0.21; // fractions, 0..1
    double he = 0;

    bool operator==(const DiveMix &) const = default;
};

// "Air", "O2", "EAN50", "TX18/45": the name divers give a mix.
QString DiveMixName(const DiveMix &mix);

struct DiveSample
{
    // Which values the file gave at this sample; the others are carried
    // over from the samples before (Subsurface writes only what changed).
    enum Given : std::uint8_t { TemperatureGiven = 1, PressureGiven = 2 };

    float time = 0;              // seconds from the start
    float depth = 0;             // metres
    float temperature = NoValue; // degrees Celsius
    float pressure = NoValue;    // bar, first cylinder
    float ceiling = 0;           // metres, the computer's stop depth or ceiling; 0 when none
    float ppO2 = NoValue;        // bar, as recorded (rebreathers)
    std::uint8_t gas = 0;        // index into the dive's mixes
    std::uint8_t given = 0;
    bool inDeco = false;
};

struct DiveHeader
{
    int position = 0;    // in the file, from 1
    QString number;      // as the file gives it; empty when it gives none
    QString date;        // yyyy-MM-dd
    QString time;        // hh:mm
    double duration = 0; // seconds, as the computer or logbook wrote it
    double maxDepth = 0; // metres, as written
    QString notes, location, buddy, divemaster;
    QString computer; // model and serial number as the file gives them
    QString tankDescription;
    double tankLitres = 0;                                // water volume of the first cylinder
    double tankWorkPressure = 0;                          // bar, 0 when not given
    float startPressure = NoValue, endPressure = NoValue; // bar, first cylinder
    bool rebreather = false;

    // The number, or the position when the file gives none.
    QString shownNumber() const;
    // "Dive #<number>  <yyyy-MM-dd> <hh:mm>"
    QString listText() const;
    // "Dive # <number> on <yyyy-MM-dd> <hh:mm>", as a DAN profile's chart caption.
    QString chartCaption() const;
};

struct LogDive
{
    DiveHeader header;
    std::vector<DiveMix> mixes; // gas index 0 is breathed at the start
    std::vector<DiveSample> samples;

    // The mix breathed at `seconds` (the one of the last sample at or before it).
    DiveMix mixAt(double seconds) const;
    // The sample nearest before or at `seconds`; nullptr without samples.
    const DiveSample *sampleAt(double seconds) const;
};
