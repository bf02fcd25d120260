// The two pages of the viewer: the profile chart with its cursor bar and
// ppO2 meter, and the profile's note.

#include "profiles/window/DANGraphic.h"

#include "charts/RChart.h"
#include "charts/dbm.h"
#include "core/SafeWrite.h"
#include "core/Windows1252.h"
#include "platform/ShellOpen.h"
#include "profiles/window/DanSampleMarker.h"
#include "widgets/Builders.h"
#include "widgets/Dialogs.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"
#include "widgets/PanelBar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

void TfmDANResarchFormatGraphic::createPages()
{
    auto *column = new QVBoxLayout(m_pageArea);
    column->setContentsMargins(0, 0, 0, 0);
    PageControl1 = ui::pageControl(m_pageArea, QStringLiteral("PageControl1"));
    column->addWidget(PageControl1);

    TabSheet1 = new QWidget(PageControl1);
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    auto *chartColumn = new QVBoxLayout(TabSheet1);
    chartColumn->setContentsMargins(0, 0, 0, 0);
    chartColumn->setSpacing(0);
    RChart1 = new TRChart(TabSheet1);
    RChart1->setObjectName(QStringLiteral("RChart1"));
    RChart1->setFocusPolicy(Qt::StrongFocus);
    RChart1->installEventFilter(this);
    m_marker = new DanSampleMarker(RChart1);
    chartColumn->addWidget(RChart1, 1);
    // Panels 6 and 7 hold the computed ceiling's read-out, shown only while
    // the ceiling is drawn; panel 5, the note's first line, takes the room left.
    StatusBarForGraph = new TPanelBar(TabSheet1, QStringLiteral("StatusBarForGraph"),
                                      {60, 100, 100, 100, 80, 50, 110, 140}, 5);
    StatusBarForGraph->setPanelText(0, QStringLiteral("Cursor:"));
    for (int panel : {CeilingPanel, NdlTtsPanel})
        StatusBarForGraph->setPanelVisible(panel, false);
    chartColumn->addWidget(StatusBarForGraph);
    ppO2DBMeter = new Tdbmeter(StatusBarForGraph);
    ppO2DBMeter->setObjectName(QStringLiteral("ppO2DBMeter"));
    ppO2DBMeter->setGreens(15);
    ppO2DBMeter->setGreenMax(96);
    ppO2DBMeter->setYellows(4);
    ppO2DBMeter->setYellowMax(4);
    ppO2DBMeter->setReds(2);
    ppO2DBMeter->setRedMax(4);
    ppO2DBMeter->setStyle(Tdbmeterstyle::dsHorizontal);
    ppO2DBMeter->setDirection(tdbmeterdirection::ddRightDown);
    ppO2DBMeter->setBevelStyle(TPanelBevel::bvNone);
    setHint(ppO2DBMeter,
            QStringLiteral(
                "Cursor depth versus 1.6 ATA|Air (21% O2) and Imperial assumed for now. Will later be configurable"));
    ppO2DBMeter->hide();
    connectGuarded(StatusBarForGraph, &TPanelBar::resized, this, [this] { placeMeter(); });
    PageControl1->addTab(TabSheet1, QStringLiteral("Dive profile"));

    TabSheet2 = new QWidget(PageControl1);
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    auto *noteColumn = new QVBoxLayout(TabSheet2);
    noteColumn->setContentsMargins(2, 2, 2, 0);
    auto *buttons = new QHBoxLayout;
    SpeedButton1 = ui::button(TabSheet2, QStringLiteral("SpeedButton1"),
                              QStringLiteral("Start seperat editor with note."));
    SpeedButton2 = ui::button(TabSheet2, QStringLiteral("SpeedButton2"), QStringLiteral("Windows editor with note"));
    buttons->addWidget(SpeedButton1);
    buttons->addWidget(SpeedButton2);
    buttons->addStretch(1);
    noteColumn->addLayout(buttons);
    // A log dive's own notes, location, buddy and divemaster, above the user's note.
    DiveLogInfo = new QPlainTextEdit(TabSheet2);
    DiveLogInfo->setObjectName(QStringLiteral("DiveLogInfo"));
    DiveLogInfo->setReadOnly(true);
    DiveLogInfo->setMaximumHeight(110);
    DiveLogInfo->hide();
    noteColumn->addWidget(DiveLogInfo);
    RichEditProfileNote = new QPlainTextEdit(TabSheet2);
    RichEditProfileNote->setObjectName(QStringLiteral("RichEditProfileNote"));
    // Tab leaves the note, which saves it, as for the window's other fields.
    RichEditProfileNote->setTabChangesFocus(true);
    noteColumn->addWidget(RichEditProfileNote, 1);
    DiveLogStatusBar = new TPanelBar(TabSheet2, QStringLiteral("DiveLogStatusBar"), {50, 70, 300});
    DiveLogStatusBar->setPanelText(0, QStringLiteral("Note:"));
    noteColumn->addWidget(DiveLogStatusBar);
    PageControl1->addTab(TabSheet2, QStringLiteral("Dive log"));

    connectGuarded(RichEditProfileNote, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_fillingNote)
            RichEditProfileNoteChange();
    });
    ui::onLeave(RichEditProfileNote, [this] { RichEditProfileNoteExit(); });
    connectGuarded(SpeedButton1, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
    connectGuarded(SpeedButton2, &QPushButton::clicked, this, [this] { SpeedButton2Click(); });
    connectGuarded(RChart1, &TRChart::OnMouseMoveInChart, this,
                   [this](TRChart *, bool inChart, TShiftState, double x, double y) {
                       RChart1MouseMoveInChart(inChart, x, y);
                   });
    connectGuarded(RChart1, &TRChart::OnMouseDown, this, [this](QMouseEvent *event) { RChart1MouseDown(event); });
    connectGuarded(RChart1, &TRChart::OnMouseMove, this, [this](QMouseEvent *event) {
        if (event->position().x() < 0 || event->position().y() < 0)
            RChart1->unsetCursor();
    });
}

