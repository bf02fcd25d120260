#pragma once

// Hints have a short part and a long part separated by "|". The short part
// is the tool tip; the long part shows on the main window's message line
// while the mouse is over the control. A hint without "|" is both.

#include <QString>

class QAction;
class QObject;
class QWidget;

QString GetShortHint(const QString &hint);
QString GetLongHint(const QString &hint);
// Sets tool tip and status tip, and keeps the whole hint in the "hint" property.
void setHint(QWidget *widget, const QString &hint);
void setHint(QAction *action, const QString &hint);
QString hintOf(const QObject *object);
