#pragma once

// The recent files list: the last nine files the user opened, kept in the
// settings file and shown as numbered entries of a menu. Choosing an entry
// hands its name to the owner; "&Clear History" empties the list.

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;

// The owner's handler of a chosen entry. When `ReOrder` is still true after
// the call, the entry moves to the front of the list.
using TFileSelectedEvent = std::function<void(QString &FileName, bool &ReOrder)>;

class TFileHist final : public QObject
{
    Q_OBJECT
public:
    static constexpr int MaxFiles = 9;
    static inline const QString Section = QStringLiteral("RecentFiles");

    // Shows the clear entry and loads the list from the INI file.
    explicit TFileHist(QObject *owner = nullptr);

    // The menu whose entries the list manages; may be none.
    QMenu *MenuItem() const { return m_menu; }
    void setMenuItem(QMenu *menu);
    bool ShowClear() const { return m_showClear; }
    void setShowClear(bool show);
    // Empty means the program's settings file.
    QString INIFileName() const { return m_iniFileName; }
    void setINIFileName(const QString &fileName) { m_iniFileName = fileName; }

    TFileSelectedEvent OnFileSelected;

    // Most recent first.
    const QStringList &files() const { return m_files; }

    void LoadHistory();
    void SaveHistory();
    void AddFile(const QString &fileName);
    void ClearHistory();
    void SelectFile(const QString &fileName);

private:
    QString iniFile() const;
    void BuildMenu();
    void RemoveMenu();
    void updateMenuEnabled();
    QAction *addEntry(const QString &caption, const QString &name, int position);

    QStringList m_files;
    QPointer<QMenu> m_menu;
    bool m_showClear = true;
    QString m_iniFileName;
};
