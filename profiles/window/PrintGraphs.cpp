#include "profiles/window/PrintGraphs.h"

#include "charts/RChart.h"
#include "core/NumText.h"
#include "platform/ReportPages.h"
#include "widgets/Builders.h"
#include "widgets/BusyCursor.h"
#include "widgets/Dialogs.h"
#include "widgets/Hints.h"
#include "widgets/PrintJob.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

// The dialog's fixed layout, in pixels: the miniature's area lies left of
// Bevel2 and above Bevel3; the controls right of Bevel2 and below Bevel3.
constexpr int DialogWidth = 700;
constexpr int DialogHeight = 420;
constexpr int Bevel2Left = 330;
constexpr int Bevel3Top = 340;
constexpr int RightColumn = Bevel2Left + 15;
constexpr int RightWidth = DialogWidth - RightColumn - 10;

// Where the placement line is written, in printer dots.
constexpr int PlacementLineX = 100;
constexpr int PlacementLineY = 40;
// The left edge of the summary lines, in printer dots.
constexpr int SummaryX = 20;
// Placements are in printer dots, and the placement line sits 60 dots above
// the chart's default place: at this resolution the line stays clear of the
// chart, as it would not at the 1200 dpi of a PDF file.
constexpr int PrinterDpi = 300;

QLabel *instruction(QWidget *parent, const QString &text, int line)
{
    auto *label = new QLabel(text, parent);
    QPalette green = label->palette();
    green.setColor(QPalette::WindowText, QColor(0x00, 0x80, 0x00));
    label->setPalette(green);
    label->setGeometry(RightColumn, 10 + line * 18, RightWidth, 18);
    return label;
}

} // namespace

TfmPrintGraphs::TfmPrintGraphs(TRChart &chart, QStringList summary, QWidget *parent)
    : QDialog(parent), m_chart(chart), m_summary(std::move(summary)), m_printer(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("fmPrintGraphs"));
    setWindowTitle(QStringLiteral("Print dive profile"));
    setFixedSize(DialogWidth, DialogHeight);
    m_printer.setResolution(PrinterDpi);

    m_miniature = new TRChart(this);
    m_miniature->setObjectName(QStringLiteral("RChart2"));
    m_miniature->setLRim(0);
    m_miniature->setRRim(1);
    m_miniature->setTRim(0);
    m_miniature->setBRim(1);
    m_miniature->setGridStyle(gsNone);
    m_miniature->setXLabelType(NoScales);
    m_miniature->setYLabelType(NoScales);
    m_miniature->setMouseAction(maNone);
    setHint(m_miniature, QStringLiteral("Click and drag in white area to position the printout"));

    m_bevel2 = new QFrame(this);
    m_bevel2->setObjectName(QStringLiteral("Bevel2"));
    m_bevel2->setFrameShape(QFrame::VLine);
    m_bevel2->setFrameShadow(QFrame::Sunken);
    m_bevel2->setGeometry(Bevel2Left, 0, 2, Bevel3Top + 2);
    m_bevel3 = new QFrame(this);
    m_bevel3->setObjectName(QStringLiteral("Bevel3"));
    m_bevel3->setFrameShape(QFrame::HLine);
    m_bevel3->setFrameShadow(QFrame::Sunken);
    m_bevel3->setGeometry(0, Bevel3Top, Bevel2Left + 2, 2);

    m_scaling = ui::label(this, QStringLiteral("Label1"), QStringLiteral("Scaling Factor"));
    m_scaling->setGeometry(10, Bevel3Top + 12, Bevel2Left - 20, 20);
    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setObjectName(QStringLiteral("SBScalF"));
    m_scroll->setRange(-90, 100);
    m_scroll->setValue(0);
    m_scroll->setGeometry(10, Bevel3Top + 38, Bevel2Left - 20, 20);

    instruction(this, QStringLiteral(" In order to create a printout of the chart, please"), 0);
    instruction(this, QStringLiteral(" set first the position and the scaling factor of"), 1);
    instruction(this, QStringLiteral(" the printout. Then click on \"Print\" to start"), 2);
    instruction(this, QStringLiteral(" the printing process."), 3);

    auto *orientation = ui::group(this, QStringLiteral("PrinterOrientationRadio"),
                                  QStringLiteral("Printer Orientation"));
    m_portrait = new QRadioButton(QStringLiteral("Portrait"), orientation);
    m_landscape = new QRadioButton(QStringLiteral("Landscape"), orientation);
    auto *orientationLayout = new QVBoxLayout(orientation);
    orientationLayout->addWidget(m_portrait);
    orientationLayout->addWidget(m_landscape);
    orientation->setGeometry(RightColumn, 100, RightWidth, 80);

    m_resolution = ui::textBox(this, QStringLiteral("PrinterResolution"), {}, true);
    ui::caption(this, QStringLiteral("Printer resolution:"), m_resolution)
        ->setGeometry(RightColumn, 195, RightWidth, 20);
    m_resolution->setGeometry(RightColumn, 217, 120, 24);

    auto *print = ui::button(this, QStringLiteral("Button2"), QStringLiteral("Print"));
    auto *setup = ui::button(this, QStringLiteral("Button3"), QStringLiteral("Printer setup"));
    auto *close = ui::button(this, QStringLiteral("Button1"), QStringLiteral("Close"));
    const int buttonWidth = (RightWidth - 10) / 3;
    for (int i = 0; QPushButton * b : {print, setup, close}) {
        b->setAutoDefault(false);
        b->setGeometry(RightColumn + i++ * (buttonWidth + 5), DialogHeight - 45, buttonWidth, 30);
    }

    connect(m_miniature, &TRChart::OnClick, this, &TfmPrintGraphs::RChart2Click);
    connect(m_miniature, &TRChart::OnMouseMoveInChart, this, &TfmPrintGraphs::RChart2MouseMoveInChart);
    connect(m_scroll, &QScrollBar::valueChanged, this, &TfmPrintGraphs::SBScalFChange);
    connect(m_portrait, &QRadioButton::clicked, this, &TfmPrintGraphs::PrinterOrientationRadioClick);
    connect(m_landscape, &QRadioButton::clicked, this, &TfmPrintGraphs::PrinterOrientationRadioClick);
    connect(print, &QPushButton::clicked, this, &TfmPrintGraphs::Button2Click);
    connect(setup, &QPushButton::clicked, this, &TfmPrintGraphs::Button3Click);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
}

