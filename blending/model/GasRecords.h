#pragma once

// Named gas mixes in the settings file: the index section "Gas Mixes"
// ("Total", the names at the positions 1..Total, "Default") and one section
// per mix with the keys "O2", "He" and "N2", values as the user typed them.

#include <QList>
#include <QString>
#include <QStringList>

struct GasMix
{
    QString oxygen;
    QString helium;
    QString nitrogen;
    bool operator==(const GasMix &) const = default;
};

struct NamedGasMix
{
    QString name;
    GasMix mix;
};

// Air, EAN32, EAN36 and EAN80, in the order they are written.
const QList<NamedGasMix> &DefaultGasMixes();

// The record of a mix; missing keys read as "0".
GasMix LoadGasMix(const QString &name);
// The names at the index positions 1..Total, in index order.
QStringList GasMixNames();
// The mix shown when the editor was last closed (empty when none).
QString StoredDefaultMixName();
void StoreDefaultMixName(const QString &name);

// Writes the record, appending the name to the index when it is not listed
// yet. True when the name was appended.
bool SaveGasMix(const QString &name, const GasMix &mix);
// Erases the record and closes the gap its name leaves in the index. True
// when the name was listed.
bool DeleteGasMix(const QString &name);
// Saves the default mixes.
void CreateDefaultGasMixes();

// A mix's record is a section of the settings file. Raises AppError with a
// message for the user when `name` would share a section the program keeps
// its own settings or a diver's record in, or would break the file's layout.
void CheckGasMixName(const QString &name);
