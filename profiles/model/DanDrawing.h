#pragma once

// What reading a DAN research file draws: a stream of chart operations in
// world coordinates (x = time in seconds, y = depth), each of which is one
// call on the profile chart. The reader hands them to a DanPlotter as it
// reads, so a large profile is drawn while it loads and never held twice.

#include <QRgb>
#include <QString>

#include <vector>

// The colours of a drawn profile, the same for DAN files and dive logs.
namespace ProfileColors {
inline constexpr QRgb White = qRgb(0xFF, 0xFF, 0xFF);
inline constexpr QRgb Red = qRgb(0xFF, 0, 0);
inline constexpr QRgb Yellow = qRgb(0xFF, 0xFF, 0);
inline constexpr QRgb Blue = qRgb(0, 0, 0xFF);
inline constexpr QRgb Black = qRgb(0, 0, 0);
inline constexpr QRgb Green = qRgb(0x40, 0xFF, 0x40);
} // namespace ProfileColors

struct DanDrawOp
{
    enum Kind : unsigned char {
        MoveTo,    // MovePenTo(x, y)
        LineTo,    // DataColor := color; DrawLineTo(x, y)
        Mark,      // DataColor := color; AddMark(x, y, markStyle)
        Rectangle, // LineWidth := 0; DataColor := the chart's WindColor;
                   // AddRectangle(x, y, x2, y2); LineWidth := 1
        Text,      // DataColor := color; AddTextAt(x, y, text, markStyle as the font size)
    };
    Kind kind = MoveTo;
    int markStyle = 0;
    QRgb color = 0;
    double x = 0, y = 0, x2 = 0, y2 = 0;
    QString text;

    bool operator==(const DanDrawOp &) const = default;
};

// Mark styles the reader uses.
constexpr int DanPressureMark = 8;
constexpr int DanDotMark = 24;

class DanPlotter
{
public:
    virtual ~DanPlotter() = default;
    virtual void draw(const DanDrawOp &op) = 0;
};

// Keeps the operations, for tests and for drawing later.
class DanOpList final : public DanPlotter
{
public:
    void draw(const DanDrawOp &op) override { ops.push_back(op); }
    std::vector<DanDrawOp> ops;
};
