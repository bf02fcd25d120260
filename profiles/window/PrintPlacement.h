#pragma once

// The arithmetic of placing a chart on a printer page: the page in printer
// dots, the area the printed chart covers, the scaling factor of the scroll
// bar, and the miniature of the page that the user places the chart on.

#include <QRect>
#include <QRectF>
#include <QSizeF>
#include <QString>

class QPaintDevice;

// What the printer tells about its page.
struct PrinterMetrics
{
    int dpiX = 300, dpiY = 300;            // printer dots per inch
    int pageWidthMm = 0, pageHeightMm = 0; // printable area
};
PrinterMetrics PrinterMetricsOf(const QPaintDevice &printer);

// Where the chart goes on the page, in printer dots, and its scaling factor
// (1.0 = the chart's size on the screen).
struct PrintPlacement
{
    int left = 100;
    int top = 100;
    double scale = 1.0;
};

// The printable page in printer dots.
QSizeF PageDots(const PrinterMetrics &printer);
// The area the printed chart covers, in printer dots: one screen pixel of
// the chart becomes printer dpi x scale / screen dpi dots.
QRectF PrintedChartArea(const PrintPlacement &placement, const PrinterMetrics &printer, double screenDpiX,
                        double screenDpiY, QSize chartPixels);

// The scaling factor of a scroll bar position (-90 .. 100 gives 0.1 .. 2.0).
double ScaleOfPosition(int position);
// "Scaling : %3.0f %%" of the factor in percent.
QString ScalingText(double scale);
// The font size of the "Dive Profile" mark on the miniature.
int MiniatureFontSize(double scale);

// The miniature's place in the dialog, in the page's proportions, within the
// area left of the vertical line at `rightEdge` and above the horizontal
// line at `bottomEdge`.
QRect MiniatureGeometry(bool landscape, int rightEdge, int bottomEdge, const PrinterMetrics &printer);
