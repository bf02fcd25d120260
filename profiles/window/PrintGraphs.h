#pragma once

// "Print dive profile": the user places the profile chart on a miniature of
// the printer page and chooses a scaling factor, then prints the chart with
// a line of placement data above it and the viewer's summary below it.

#include "profiles/window/PrintPlacement.h"

#include <QDialog>
#include <QPrinter>
#include <QStringList>

class QFrame;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class TRChart;
struct TShiftState;

class TfmPrintGraphs final : public QDialog
{
    Q_OBJECT

public:
    // `chart` is the viewer's chart; `summary` the texts of the seven panels
    // of the viewer's summary bar, in order.
    TfmPrintGraphs(TRChart &chart, QStringList summary, QWidget *parent = nullptr);

    QPrinter &printer() { return m_printer; }
    const PrintPlacement &placement() const { return m_place; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void ReadPrinterSettings();
    void DrawMiniature();
    void RChart2Click();
    void RChart2MouseMoveInChart(TRChart *sender, bool inChart, TShiftState shift, double x, double y);
    void SBScalFChange();
    void PrinterOrientationRadioClick();
    void Button2Click();
    void Button3Click();

    void placeAtMouse();
    // Writes the placement line, the chart and the summary lines on the page.
    void printPage(QPainter &painter);

    TRChart &m_chart;
    const QStringList m_summary;
    QPrinter m_printer;
    PrinterMetrics m_metrics;
    PrintPlacement m_place;

    TRChart *m_miniature = nullptr;
    QLabel *m_scaling = nullptr;
    QScrollBar *m_scroll = nullptr;
    QRadioButton *m_portrait = nullptr;
    QRadioButton *m_landscape = nullptr;
    QLineEdit *m_resolution = nullptr;
    QFrame *m_bevel2 = nullptr;
    QFrame *m_bevel3 = nullptr;
};

// The viewer's "Print graph": runs the dialog for `chart` and its summary.
void PrintDiveProfile(TRChart &chart, const QStringList &summary, QWidget *parent);
