#include "widgets/Hints.h"

#include <QAction>
#include <QWidget>

QString GetShortHint(const QString &hint)
{
    const int bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.left(bar);
}

QString GetLongHint(const QString &hint)
{
    const int bar = hint.indexOf(u'|');
    return bar < 0 ? hint : hint.mid(bar + 1);
}

void setHint(QWidget *widget, const QString &hint)
{
    widget->setProperty("hint", hint);
    widget->setToolTip(GetShortHint(hint));
    widget->setStatusTip(GetLongHint(hint));
}

void setHint(QAction *action, const QString &hint)
{
    action->setProperty("hint", hint);
    action->setToolTip(GetShortHint(hint));
    action->setStatusTip(GetLongHint(hint));
}

QString hintOf(const QObject *object) { return object->property("hint").toString(); }
