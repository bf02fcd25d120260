#pragma once

// The marker of the keyboard read-out: a ring around one sample of the
// chart, drawn over the chart wherever the chart's view puts that sample.
// It lets the mouse through to the chart.

#include <QWidget>

class TRChart;

class DanSampleMarker final : public QWidget
{
    Q_OBJECT
public:
    explicit DanSampleMarker(TRChart *chart);

    // Marks the sample at (x, y) in world coordinates.
    void mark(double x, double y);
    double markedX() const { return m_x; }
    double markedY() const { return m_y; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    TRChart *m_chart;
    double m_x = 0, m_y = 0;
};
