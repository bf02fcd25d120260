#pragma once

// The layout of a client area that dockable panels dock to: panels docked
// at the top come first, each the full width, one below the other; then
// those at the bottom, from the bottom edge up; then those at the left and
// right, between them. The client widget takes what is left.

#include "widgets/Dockbar.h"

#include <QLayout>
#include <QList>

#include <functional>

class DockLayout final : public QLayout
{
    Q_OBJECT
public:
    explicit DockLayout(QWidget *host);
    ~DockLayout() override;

    // The host's dock layout; one is made when the host has no layout yet.
    static DockLayout *of(QWidget *host);

    void setClient(QWidget *client);
    // Docks the panel at a side, before the first panel of that side that
    // lies further than `offset` from the side's edge.
    void dock(TDocPanel *panel, TDocPanel::TAlign side, int offset);
    void undock(TDocPanel *panel);
    // The panel's distance from the edge of its side; 0 when not docked here.
    int offsetOf(const TDocPanel *panel) const;

    void addItem(QLayoutItem *item) override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    int count() const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &rect) override;

private:
    struct Docked
    {
        QWidgetItem *item;
        TDocPanel *panel;
        TDocPanel::TAlign side;
    };

    QSize around(QSize client, const std::function<int(const TDocPanel *, TDocPanel::TAlign, int)> &thickness) const;

    QList<Docked> m_docked;
    QWidgetItem *m_client = nullptr;
};
