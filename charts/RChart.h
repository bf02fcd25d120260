#pragma once

// TRChart: an x-y chart control. The client appends drawing items (pen
// moves, lines, marks, rectangles, short texts) in world coordinates to a
// display list; the chart scales the list into its plot area and draws it
// with axes, tick labels, a grid, a caption and axis titles. The visible
// world window can be changed by the program or by the mouse (pan, zoom by
// window, zoom by dragging), and the chart can draw itself on a printer page.

#include "charts/ChartItems.h"
#include "charts/ChartPlot.h"
#include "charts/ChartScaling.h"
#include "charts/LabelTexts.h"

#include <QColor>
#include <QElapsedTimer>
#include <QImage>
#include <QTimer>
#include <QWidget>

class QPainter;

enum GridStyleType { gsNone, gsPoints, gsVertLines, gsHorizLines, gsLines, gsHorizDotLines, gsVertDotLines, gsDotLines };
enum MouseActMode { maNone, maPan, maZoomWind, maZoomWindPos, maZoomDrag };
enum TShadowStyle { ssFlying, ssBox };
enum TTextBkg { tbClear, tbSolid };
enum FigType { NoFigs, Num, Time, NoScales, DateTime };
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

enum TimeFormatType { tfHHMMSS, tfHHhMM, tfAMPM };
enum YearLengthType { ylNone, ylYY, ylYYYY };
enum DateOrderType { doMMDDYY, doDDMMYY, doYYMMDD };
enum DateForTimeType { dtNone, dtOnePerChart, dtOnePerDay, dtAllTicks };

// How a date/time axis writes its labels.
struct TDTLabel
{
    TimeFormatType TimeFormat = tfHHMMSS;
    QChar DateSeparator = u'/';
    QChar TimeSeparator = u':';
    YearLengthType YearLength = ylYY;
    bool MonthName = false;
    DateOrderType DateOrder = doDDMMYY;
    DateForTimeType DateForTime = dtNone;
    bool operator==(const TDTLabel &) const = default;
};

// Keys and mouse buttons held during a mouse event.
struct TShiftState
{
    Qt::KeyboardModifiers keys;
    Qt::MouseButtons buttons;
};

class TRChart : public QWidget
{
    Q_OBJECT
public:
    explicit TRChart(QWidget *parent = nullptr);
    ~TRChart() override;

    // --- Display list -------------------------------------------------
    void ClearDrawing();
    void RefreshChart();
    void SetScaleRange(double lowX, double lowY, double highX, double highY);
    void MovePenTo(double x, double y);
    void DrawLineTo(double x, double y);
    void AddMark(double x, double y, int markStyle);
    void AddRectangle(double x1, double y1, double x2, double y2);
    void AddTextAt(double x, double y, const QString &text, int fontSize);
    // Draws the chart with `painter` (open on a printer page or another paged
    // device) with its top-left corner at (left, top) device dots, one screen
    // pixel becoming `scale` x device dpi / screen dpi dots; then advances
    // left and top by the printed width and height.
    void PrintChart(QPainter &painter, int &left, int &top, bool blackAndWhite, double scale);

    const DisplayList &items() const { return m_list; }

    // --- Properties ---------------------------------------------------
    bool AutoRedraw() const { return m_autoRedraw; }
    void setAutoRedraw(bool on) { m_autoRedraw = on; }
    int LRim() const { return m_lRim; }
    int RRim() const { return m_rRim; }
    int TRim() const { return m_tRim; }
    int BRim() const { return m_bRim; }
    void setLRim(int v) { setLook(m_lRim, v); }
    void setRRim(int v) { setLook(m_rRim, v); }
    void setTRim(int v) { setLook(m_tRim, v); }
    void setBRim(int v) { setLook(m_bRim, v); }
    int ClassDefault() const { return m_classDefault; }
    void setClassDefault(int v) { m_classDefault = std::uint8_t(v); }
    int DecPlaceX() const { return m_decPlaceX; }
    int DecPlaceY() const { return m_decPlaceY; }
    void setDecPlaceX(int v) { setLook(m_decPlaceX, v); }
    void setDecPlaceY(int v) { setLook(m_decPlaceY, v); }
    GridStyleType GridStyle() const { return m_gridStyle; }
    void setGridStyle(GridStyleType v) { setLook(m_gridStyle, v); }
    double GridDx() const { return m_gridDx; }
    double GridDy() const { return m_gridDy; }
    void setGridDx(double v) { setLook(m_gridDx, v); }
    void setGridDy(double v) { setLook(m_gridDy, v); }

    double RangeLoX() const { return m_loX; }
    double RangeHiX() const { return m_hiX; }
    double RangeLoY() const { return m_loY; }
    double RangeHiY() const { return m_hiY; }
    void setRangeLoX(double v) { setBound(m_loX, m_hiX, v, true, m_logX); }
    void setRangeHiX(double v) { setBound(m_loX, m_hiX, v, false, m_logX); }
    void setRangeLoY(double v) { setBound(m_loY, m_hiY, v, true, m_logY); }
    void setRangeHiY(double v) { setBound(m_loY, m_hiY, v, false, m_logY); }

