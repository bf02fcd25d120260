#include "widgets/Dockbar.h"

#include "core/IniFile.h"
#include "widgets/DockGeometry.h"
#include "widgets/DockLayout.h"

#include <QAction>
#include <QActionEvent>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QSettings>
#include <QStyle>
#include <QStyleOption>
#include <QToolButton>

#include <climits>

namespace {

constexpr int Margin = 2;
constexpr int Spacing = 1;
constexpr int HandleExtent = 8;

bool horizontalSide(TDocPanel::TAlign side) { return side != TDocPanel::alLeft && side != TDocPanel::alRight; }

// How far the rectangle lies from the edge of the client area at `side`.
int offsetFromEdge(TDocPanel::TAlign side, const QRect &rect, const QRect &client)
{
    switch (side) {
    case TDocPanel::alTop: return rect.top() - client.top();
    case TDocPanel::alBottom: return client.bottom() - rect.bottom();
    case TDocPanel::alLeft: return rect.left() - client.left();
    case TDocPanel::alRight: return client.right() - rect.right();
    case TDocPanel::alNone: break;
    }
    return 0;
}

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

void TDocPanel::setToolButtonStyle(Qt::ToolButtonStyle style)
{
    m_buttonStyle = style;
    for (QToolButton *button : std::as_const(m_buttons))
        button->setToolButtonStyle(style);
    relayout();
}

void TDocPanel::setIconSize(const QSize &size)
{
    m_iconSize = size;
    for (QToolButton *button : std::as_const(m_buttons))
        button->setIconSize(size);
    relayout();
}

QToolButton *TDocPanel::buttonFor(const QAction *action) const
{
    const qsizetype index = actions().indexOf(const_cast<QAction *>(action));
    return index < 0 ? nullptr : m_buttons.value(index);
}

// ---- stored state ------------------------------------------------------------

std::optional<int> TDocPanel::readStored(const QString &key) const
{
    constexpr int Unreadable = INT_MIN;
    int value = Unreadable;
    if (!m_iniFile.isEmpty()) {
        const ::IniFile file(m_iniFile);
        if (file.valueExists(objectName(), key))
            value = file.readInteger(objectName(), key, Unreadable);
    } else if (!m_registryKey.isEmpty()) {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QCoreApplication::applicationName());
        bool ok = false;
        const QString path = QString(m_registryKey).replace(u'\\', u'/') + u'/' + objectName() + u'/' + key;
        const int read = settings.value(path).toInt(&ok);
        if (ok)
            value = read;
    }
    return value == Unreadable ? std::nullopt : std::optional(value);
}

void TDocPanel::writeStored(const QString &key, int value) const
{
    if (!m_iniFile.isEmpty()) {
        ::IniFile(m_iniFile).writeInteger(objectName(), key, value);
    } else if (!m_registryKey.isEmpty()) {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QCoreApplication::applicationName());
        settings.setValue(QString(m_registryKey).replace(u'\\', u'/') + u'/' + objectName() + u'/' + key, value);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            throw WriteError(QStringLiteral("Unable to write to %1").arg(settings.fileName()));
    }
}

void TDocPanel::readLoadState()
{
    if (const auto docked = readStored(QStringLiteral("Docked")))
        m_docked = *docked != 0;
    if (m_autoHide)
        if (const auto visible = readStored(QStringLiteral("Visible")))
            m_visible = *visible != 0;
    if (const auto align = readStored(QStringLiteral("Align")); align && *align >= alNone && *align <= alRight)
        m_align = static_cast<TAlign>(*align);
    if (m_align == alNone) {
        m_dockedRect.moveTop(readStored(QStringLiteral("Top")).value_or(m_dockedRect.top()));
        m_dockedRect.moveLeft(readStored(QStringLiteral("Left")).value_or(m_dockedRect.left()));
    } else if (horizontalSide(m_align)) {
        m_dockedRect.setHeight(readStored(QStringLiteral("Height")).value_or(m_dockedRect.height()));
    } else {
        m_dockedRect.setWidth(readStored(QStringLiteral("Width")).value_or(m_dockedRect.width()));
    }
    QFrame::setVisible(m_visible);
}

void TDocPanel::writeState() const
{
    if (!hasStore())
        return;
    const QRect place = m_docked ? geometry() : m_dockedRect;
    writeStored(QStringLiteral("Docked"), m_docked ? 1 : 0);
    if (m_autoHide)
        writeStored(QStringLiteral("Visible"), m_visible ? 1 : 0);
    writeStored(QStringLiteral("Align"), m_align);
    writeStored(QStringLiteral("Top"), place.top());
    writeStored(QStringLiteral("Left"), place.left());
    writeStored(QStringLiteral("Width"), place.width());
    writeStored(QStringLiteral("Height"), place.height());
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
    return offsetFromEdge(m_align, m_dockedRect, m_host->rect());
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
        dockAt(side, offsetFromEdge(side, window, clientRect()));
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
    if (!m_placed) {
        m_form->move(m_host->mapToGlobal(m_dockedRect.topLeft()));
        m_placed = true;
    }
    m_form->show();
}

bool TDocPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_host && (event->type() == QEvent::Show || event->type() == QEvent::Hide))
        updateFloatingWindow();
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
                                                           horizontalSide(side) ? client.width() : client.height())));
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
        dockAt(side, offsetFromEdge(side, outline, clientRect()));
}

// ---- buttons and their rows ------------------------------------------------------

