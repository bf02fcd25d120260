#pragma once

// A quick pass over a dive log's bytes that finds where each dive's element
// begins and ends, without parsing the samples: the dive list of a large
// log is known after a plain byte search, and only the dive the user picks
// is parsed in full. Comments, CDATA sections and processing instructions
// are stepped over; element names are compared without their namespace
// prefix.

#include <QByteArray>
#include <QtGlobal>

#include <functional>
#include <vector>

class QIODevice;

struct DiveRegion
{
    qint64 begin = 0;   // offset of "<dive"
    qint64 end = 0;     // offset just past "</dive>" (or "/>")
    qint64 headEnd = 0; // offset of the first sample or sample list, else `end`
    int line = 1;       // line of `begin`, from 1
    bool hasSamples = false;
};

struct DiveLogScan
{
    QByteArray declaration; // the "<?xml ...?>" the file begins with, if any
    QByteArray root;        // local name of the root element
    qint64 prologEnd = 0;   // where the first dive begins (the file's size when none)
    std::vector<DiveRegion> dives;
};

// Scans the device from its current position. `progress` gets the bytes
// read so far. Gives false when the device fails to read.
bool ScanDiveLog(QIODevice &device, DiveLogScan &scan, const std::function<void(qint64)> &progress = {});

// The local name of the root element of the first `bytes` of a file, empty
// when none is found there.
QByteArray XmlRootName(const QByteArray &bytes);