    QColor DataColor() const { return QColor(m_dataColor); }
    void setDataColor(QColor c) { m_dataColor = c.rgb(); }
    // The same without a QColor: for clients that append millions of items.
    void setDataRgb(QRgb c) { m_dataColor = c | 0xFF000000u; }
    int LineWidth() const { return m_lineWidth; }
    void setLineWidth(int w) { m_lineWidth = std::uint8_t(std::clamp(w, 0, 255)); }
    QColor ScaleColor() const { return m_scaleColor; }
    QColor ChartColor() const { return m_chartColor; }
    QColor WindColor() const { return m_windColor; }
    QColor GridColor() const { return m_gridColor; }
    void setScaleColor(QColor c) { setLook(m_scaleColor, c); }
    void setChartColor(QColor c) { setLook(m_chartColor, c); }
    void setWindColor(QColor c) { setLook(m_windColor, c); }
    void setGridColor(QColor c) { setLook(m_gridColor, c); }

    QString Caption() const { return m_caption; }
    void setCaption(const QString &text) { setLook(m_caption, text); }
    QString IdAbscissa() const { return m_idAbscissa; }
    QString IdOrdinate() const { return m_idOrdinate; }
    void setIdAbscissa(const QString &text) { setLook(m_idAbscissa, text.left(50)); }
    void setIdOrdinate(const QString &text) { setLook(m_idOrdinate, text.left(50)); }

    bool LogScaleX() const { return m_logX; }
    bool LogScaleY() const { return m_logY; }
    void setLogScaleX(bool on) { setLog(m_logX, on, m_loX, m_hiX, m_xLabelType); }
    void setLogScaleY(bool on) { setLog(m_logY, on, m_loY, m_hiY, m_yLabelType); }
    int MinTickX() const { return m_minTickX; }
    int MinTickY() const { return m_minTickY; }
    void setMinTickX(int v) { setLook(m_minTickX, v); }
    void setMinTickY(int v) { setLook(m_minTickY, v); }

    double MousePosX() const { return m_mousePosX; }
    double MousePosY() const { return m_mousePosY; }
    MouseActMode MouseAction() const { return m_mouseAction; }
    void setMouseAction(MouseActMode mode);
    bool MouseCursorFixed() const { return m_mouseCursorFixed; }
    void setMouseCursorFixed(bool fixed) { m_mouseCursorFixed = fixed; }

    int ShadowWidth() const { return m_shadowWidth; }
    void setShadowWidth(int v) { setLook(m_shadowWidth, std::max(0, v)); }
    TShadowStyle ShadowStyle() const { return m_shadowStyle; }
    void setShadowStyle(TShadowStyle v) { setLook(m_shadowStyle, v); }
    QColor ShadowColor() const { return m_shadowColor; }
    QColor ShadowBakColor() const { return m_shadowBakColor; }
    void setShadowColor(QColor c) { setLook(m_shadowColor, c); }
    void setShadowBakColor(QColor c) { setLook(m_shadowBakColor, c); }

    unsigned TextFontStyle() const { return m_textFontStyle; }
    void setTextFontStyle(unsigned styles) { setLook(m_textFontStyle, styles); }
    TTextBkg TextBkStyle() const { return m_textBkStyle; }
    void setTextBkStyle(TTextBkg v) { setLook(m_textBkStyle, v); }
    QColor TextBkColor() const { return m_textBkColor; }
    void setTextBkColor(QColor c) { setLook(m_textBkColor, c); }

    FigType XLabelType() const { return m_xLabelType; }
    FigType YLabelType() const { return m_yLabelType; }
    // A logarithmic axis cannot show dates; such an axis stays linear.
    void setXLabelType(FigType t);
    void setYLabelType(FigType t);
    TDTLabel DTXFormat() const { return m_dtX; }
    TDTLabel DTYFormat() const { return m_dtY; }
    void setDTXFormat(const TDTLabel &f) { setLook(m_dtX, f); }
    void setDTYFormat(const TDTLabel &f) { setLook(m_dtY, f); }

    // --- Derived geometry ---------------------------------------------
    int plotWidth() const;
    int plotHeight() const;
    PlotGeometry geometryNow() const;
    // The plot area in control pixels, borders included.
    QRect plotRect() const;

