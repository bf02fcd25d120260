// Loading a DAN research file into the viewer: caption, note, summary
// panels, progress, the view rules and the offer to split a file that
// holds several dives.

#include "profiles/window/DANGraphic.h"

#include "charts/RChart.h"
#include "core/Units.h"
#include "profiles/model/CeilingFollower.h"
#include "profiles/model/DanReader.h"
#include "profiles/model/DanSeveralDives.h"
#include "profiles/model/DanSummary.h"
#include "profiles/model/DiveCeiling.h"
#include "profiles/model/DiveLogReader.h"
#include "profiles/window/DanChartReplay.h"
#include "profiles/window/DanSampleMarker.h"
#include "widgets/BusyCursor.h"
#include "widgets/Dialogs.h"
#include "widgets/PanelBar.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QListView>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QScopedValueRollback>
#include <QTimer>

#include <climits>
#include <optional>
#include <utility>

void TfmDANResarchFormatGraphic::setProgress(qint64 position)
{
    const int value = int(std::min<qint64>(position / m_progressScale, ProgressBar->maximum()));
    // The bar repaints itself at once on every visible change, and one paint
    // costs as much as reading a few thousand samples: it moves at most
    // every 100 ms, which still looks smooth, and always to its start.
    if (value != 0 && m_progressShown.isValid() && m_progressShown.elapsed() < 100)
        return;
    m_progressShown.start();
    ProgressBar->setValue(value);
}

void TfmDANResarchFormatGraphic::setProgressRange(qint64 total)
{
    m_progressScale = total / INT_MAX + 1;
    ProgressBar->setMaximum(int(std::max<qint64>(1, total / m_progressScale)));
    ProgressBar->setValue(0);
    m_progressShown.invalidate();
}

void TfmDANResarchFormatGraphic::startDrawing(bool newProfile)
{
    RChart1->ClearDrawing();
    m_ceiling.reset();
    m_marker->hide();
    m_readoutShown = false;
    showReadout(std::nullopt);
    if (newProfile && m_options.autoScale->isChecked()) {
        RChart1->SetScaleRange(0, 130, 4000, -1);
        m_savedView = chartView();
    } else {
        setView(m_savedView);
    }
}

QString TfmDANResarchFormatGraphic::captionFor(const QString &path) const
{
    return (m_log ? QStringLiteral("Dive log : ") : QStringLiteral("DAN Research file : "))
           + QFileInfo(path).fileName();
}

bool TfmDANResarchFormatGraphic::OpenFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    // A file asked for while another loads is opened once that is done.
    if (m_loading) {
        m_openAfterLoad = path;
        m_diveAfterLoad = -1;
        return true;
    }
    bool opened = false;
    {
        const QScopedValueRollback loading(m_loading, true);
        m_sinceEvents.start();
        opened = IsDiveLogFile(path) ? openLog(path) : openDanFile(path);
    }
    runRequestsAfterLoad();
    return opened;
}

void TfmDANResarchFormatGraphic::runRequestsAfterLoad()
{
    if (std::exchange(m_closeAfterLoad, false)) {
        m_openAfterLoad.clear();
        m_diveAfterLoad = -1;
        // Closed from outside the load's call chain, which may still use the window.
        QTimer::singleShot(0, this, [this] {
            auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget());
            frame ? frame->close() : close();
        });
        return;
    }
    if (const QString path = std::exchange(m_openAfterLoad, QString()); !path.isEmpty())
        OpenFile(path);
    else if (const int dive = std::exchange(m_diveAfterLoad, -1); dive >= 0)
        showLogDive(dive);
}

void TfmDANResarchFormatGraphic::letWindowRepaint()
{
    if (m_sinceEvents.isValid() && m_sinceEvents.elapsed() < RepaintMilliseconds)
        return;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sinceEvents.start();
}

bool TfmDANResarchFormatGraphic::closeQuery()
{
    if (!m_loading)
        return true;
    m_closeAfterLoad = true;
    return false;
}

