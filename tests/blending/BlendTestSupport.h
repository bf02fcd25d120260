#pragma once

// What the blending window tests share: a settings file with the unit
// system chosen, the windows the main window opened, and a user's typing.

#include "core/NumText.h"
#include "shell/ChildForm.h"
#include "shell/Main.h"
#include "tests/support/TempSettings.h"

#include <QCoreApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>

namespace blendtest {

inline void chooseUnits(const TempSettings &settings, bool metric)
{
    settings.write(metric ? "[Measurements]\r\nMetric=1\r\n" : "[Measurements]\r\nMetric=0\r\n");
}

// The windows of type T the main window holds, first opened first.
template <typename T>
QList<T *> windows(const TMainForm &main)
{
    QList<T *> found;
    for (TChildForm *child : main.childForms())
        if (auto *window = qobject_cast<T *>(child))
            found << window;
    return found;
}

// Opens a window by a main menu command and returns it.
template <typename T>
T *open(TMainForm &main, const char *action)
{
    const int before = windows<T>(main).size();
    main.action(QString::fromLatin1(action))->trigger();
    const QList<T *> after = windows<T>(main);
    return after.size() == before + 1 ? after.last() : nullptr;
}

// The user replaces the text of a list, as by pasting it in.
inline void type(QComboBox *box, const QString &text)
{
    box->lineEdit()->selectAll();
    if (text.isEmpty())
        box->lineEdit()->del();
    else
        box->lineEdit()->insert(text);
}

// Closes a child window the way the user does, through its frame.
inline bool closeWindow(TChildForm *window)
{
    auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget());
    const bool closed = frame ? frame->close() : window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return closed;
}

} // namespace blendtest
