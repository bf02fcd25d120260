#pragma once

// A small banded report: a title band on the first page, detail bands in
// order, a summary band after them and a footer at the bottom of every page,
// drawn with QPainter on any paged device (a printer, a PDF file, the print
// preview). Each band decides just before it prints whether it prints at
// all, and each label may set its own text just before it prints, so a
// report reads its data only while it is being printed. A band that does not
// fit in what is left of the page starts a new page.
//
// Positions and sizes are millimetres from the band's top-left corner on the
// page's printable area; font sizes are points.
//
// A label's rectangle is its place in the design and the least room it
// takes. As it prints, each text is measured in the report's font at the
// device's resolution and its label grows to hold it: a taller label moves
// down everything of its band that lies below it (the band grows with it); a
// wider one moves right the labels that follow it on its line, each with
// every label of the band that shares its design left edge, so columns stay
// aligned. When that takes a line past the right edge of the printable area,
// the band is laid out again with each left-aligned text as wide as its text
// only; a text that still passes the edge prints in a smaller size. So no
// two texts overlap and none is cut, whichever font the system gives for the
// report's family.

#include <QDateTime>
#include <QFont>
#include <QMarginsF>
#include <QRectF>
#include <QString>

#include <functional>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace report {

struct Label
{
    enum Field { Plain, PageNumber, PrintTime };
    enum Shape { Text, Memo, HLine, Frame };

    QRectF rect;                 // mm within the band
    QString text;                // the design text
    Shape shape = Text;          // a Memo is several lines: its height grows to show them all
    Field field = Plain;         // page number and print time follow the text
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    double pointSize = 9;
    bool bold = false;
    // Sets the text just before the label prints; it starts from the design text.
    std::function<void(QString &text)> beforePrint;
};

struct Band
{
    enum Kind { Title, Detail, Summary, PageFooter };

    Kind kind = Detail;
    QString name;
    double height = 10;          // mm; memo labels may make it taller
    std::vector<Label> labels;
    // Whether the band prints this time; asked just before it prints.
    std::function<bool()> beforePrint;

    Label &add(Label label)
    {
        labels.push_back(std::move(label));
        return labels.back();
    }
};

// A text as it printed: its page (from 1), its label's rectangle in
// millimetres on the page's printable area, and the font it printed in.
struct PlacedText
{
    int page = 1;
    QRectF rect;
    QString text;
    QFont font;
};

class Report
{
public:
    QString fontFamily = QStringLiteral("Arial");
    QMarginsF margins{15, 10, 15, 10};   // mm: left, top, right, bottom
    std::vector<Band> bands;     // printed by kind: title, details in order, summary; footer on each page

    Band &add(Band band)
    {
        bands.push_back(std::move(band));
        return bands.back();
    }

    // Lays the device's pages out for the report: portrait, its margins.
    void setUp(QPagedPaintDevice &device) const;
    // Sets the device up and prints every band on it, starting a painter on
    // it; returns the number of pages, 0 when the device could not be opened.
    int print(QPagedPaintDevice &device, const QDateTime &printTime = QDateTime::currentDateTime()) const;
    // Prints on a painter already open on `device`, laid out as it is; when
    // `placed` is given it receives every text label as it printed.
    int print(QPainter &painter, QPagedPaintDevice &device, const QDateTime &printTime,
              std::vector<PlacedText> *placed = nullptr) const;
};

// The date and time a report shows as its print time.
QString PrintTimeText(const QDateTime &time);

} // namespace report
