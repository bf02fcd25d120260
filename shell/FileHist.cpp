#include "shell/FileHist.h"

#include "core/IniFile.h"
#include "core/SettingsFile.h"
#include "widgets/Dialogs.h"
#include "widgets/ErrorGuard.h"

#include <QAction>
#include <QLocale>
#include <QMenu>

namespace {

// Every menu entry of the list carries a name with this start, by which the
// list finds its entries again among the menu's own.
const QString EntryPrefix = QStringLiteral("miMRF");
// A file name read from the INI file when the key is missing.
const QString Missing = QStringLiteral("ERROR");

QString key(int number) { return QStringLiteral("File%1").arg(number); }

bool sameFileName(const QString &a, const QString &b)
{
    const QLocale locale;
    return locale.toLower(a) == locale.toLower(b);
}

} // namespace

TFileHist::TFileHist(QObject *owner) : QObject(owner)
{
    setObjectName(QStringLiteral("FileHistory"));
    LoadHistory();
}

QString TFileHist::iniFile() const { return m_iniFileName.isEmpty() ? SettingsFileName() : m_iniFileName; }

void TFileHist::setMenuItem(QMenu *menu)
{
    RemoveMenu();
    m_menu = menu;
    BuildMenu();
}

void TFileHist::setShowClear(bool show)
{
    m_showClear = show;
    RemoveMenu();
    BuildMenu();
}

void TFileHist::LoadHistory()
{
    const IniFile ini(iniFile());
    m_files.clear();
    // A gap in the keys ends the list.
    for (int n = 1; n <= MaxFiles; ++n) {
        const QString name = ini.readString(Section, key(n), Missing);
        if (name == Missing || name.isEmpty())
            break;
        m_files << name;
    }
    BuildMenu();
}

void TFileHist::SaveHistory()
{
    IniFile ini(iniFile());
    for (int n = 1; n <= MaxFiles; ++n)
        ini.writeString(Section, key(n), n <= m_files.size() ? m_files.at(n - 1) : QString());
}

void TFileHist::AddFile(const QString &fileName)
{
    m_files.removeIf([&](const QString &listed) { return sameFileName(listed, fileName); });
    m_files.prepend(fileName);
    if (m_files.size() > MaxFiles)
        m_files.removeLast();
    SaveHistory();
    RemoveMenu();
    BuildMenu();
}

void TFileHist::ClearHistory()
{
    m_files.clear();
    SaveHistory();
    RemoveMenu();
    BuildMenu();
}

void TFileHist::SelectFile(const QString &fileName)
{
    if (!OnFileSelected)
        return;
    QString chosen = fileName;
    bool reOrder = true;
    OnFileSelected(chosen, reOrder);
    if (reOrder)
        AddFile(fileName);
}

QAction *TFileHist::addEntry(const QString &caption, const QString &name, int position)
{
    QAction *entry = caption == u"-" ? m_menu->addSeparator() : m_menu->addAction(caption);
    entry->setObjectName(name);
    entry->setData(position);
    return entry;
}

void TFileHist::BuildMenu()
{
    if (!m_menu)
        return;
    if (!m_files.isEmpty()) {
        if (!m_menu->actions().isEmpty())
            addEntry(QStringLiteral("-"), EntryPrefix + QStringLiteral("blank"), 0);
        for (int k = 0; k < m_files.size(); ++k) {
            // "&&" shows an ampersand of the file name instead of making it an accelerator.
            QString shown = m_files.at(k);
            shown.replace(u'&', QStringLiteral("&&"));
            QAction *entry = addEntry(QStringLiteral("&%1  %2").arg(k + 1).arg(shown), EntryPrefix + QString::number(k), k);
            connectGuarded(entry, &QAction::triggered, this, [this, k] { SelectFile(m_files.value(k)); });
        }
        if (m_showClear) {
            addEntry(QStringLiteral("-"), EntryPrefix + QStringLiteral("blank2"), 0);
            QAction *clear = addEntry(QStringLiteral("&Clear History"), EntryPrefix + QStringLiteral("Clear"), -1);
            connectGuarded(clear, &QAction::triggered, this, [this] {
                if (MessageDlg(QStringLiteral("All history items will be removed from the menu. Continue?"),
                               QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No)
                    == QMessageBox::Yes)
                    ClearHistory();
            });
        }
    }
    updateMenuEnabled();
}

void TFileHist::RemoveMenu()
{
    if (!m_menu)
        return;
    const QList<QAction *> entries = m_menu->actions();
    for (auto it = entries.crbegin(); it != entries.crend(); ++it) {
        QAction *entry = *it;
        if (!entry->objectName().startsWith(EntryPrefix))
            continue;
        m_menu->removeAction(entry);
        // The entry may be the one whose click is being handled right now.
        entry->setObjectName(QString());
        entry->deleteLater();
    }
    updateMenuEnabled();
}

void TFileHist::updateMenuEnabled()
{
    const bool any = !m_menu->actions().isEmpty();
    m_menu->setEnabled(any);
    m_menu->menuAction()->setEnabled(any);
}
