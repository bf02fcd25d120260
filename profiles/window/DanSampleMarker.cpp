#include "profiles/window/DanSampleMarker.h"

#include "charts/RChart.h"

#include <QEvent>
#include <QPainter>

DanSampleMarker::DanSampleMarker(TRChart *chart) : QWidget(chart), m_chart(chart)
{
    setObjectName(QStringLiteral("SampleMarker"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setGeometry(chart->rect());
    chart->installEventFilter(this);
    hide();
}

void DanSampleMarker::mark(double x, double y)
{
    m_x = x;
    m_y = y;
    show();
    raise();
    update();
}

bool DanSampleMarker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_chart && event->type() == QEvent::Resize)
        setGeometry(m_chart->rect());
    return QWidget::eventFilter(watched, event);
}

void DanSampleMarker::paintEvent(QPaintEvent *)
{
    // Placed afresh at every paint, so the ring follows pans and zooms.
    const PlotGeometry geo = m_chart->geometryNow();
    const QPoint at(geo.x.toPixel(m_x), geo.y.toPixel(m_y));
    if (!m_chart->plotRect().contains(at))
        return;
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xFF, 0x00, 0xFF), 2));
    p.drawEllipse(at, 6, 6);
    p.setPen(QPen(QColor(0xFF, 0x00, 0xFF), 1, Qt::DotLine));
    p.drawLine(at.x(), m_chart->plotRect().top(), at.x(), m_chart->plotRect().bottom());
}