void TfmPrintGraphs::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (QScreen *shown = screen())
        move(shown->availableGeometry().center() - rect().center());
}

void TfmPrintGraphs::FormCreate()
{
    m_place.scale = 1.0;
    m_scaling->setText(ScalingText(m_place.scale));
    m_scroll->setValue(0);
    ReadPrinterSettings();
}

void TfmPrintGraphs::ReadPrinterSettings()
{
    m_place.left = 100;
    m_place.top = 100;
    m_metrics = PrinterMetricsOf(m_printer);
    m_resolution->setText(Format("%d x %d", {m_metrics.dpiX, m_metrics.dpiY}));
    const bool landscape = m_printer.pageLayout().orientation() == QPageLayout::Landscape;
    (landscape ? m_landscape : m_portrait)->setChecked(true);
    m_miniature->setGeometry(MiniatureGeometry(landscape, m_bevel2->x(), m_bevel3->y(), m_metrics));
    const QSizeF page = PageDots(m_metrics);
    m_miniature->SetScaleRange(0, page.height(), page.width(), 0);
    DrawMiniature();
}

void TfmPrintGraphs::DrawMiniature()
{
    const QRectF area = PrintedChartArea(m_place, m_metrics, m_chart.logicalDpiX(), m_chart.logicalDpiY(),
                                         m_chart.size());
    m_miniature->ClearDrawing();
    m_miniature->setChartColor(Qt::white);
    m_miniature->setDataColor(m_chart.ChartColor());
    m_miniature->AddRectangle(area.left(), area.top(), area.right(), area.bottom());
    m_miniature->setDataColor(m_chart.ScaleColor());
    m_miniature->AddTextAt(area.center().x(), area.center().y(), QStringLiteral("Dive Profile"),
                           MiniatureFontSize(m_place.scale));
    m_miniature->RefreshChart();
}

void TfmPrintGraphs::placeAtMouse()
{
    const int left = int(Round(m_miniature->MousePosX()));
    const int top = int(Round(m_miniature->MousePosY()));
    if (left == m_place.left && top == m_place.top)
        return;
    m_place.left = left;
    m_place.top = top;
    DrawMiniature();
}

void TfmPrintGraphs::RChart2Click() { placeAtMouse(); }

void TfmPrintGraphs::RChart2MouseMoveInChart(TRChart *, bool, TShiftState shift, double, double)
{
    if (shift.buttons & Qt::LeftButton)
        placeAtMouse();
}

void TfmPrintGraphs::SBScalFChange()
{
    m_place.scale = ScaleOfPosition(m_scroll->value());
    m_scaling->setText(ScalingText(m_place.scale));
    DrawMiniature();
}

void TfmPrintGraphs::PrinterOrientationRadioClick()
{
    m_printer.setPageOrientation(m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
    ReadPrinterSettings();
}

void TfmPrintGraphs::Button3Click()
{
    Dialogs::current().printerSetup(m_printer);
    ReadPrinterSettings();
}

void TfmPrintGraphs::Button2Click()
{
    // The printer is the one this dialog laid the page out for (chosen
    // with "Printer setup"): no second dialog may change it now.
    QPainter painter;
    if (!BeginPrintJob(painter, m_printer))
        return;
    {
        const BusyCursor busy;
        printPage(painter);
        painter.end();
    }
    accept();
}

void TfmPrintGraphs::printPage(QPainter &painter)
{
    painter.setFont(QFont(QStringLiteral("Arial"), 10));
    const QFontMetricsF metrics(painter.font(), &m_printer);
    const auto writeAt = [&](int x, int y, const QString &text) {
        painter.drawText(QPointF(x, y + metrics.ascent()), text);
    };
    writeAt(PlacementLineX, PlacementLineY,
            Format("Position of Dive Profile: x=%d  y=%d    Scaling factor: %.2f",
                   {m_place.left, m_place.top, m_place.scale}));

    int left = m_place.left;
    int top = m_place.top;
    m_chart.PrintChart(painter, left, top, true, m_place.scale);

    // The summary goes below the chart; lines that do not fit on the page
    // go on the next one.
    const int step = int(Round(metrics.height() * 1.01));
    int y = top + m_chart.height();
    QStringList lines{m_chart.Caption(), QString()};
    lines << m_summary;
    lines << Format("Printed by Tidewell on %s", {report::PrintTimeText(QDateTime::currentDateTime())}) << QString();
    for (const QString &line : lines) {
        if (y + step > m_printer.height()) {
            m_printer.newPage();
            y = PlacementLineY;
        }
        writeAt(SummaryX, y, line);
        y += step;
    }
}

void PrintDiveProfile(TRChart &chart, const QStringList &summary, QWidget *parent)
{
    TfmPrintGraphs dialog(chart, summary, parent);
    Dialogs::current().execDialog(dialog);
}
