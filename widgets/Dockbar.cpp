#include "widgets/Dockbar.h"

#include "widgets/DockGeometry.h"
#include "widgets/DockLayout.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QRubberBand>
#include <QWindow>

#include <climits>

namespace {

Qt::CursorShape sideCursor(TDocPanel::TAlign side)
{
    switch (side) {
    case TDocPanel::alTop:
    case TDocPanel::alBottom: return Qt::SizeVerCursor;
    case TDocPanel::alLeft:
    case TDocPanel::alRight: return Qt::SizeHorCursor;
    case TDocPanel::alNone: break;
    }
    return Qt::DragMoveCursor;
}

} // namespace

TDocPanel::TDocPanel(QWidget *parent) : QFrame(parent), m_host(parent)
{
    Q_ASSERT(parent);
    m_form = new TDocForm(this, parent);
    applyFrame();
    // The floating window shows and hides with the window that holds the panel.
    parent->installEventFilter(this);
}

TDocPanel::~TDocPanel()
{
    delete m_outline;
    try {
        writeState();
    } catch (const AppError &e) {
        // Nothing can be asked of the user while the window goes away.
        qWarning("%s", qPrintable(e.message()));
    }
    if (m_form) {
        m_reparenting = true;
        if (!m_docked)
            setParent(nullptr);
        delete m_form;
    }
}

void TDocPanel::Loaded()
{
    // The design place; a panel never laid out has the size its buttons need.
    m_dockedRect = QRect(pos(), testAttribute(Qt::WA_Resized) ? size() : sizeHint());
    if (hasStore())
        readLoadState();
    m_loading = false;
    const bool floating = !m_docked;
    m_docked = true;
    if (floating) {
        floatAt(m_host->isVisible() ? std::optional(QRect(m_host->mapToGlobal(m_dockedRect.topLeft()), size()))
                                    : std::nullopt,
                false);
    } else {
        dockAt(m_align, dockedOffset());
    }
}

// ---- properties ------------------------------------------------------------

void TDocPanel::setDocked(bool docked)
{
    if (m_loading) {
        m_docked = docked;
        return;
    }
    if (docked == m_docked)
        return;
    if (docked)
        dockAt(m_align, dockedOffset());
    else
        floatAt(QRect(mapToGlobal(QPoint(0, 0)), size()));
}

void TDocPanel::setVisible(bool visible)
{
    if (m_reparenting) {
        QFrame::setVisible(visible);
        return;
    }
    const bool changed = visible != m_visible;
    m_visible = visible;
    QFrame::setVisible(visible);
    updateFloatingWindow();
    if (changed)
        emit OnVisibleChanged(this);
}

void TDocPanel::setAlign(TAlign align)
{
    if (m_loading) {
        m_align = align;
        return;
    }
    if (!m_docked || align == m_align)
        return;
    m_align = align;
    if (align == alNone) {
        DockLayout::of(m_host)->undock(this);
        m_dockedRect = geometry();
    }
    dockAt(align, INT_MAX);
}

void TDocPanel::setDockingSides(TDockingSides sides)
{
    if (!m_loading && !m_docked)
        throw ENotDocked(NotDockedMessage);
    m_sides = sides;
    if (sides == TDockingSides() && dragAllowed())
        m_method = dmDblClick;
}

void TDocPanel::setDockingMethod(TDockingMethod method)
{
    m_method = method;
    if (dragAllowed() && m_sides == TDockingSides())
        m_sides = TDockingSides(dsTop) | dsBottom;
    relayout();
}

void TDocPanel::setAutoWrap(bool wrap)
{
    m_autoWrap = wrap;
    relayout();
}

void TDocPanel::setArrangement(TArrangement arrangement)
{
    m_arrangement = arrangement;
    relayout();
}

void TDocPanel::setMaxWidth(int width)
{
    m_maxWidth = width;
    relayout();
    if (!m_docked && !m_loading)
        m_form->fitToPanelWidth(floatingWidth());
}

void TDocPanel::setTitle(const QString &title)
{
    setWindowTitle(title);
    m_form->setWindowTitle(title);
    m_form->update();
}

