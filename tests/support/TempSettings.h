#pragma once

#include <QString>
#include <QTemporaryDir>

// Points the program's settings file at a fresh file in a temporary folder
// for the life of the object, so tests never touch real settings.
class TempSettings
{
public:
    TempSettings();
    ~TempSettings();
    TempSettings(const TempSettings &) = delete;
    TempSettings &operator=(const TempSettings &) = delete;

    QString fileName() const;
    QString folder() const { return m_dir.path(); }
    // Replaces the settings file with these bytes.
    void write(const QByteArray &bytes) const;
    QByteArray contents() const;

private:
    QTemporaryDir m_dir;
};
