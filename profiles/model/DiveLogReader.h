#pragma once

// Dive logs (UDDF, Subsurface XML): opening a log indexes its dives — each
// dive's place in the file and its header — with one quick pass over the
// bytes, so that a large log shows its dive list without parsing every
// sample; a dive's samples are read when it is chosen.
//
// Messages: "Cannot read <file>: <reason> (line <n>)" for malformed XML,
// "<file> holds no dives." for a file without dives.

#include "profiles/model/DiveLog.h"
#include "profiles/model/DiveLogFormats.h"
#include "profiles/model/DiveLogScan.h"

#include <QString>

#include <functional>
#include <vector>

enum class DiveLogFormat { Uddf, Subsurface };

struct DiveLog
{
    QString path;
    DiveLogFormat format = DiveLogFormat::Uddf;
    QByteArray declaration;
    DiveLogContext context;
    std::vector<DiveRegion> regions;
    std::vector<DiveHeader> headers; // one per dive, in file order; no samples read

    int size() const { return int(headers.size()); }
    // The first dive that has samples, else 0.
    int firstDiveWithSamples() const;
};

// Progress: bytes done of `total`.
using DiveLogProgress = std::function<void(qint64 done, qint64 total)>;

struct DiveLogOpenResult
{
    DiveLog log;
    QString message;     // empty when the log opened
    bool opened = false; // the file could be opened (whatever it holds)
};
DiveLogOpenResult OpenDiveLog(const QString &path, const DiveLogProgress &progress = {});

struct LogDiveResult
{
    LogDive dive;
    QString message; // empty when the dive was read whole
};
LogDiveResult ReadLogDive(const DiveLog &log, int index, const DiveLogProgress &progress = {});

// Whether the viewer opens `path` as a dive log: ".uddf" and ".ssrf"
// files, and ".xml" files whose root is <divelog> or <dives>.
bool IsDiveLogFile(const QString &path);
