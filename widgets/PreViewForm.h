#pragma once

// The print preview window: the pages of a report, a page chooser, a zoom
// in percent (also by mouse), fit to the page or its width, printing and
// the printer set-up. Any report can be shown: the window only needs a
// function that paints its pages.

#include <QDialog>
#include <QPrinter>

#include <functional>

class QPagedPaintDevice;
class QPainter;
class QPrintPreviewWidget;
class QScrollBar;
class QSpinBox;

// Paints every page of a report with `painter`, open on `device` (a new page
// of the device between pages), and returns the number of pages painted.
using ReportPainter = std::function<int(QPainter &painter, QPagedPaintDevice &device)>;

class TfmtPreViewForm final : public QDialog
{
    Q_OBJECT

public:
    explicit TfmtPreViewForm(ReportPainter report, QWidget *parent = nullptr);

    // The printer the pages are laid out for and printed on.
    QPrinter &printer() { return m_printer; }
    int pageCount() const;
    int currentPage() const;
    int zoom() const;              // percent

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();
    void SpinEdit1Change();
    void UpDown1Click();
    void SpinEdit2Change();
    void ZoomFullPageClick();
    void ZoomToWidthClick();
    void PrintClick();
    void PrintSetupClick();

    void zoomBy(int percent);
    // The zoom spin shows the zoom a fit gave, without setting it again.
    void showResultingZoom();

    ReportPainter m_report;
    QPrinter m_printer;
    QPrintPreviewWidget *m_preview = nullptr;
    QSpinBox *m_page = nullptr;
    QScrollBar *m_upDown = nullptr;
    QSpinBox *m_zoom = nullptr;
};
