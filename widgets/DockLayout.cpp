#include "widgets/DockLayout.h"

#include <QWidget>

#include <algorithm>
#include <utility>

namespace {

constexpr TDocPanel::TAlign SideOrder[] = {TDocPanel::alTop, TDocPanel::alBottom, TDocPanel::alLeft,
                                           TDocPanel::alRight};

bool horizontal(TDocPanel::TAlign side) { return side == TDocPanel::alTop || side == TDocPanel::alBottom; }

} // namespace

DockLayout::DockLayout(QWidget *host) : QLayout(host)
{
    setContentsMargins(0, 0, 0, 0);
}

DockLayout::~DockLayout()
{
    while (QLayoutItem *item = takeAt(0))
        delete item;
}

DockLayout *DockLayout::of(QWidget *host)
{
    if (auto *layout = qobject_cast<DockLayout *>(host->layout()))
        return layout;
    Q_ASSERT_X(!host->layout(), "DockLayout::of", "the host lays its children out otherwise");
    return new DockLayout(host);
}

void DockLayout::setClient(QWidget *client)
{
    delete m_client;
    addChildWidget(client);
    m_client = new QWidgetItem(client);
    invalidate();
}

void DockLayout::dock(TDocPanel *panel, TDocPanel::TAlign side, int offset)
{
    undock(panel);
    addChildWidget(panel);
    auto at = std::find_if(m_docked.begin(), m_docked.end(), [&](const Docked &d) {
        return d.side == side && offsetOf(d.panel) > offset;
    });
    m_docked.insert(at, {new QWidgetItem(panel), panel, side});
    invalidate();
    activate();
}

void DockLayout::undock(TDocPanel *panel)
{
    for (qsizetype i = 0; i < m_docked.size(); ++i) {
        if (m_docked[i].panel == panel) {
            delete m_docked.takeAt(i).item;
            invalidate();
            activate();
            return;
        }
    }
}

int DockLayout::offsetOf(const TDocPanel *panel) const
{
    const QRect host = contentsRect();
    const QRect place = panel->geometry();
    for (const Docked &d : m_docked) {
        if (d.panel != panel)
            continue;
        switch (d.side) {
        case TDocPanel::alTop: return place.top() - host.top();
        case TDocPanel::alBottom: return host.bottom() - place.bottom();
        case TDocPanel::alLeft: return place.left() - host.left();
        case TDocPanel::alRight: return host.right() - place.right();
        case TDocPanel::alNone: break;
        }
    }
    return 0;
}

void DockLayout::addItem(QLayoutItem *item)
{
    // Panels dock through dock(), the client through setClient().
    Q_ASSERT_X(false, "DockLayout::addItem", "use setClient() or dock()");
    delete item;
}

QLayoutItem *DockLayout::itemAt(int index) const
{
    if (index >= 0 && index < m_docked.size())
        return m_docked[index].item;
    return index == m_docked.size() ? m_client : nullptr;
}

QLayoutItem *DockLayout::takeAt(int index)
{
    if (index >= 0 && index < m_docked.size())
        return m_docked.takeAt(index).item;
    if (index == m_docked.size() && m_client)
        return std::exchange(m_client, nullptr);
    return nullptr;
}

int DockLayout::count() const { return static_cast<int>(m_docked.size()) + (m_client ? 1 : 0); }

// The client's size with the docked panels around it, each as thick as
// `thickness` says for the client's extent along it.
QSize DockLayout::around(QSize client, const std::function<int(const TDocPanel *, TDocPanel::TAlign, int)> &thickness) const
{
    QSize size = client;
    for (const Docked &d : m_docked) {
        if (d.panel->isHidden())
            continue;
        if (horizontal(d.side))
            size.rheight() += thickness(d.panel, d.side, size.width());
        else
            size.rwidth() += thickness(d.panel, d.side, size.height());
    }
    return size;
}

QSize DockLayout::sizeHint() const
{
    return around(m_client ? m_client->sizeHint() : QSize(0, 0),
                  [](const TDocPanel *panel, TDocPanel::TAlign side, int length) { return panel->thickness(side, length); });
}

// Wrapping panels take more rows in a smaller window; the least they need is
// one row.
QSize DockLayout::minimumSize() const
{
    return around(m_client ? m_client->minimumSize() : QSize(0, 0),
                  [](const TDocPanel *panel, TDocPanel::TAlign side, int) {
                      const QSize least = panel->minimumSizeHint();
                      return horizontal(side) ? least.height() : least.width();
                  });
}

void DockLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    QRect free = contentsRect();
    for (TDocPanel::TAlign side : SideOrder) {
        for (const Docked &d : m_docked) {
            if (d.side != side || d.panel->isHidden())
                continue;
            const int thickness = d.panel->thickness(side, horizontal(side) ? free.width() : free.height());
            switch (side) {
            case TDocPanel::alTop:
                d.panel->setGeometry(free.left(), free.top(), free.width(), thickness);
                free.setTop(free.top() + thickness);
                break;
            case TDocPanel::alBottom:
                d.panel->setGeometry(free.left(), free.bottom() - thickness + 1, free.width(), thickness);
                free.setBottom(free.bottom() - thickness);
                break;
            case TDocPanel::alLeft:
                d.panel->setGeometry(free.left(), free.top(), thickness, free.height());
                free.setLeft(free.left() + thickness);
                break;
            case TDocPanel::alRight:
                d.panel->setGeometry(free.right() - thickness + 1, free.top(), thickness, free.height());
                free.setRight(free.right() - thickness);
                break;
            case TDocPanel::alNone:
                break;
            }
        }
    }
    if (m_client)
        m_client->setGeometry(free);
}
