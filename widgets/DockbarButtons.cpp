// The buttons of a TDocPanel, one per action, and their rows.

#include "widgets/Dockbar.h"

#include "widgets/DockGeometry.h"

#include <QAction>
#include <QActionEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <QToolButton>

#include <climits>

namespace {

constexpr int Margin = 2;
constexpr int Spacing = 1;
constexpr int HandleExtent = 8;

QList<QSize> visibleSizes(const QList<QToolButton *> &buttons)
{
    QList<QSize> sizes;
    for (const QToolButton *button : buttons)
        if (!button->isHidden())
            sizes << button->sizeHint();
    return sizes;
}

} // namespace

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
    return m_docked && !IsHorizontalSide(m_align) ? Qt::Vertical : Qt::Horizontal;
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

int TDocPanel::thicknessAs(bool docked, TAlign side, int length) const
{
    const Qt::Orientation along = IsHorizontalSide(side) ? Qt::Horizontal : Qt::Vertical;
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