    // The whole control as last drawn (for tests and screenshots).
    const QImage &controlImage() const { return m_control; }
    // The control drawn afresh, with thinning on or off.
    QImage render(bool thin = true);
    const DrawStats &lastDrawStats() const { return m_stats; }

signals:
    void OnMouseMoveInChart(TRChart *Sender, bool InChart, TShiftState Shift, double rMousePosX, double rMousePosY);
    void OnClick();
    void OnDblClick();
    void OnMouseDown(QMouseEvent *event);
    void OnMouseUp(QMouseEvent *event);
    void OnMouseMove(QMouseEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    // Colours and font of one drawing: the screen's or a printout's.
    struct Look
    {
        QColor wind, chart, scale, text, grid;
        bool allBlack = false;
    };

    template <typename T>
    void setLook(T &field, const T &value)
    {
        if (field == value)
            return;
        field = value;
        lookChanged();
    }
    void lookChanged();
    // Sets the low or the high bound of one axis; a bound that meets the
    // other one makes the axis run from the other bound - 1 to + 1.
    void setBound(double &lo, double &hi, double value, bool low, bool log);
    void setLog(bool &log, bool on, double lo, double hi, FigType labelType);
    // Takes new bounds for one axis by the rules of SetScaleRange.
    static void takeRange(double &lo, double &hi, double newLo, double newHi, bool log);
    void setRanges(double loX, double hiX, double loY, double hiY);

    void append(ItemKind kind, double x, double y, std::uint8_t markStyle = 0);
    Look screenLook() const;
    PlotStyle plotStyle(const Look &look) const;

    // Draws the control and the plot image afresh.
    void drawAll(QImage &control, QImage &plot, DrawState &state, bool thin);
    void renderAll();
    // Where the plot image fits inside the control image (the usual case),
    // it is a view of the control's pixels there: drawn into in place, never
    // copied. Taken anew before each use, as the control image may have
    // been copied out and detached since.
    bool takePlotView(QImage &control, QImage &plot) const;
    // `plotArea`: whether to fill the plot area too, which a view of the
    // plot covers anyway.
    void drawControl(QPainter &p, const Look &look, const PlotGeometry &geo, bool plotArea);
    void drawShadow(QPainter &p);
    void drawXAxis(QPainter &p, const PlotGeometry &geo);
    void drawYAxis(QPainter &p, const PlotGeometry &geo);
    void drawTitles(QPainter &p, const Look &look, const PlotGeometry &geo);
    // `pixels`: the image `p` paints on, when the grid may be set in it directly.
    void drawGrid(QPainter &p, const Look &look, const PlotGeometry &geo, QImage *pixels);
    void drawPlotBackground(QPainter &p, const Look &look, const PlotGeometry &geo, QImage *pixels);
    void showChanged(const QRect &controlArea);
    void flushScreen();
    void fireMouseMoveInChart(QPoint pos, TShiftState shift);
    void updateCursor(QPoint pos);

    bool m_autoRedraw = true;
    int m_lRim = 50, m_rRim = 10, m_tRim = 16, m_bRim = 32;
    std::uint8_t m_classDefault = 0;
    int m_decPlaceX = 1, m_decPlaceY = 1;
    GridStyleType m_gridStyle = gsNone;
    double m_gridDx = 1.0, m_gridDy = 1.0;
    double m_loX = 0, m_hiX = 10, m_loY = 0, m_hiY = 10;
    QRgb m_dataColor = qRgb(0, 0, 0);
    std::uint8_t m_lineWidth = 1;
    QColor m_scaleColor{0, 0, 0};
    QColor m_chartColor{0xFF, 0xFF, 0xFF};
    QColor m_windColor{0xC0, 0xC0, 0xC0};
    QColor m_gridColor{0, 0, 0};
    QString m_caption, m_idAbscissa, m_idOrdinate;
    bool m_logX = false, m_logY = false;
    int m_minTickX = 3, m_minTickY = 3;
    double m_mousePosX = 0, m_mousePosY = 0;
    MouseActMode m_mouseAction = maNone;
    bool m_mouseCursorFixed = false;
    int m_shadowWidth = 0;
    TShadowStyle m_shadowStyle = ssFlying;
    QColor m_shadowColor{0x80, 0x80, 0x80};
    QColor m_shadowBakColor{0xC0, 0xC0, 0xC0};
    unsigned m_textFontStyle = 0;
    TTextBkg m_textBkStyle = tbClear;
    QColor m_textBkColor{0xFF, 0xFF, 0xFF};
    FigType m_xLabelType = Num, m_yLabelType = Num;
    TDTLabel m_dtX, m_dtY;
    LabelTexts m_labelTexts;

    DisplayList m_list;

    // Off-screen images: the whole control, and the plot area (one pixel
    // larger than the plot), with what of the list has been drawn on it.
    QImage m_control;
    QImage m_plot;
    bool m_plotInPlace = false;   // m_plot is a view of m_control
    bool m_imagesValid = false;
    DrawState m_drawState;
    DrawStats m_stats;
    LineColumnCache m_columnCache; // columns of long lines, for pans by whole pixels
    QRect m_pendingScreen;       // changed area not yet brought to the screen
    QElapsedTimer m_sinceShown;  // merges redraws that come faster than a frame
    QTimer m_showTimer;

    // Mouse gestures.
    QPoint m_lastMouse{-1, -1};
    int m_cursorShown = -1;      // the action whose cursor is set, -1 for the default
    bool m_dragging = false;     // pan or zoom drag under way
    QPoint m_dragStart;
    double m_startLoX = 0, m_startHiX = 0, m_startLoY = 0, m_startHiY = 0;
    bool m_bandOpen = false;
    QPoint m_bandStart, m_bandEnd;
};

Q_DECLARE_METATYPE(TShiftState)
