// The chart side of the viewer: the cursor read-out with the ppO2 meter,
// by mouse and by keyboard, and the mouse buttons' zoom and actions.

#include "profiles/window/DANGraphic.h"

#include "charts/RChart.h"
#include "charts/dbm.h"
#include "profiles/window/DanSampleMarker.h"
#include "widgets/ErrorGuard.h"
#include "widgets/PanelBar.h"

#include <QAction>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

void TfmDANResarchFormatGraphic::showReadout(const std::optional<DanCursorReadout> &readout, double seconds)
{
    showCeilingReadout(readout.has_value(), seconds);
    if (!readout) {
        for (int panel = 1; panel <= 4; ++panel)
            StatusBarForGraph->setPanelText(panel, QString());
        ppO2DBMeter->hide();
        return;
    }
    StatusBarForGraph->setPanelText(1, readout->depth);
    StatusBarForGraph->setPanelText(2, readout->minutes);
    ppO2DBMeter->setPosition(readout->meterPosition);
    StatusBarForGraph->setPanelText(4, readout->ppO2);
    placeMeter();
    ppO2DBMeter->show();
}

void TfmDANResarchFormatGraphic::RChart1MouseMoveInChart(bool inChart, double x, double y)
{
    // The mouse takes the read-out back from the keyboard.
    m_marker->hide();
    showReadout(DanCursorAt(inChart, x, y) ? readoutAt(x, y) : std::nullopt, x);
    if (!inChart)
        RChart1->unsetCursor();
}

void TfmDANResarchFormatGraphic::RChart1MouseDown(QMouseEvent *event)
{
    const Qt::KeyboardModifiers keys = event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    if (event->button() == Qt::LeftButton) {
        // The keys choose the action for this and later gestures; the menu's
        // marks stay as they are.
        if (keys == (Qt::ControlModifier | Qt::ShiftModifier))
            RChart1->setMouseAction(maZoomWindPos);
        else if (keys == Qt::ShiftModifier)
            RChart1->setMouseAction(maZoomDrag);
        else if (keys == Qt::AltModifier)
            RChart1->setMouseAction(maZoomWind);
        else if (keys == Qt::ControlModifier)
            RChart1->setMouseAction(maPan);
    } else if (event->button() == Qt::RightButton) {
        if (keys == Qt::ControlModifier)
            (Zoomin->isChecked() ? ZoomOut : Zoomin)->defaultAction()->setChecked(true);
        if (keys == Qt::NoModifier || keys == Qt::ControlModifier)
            ZoomClick();
    }
}

void TfmDANResarchFormatGraphic::ZoomClick() { setView(DanZoom(chartView(), Zoomin->isChecked())); }

// ---- keyboard read-out -------------------------------------------------------

namespace {

// A line-to item of the profile (not of the computed ceiling): a sample.
bool isSample(const ChartItem &item) { return item.kind == ItemKind::LineTo && item.itemClass != CeilingItemClass; }

// The next sample from `from` in `direction`, or `from` when there is none.
std::size_t nextSample(const DisplayList &items, std::size_t from, int direction)
{
    std::size_t i = from;
    while (direction > 0 ? i + 1 < items.size() : i > 0) {
        i = direction > 0 ? i + 1 : i - 1;
        if (isSample(items[i]))
            return i;
    }
    return from;
}

} // namespace

void TfmDANResarchFormatGraphic::stepReadout(int samples)
{
    const DisplayList &items = RChart1->items();
    if (items.size() == 0)
        return;
    if (!m_readoutShown || m_readoutItem >= items.size() || !isSample(items[m_readoutItem])) {
        readoutToEnd(samples < 0);
        return;
    }
    const int direction = samples < 0 ? -1 : 1;
    for (int n = std::abs(samples); n > 0; --n)
        m_readoutItem = nextSample(items, m_readoutItem, direction);
    const ChartItem &sample = items[m_readoutItem];
    m_marker->mark(sample.x, sample.y);
    showReadout(readoutAt(sample.x, sample.y), sample.x);
}

void TfmDANResarchFormatGraphic::readoutToEnd(bool last)
{
    const DisplayList &items = RChart1->items();
    if (items.size() == 0)
        return;
    const std::size_t start = last ? items.size() - 1 : 0;
    std::size_t found = start;
    if (!isSample(items[start]))
        found = nextSample(items, start, last ? -1 : 1);
    if (!isSample(items[found]))
        return;
    m_readoutItem = found;
    m_readoutShown = true;
    const ChartItem &sample = items[found];
    m_marker->mark(sample.x, sample.y);
    showReadout(readoutAt(sample.x, sample.y), sample.x);
}

bool TfmDANResarchFormatGraphic::handleViewerEvent(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    bool handled = false;
    guarded([&] {
        if (watched == RChart1) {
            const bool shift = key->modifiers() & Qt::ShiftModifier;
            switch (key->key()) {
            case Qt::Key_Left:
                stepReadout(shift ? -10 : -1);
                handled = true;
                break;
            case Qt::Key_Right:
                stepReadout(shift ? 10 : 1);
                handled = true;
                break;
            case Qt::Key_Home:
                readoutToEnd(false);
                handled = true;
                break;
            case Qt::Key_End:
                readoutToEnd(true);
                handled = true;
                break;
            default: break;
            }
        } else if (watched == FileListBox1) {
            if (key->key() == Qt::Key_Escape && DemoTimer->isActive()) {
                stopDemo(QStringLiteral("Demo mode halted"));
                handled = true;
            } else if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                FileListBox1DblClick();
                handled = true;
            }
        }
    });
    return handled;
}