void TDocPanel::actionEvent(QActionEvent *event)
{
    QAction *action = event->action();
    switch (event->type()) {
    case QEvent::ActionAdded: {
        auto *button = new QToolButton(this);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolButtonStyle(m_buttonStyle);
        button->setIconSize(m_iconSize);
        button->setDefaultAction(action);
        button->setVisible(action->isVisible());
        const qsizetype before = event->before() ? actions().indexOf(event->before()) : -1;
        m_buttons.insert(before < 0 ? m_buttons.size() : before, button);
        break;
    }
    case QEvent::ActionRemoved:
        for (qsizetype i = 0; i < m_buttons.size(); ++i)
            if (m_buttons[i]->defaultAction() == action)
                delete m_buttons.takeAt(i);
        break;
    case QEvent::ActionChanged:
        if (QToolButton *button = buttonFor(action))
            button->setVisible(action->isVisible());
        break;
    default:
        break;
    }
    relayout();
}

bool TDocPanel::handleShown() const { return m_docked && dragAllowed(); }

Qt::Orientation TDocPanel::orientation() const
{
    return m_docked && !horizontalSide(m_align) ? Qt::Vertical : Qt::Horizontal;
}

bool TDocPanel::wraps(bool docked) const
{
    return m_arrangement != amNone && (m_autoWrap || !docked);
}

int TDocPanel::wrapLength(int length) const
{
    if (m_arrangement == amWidth && m_maxWidth > 0)
        return std::min(length, m_maxWidth);
    return length;
}

// Frame, margin and, when docked for dragging, the grip at the start of the bar.
QMargins TDocPanel::buttonMargins(bool docked, Qt::Orientation along) const
{
    const int edge = frameWidth() + Margin;
    QMargins margins(edge, edge, edge, edge);
    if (docked && dragAllowed()) {
        if (along == Qt::Horizontal)
            margins.setLeft(margins.left() + HandleExtent);
        else
            margins.setTop(margins.top() + HandleExtent);
    }
    return margins;
}

namespace {

QList<QSize> visibleSizes(const QList<QToolButton *> &buttons)
{
    QList<QSize> sizes;
    for (const QToolButton *button : buttons)
        if (!button->isHidden())
            sizes << button->sizeHint();
    return sizes;
}

} // namespace

int TDocPanel::thicknessAs(bool docked, TAlign side, int length) const
{
    const Qt::Orientation along = horizontalSide(side) ? Qt::Horizontal : Qt::Vertical;
    const QMargins margins = buttonMargins(docked, along);
    const int across = along == Qt::Horizontal ? margins.top() + margins.bottom() : margins.left() + margins.right();
    const int inner = length - (along == Qt::Horizontal ? margins.left() + margins.right()
                                                        : margins.top() + margins.bottom());
    return across + FlowButtons(visibleSizes(m_buttons), along, wrapLength(inner), wraps(docked), Spacing).thickness;
}

int TDocPanel::thickness(TAlign side, int length) const { return thicknessAs(m_docked, side, length); }

int TDocPanel::floatingThickness(int width) const { return thicknessAs(false, alTop, width); }

QSize TDocPanel::sizeHint() const
{
    const ButtonFlow line = FlowButtons(visibleSizes(m_buttons), orientation(), INT_MAX, false, Spacing);
    const QSize inner = orientation() == Qt::Horizontal ? QSize(line.length, line.thickness)
                                                        : QSize(line.thickness, line.length);
    return inner.grownBy(buttonMargins(m_docked, orientation()));
}

QSize TDocPanel::minimumSizeHint() const
{
    QSize least(0, 0);
    for (const QSize &size : visibleSizes(m_buttons))
        least = least.expandedTo(size);
    return least.grownBy(buttonMargins(m_docked, orientation()));
}

// The floating panel: one row as long as the buttons need, no wider than
// MaxWidth when that is set.
int TDocPanel::floatingWidth() const
{
    const QMargins margins = buttonMargins(false, Qt::Horizontal);
    const int natural = FlowButtons(visibleSizes(m_buttons), Qt::Horizontal, INT_MAX, false, Spacing).length
                        + margins.left() + margins.right();
    return m_maxWidth > 0 ? std::min(natural, m_maxWidth) : natural;
}

QSize TDocPanel::floatingWindowSize() const { return m_form->sizeForPanelWidth(floatingWidth()); }

void TDocPanel::arrangeButtons()
{
    const Qt::Orientation along = orientation();
    const QRect area = rect().marginsRemoved(buttonMargins(m_docked, along));
    const ButtonFlow flow = FlowButtons(visibleSizes(m_buttons), along,
                                        wrapLength(along == Qt::Horizontal ? area.width() : area.height()),
                                        wraps(m_docked), Spacing);
    qsizetype index = 0;
    for (QToolButton *button : std::as_const(m_buttons)) {
        if (button->isHidden())
            continue;
        button->setGeometry(QRect(area.topLeft() + flow.places.at(index++), button->sizeHint()));
    }
}

void TDocPanel::relayout()
{
    updateGeometry();
    arrangeButtons();
    if (!m_docked && !m_loading)
        m_form->fitToPanelWidth(m_form->panelWidth());
    update();
}

void TDocPanel::applyFrame()
{
    setFrameStyle(m_dockFrame == dfInner ? QFrame::StyledPanel | QFrame::Raised : QFrame::Panel | QFrame::Raised);
    relayout();
}

void TDocPanel::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    arrangeButtons();
}

void TDocPanel::paintEvent(QPaintEvent *event)
{
    QFrame::paintEvent(event);
    if (!handleShown())
        return;
    QStyleOption option;
    option.initFrom(this);
    const QRect inside = contentsRect();
    if (orientation() == Qt::Horizontal) {
        option.rect = QRect(inside.left() + 1, inside.top() + 1, HandleExtent - 2, inside.height() - 2);
        option.state |= QStyle::State_Horizontal;
    } else {
        option.rect = QRect(inside.left() + 1, inside.top() + 1, inside.width() - 2, HandleExtent - 2);
    }
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_IndicatorToolBarHandle, &option, &painter, this);
}
