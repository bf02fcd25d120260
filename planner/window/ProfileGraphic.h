#pragma once

// The schematic dive profile of the planner: descent, bottom, ascent to the
// stops, the stops and the ascent from them, drawn as a line across the
// panel. The labels that name and measure the segments are children of the
// panel, kept at places given as fractions of its size, so they follow the
// profile when the panel is resized.

#include <QFrame>
#include <QHash>
#include <QPointF>
#include <QPointer>

class ProfileGraphic final : public QFrame
{
    Q_OBJECT
public:
    explicit ProfileGraphic(QWidget *parent = nullptr);

    // Draws the profile with or without the decompression segment.
    void setDecompression(bool shown);
    bool decompression() const { return m_deco; }
    // Keeps `child` with its top-left corner at `place` (fractions of the panel's size).
    void place(QWidget *child, QPointF place);

    QSize sizeHint() const override { return {420, 190}; }
    QSize minimumSizeHint() const override { return {380, 170}; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    // The corners of the profile, as fractions of the panel's size.
    QList<QPointF> corners() const;
    void arrange();

    bool m_deco = false;
    QList<QPair<QPointer<QWidget>, QPointF>> m_places;
};
