#pragma once

// Draws the operations of a DAN research file on the profile chart, one
// chart call per operation.

#include "profiles/model/DanDrawing.h"

class TRChart;

class DanChartPlotter final : public DanPlotter
{
public:
    explicit DanChartPlotter(TRChart &chart) : m_chart(chart) {}
    void draw(const DanDrawOp &op) override;

private:
    TRChart &m_chart;
};
