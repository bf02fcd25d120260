#include "shell/Style.h"

#include "shell/Background.h"

#include <QStyleOption>

QIcon TidewellStyle::standardIcon(StandardPixmap pixmap, const QStyleOption *option, const QWidget *widget) const
{
    switch (pixmap) {
    case SP_ToolBarHorizontalExtensionButton:
        return extensionGlyph(Qt::Horizontal, option ? option->direction : Qt::LeftToRight);
    case SP_ToolBarVerticalExtensionButton:
        return extensionGlyph(Qt::Vertical);
    default:
        return QProxyStyle::standardIcon(pixmap, option, widget);
    }
}
