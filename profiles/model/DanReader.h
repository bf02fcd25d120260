#pragma once

// Loading one DAN research file: its identification and dive header, and
// its samples drawn as operations on a DanPlotter (see DanProfile).
//
// Numbers in the file are always read with "." as the decimal separator;
// the user's number format is neither consulted nor changed.
//
// Empty lines (or lines of blanks only) among the samples are skipped: they
// neither end the dive nor count as samples. A file that ends before its
// first sample (shorter than nine lines) keeps the header fields it has and
// is reported with a message; nothing is drawn.

#include "profiles/model/DanDrawing.h"

#include <QString>

#include <functional>

struct DanHeader
{
    QString serial;             // line 1 before the first "."
    QString baseName;           // line 1's first field without its extension
    QString diveNumber;         // line 2, characters 1 and 2
    QString date, time;         // line 2, fields 2 and 3
    QString gasUsed;            // field 6, "1500P" shown as "1500 PSI"
    QString averageTemperature; // field 7
    QString tank;               // field 8

    // "Dive # %s on %s %s"
    QString chartCaption() const;
};

DanHeader DanReadIdentification(const QString &line1);
void DanReadDiveHeader(const QString &line2, DanHeader &header);

struct DanLoadOptions
{
    int resolutionStep = 1; // 1, 4 or 8: a sample is drawn when the running
                            // count of characters since line 9 is a multiple
    bool animate = false;   // redraw every 20 samples instead of every 200
    // Called at each redraw with the characters read since line 9, on the
    // caller's thread, in step with the drawing.
    std::function<void(qint64 position)> redraw;
    // Called with every sample drawn: its time in seconds, its depth in
    // feet. It is called on the thread that reads the samples, not the
    // caller's, and ends before the load returns.
    std::function<void(double seconds, double depth)> sample;
};

struct DanLoadResult
{
    // The file could be opened for reading; when not, `message` says why
    // and nothing of it was read.
    bool opened = false;
    DanHeader header;
    // A further dive header followed the first dive's samples: the file is
    // to be split (DanSeveralDives.h). The summary is then not complete.
    bool severalDives = false;
    // Why loading stopped early, empty when the file was read to its end;
    // `messageLine` is the line (from 1) it concerns, 0 for the whole file.
    QString message;
    int messageLine = 0;

    double maxDepth = 0;
    double maxTime = 0; // seconds
    double maxTemperature = 0;
    double samplingInterval = 0; // seconds
    int sampleCount = 0;         // sample lines parsed
    qint64 charactersRead = 0;   // since line 9

    bool complete() const { return !severalDives && message.isEmpty(); }
};

DanLoadResult LoadDanFile(const QString &path, const DanLoadOptions &options, DanPlotter &plotter);
