#include "widgets/PreViewForm.h"

#include "core/NumText.h"
#include "widgets/Builders.h"
#include "widgets/Dialogs.h"
#include "widgets/Hints.h"
#include "widgets/PrintJob.h"

#include <QGraphicsView>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>


namespace {
constexpr int ZoomStep = 10;
}

TfmtPreViewForm::TfmtPreViewForm(ReportPainter report, QWidget *parent)
    : QDialog(parent), m_report(std::move(report)), m_printer(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("fmtPreViewForm"));
    setWindowTitle(QStringLiteral("Print preview"));
    setWindowState(Qt::WindowMaximized);
    m_printer.setPageOrientation(QPageLayout::Portrait);

    m_page = ui::wholeSpin(this, QStringLiteral("SpinEdit1"), 1, 1, 1);
    setHint(m_page, QStringLiteral("Change page"));
    // The up-down: its arrows step through the pages; up is the next page.
    m_upDown = new QScrollBar(Qt::Vertical, this);
    m_upDown->setObjectName(QStringLiteral("UpDown1"));
    m_upDown->setInvertedAppearance(true);
    m_upDown->setInvertedControls(true);
    m_upDown->setRange(1, 1);
    m_upDown->setFixedHeight(m_page->sizeHint().height());
    setHint(m_upDown, QStringLiteral("Change page"));
    m_zoom = ui::wholeSpin(this, QStringLiteral("SpinEdit2"), 10, 300, 100);
    m_zoom->setSingleStep(ZoomStep);
    setHint(m_zoom, QStringLiteral("Change zoom factor"));
    auto *fullPage = ui::button(this, QStringLiteral("ZoomFullPageButton"), QStringLiteral("Zoom Full page"),
                                QStringLiteral("Show the full page in the available space"));
    auto *toWidth = ui::button(this, QStringLiteral("ZoomToWidthButton"), QStringLiteral("Zoom to width"),
                               QStringLiteral("Zoom page to width"));
    auto *print = ui::button(this, QStringLiteral("PrintButton"), QStringLiteral("Print"));
    auto *setup = ui::button(this, QStringLiteral("PrintSetupButton"), QStringLiteral("Print setup"));
    auto *close = ui::button(this, QStringLiteral("CloseButton"), QStringLiteral("Close"));
    for (QPushButton *b : {fullPage, toWidth, print, setup, close})
        b->setAutoDefault(false);

    m_preview = new QPrintPreviewWidget(&m_printer, this);
    m_preview->setObjectName(QStringLiteral("QRPreview1"));
    for (auto *view : m_preview->findChildren<QGraphicsView *>())
        view->viewport()->installEventFilter(this);

    auto *controls = new QHBoxLayout;
    controls->addWidget(ui::caption(this, QStringLiteral("Page"), m_page));
    controls->addWidget(m_page);
    controls->addWidget(m_upDown);
    controls->addSpacing(16);
    controls->addWidget(ui::caption(this, QStringLiteral("Zoom %"), m_zoom));
    controls->addWidget(m_zoom);
    for (QPushButton *b : {fullPage, toWidth, print, setup})
        controls->addWidget(b);
    controls->addStretch();
    controls->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(m_preview, 1);

    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        QPainter painter(printer);
        m_report(painter, *printer);
    });
    connect(m_page, &QSpinBox::valueChanged, this, &TfmtPreViewForm::SpinEdit1Change);
    connect(m_upDown, &QScrollBar::valueChanged, this, &TfmtPreViewForm::UpDown1Click);
    connect(m_zoom, &QSpinBox::valueChanged, this, &TfmtPreViewForm::SpinEdit2Change);
    connect(fullPage, &QPushButton::clicked, this, &TfmtPreViewForm::ZoomFullPageClick);
    connect(toWidth, &QPushButton::clicked, this, &TfmtPreViewForm::ZoomToWidthClick);
    connect(print, &QPushButton::clicked, this, &TfmtPreViewForm::PrintClick);
    connect(setup, &QPushButton::clicked, this, &TfmtPreViewForm::PrintSetupClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

int TfmtPreViewForm::pageCount() const { return m_preview->pageCount(); }
int TfmtPreViewForm::currentPage() const { return m_preview->currentPage(); }
int TfmtPreViewForm::zoom() const { return m_zoom->value(); }

void TfmtPreViewForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormShow();
}

void TfmtPreViewForm::FormShow()
{
    m_preview->updatePreview();
    const int pages = std::max(1, m_preview->pageCount());
    m_page->setRange(1, pages);
    m_page->setValue(1);
    m_upDown->setRange(1, pages);
    m_upDown->setValue(1);
    m_zoom->setValue(100);
    m_preview->setZoomFactor(1.0);
    m_preview->setCurrentPage(1);
    // The view centres the page; the reader starts at its top.
    for (auto *view : m_preview->findChildren<QGraphicsView *>())
        view->verticalScrollBar()->setValue(view->verticalScrollBar()->minimum());
}

void TfmtPreViewForm::SpinEdit1Change()
{
    m_preview->setCurrentPage(m_page->value());
    m_upDown->setValue(m_page->value());
}

void TfmtPreViewForm::UpDown1Click()
{
    m_preview->setCurrentPage(m_upDown->value());
    m_page->setValue(m_upDown->value());
}

void TfmtPreViewForm::SpinEdit2Change() { m_preview->setZoomFactor(m_zoom->value() / 100.0); }

void TfmtPreViewForm::ZoomFullPageClick()
{
    m_preview->fitInView();
    showResultingZoom();
}

void TfmtPreViewForm::ZoomToWidthClick()
{
    m_preview->fitToWidth();
    showResultingZoom();
}

void TfmtPreViewForm::showResultingZoom()
{
    const QSignalBlocker keep(m_zoom);
    m_zoom->setValue(int(Round(m_preview->zoomFactor() * 100)));
}

void TfmtPreViewForm::zoomBy(int percent) { m_zoom->setValue(m_zoom->value() + percent); }

void TfmtPreViewForm::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        zoomBy(ZoomStep);
    else if (event->button() == Qt::RightButton)
        zoomBy(-ZoomStep);
    QDialog::mousePressEvent(event);
}

// On the page view a press zooms as on the window, and a click (a left
// press and release on the view) zooms in once more.
bool TfmtPreViewForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::LeftButton)
            zoomBy(ZoomStep);
        else if (mouse->button() == Qt::RightButton)
            zoomBy(-ZoomStep);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        const auto *view = qobject_cast<QWidget *>(watched);
        if (mouse->button() == Qt::LeftButton && view && view->rect().contains(mouse->position().toPoint()))
            zoomBy(ZoomStep);
    }
    return QDialog::eventFilter(watched, event);
}

void TfmtPreViewForm::PrintClick()
{
    if (!Dialogs::current().print(m_printer))
        return;
    QPainter painter;
    if (BeginPrintJob(painter, m_printer))
        m_report(painter, m_printer);
}

void TfmtPreViewForm::PrintSetupClick()
{
    if (Dialogs::current().printerSetup(m_printer))
        FormShow();
}
