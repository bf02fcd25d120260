#include "profiles/window/PrintPlacement.h"

#include "core/NumText.h"

#include <QPaintDevice>

namespace {
constexpr double InchesPerMm = 0.03937007874015748;
constexpr double MiniatureFontPerScale = 8;
} // namespace

PrinterMetrics PrinterMetricsOf(const QPaintDevice &printer)
{
    return {printer.logicalDpiX(), printer.logicalDpiY(), printer.widthMM(), printer.heightMM()};
}

QSizeF PageDots(const PrinterMetrics &printer)
{
    return {printer.pageWidthMm * InchesPerMm * printer.dpiX, printer.pageHeightMm * InchesPerMm * printer.dpiY};
}

QRectF PrintedChartArea(const PrintPlacement &placement, const PrinterMetrics &printer, double screenDpiX,
                        double screenDpiY, QSize chartPixels)
{
    const double right = placement.left + printer.dpiX * placement.scale / screenDpiX * chartPixels.width();
    const double bottom = placement.top + printer.dpiY * placement.scale / screenDpiY * chartPixels.height();
    return QRectF(QPointF(placement.left, placement.top), QPointF(right, bottom));
}

double ScaleOfPosition(int position) { return position * 0.01 + 1; }

QString ScalingText(double scale) { return Format("Scaling : %3.0f %%", {scale * 100}); }

int MiniatureFontSize(double scale) { return int(Round(scale * MiniatureFontPerScale)); }

QRect MiniatureGeometry(bool landscape, int rightEdge, int bottomEdge, const PrinterMetrics &printer)
{
    const double width = std::max(printer.pageWidthMm, 1);
    const double height = std::max(printer.pageHeightMm, 1);
    if (landscape) {
        const int w = rightEdge - 10;
        const int h = int(Round(w * height / width));
        return {(rightEdge - w) / 2, (bottomEdge - h) / 2, w, h};
    }
    const int h = bottomEdge - 10;
    const int w = int(Round(h * width / height));
    return {(rightEdge - w) / 2, 5, w, h};
}
