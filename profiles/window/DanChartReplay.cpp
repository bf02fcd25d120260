#include "profiles/window/DanChartReplay.h"

#include "charts/RChart.h"

void DanChartPlotter::draw(const DanDrawOp &op)
{
    switch (op.kind) {
    case DanDrawOp::MoveTo: m_chart.MovePenTo(op.x, op.y); break;
    case DanDrawOp::LineTo:
        m_chart.setDataRgb(op.color);
        m_chart.DrawLineTo(op.x, op.y);
        break;
    case DanDrawOp::Mark:
        m_chart.setDataRgb(op.color);
        m_chart.AddMark(op.x, op.y, op.markStyle);
        break;
    case DanDrawOp::Rectangle:
        m_chart.setLineWidth(0);
        m_chart.setDataColor(m_chart.WindColor());
        m_chart.AddRectangle(op.x, op.y, op.x2, op.y2);
        m_chart.setLineWidth(1);
        break;
    case DanDrawOp::Text:
        m_chart.setDataRgb(op.color);
        m_chart.AddTextAt(op.x, op.y, op.text, op.markStyle);
        break;
    }
}