void TDocPanel::setTitleFont(const QFont &font)
{
    m_titleFont = font;
    m_form->applyStyle();
}

void TDocPanel::setIcon(const QIcon &icon)
{
    setWindowIcon(icon);
    m_form->setWindowIcon(icon);
}

void TDocPanel::setCaptionType(TCaptionType type)
{
    m_captionType = type;
    m_form->applyStyle();
}

void TDocPanel::setFloatBorder(TFloatBorder border)
{
    m_floatBorder = border;
    m_form->applyStyle();
}

void TDocPanel::setDockFrame(TDockFrame frame)
{
    m_dockFrame = frame;
    applyFrame();
}

void TDocPanel::setStayOnTop(bool onTop)
{
    m_stayOnTop = onTop;
    m_form->applyStyle();
}

void TDocPanel::setIniFile(const QString &fileName)
{
    m_iniFile = fileName;
    if (!fileName.isEmpty())
        m_registryKey.clear();
}

void TDocPanel::setRegistryKey(const QString &key)
{
    m_registryKey = key;
    if (!key.isEmpty())
        m_iniFile.clear();
}

// ---- docking and floating ------------------------------------------------------

void TDocPanel::floatAt(const std::optional<QRect> &screenRect, bool rememberPlace)
{
    if (rememberPlace)
        m_dockedRect = geometry();
    DockLayout::of(m_host)->undock(this);
    m_reparenting = true;
    m_form->hold();
    m_reparenting = false;
    m_docked = false;

    if (hasStore() && !m_maxWidthRestore)
        m_maxWidth = readStored(QStringLiteral("MaxWidth")).value_or(m_maxWidth);
    m_form->fitToPanelWidth(floatingWidth());
    arrangeButtons();
    update();
    m_placed = false;
    if (screenRect) {
        m_form->move(screenRect->topLeft());
        m_placed = true;
    }
    if (hasStore()) {
        const auto top = readStored(QStringLiteral("FTop"));
        const auto left = readStored(QStringLiteral("FLeft"));
        if (top && left) {
            m_form->move(*left, *top);
            m_placed = true;
        }
    }
    m_dockArmed = false;
    m_reparenting = true;
    QFrame::setVisible(m_visible);
    m_reparenting = false;
    updateFloatingWindow();
    emit OnDockChanged(this);
}

void TDocPanel::dockAt(TAlign side, int offset)
{
    const bool wasFloating = !m_docked;
    if (wasFloating) {
        if (hasStore()) {
            writeStored(QStringLiteral("FTop"), m_form->y());
            writeStored(QStringLiteral("FLeft"), m_form->x());
            if (!m_maxWidthRestore) {
                m_maxWidth = m_form->panelWidth();
                writeStored(QStringLiteral("MaxWidth"), m_maxWidth);
            }
        }
        m_form->hide();
        m_reparenting = true;
        m_form->release(m_host);
        m_reparenting = false;
    }
    m_docked = true;
    m_align = side;
    if (side == alNone) {
        DockLayout::of(m_host)->undock(this);
        setGeometry(QRect(m_dockedRect.topLeft(), m_dockedRect.isEmpty() ? sizeHint() : m_dockedRect.size()));
        raise();
    } else {
        DockLayout::of(m_host)->dock(this, side, offset);
    }
    m_reparenting = true;
    QFrame::setVisible(m_visible);
    m_reparenting = false;
    relayout();
    if (wasFloating)
        emit OnDockChanged(this);
}

// The remembered docked place's distance from the edge of its side.
int TDocPanel::dockedOffset() const
{
    return OffsetFromEdge(m_align, m_dockedRect, m_host->rect());
}

QRect TDocPanel::clientRect() const
{
    return QRect(m_host->mapToGlobal(QPoint(0, 0)), m_host->size());
}

TDocPanel::TAlign TDocPanel::dockSideFor(const QRect &outline) const
{
    return DockTest(outline, clientRect(), m_threshhold, m_sides);
}

