#pragma once

// The chart's mark patterns: 25 shapes of 7 x 7 pixels, one byte per row
// from top to bottom, the bit of value 64 being the leftmost pixel.

#include <QRgb>

#include <array>
#include <cstdint>

class QImage;
class QPainter;

using MarkRows = std::array<std::uint8_t, 7>;

inline constexpr int PatternMarkCount = 25;
// Half the size of a pattern: it covers the point and 3 pixels around it.
inline constexpr int MarkReach = 3;

// The rows of pattern styles 1..25.
const MarkRows &MarkPattern(int style);
// Styles 1..25 draw a pattern, 33 and above a character, the rest one pixel.
inline bool IsPatternMark(int style) { return style >= 1 && style <= PatternMarkCount; }
inline bool IsCharacterMark(int style) { return style >= 33; }

// Sets the pixels of a pattern (or the single pixel of a pixel mark) centred
// on (x, y) in 32-bit pixels (`stride` pixels a row), clipped to w x h.
void SetMarkPixels(QRgb *bits, int stride, int w, int h, int x, int y, int style, QRgb color);
// The same through a painter, as squares of one pixel (for printing).
void PaintMarkPixels(QPainter &painter, int x, int y, int style, QRgb color);
