#pragma once

// What the blending window tests share: a settings file with the unit
// system chosen, the windows the main window opened, and a user's typing.

#include "core/NumText.h"
#include "widgets/ChildForm.h"
#include "shell/Main.h"
#include "tests/support/TempSettings.h"
#include "tests/support/TestNumbers.h"
#include "tests/support/UserDriver.h"

#include <QCoreApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>

namespace blendtest {

inline void chooseUnits(const TempSettings &settings, bool metric)
{
    settings.write(metric ? "[Measurements]\r\nMetric=1\r\n" : "[Measurements]\r\nMetric=0\r\n");
}

using user::closeWindow;
using user::open;
using user::windows;

// The user types a number written with "." in the separators of the run.
inline void type(QComboBox *box, const QString &text) { user::type(box, localNumbers(text)); }

} // namespace blendtest
