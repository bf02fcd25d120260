#include "shell/FirstPaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {
class FirstPaintWatcher final : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return false;
    }
};
} // namespace

void quitOnFirstPaintWhenAsked(QWidget &window)
{
    if (qEnvironmentVariableIsEmpty("TIDEWELL_QUIT_ON_FIRST_PAINT"))
        return;
    window.installEventFilter(new FirstPaintWatcher(&window));
}