bool TfmDANResarchFormatGraphic::openDanFile(const QString &path)
{
    prepareDanView(path);
    const bool autoScale = m_options.autoScale->isChecked();
    // The model's ceiling follows the samples as they are read.
    std::optional<CeilingFollower> ceiling;
    if (ceilingShown())
        // A sample line takes some 40 characters.
        ceiling.emplace(std::vector<DiveMix>{DiveMix{}}, ViewerDecoSettings(),
                        std::size_t(QFileInfo(path).size() / 40));
    const DanLoadResult result = loadDanFile(path, ceiling ? &*ceiling : nullptr);
    showDanSummary(result, autoScale);
    if (result.severalDives) {
        offerSplit(path);
        return true;
    }
    if (result.opened)
        drawComputedCeiling(ceiling ? ceiling->finish() : nullptr, false);
    RChart1->RefreshChart();
    if (!result.message.isEmpty()) {
        const QString where = result.messageLine > 0 ? QStringLiteral(" (line %1)").arg(result.messageLine) : QString();
        MessageDlg(result.message + where, QMessageBox::Critical, QMessageBox::Ok);
    }
    return result.opened;
}

void TfmDANResarchFormatGraphic::prepareDanView(const QString &path)
{
    if (m_noteModified)
        RichEditProfileNoteExit();
    forgetLog();
    setWindowTitle(captionFor(path));
    m_currentFile = path;
    loadNote();
    StatusBar->clearPanels();
    // The file list shows which of its files is on display.
    if (const QModelIndex listed = m_fileModel->index(path);
        listed.isValid() && listed.parent() == FileListBox1->rootIndex())
        FileListBox1->setCurrentIndex(listed);
    setProgressRange(DanProgressMaximum(QFileInfo(path).size()));
    const bool newProfile = path != m_lastFile;
    m_lastFile = path;
    startDrawing(newProfile);
}

DanLoadResult TfmDANResarchFormatGraphic::loadDanFile(const QString &path, CeilingFollower *ceiling)
{
    DanLoadOptions options;
    options.resolutionStep = m_resolutionStep;
    options.animate = m_options.animate->isChecked();
    options.redraw = [this](qint64 position) {
        RChart1->RefreshChart();
        setProgress(position);
    };
    // A DAN profile is in feet and breathed on air.
    if (ceiling)
        options.sample = [ceiling](double seconds, double feet) {
            ceiling->add({float(seconds), float(feet * Conversion::FeetToMetres)});
        };
    DanChartPlotter plotter(*RChart1);
    DanLoadResult result = LoadDanFile(path, options, plotter);
    ProgressBar->setValue(0);
    return result;
}

void TfmDANResarchFormatGraphic::showDanSummary(const DanLoadResult &result, bool autoScale)
{
    // A file that could not be opened leaves caption and panels empty.
    RChart1->setCaption(result.opened ? result.header.chartCaption() : QString());
    const QStringList panels = DanSummaryTexts(result);
    for (int i = 0; i < panels.size(); ++i)
        StatusBar->setPanelText(i, panels[i]);
    if (result.severalDives) {
        RChart1->RefreshChart();
        return;
    }
    if (result.complete() && autoScale) {
        const DanAutoView view = DanAutoScale(result);
        RChart1->SetScaleRange(RChart1->RangeLoX(), view.lowY, view.highX, RChart1->RangeHiY());
        m_savedView = chartView();
        RChart1->MovePenTo(0, 0);
    }
}

void TfmDANResarchFormatGraphic::offerSplit(const QString &path)
{
    DanSeveralDivesCallbacks callbacks;
    callbacks.askYesNo = [](const QString &question) { return AskYesNo(question, QMessageBox::Question); };
    callbacks.showMessage = [](const QString &message) { ShowMessage(message); };
    callbacks.chooseDirectory = [this](const QString &start) {
        const QString chosen = Dialogs::current().directory(QStringLiteral("Select directory"), start);
        if (!chosen.isEmpty())
            showDirectory(chosen);
        return chosen;
    };
    callbacks.progress = [this](qint64 position, qint64 maximum) {
        m_progressScale = maximum / INT_MAX + 1;
        ProgressBar->setMaximum(int(std::max<qint64>(1, maximum / m_progressScale)));
        setProgress(position);
    };
    callbacks.beep = [] { QApplication::beep(); };
    std::optional<BusyCursor> busyCursor;
    callbacks.busy = [&busyCursor](bool busy) {
        if (busy)
            busyCursor.emplace();
        else
            busyCursor.reset();
    };
    const DanSeveralDivesResult split = OfferDanSplit(path, callbacks);
    ProgressBar->setValue(0);
    if (split.split) {
        RChart1->ClearDrawing();
        RChart1->RefreshChart();
        StatusBar->clearPanels();
        showDirectory(split.pieces.destination);
    }
    if (!Panel1x->isVisible())
        showFilePanel();
}
