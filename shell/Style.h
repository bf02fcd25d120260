#pragma once

#include <QProxyStyle>

// The platform's style with the toolbar extension arrows drawn in code.
// The stock arrows are image files, and reading the first image file loads
// every image format plugin: that alone would cost more at start than all
// of the main window's toolbars together.
class TidewellStyle final : public QProxyStyle
{
    Q_OBJECT
public:
    QIcon standardIcon(StandardPixmap pixmap, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
