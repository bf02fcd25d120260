#include "shell/ToolbarPlaces.h"

#include "widgets/Dockbar.h"

#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace {

// Clear of the window area's top edge, where a moved toolbar would dock, and
// between the toolbars.
constexpr int Spacing = 8;

} // namespace

QPoint RightEdgePlace(const QRect &workArea, int top, int above, const QSize &size)
{
    const int x = std::max(workArea.left(), workArea.right() + 1 - size.width());
    const int y = std::clamp(top + Spacing + above, workArea.top(), std::max(workArea.top(), workArea.bottom() + 1 - size.height()));
    return {x, y};
}

void PlaceFloatingToolbarsAtRightEdge(const QList<TDocPanel *> &bars, QWidget *client)
{
    for (qsizetype i = 0; i < bars.size(); ++i) {
        QList<QPointer<TDocPanel>> before(bars.cbegin(), bars.cbegin() + i);
        bars[i]->setFloatPlacer([client, before](const QSize &size) {
            int above = 0;
            for (const TDocPanel *bar : before)
                if (bar && !bar->Docked() && bar->Visible())
                    above += bar->floatingWindow()->height() + Spacing;
            return RightEdgePlace(client->screen()->availableGeometry(), client->mapToGlobal(QPoint(0, 0)).y(),
                                  above, size);
        });
    }
}
