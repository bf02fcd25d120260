#include "charts/LabelTexts.h"

#include <QPainter>

LabelTexts::Entry &LabelTexts::entry(const QPainter &p, const QString &text)
{
    const int dpi = p.device()->logicalDpiY();
    if (p.font() != m_font || dpi != m_dpi || m_entries.size() >= MaxEntries) {
        m_entries.clear();
        m_font = p.font();
        m_dpi = dpi;
        m_ascent = QFontMetricsF(m_font, p.device()).ascent();
    }
    auto it = m_entries.find(text);
    if (it == m_entries.end()) {
        const QFontMetricsF metricsF(m_font, p.device());
        const QFontMetrics metrics(m_font, p.device());
        QStaticText layout(text);
        layout.setTextFormat(Qt::PlainText);
        layout.prepare(QTransform(), m_font);
        it = m_entries.insert(text, Entry{{metricsF.horizontalAdvance(text), metrics.horizontalAdvance(text)}, layout});
    }
    return *it;
}

LabelTexts::Label LabelTexts::measure(const QPainter &p, const QString &text) { return entry(p, text).label; }

void LabelTexts::draw(QPainter &p, QPointF origin, const QString &text)
{
    if (!p.transform().isIdentity()) {
        p.drawText(origin, text);
        return;
    }
    const Entry &e = entry(p, text);
    // A static text is placed by its top left corner.
    p.drawStaticText(QPointF(origin.x(), origin.y() - m_ascent), e.layout);
}
