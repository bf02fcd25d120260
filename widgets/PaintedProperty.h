#pragma once

#include <QWidget>

// Sets one of a painted control's properties and repaints the control, but
// only when the value really changes.
template <typename T>
void setPainted(QWidget &control, T &field, const T &value)
{
    if (field == value)
        return;
    field = value;
    control.update();
}
