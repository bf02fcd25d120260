#pragma once

// A host for child windows made without a main window: it records what the
// window asks of the program, so tests can check it.

#include "blending/BlendRequest.h"
#include "blending/TankComparisonRequest.h"
#include "calculators/GasNeedsRequest.h"
#include "widgets/ChildHost.h"

#include <QList>
#include <QPoint>
#include <QStringList>

class FakeHost final : public ChildHost
{
public:
    void showUnits(bool metric) override { units << metric; }
    void showMessage(const QString &text) override { messages << text; }
    TChildForm *openWindow(ChildKind kind) override
    {
        opened << kind;
        return nullptr;
    }
    void openDecoSchedule(const DecoScheduleRequest &request) override { decoRequests << request; }
    TChildForm *openBlending(const BlendRequest &request) override
    {
        blendRequests << request;
        return nullptr;
    }
    void openTankComparison(const TankComparisonRequest &request) override { tankRequests << request; }
    void openGasNeeds(const GasNeedsRequest &request) override { gasNeedsRequests << request; }
    void showInNewNote(const QStringList &lines) override { notes << lines; }
    void showReport(const QString &fileName, const QFont &, const QStringList &lines) override
    {
        reportNames << fileName;
        notes << lines;
    }
    QRect windowFrame(const TChildForm &) const override { return {}; }
    void placeWindow(TChildForm &, const QPoint &topLeft) override { placed << topLeft; }
    void runCommand(ProgramCommand command) override { commands << command; }
    bool commandAvailable(ProgramCommand command) const override { return available.contains(command); }
    void openNoteFile(const QString &fileName, const QString &fontFamily) override
    {
        noteFiles << fileName;
        noteFonts << fontFamily;
    }
    void addRecentFile(const QString &fileName) override { recentFiles << fileName; }
    void openProfile(const QString &fileName) override { profiles << fileName; }

    QList<bool> units;
    QStringList messages;
    QList<ChildKind> opened;
    QList<DecoScheduleRequest> decoRequests;
    QList<BlendRequest> blendRequests;
    QList<TankComparisonRequest> tankRequests;
    QList<GasNeedsRequest> gasNeedsRequests;
    QList<QStringList> notes;
    QStringList reportNames;
    QList<QPoint> placed;
    QList<ProgramCommand> commands;
    QList<ProgramCommand> available;
    QStringList noteFiles;
    QStringList noteFonts;
    QStringList recentFiles;
    QStringList profiles;
};
