#pragma once

// Drives windows the way a person does: commands from the main window's
// menus, a click into a box before typing, choosing from a drop-down list,
// Tab to leave a box. Window tests use it so that what a user's keystrokes
// start (change events, completion, selection) is what the tests see.

#include "widgets/ChildForm.h"
#include "shell/Main.h"

#include <QComboBox>
#include <QString>
#include <QWidget>

namespace user {

// The child windows of type T that the main window holds, first opened first.
template <typename T>
QList<T *> windows(const TMainForm &main)
{
    QList<T *> found;
    for (TChildForm *child : main.childForms())
        if (auto *window = qobject_cast<T *>(child))
            found << window;
    return found;
}

// The child windows whose class is named `className`, first opened first:
// how a test of one window finds another it opened, without its header.
QList<TChildForm *> windows(const TMainForm &main, const char *className);

// Runs the main window's command `command` (an action's name) as a click on
// its menu item does; returns the window of type T it opened, or nullptr.
QAction *command(TMainForm &main, const QString &command);
template <typename T>
T *open(TMainForm &main, const QString &commandName)
{
    const int before = windows<T>(main).size();
    command(main, commandName)->trigger();
    const QList<T *> after = windows<T>(main);
    return after.size() == before + 1 ? after.last() : nullptr;
}

// The control named `name` inside `form`; the test stops when there is none.
QWidget *control(const QWidget *form, const QString &name);
template <typename W>
W *control(const QWidget *form, const QString &name)
{
    W *found = qobject_cast<W *>(control(form, name));
    if (!found)
        qFatal("control %s is not of the expected kind", qPrintable(name));
    return found;
}

// The menu or toolbar command named `name` of `form`; the test stops when
// there is none.
QAction *action(const QWidget *form, const QString &name);

// Clicks into a text box, editable list or spin box, selects what it holds
// and types `text` over it (an empty text deletes it), key by key; a line
// break is typed as Return.
void type(QWidget *box, const QString &text);
inline void type(const QWidget *form, const QString &name, const QString &text) { type(control(form, name), text); }
// Types at the end of what the box holds, without selecting it first.
void typeMore(QWidget *box, const QString &text);

// Opens the drop-down list and clicks the entry `entry`; false when the list
// has no such entry.
bool choose(QComboBox *box, const QString &entry);

// Leaves the control with Tab, as a user moving on does.
void leave(QWidget *widget);

// Clicks a button (push, check, radio, tool button) with the mouse.
void click(QWidget *button);
inline void click(const QWidget *form, const QString &name) { click(control(form, name)); }

// The text a control shows (label, text box, list, text editor, spin box,
// status line).
QString text(const QWidget *form, const QString &name);

// Closes a child window through its frame, as the user does.
bool closeWindow(TChildForm *window);

} // namespace user
