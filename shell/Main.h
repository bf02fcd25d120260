#pragma once

// The main window: the multi-document frame that holds every child window,
// the program-wide unit system, water type and ascent rate, the main menu,
// the client-area pop-up menu, the two toolbars and the status bar whose
// first panel is the program's message line.

#include "widgets/ChildForm.h"
#include "shell/WindowCatalog.h"

#include <QHash>
#include <QMainWindow>
#include <QStringList>

class QAction;
class QActionGroup;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class TDocPanel;
class TEditForm;
class TFileHist;

class TMainForm final : public QMainWindow, public ChildHost
{
    Q_OBJECT
public:
    // `arguments` are the command-line arguments after the program name.
    explicit TMainForm(const QStringList &arguments = {}, QWidget *parent = nullptr);
    ~TMainForm() override;

    // The unit system new windows start with (the "&Metric" check).
    bool isMetric() const;
    void UpdateUnitsPanel(bool metric);

    // One access each to the settings file.
    void WriteIntegerIni(const QString &section, const QString &key, int value);
    void WriteStrIni(const QString &section, const QString &key, const QString &value);
    int ReadIntegerIni(const QString &section, const QString &key, int fallback) const;
    QString LoadStrIni(const QString &section, const QString &key, const QString &fallback) const;

    // The first status panel: hints and the child windows' messages.
    void setMessageLine(const QString &text);
    QString messageLine() const;

    // What child windows ask of the program.
    void showUnits(bool metric) override { UpdateUnitsPanel(metric); }
    void showMessage(const QString &text) override { setMessageLine(text); }
    TChildForm *openWindow(ChildKind kind) override { return openChild(kind); }
    // The hand-offs between windows (HandOffs.cpp).
    void openDecoSchedule(const DecoScheduleRequest &request) override;
    TChildForm *openBlending(const BlendRequest &request) override;
    void openTankComparison(const TankComparisonRequest &request) override;
    void openGasNeeds(const GasNeedsRequest &request) override;
    void showInNewNote(const QStringList &lines) override;
    void showReport(const QString &fileName, const QFont &font, const QStringList &lines) override;
    QRect windowFrame(const TChildForm &window) const override;
    void placeWindow(TChildForm &window, const QPoint &topLeft) override;
    void runCommand(ProgramCommand command) override;
    bool commandAvailable(ProgramCommand command) const override;
    void openNoteFile(const QString &fileName, const QString &fontFamily) override;
    void addRecentFile(const QString &fileName) override;
    void openProfile(const QString &fileName) override;

    // A new empty note window, shown and active.
    TEditForm *newNote();

    // Puts a new child window into the frame and shows it.
    QMdiSubWindow *addChild(TChildForm *child);
    // Opens a new window of the given kind; nullptr when the program has none.
    TChildForm *openChild(ChildKind kind);
    // The child windows, first created first.
    QList<TChildForm *> childForms() const;
    TChildForm *activeChild() const;
    QMdiArea *mdiArea() const { return m_mdi; }

    // The file name built from the command line (arguments joined by blanks).
    QString commandLineFileName() const { return m_commandLineFile; }
    static QString joinArguments(const QStringList &arguments);
    // Opens a file by its extension, as for a file named on the command line.
    void LoadADiverViaTimer();
    void openFileByExtension(const QString &fileName);
    // A name chosen under "&Reopen"; the list itself moves it to the front.
    void FileHistoryFileSelected(QString &fileName, bool &reOrder);

    // The recent files list shown under "&Reopen".
    TFileHist *FileHistory = nullptr;

    // The welcome step: the help file in a note, then the About box.
    void welcome();
    void showAbout();
    // "&Calculator": the desktop's calculator, when one is installed.
    void startCalculator();
    void ExitByAskFirstButtomClick();
    void closeAllChildren();

    // The main window's own commands and menus (not those of child windows).
    QAction *action(const QString &objectName) const;
    QMenu *menu(const QString &objectName) const;
    int backgroundChoice() const { return m_backgroundChoice; }

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // The main window's own commands, without those of the child windows.
    QList<QAction *> ownCommands() const;
    struct MainMenu
    {
        MenuGroup group;
        QMenu *menu;
    };

    bool ownsDirectly(const QObject *object) const;
    void createMenus();
    void createFileMenu();
    void createCalculationsMenu();
    void createPlanningMenu();
    void createOptionsMenu();
    void createWindowMenu();
    // A menu of the menu bar in its merge group; a named submenu.
    QMenu *topMenu(const QString &name, const QString &caption, const QString &hint, MenuGroup group);
    static QMenu *subMenu(QMenu *parent, const QString &name, const QString &caption, const QString &hint = {});
    void createClientPopupMenu();
    void createToolbars();
    void createStatusBar();
    void loadSettings();
    void saveSettings();
    QAction *addCommand(QMenu *menu, const QString &name, const QString &caption,
                        const QString &hint, const QKeySequence &shortcut = {});
    // The catalog's window commands of `place`, added to a menu or toolbar.
    void addWindowCommands(QWidget *target, CommandPlace place);
    void connectCommand(QAction *action, std::function<void()> command);
    void rebuildMenuBar();
    void updateWindowMenu();
    void fillWindowList();
    void activeChildChanged();
    void tile(Qt::Orientation orientation);
    void arrangeIcons();
    void setHideAllToolbars(bool hide);
    void loadDivePlan();
    // A new planner holding the plan of `fileName`; added to the recent files when `remember`.
    void openDivePlan(const QString &fileName, bool remember);
    void openNotepad();
    // A new note window showing the file.
    TEditForm *openNote(const QString &fileName);
    void openProfileDialog();

    QMdiArea *m_mdi = nullptr;
    QLabel *m_messagePanel = nullptr;
    QLabel *m_unitsPanel = nullptr;
    QLabel *m_debugPanel = nullptr;
    TDocPanel *m_toolBar = nullptr;
    TDocPanel *m_toolBarMisc = nullptr;
    QList<MainMenu> m_mainMenus;
    QMenu *m_windowMenu = nullptr;
    QAction *m_openNotepad = nullptr;
    QAction *m_loadDivePlan = nullptr;
    QAction *m_imperial = nullptr;
    QAction *m_metric = nullptr;
    QAction *m_salt = nullptr;
    QAction *m_fresh = nullptr;
    QAction *m_dockedMain = nullptr;
    QAction *m_dockedMisc = nullptr;
    QAction *m_hideAll = nullptr;
    QAction *m_background = nullptr;
    QList<QAction *> m_childCommands;   // the window commands that need a child window
    QMenu *m_reopenMenu = nullptr;
    QList<QAction *> m_windowListActions;
    QTimer *m_startTimer = nullptr;
    QString m_commandLineFile;
    int m_backgroundChoice = 0;
};
