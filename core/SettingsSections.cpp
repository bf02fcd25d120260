#include "core/SettingsSections.h"

#include "core/NumText.h"

bool IsProgramSection(const QString &name)
{
    static const QStringList sections = {
        QStringLiteral("Measurements"), QStringLiteral("MDIBackground"), QStringLiteral("WaterType"),
        QStringLiteral("Toolbars"), QStringLiteral("RecentFiles"), QStringLiteral("Defaults"),
        QStringLiteral("Gas Mixes"), QStringLiteral("Divers"), QStringLiteral("DAN Format"),
        QStringLiteral("Time"), QStringLiteral("Time Total"), QStringLiteral("Deco"),
        // Dockable toolbars and panels keep their place in a section named after them.
        QStringLiteral("ToolBar"), QStringLiteral("ToolBarMisc"), QStringLiteral("DocPanel1"),
        QStringLiteral("Panel1x"),
    };
    return sections.contains(name.trimmed(), Qt::CaseInsensitive);
}

QStringList IndexedNames(const IniFile &settings, const QString &indexSection)
{
    QStringList names;
    const int total = settings.readInteger(indexSection, QStringLiteral("Total"), 0);
    for (int position = 1; position <= total; ++position)
        names << settings.readString(indexSection, IntToStr(position), QString());
    return names;
}
