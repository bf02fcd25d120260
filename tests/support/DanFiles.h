#pragma once

// Writes DAN research files for tests and benchmarks: any number of dives,
// each with its samples, interval, decompression phases and warnings.

#include <QByteArray>
#include <QList>
#include <QString>

struct DanDecoPhase
{
    int from = 0;       // first sample (from 0) with decompression due
    int to = 0;         // first sample after the phase
    int ceiling = 10;
};

struct DanDiveShape
{
    int number = 1;
    QString date = QStringLiteral("03/02/97");
    QString time = QStringLiteral("14:23");
    QString gasUsed = QStringLiteral("1500P");
    QString averageTemperature = QStringLiteral("72");
    QString tank = QStringLiteral("80");
    int samples = 100;
    int intervalSeconds = 20;
    double maxDepth = 100;
    int startPressure = 3000;
    QList<DanDecoPhase> deco;
    QList<int> warnings;   // samples (from 0) with the warning flag
};

// Line 1 of the generated files: serial 02345, base name 02345.
inline constexpr char DanIdentification[] = "02345.NEM  Cochran Nemesis IIa  DAN research format";

// "m.ss" for a time in seconds.
QByteArray DanMinutesText(int seconds);
// One dive: its header line, six further lines and its samples.
QByteArray DanDiveText(const DanDiveShape &dive);
// Writes line 1 and the dives; false when the file cannot be written.
bool WriteDanFile(const QString &path, const QList<DanDiveShape> &dives);
