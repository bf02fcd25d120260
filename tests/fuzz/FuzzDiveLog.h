#pragma once

// Shared by the dive log fuzz targets: any bytes open without a crash and
// give either a dive list or one of the reader's messages; every dive of
// the list reads (or reports its broken XML), with finite samples in time
// order of the file, gas indexes inside the dive's mixes, and a drawing at
// finite coordinates with no more lines than samples.

#include "profiles/model/DiveDrawing.h"
#include "profiles/model/DiveLogReader.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>

inline QString fuzzLogScratch()
{
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/tidewell-fuzzlog-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/tidewell-fuzzlog-XXXXXX"));
    return dir.path();
}

inline void fuzzDiveLog(const unsigned char *data, size_t size, const QString &fileName)
{
    if (size > 256 * 1024)
        return;
    const QString path = fuzzLogScratch() + u'/' + fileName;
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
            return;
    }
    const DiveLogOpenResult opened = OpenDiveLog(path);
    if (!opened.message.isEmpty()) {
        FUZZ_CHECK(opened.message.startsWith(QStringLiteral("Cannot read ") + fileName + QStringLiteral(": "))
                       || opened.message == fileName + QStringLiteral(" holds no dives."),
                   opened.message);
        FUZZ_CHECK(opened.log.size() == 0, opened.message);
        return;
    }
    FUZZ_CHECK(opened.log.size() > 0, QString());
    for (int i = 0; i < opened.log.size(); ++i) {
        const LogDiveResult read = ReadLogDive(opened.log, i);
        const LogDive &dive = read.dive;
        if (!read.message.isEmpty()) {
            FUZZ_CHECK(read.message.startsWith(QStringLiteral("Cannot read ")), read.message);
            FUZZ_CHECK(dive.samples.empty(), read.message);
        }
        FUZZ_CHECK(!dive.mixes.empty(), QString());
        for (const DiveSample &s : dive.samples) {
            FUZZ_CHECK(std::isfinite(s.time) && std::isfinite(s.depth) && std::isfinite(s.ceiling),
                       QStringLiteral("sample at %1, %2").arg(s.time).arg(s.depth));
            FUZZ_CHECK(s.gas < dive.mixes.size(), QStringLiteral("gas %1 of %2").arg(s.gas).arg(dive.mixes.size()));
        }
        for (const bool metric : {true, false}) {
            DanOpList plot;
            DrawLogDive(dive, metric, plot);
            std::size_t lines = 0;
            for (const DanDrawOp &op : plot.ops) {
                lines += op.kind == DanDrawOp::LineTo;
                FUZZ_CHECK(std::isfinite(op.x) && std::isfinite(op.y) && std::isfinite(op.x2) && std::isfinite(op.y2),
                           QStringLiteral("operation %1 at %2, %3").arg(int(op.kind)).arg(op.x).arg(op.y));
            }
            FUZZ_CHECK(lines == dive.samples.size(), QString());
            FUZZ_CHECK(DiveSummaryTexts(dive, metric).size() == 7, QString());
        }
    }
}
