#include "blending/model/GasRecords.h"

#include "core/Errors.h"
#include "core/NumText.h"
#include "core/SettingsFile.h"
#include "core/SettingsSections.h"

namespace {

const QString IndexSection = QStringLiteral("Gas Mixes");
const QString TotalKey = QStringLiteral("Total");
const QString DefaultKey = QStringLiteral("Default");
const QString OxygenKey = QStringLiteral("O2");
const QString HeliumKey = QStringLiteral("He");
const QString NitrogenKey = QStringLiteral("N2");
const QString Zero = QStringLiteral("0");

} // namespace

const QList<NamedGasMix> &DefaultGasMixes()
{
    static const QList<NamedGasMix> mixes{
        {QStringLiteral("Air"), {QStringLiteral("21"), Zero, QStringLiteral("79")}},
        {QStringLiteral("EAN32"), {QStringLiteral("32"), Zero, QStringLiteral("68")}},
        {QStringLiteral("EAN36"), {QStringLiteral("36"), Zero, QStringLiteral("64")}},
        {QStringLiteral("EAN80"), {QStringLiteral("80"), Zero, QStringLiteral("20")}},
    };
    return mixes;
}

GasMix LoadGasMix(const QString &name)
{
    const IniFile ini = SettingsFile();
    return {ini.readString(name, OxygenKey, Zero), ini.readString(name, HeliumKey, Zero),
            ini.readString(name, NitrogenKey, Zero)};
}

QStringList GasMixNames() { return IndexedNames(SettingsFile(), IndexSection); }

QString StoredDefaultMixName() { return SettingsFile().readString(IndexSection, DefaultKey, QString()); }

void StoreDefaultMixName(const QString &name) { SettingsFile().writeString(IndexSection, DefaultKey, name); }

void CheckGasMixName(const QString &name)
{
    if (name.contains(u'[') || name.contains(u']') || name.contains(u'=') || name.contains(u'\n')
        || name.contains(u'\r'))
        throw AppError(QStringLiteral("A mix name cannot hold \"[\", \"]\", \"=\" or a line break."));
    const IniFile ini = SettingsFile();
    const QString trimmed = name.trimmed();
    if (IsProgramSection(name) || IndexedNames(ini, QStringLiteral("Divers")).contains(trimmed, Qt::CaseInsensitive))
        throw AppError(Format(QStringLiteral("\"%s\" is the name of the program's own settings or of a diver's record. "
                                             "Please choose another name for the mix."),
                              {name}));
}

bool SaveGasMix(const QString &name, const GasMix &mix)
{
    CheckGasMixName(name);
    const IniFile ini = SettingsFile();
    const QStringList names = IndexedNames(ini, IndexSection);
    const bool appended = !names.contains(name);
    // The index entry and the record are written together.
    IniFile::Batch change = ini.batch();
    if (appended) {
        const int total = change.readInteger(IndexSection, TotalKey, 0);
        change.writeInteger(IndexSection, TotalKey, total + 1);
        change.writeString(IndexSection, IntToStr(total + 1), name);
    }
    change.writeString(name, OxygenKey, mix.oxygen);
    change.writeString(name, HeliumKey, mix.helium);
    change.writeString(name, NitrogenKey, mix.nitrogen);
    change.commit();
    return appended;
}

bool DeleteGasMix(const QString &name)
{
    CheckGasMixName(name);
    // The record and its index entry go in one write.
    IniFile::Batch ini = SettingsFile().batch();
    ini.eraseSection(name);

    // Names after the deleted one move up one position; the position of the
    // deleted name is emptied, keys above the new total are left over.
    const int count = ini.readInteger(IndexSection, TotalKey, 0);
    bool found = false;
    int kept = 0;
    for (int position = 1; position <= count; ++position) {
        const QString listed = ini.readString(IndexSection, IntToStr(position), QString());
        if (listed != name) {
            ++kept;
            ini.writeString(IndexSection, IntToStr(kept), listed);
        } else {
            found = true;
            ini.writeString(IndexSection, IntToStr(position), QString());
        }
    }
    if (found)
        ini.writeInteger(IndexSection, TotalKey, std::max(count - 1, 0));
    ini.commit();
    return found;
}

void CreateDefaultGasMixes()
{
    for (const NamedGasMix &mix : DefaultGasMixes())
        SaveGasMix(mix.name, mix.mix);
}
