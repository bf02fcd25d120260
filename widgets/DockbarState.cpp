// Where a TDocPanel keeps its state: a section named after the panel in its
// profile file, or under its registry key in the user's settings.

#include "widgets/Dockbar.h"

#include "core/IniFile.h"
#include "widgets/DockGeometry.h"

#include <QCoreApplication>
#include <QSettings>

#include <climits>

std::optional<int> TDocPanel::readStored(const QString &key) const
{
    constexpr int Unreadable = INT_MIN;
    int value = Unreadable;
    if (!m_iniFile.isEmpty()) {
        const ::IniFile file(m_iniFile);
        if (file.valueExists(objectName(), key))
            value = file.readInteger(objectName(), key, Unreadable);
    } else if (!m_registryKey.isEmpty()) {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QCoreApplication::applicationName());
        bool ok = false;
        const QString path = QString(m_registryKey).replace(u'\\', u'/') + u'/' + objectName() + u'/' + key;
        const int read = settings.value(path).toInt(&ok);
        if (ok)
            value = read;
    }
    return value == Unreadable ? std::nullopt : std::optional(value);
}

void TDocPanel::writeStored(const QString &key, int value) const
{
    if (!m_iniFile.isEmpty()) {
        ::IniFile(m_iniFile).writeInteger(objectName(), key, value);
    } else if (!m_registryKey.isEmpty()) {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QCoreApplication::applicationName());
        settings.setValue(QString(m_registryKey).replace(u'\\', u'/') + u'/' + objectName() + u'/' + key, value);
        settings.sync();
        if (settings.status() != QSettings::NoError)
            throw WriteError(QStringLiteral("Unable to write to %1").arg(settings.fileName()));
    }
}

void TDocPanel::readLoadState()
{
    if (const auto docked = readStored(QStringLiteral("Docked")))
        m_docked = *docked != 0;
    if (m_autoHide)
        if (const auto visible = readStored(QStringLiteral("Visible")))
            m_visible = *visible != 0;
    if (const auto align = readStored(QStringLiteral("Align")); align && *align >= alNone && *align <= alRight)
        m_align = static_cast<TAlign>(*align);
    if (m_align == alNone) {
        m_dockedRect.moveTop(readStored(QStringLiteral("Top")).value_or(m_dockedRect.top()));
        m_dockedRect.moveLeft(readStored(QStringLiteral("Left")).value_or(m_dockedRect.left()));
    } else if (IsHorizontalSide(m_align)) {
        m_dockedRect.setHeight(readStored(QStringLiteral("Height")).value_or(m_dockedRect.height()));
    } else {
        m_dockedRect.setWidth(readStored(QStringLiteral("Width")).value_or(m_dockedRect.width()));
    }
    QFrame::setVisible(m_visible);
}

void TDocPanel::writeState() const
{
    if (!hasStore())
        return;
    const QRect place = m_docked ? geometry() : m_dockedRect;
    writeStored(QStringLiteral("Docked"), m_docked ? 1 : 0);
    if (m_autoHide)
        writeStored(QStringLiteral("Visible"), m_visible ? 1 : 0);
    writeStored(QStringLiteral("Align"), m_align);
    writeStored(QStringLiteral("Top"), place.top());
    writeStored(QStringLiteral("Left"), place.left());
    writeStored(QStringLiteral("Width"), place.width());
    writeStored(QStringLiteral("Height"), place.height());
}
