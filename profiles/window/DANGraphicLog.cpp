// Dive logs in the viewer: the log's dives in the dive list, the chosen
// dive drawn, summed up and noted as a DAN profile is, in the program's
// unit system. A log is only read: no split, no storage move.

#include "profiles/window/DANGraphic.h"

#include "charts/RChart.h"
#include "core/Units.h"
#include "profiles/model/DiveCeiling.h"
#include "profiles/model/DiveDrawing.h"
#include "profiles/model/DiveLogReader.h"
#include "profiles/model/ProfileNotes.h"
#include "profiles/window/DanChartReplay.h"
#include "profiles/window/DanSampleMarker.h"
#include "widgets/Dialogs.h"
#include "widgets/PanelBar.h"

#include <QApplication>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScopedValueRollback>
#include <QSplitter>

namespace {

// Chart and progress bar are refreshed this often while a dive is drawn.
constexpr int RedrawMilliseconds = 100;

} // namespace

QString TfmDANResarchFormatGraphic::notePath() const
{
    if (!m_log || !m_logDive)
        return m_currentFile.isEmpty() ? QString() : DanNotePath(m_currentFile);
    return LogDiveNotePath(m_currentFile, m_logDive->header);
}

void TfmDANResarchFormatGraphic::forgetLog()
{
    m_log.reset();
    m_logDive.reset();
    const QSignalBlocker quiet(DiveList);
    DiveList->clear();
    DiveList->hide();
    DiveLogInfo->clear();
    DiveLogInfo->hide();
}

bool TfmDANResarchFormatGraphic::openLog(const QString &path)
{
    if (m_noteModified)
        RichEditProfileNoteExit();
    forgetLog();
    m_currentFile = path;
    m_lastFile = path;
    setWindowTitle(QStringLiteral("Dive log : ") + QFileInfo(path).fileName());
    StatusBar->clearPanels();
    if (const QModelIndex listed = m_fileModel->index(path);
        listed.isValid() && listed.parent() == FileListBox1->rootIndex())
        FileListBox1->setCurrentIndex(listed);
    startDrawing(true);
    RChart1->setCaption(QString());

    setProgressRange(QFileInfo(path).size());
    DiveLogOpenResult opened = OpenDiveLog(path, [this](qint64 done, qint64) {
        setProgress(done);
        letWindowRepaint();
    });
    ProgressBar->setValue(0);
    if (!opened.message.isEmpty()) {
        loadNote();
        RChart1->RefreshChart();
        MessageDlg(opened.message, QMessageBox::Critical, QMessageBox::Ok);
        return opened.opened;
    }
    m_log = std::make_unique<DiveLog>(std::move(opened.log));
    setWindowTitle(captionFor(path));
    const int first = m_log->firstDiveWithSamples();
    {
        // The dive to draw is current before the list is shown: a list that
        // gets the focus without a current row would pick its first.
        const QSignalBlocker quiet(DiveList);
        for (const DiveHeader &header : m_log->headers)
            DiveList->addItem(header.listText());
        DiveList->setCurrentRow(first);
    }
    DiveList->show();
    DiveLogInfo->show();
    // Shown for the first time, the dive list takes a third of the panel.
    if (Splitter1->sizes().value(0) == 0)
        Splitter1->setSizes({1, 1, 1});
    // The dive list lives in the file panel.
    if (!Panel1x->isVisible())
        showFilePanel();
    drawLogDive(first);
    return true;
}

void TfmDANResarchFormatGraphic::showLogDive(int index)
{
    if (m_loading) {
        // A file asked for meanwhile replaces the log, and the dive with it.
        if (m_openAfterLoad.isEmpty())
            m_diveAfterLoad = index;
        return;
    }
    {
        const QScopedValueRollback loading(m_loading, true);
        m_sinceEvents.start();
        drawLogDive(index);
    }
    runRequestsAfterLoad();
}

void TfmDANResarchFormatGraphic::drawLogDive(int index)
{
    if (!m_log || index < 0 || index >= m_log->size())
        return;
    // The note typed so far belongs to the dive shown so far.
    if (m_noteModified)
        RichEditProfileNoteExit();
    if (DiveList->currentRow() != index) {
        const QSignalBlocker quiet(DiveList);
        DiveList->setCurrentRow(index);
    }
    StatusBar->clearPanels();
    startDrawing(true);
    m_logMetric = UnitSystem();

    const DiveRegion &region = m_log->regions[std::size_t(index)];
    setProgressRange(region.end - region.begin);
    LogDiveResult read = ReadLogDive(*m_log, index, [this](qint64 done, qint64) {
        setProgress(done);
        letWindowRepaint();
    });
    m_logDive = std::make_unique<LogDive>(std::move(read.dive));
    const DiveHeader &h = m_logDive->header;
    RChart1->setCaption(h.chartCaption());
    loadNote();
    showLogHeader();

    if (!read.message.isEmpty()) {
        ProgressBar->setValue(0);
        RChart1->RefreshChart();
        MessageDlg(read.message, QMessageBox::Critical, QMessageBox::Ok);
        return;
    }
    QElapsedTimer sinceRedraw;
    sinceRedraw.start();
    DanChartPlotter plotter(*RChart1);
    const DiveDrawResult drawn = DrawLogDive(*m_logDive, m_logMetric, plotter, [&] {
        if (sinceRedraw.elapsed() < RedrawMilliseconds)
            return;
        sinceRedraw.start();
        RChart1->RefreshChart();
        letWindowRepaint();
    });
    const QStringList panels = DiveSummaryTexts(*m_logDive, m_logMetric);
    for (int i = 0; i < panels.size(); ++i)
        StatusBar->setPanelText(i, panels[i]);

    if (m_logDive->samples.empty()) {
        StatusBarForGraph->setPanelText(5, QStringLiteral("Dive #%1 has no profile samples.").arg(h.shownNumber()));
    } else if (m_options.autoScale->isChecked()) {
        const double top = std::max(drawn.maxTemperature, drawn.maxDepth);
        RChart1->SetScaleRange(RChart1->RangeLoX(), top + top * 0.1, drawn.maxTime + drawn.maxTime * 0.05,
                               RChart1->RangeHiY());
        m_savedView = chartView();
        RChart1->MovePenTo(0, 0);
    }
    if (ceilingShown())
        drawComputedCeiling(CeilingDiveOf(*m_logDive), m_logMetric);
    RChart1->RefreshChart();
    ProgressBar->setValue(0);
}

void TfmDANResarchFormatGraphic::showLogHeader()
{
    const DiveHeader &h = m_logDive->header;
    QStringList lines;
    const auto add = [&](const QString &label, const QString &value) {
        if (!value.isEmpty())
            lines << label + value;
    };
    add(QStringLiteral("Location: "), h.location);
    add(QStringLiteral("Buddy: "), h.buddy);
    add(QStringLiteral("Divemaster: "), h.divemaster);
    if (!h.notes.isEmpty())
        lines << QString() << h.notes;
    DiveLogInfo->setPlainText(lines.join(u'\n'));
}

std::optional<DanCursorReadout> TfmDANResarchFormatGraphic::readoutAt(double x, double y) const
{
    if (m_logDive)
        return LogDiveReadout(*m_logDive, m_logMetric, x, y);
    return DanReadout(x, y);
}
