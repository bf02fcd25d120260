#include "charts/ProfileLook.h"

#include "charts/RChart.h"

void SetProfileLook(TRChart &chart, const QColor &face)
{
    chart.setLRim(45);
    chart.setTRim(15);
    chart.setBRim(45);
    chart.setDecPlaceX(0);
    chart.setGridStyle(gsDotLines);
    chart.setGridDx(300);
    chart.setGridDy(10);
    chart.setDataColor(Qt::yellow);
    chart.setChartColor(QColor(0x00, 0x80, 0x80));
    chart.setWindColor(face);
    chart.setGridColor(face);
    chart.setIdAbscissa(QStringLiteral("Run Time"));
    chart.setIdOrdinate(QStringLiteral("Depth"));
    chart.setMinTickX(4);
    chart.setMinTickY(10);
    chart.setMouseAction(maPan);
    chart.setXLabelType(Time);
    chart.setYLabelType(Num);
    chart.SetScaleRange(0, 130, 4000, -1);
}
