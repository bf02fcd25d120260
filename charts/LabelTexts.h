#pragma once

// Tick labels laid out once and drawn again while the font stays: as a chart
// pans or repaints, most of its labels come back unchanged, and laying out a
// text costs more than drawing it. Only an unscaled painter draws from the
// kept layouts (where they set the pixels drawText sets); a scaled one, as
// on a printed page, draws the text anew.

#include <QFont>
#include <QHash>
#include <QStaticText>
#include <QString>

class QPainter;

class LabelTexts
{
public:
    struct Label
    {
        qreal width;    // unrounded, as QFontMetricsF gives it
        int pixelWidth; // as QFontMetrics gives it
    };
    // The label's widths in the painter's font, on its device.
    Label measure(const QPainter &p, const QString &text);
    // Draws the text in the painter's font and pen, its baseline starting
    // at `origin`.
    void draw(QPainter &p, QPointF origin, const QString &text);

private:
    struct Entry
    {
        Label label;
        QStaticText layout;
    };
    Entry &entry(const QPainter &p, const QString &text);

    // Labels of the last scales seen; a few dozen at most are on a chart.
    static constexpr int MaxEntries = 256;
    QFont m_font;
    int m_dpi = 0;
    qreal m_ascent = 0;
    QHash<QString, Entry> m_entries;
};
