#pragma once

// The set-up of a window test in one object: a private settings file, the
// scripted dialogs and the main window, made on first use so that a test can
// write settings or queue answers before the program starts. Members are
// destroyed in reverse order, so the main window saves its settings into the
// private file and asks its last questions of the scripted dialogs.

#include "shell/Main.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/TempSettings.h"
#include "tests/support/UserDriver.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class WindowFixture
{
public:
    // `settingsText`, unless null, is the settings file the program starts with.
    explicit WindowFixture(const QByteArray &settingsText = {});
    WindowFixture(const WindowFixture &) = delete;
    WindowFixture &operator=(const WindowFixture &) = delete;

    TempSettings &settings() { return m_settings; }
    // The folder of the settings file, private to this fixture.
    QString settingsFolder() const { return m_settings.folder(); }
    ScriptedDialogs &dialogs() { return m_dialogs; }

    // The main window, started with `arguments` on first use; later calls
    // return the same window and ignore their arguments.
    TMainForm &main(const QStringList &arguments = {});
    // The main window shown at a working size and exposed on screen.
    TMainForm &shownMain(const QStringList &arguments = {});
    // Runs the main window's command `command`; the window of type T it
    // opened, or nullptr.
    template <typename T>
    T *open(const QString &command)
    {
        return user::open<T>(main(), command);
    }

private:
    TempSettings m_settings;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<TMainForm> m_main;
};
