#pragma once

// A status bar divided into panels of given widths, each showing one text.
// Panel i is a label named "<bar name>Panel<i>"; one panel, the last unless
// another is named, takes the room that is left.

#include <QFrame>
#include <QList>

class QLabel;

class TPanelBar final : public QFrame
{
    Q_OBJECT
public:
    TPanelBar(QWidget *parent, const QString &name, const QList<int> &widths, int stretchingPanel = -1);

    int panelCount() const { return int(m_panels.size()); }
    QLabel *panel(int index) const { return m_panels.at(index); }
    QString panelText(int index) const;
    void setPanelText(int index, const QString &text);
    void clearPanels();
    int panelWidth(int index) const;
    // A hidden panel takes no room; its text stays.
    void setPanelVisible(int index, bool visible);

signals:
    void resized();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QList<QLabel *> m_panels;
};