void TDocPanel::floatingWindowMoved()
{
    if (m_docked || !dragAllowed() || !m_form->isVisible())
        return;
    const QRect window = m_form->frameGeometry();
    const TAlign side = dockSideFor(window);
    if (side == alNone)
        m_dockArmed = true;
    else if (m_dockArmed)
        dockAt(side, OffsetFromEdge(side, window, clientRect()));
}

void TDocPanel::updateFloatingWindow()
{
    if (m_loading)
        return;
    const bool shown = !m_docked && m_visible && m_host && m_host->isVisible();
    if (!shown) {
        m_form->hide();
        return;
    }
    // Shown together with a window that has yet to appear, the floating
    // window would delay that window's first frame: it follows it instead.
    if (QWindow *window = m_host->window()->windowHandle(); window && !window->isExposed()) {
        m_form->hide();
        m_awaitedWindow = window;
        window->installEventFilter(this);
        return;
    }
    if (!m_placed) {
        m_form->move(m_floatPlacer ? m_floatPlacer(m_form->size()) : m_host->mapToGlobal(m_dockedRect.topLeft()));
        m_placed = true;
    }
    m_form->show();
}

bool TDocPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_host && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        updateFloatingWindow();
    } else if (watched == m_awaitedWindow.data() && event->type() == QEvent::Expose && m_awaitedWindow->isExposed()) {
        m_awaitedWindow->removeEventFilter(this);
        m_awaitedWindow = nullptr;
        // The window paints and shows its first frame on this event; the
        // floating window follows at once.
        QCoreApplication::sendEvent(watched, event);
        updateFloatingWindow();
        // Shown after it, the floating window would take the activation, and
        // the keyboard, from the window the user just opened.
        static_cast<QWindow *>(watched)->requestActivate();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

// ---- drag and double-click ---------------------------------------------------

void TDocPanel::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_docked && doubleClickAllowed()) {
        m_pressOffset.reset();
        floatAt(QRect(mapToGlobal(QPoint(0, 0)), size()));
        return;
    }
    QFrame::mouseDoubleClickEvent(event);
}

void TDocPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_docked && dragAllowed()) {
        m_pressGlobal = event->globalPosition().toPoint();
        const QSize floating = floatingWindowSize();
        const QPoint at = event->position().toPoint();
        // The outline has the floating window's size; the mouse keeps its
        // place in it as far as that size allows.
        m_pressOffset = QPoint(std::min(at.x(), floating.width() - 1), std::min(at.y(), floating.height() - 1));
    }
    QFrame::mousePressEvent(event);
}

void TDocPanel::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_pressOffset) {
        QFrame::mouseMoveEvent(event);
        return;
    }
    const QPoint global = event->globalPosition().toPoint();
    if (!m_outline) {
        if ((global - m_pressGlobal).manhattanLength() < QApplication::startDragDistance())
            return;
        m_outline = new QRubberBand(QRubberBand::Rectangle);
        m_outline->setObjectName(QStringLiteral("DragOutline"));
    }
    dragTo(global);
}

void TDocPanel::mouseReleaseEvent(QMouseEvent *event)
{
    if (m_outline && event->button() == Qt::LeftButton)
        endDrag(event->globalPosition().toPoint());
    m_pressOffset.reset();
    QFrame::mouseReleaseEvent(event);
}

void TDocPanel::dragTo(const QPoint &globalPos)
{
    const QRect outline(globalPos - *m_pressOffset, floatingWindowSize());
    const TAlign side = dockSideFor(outline);
    const QRect client = clientRect();
    m_outline->setGeometry(side == alNone
                               ? outline
                               : DockedOutline(side, client,
                                               thicknessAs(true, side,
                                                           IsHorizontalSide(side) ? client.width() : client.height())));
    m_outline->show();
    if (m_notificationCursor)
        setCursor(sideCursor(side));
}

void TDocPanel::endDrag(const QPoint &globalPos)
{
    delete std::exchange(m_outline, nullptr);
    unsetCursor();
    const QRect outline(globalPos - *m_pressOffset, floatingWindowSize());
    m_pressOffset.reset();
    const TAlign side = dockSideFor(outline);
    if (side == alNone)
        floatAt(outline);
    else
        dockAt(side, OffsetFromEdge(side, outline, clientRect()));
}
