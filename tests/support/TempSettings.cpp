#include "tests/support/TempSettings.h"

#include "core/SettingsFile.h"

#include <QFile>

TempSettings::TempSettings()
{
    SetSettingsFileNameForTesting(fileName());
}

TempSettings::~TempSettings()
{
    SetSettingsFileNameForTesting(QString());
}

QString TempSettings::fileName() const { return m_dir.filePath(QStringLiteral("Tidewell.INI")); }

void TempSettings::write(const QByteArray &bytes) const
{
    QFile file(fileName());
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray TempSettings::contents() const
{
    QFile file(fileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
