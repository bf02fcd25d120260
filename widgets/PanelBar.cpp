#include "widgets/PanelBar.h"

#include <QHBoxLayout>
#include <QLabel>

TPanelBar::TPanelBar(QWidget *parent, const QString &name, const QList<int> &widths, int stretchingPanel)
    : QFrame(parent)
{
    if (stretchingPanel < 0)
        stretchingPanel = int(widths.size()) - 1;
    setObjectName(name);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 1, 0, 1);
    row->setSpacing(2);
    for (qsizetype i = 0; i < widths.size(); ++i) {
        auto *label = new QLabel(this);
        label->setObjectName(name + QStringLiteral("Panel") + QString::number(i));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setTextFormat(Qt::PlainText);
        const bool stretches = i == stretchingPanel;
        if (stretches)
            label->setMinimumWidth(widths[i]);
        else
            label->setFixedWidth(widths[i]);
        row->addWidget(label, stretches ? 1 : 0);
        m_panels << label;
    }
    setFixedHeight(fontMetrics().height() + 8);
}

QString TPanelBar::panelText(int index) const { return m_panels.at(index)->text(); }

void TPanelBar::setPanelText(int index, const QString &text) { m_panels.at(index)->setText(text); }

void TPanelBar::clearPanels()
{
    for (QLabel *label : std::as_const(m_panels))
        label->clear();
}

int TPanelBar::panelWidth(int index) const { return m_panels.at(index)->width(); }

void TPanelBar::setPanelVisible(int index, bool visible) { m_panels.at(index)->setVisible(visible); }

void TPanelBar::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    emit resized();
}
