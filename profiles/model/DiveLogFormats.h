#pragma once

// The two dive log formats the viewer reads. Each reader takes the file's
// prolog (what stands before the first dive: mixes, sites, buddies, dive
// computers) into a DiveLogContext, and then one dive at a time.

#include "profiles/model/DiveLog.h"

#include <QHash>
#include <QString>

#include <vector>

class DiveXml;

struct DiveLogContext
{
    std::vector<QString> mixIds; // UDDF: the mixes of <gasdefinitions>, by id
    std::vector<DiveMix> mixes;
    QHash<QString, QString> sites;     // id → "name, location"
    QHash<QString, QString> people;    // id → "first last"
    QHash<QString, QString> computers; // id → model and serial (UDDF); device id → serial (Subsurface)
    QString firstComputer;             // UDDF: the owner's first dive computer
};

void UddfReadProlog(DiveXml &xml, DiveLogContext &context);
// Reads a dive from its start tag (or up to where the part ends).
void UddfReadDive(DiveXml &xml, const DiveLogContext &context, LogDive &dive);

void SubsurfaceReadProlog(DiveXml &xml, DiveLogContext &context);
void SubsurfaceReadDive(DiveXml &xml, const DiveLogContext &context, LogDive &dive);
