#pragma once

// Which command a key runs while several windows are open. Qt runs neither
// of two commands that share a key, so the program hands each key to one
// command at a time: the active child window's first, then the program's,
// then a child window frame's.

#include <QList>

class QAction;
class QMdiSubWindow;
class TChildForm;

// Takes from a child window's frame the keys that the program's commands
// or the window's own use (the frame's Ctrl+F4 and the like).
void releaseFrameShortcuts(QMdiSubWindow &frame, const QList<QAction *> &programCommands);

// Gives the active child window's commands their keys and silences the
// other children's; a program command whose key the active window also
// uses gives it up while that window is active.
void routeShortcuts(const QList<TChildForm *> &children, const TChildForm *active,
                    const QList<QAction *> &programCommands);