// ---- the profile's note ------------------------------------------------------

namespace {

QString firstLine(const QString &text) { return text.section(u'\n', 0, 0); }

} // namespace

void TfmDANResarchFormatGraphic::loadNote()
{
    const QString note = notePath();
    const bool exists = !note.isEmpty() && QFileInfo(note).isFile();
    SeeNoteSpeedButton->defaultAction()->setEnabled(exists);
    QString text;
    if (exists) {
        QFile file(note);
        if (!file.open(QIODevice::ReadOnly))
            throw AppError(
                QStringLiteral("Cannot read %1: %2").arg(QDir::toNativeSeparators(note), file.errorString()));
        text = decodeUtf8OrWindows1252(file.readAll());
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    m_fillingNote = true;
    RichEditProfileNote->setPlainText(text);
    m_fillingNote = false;
    DiveLogStatusBar->setPanelText(2, exists ? QDir::toNativeSeparators(note) : QString());
    StatusBarForGraph->setPanelText(5, exists ? firstLine(text) : QString());
    m_noteModified = false;
    DiveLogStatusBar->setPanelText(1, QString());
}

void TfmDANResarchFormatGraphic::RichEditProfileNoteChange()
{
    m_noteModified = true;
    DiveLogStatusBar->setPanelText(1, QStringLiteral("Modified"));
}

void TfmDANResarchFormatGraphic::RichEditProfileNoteExit()
{
    if (!m_noteModified)
        return;
    if (m_currentFile.isEmpty()) {
        // A note belongs to a profile: without one there is nowhere to keep it.
        host().showMessage(QStringLiteral("Open a dive profile before writing its note"));
        return;
    }
    const QString note = notePath();
    const QString text = RichEditProfileNote->toPlainText();
    if (text.isEmpty()) {
        if (QFileInfo::exists(note) && !QFile::remove(note))
            throw AppError(QStringLiteral("Cannot delete %1").arg(QDir::toNativeSeparators(note)));
    } else if (const QString problem = WriteWholeFile(note, text.toUtf8()); !problem.isEmpty()) {
        throw AppError(problem);
    }
    DiveLogStatusBar->setPanelText(2, QDir::toNativeSeparators(note));
    m_noteModified = false;
    DiveLogStatusBar->setPanelText(1, QString());
    StatusBarForGraph->setPanelText(5, firstLine(text));
    SeeNoteSpeedButton->defaultAction()->setEnabled(!text.isEmpty());
}

void TfmDANResarchFormatGraphic::SeeNoteSpeedButtonClick() { PageControl1->setCurrentWidget(TabSheet2); }

void TfmDANResarchFormatGraphic::SpeedButton1Click()
{
    const QString note = notePath();
    if (m_currentFile.isEmpty() || !QFileInfo(note).isFile()) {
        QApplication::beep();
        return;
    }
    host().openNoteFile(note, {});
    host().addRecentFile(note);
}

void TfmDANResarchFormatGraphic::SpeedButton2Click()
{
    const QString note = notePath();
    if (m_currentFile.isEmpty() || !openWithAssociatedProgram(note))
        host().showMessage(QStringLiteral("No editor could open %1").arg(QDir::toNativeSeparators(note)));
}
