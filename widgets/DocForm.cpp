#include "widgets/Dockbar.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSizeGrip>
#include <QToolButton>

#include <optional>

// The floating window's own title bar: the title on the highlight colour and
// a close box. Dragging it moves the window; a double-click docks the panel.
class TDocForm::TitleBar final : public QWidget
{
public:
    explicit TitleBar(TDocForm *form) : QWidget(form), m_form(form), m_close(new QToolButton(this))
    {
        setObjectName(QStringLiteral("TitleBar"));
        m_close->setObjectName(QStringLiteral("CloseBox"));
        m_close->setText(QStringLiteral("\u00D7"));
        m_close->setAutoRaise(true);
        m_close->setFocusPolicy(Qt::NoFocus);
        connect(m_close, &QToolButton::clicked, form, &QWidget::close);
    }

    int preferredHeight() const { return fontMetrics().height() + 4; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Highlight));
        painter.setPen(palette().color(QPalette::HighlightedText));
        const QRect text = rect().adjusted(4, 0, -height(), 0);
        painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft,
                         fontMetrics().elidedText(m_form->windowTitle(), Qt::ElideRight, text.width()));
    }

    void resizeEvent(QResizeEvent *) override { m_close->setGeometry(width() - height(), 0, height(), height()); }

    void mousePressEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton)
            m_grab = event->globalPosition().toPoint() - m_form->pos();
    }

    void mouseMoveEvent(QMouseEvent *event) override
    {
        if (m_grab)
            m_form->move(event->globalPosition().toPoint() - *m_grab);
    }

    void mouseReleaseEvent(QMouseEvent *) override { m_grab.reset(); }

    void mouseDoubleClickEvent(QMouseEvent *event) override
    {
        m_grab.reset();
        if (event->button() == Qt::LeftButton)
            m_form->dockFromTitle();
    }

private:
    TDocForm *m_form;
    QToolButton *m_close;
    std::optional<QPoint> m_grab;
};

TDocForm::TDocForm(TDocPanel *panel, QWidget *parent)
    : QFrame(parent), m_panel(panel), m_titleBar(new TitleBar(this)), m_sizeGrip(new QSizeGrip(this))
{
    setObjectName(QStringLiteral("DocForm"));
    // A floating toolbar is no reason to keep the program running.
    setAttribute(Qt::WA_QuitOnClose, false);
    applyStyle();
}

TDocForm::~TDocForm()
{
    // The panel goes with this window when it floats; it must not free the
    // window a second time.
    if (m_panel)
        m_panel->m_form = nullptr;
}

void TDocForm::hold()
{
    m_panel->setParent(this);
    layoutChildren();
}

void TDocForm::release(QWidget *host) { m_panel->setParent(host); }

QMargins TDocForm::chrome() const
{
    const int frame = frameWidth();
    const int title = m_titleBar->isVisibleTo(this) ? m_titleBar->preferredHeight() : 0;
    return {frame, frame + title, frame, frame};
}

int TDocForm::panelWidth() const
{
    const QMargins margins = chrome();
    return width() - margins.left() - margins.right();
}

QSize TDocForm::sizeForPanelWidth(int width) const
{
    return QSize(width, m_panel->floatingThickness(width)).grownBy(chrome());
}

void TDocForm::fitToPanelWidth(int width)
{
    const QSize size = sizeForPanelWidth(width);
    if (m_panel->FloatBorder() == TDocPanel::fbSingle) {
        setFixedSize(size);
    } else {
        setMinimumSize(m_panel->minimumSizeHint().grownBy(chrome()));
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        resize(size);
    }
    layoutChildren();
}

void TDocForm::applyStyle()
{
    const TDocPanel::TCaptionType type = m_panel->CaptionType();
    const bool systemTitle = type == TDocPanel::ctWindows;
    Qt::WindowFlags flags = m_panel->StayOnTop() ? Qt::Tool : Qt::Window;
    if (!systemTitle)
        flags |= Qt::FramelessWindowHint;
    if (flags != windowFlags()) {
        const bool shown = isVisible();
        setWindowFlags(flags);
        if (shown)
            show();
    }
    setFrameStyle(systemTitle ? QFrame::NoFrame : QFrame::Box | QFrame::Plain);
    m_titleBar->setVisible(!systemTitle && type != TDocPanel::ctNone);
    QFont font = m_panel->TitleFont();
    if (type == TDocPanel::ctSmall)
        font.setPointSizeF(font.pointSizeF() * 0.85);
    m_titleBar->setFont(font);
    m_sizeGrip->setVisible(m_panel->FloatBorder() == TDocPanel::fbSizeable && !systemTitle);
    if (m_panel->parentWidget() == this)
        fitToPanelWidth(panelWidth());
}

void TDocForm::layoutChildren()
{
    const int frame = frameWidth();
    m_titleBar->setGeometry(frame, frame, width() - 2 * frame, m_titleBar->preferredHeight());
    if (m_panel && m_panel->parentWidget() == this)
        m_panel->setGeometry(rect().marginsRemoved(chrome()));
    const QSize grip = m_sizeGrip->sizeHint();
    m_sizeGrip->setGeometry(width() - frame - grip.width(), height() - frame - grip.height(), grip.width(),
                            grip.height());
    m_sizeGrip->raise();
}

void TDocForm::dockFromTitle()
{
    if (m_panel && m_panel->doubleClickAllowed())
        m_panel->setDocked(true);
}

void TDocForm::closeEvent(QCloseEvent *event)
{
    // The close box hides the toolbar; the window lives as long as the panel.
    event->ignore();
    if (m_panel)
        m_panel->setVisible(false);
}

void TDocForm::moveEvent(QMoveEvent *event)
{
    QFrame::moveEvent(event);
    if (m_panel)
        m_panel->floatingWindowMoved();
}

void TDocForm::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    layoutChildren();
}

void TDocForm::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    if (m_panel)
        m_panel->floatingWindowMoved();
}
