#include "shell/Main.h"

#include "core/NumText.h"
#include "core/SettingsFile.h"
#include "core/Units.h"
#include "planner/model/PlanFile.h"
#include "planner/window/Rule3.h"
#include "profiles/model/DiveLogReader.h"
#include "profiles/window/DANGraphic.h"
#include "profiles/window/DanOpenDialog.h"
#include "shell/Background.h"
#include "shell/FileHist.h"
#include "shell/MDIEdit.h"
#include "shell/ShortcutRouting.h"
#include "shell/WelcomeNote.h"
#include "shell/about.h"
#include "widgets/BusyCursor.h"
#include "widgets/Dialogs.h"
#include "widgets/DockLayout.h"
#include "widgets/Dockbar.h"
#include "widgets/ErrorGuard.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QStatusTipEvent>
#include <QTextEdit>
#include <QTimer>

#include <memory>

TMainForm::TMainForm(const QStringList &arguments, QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tidewell"));
    resize(900, 640);
    // Files dropped on the window open as from the command line.
    setAcceptDrops(true);

    // The toolbars dock to the sides of the client area, around the frame.
    auto *dockArea = new QWidget(this);
    dockArea->setObjectName(QStringLiteral("DockArea"));
    m_mdi = new QMdiArea(dockArea);
    m_mdi->setObjectName(QStringLiteral("ClientArea"));
    m_mdi->setContextMenuPolicy(Qt::CustomContextMenu);
    (new DockLayout(dockArea))->setClient(m_mdi);
    setCentralWidget(dockArea);

    m_backgroundChoice = static_cast<int>(QRandomGenerator::global()->bounded(2));
    createStatusBar();
    createMenus();
    createClientPopupMenu();
    createToolbars();
    loadSettings();
    FileHistory = new TFileHist(this);
    FileHistory->setINIFileName(SettingsFileName());
    FileHistory->setMenuItem(m_reopenMenu);
    FileHistory->OnFileSelected = [this](QString &fileName, bool &reOrder) {
        FileHistoryFileSelected(fileName, reOrder);
    };

    connect(m_mdi, &QMdiArea::subWindowActivated, this, [this] { guarded([this] { activeChildChanged(); }); });

    m_commandLineFile = joinArguments(arguments);
    m_startTimer = new QTimer(this);
    m_startTimer->setSingleShot(true);
    m_startTimer->setInterval(2000);
    connectGuarded(m_startTimer, &QTimer::timeout, this, [this] {
        if (m_commandLineFile.isEmpty())
            welcome();
        else
            LoadADiverViaTimer();
    });
    m_startTimer->start();
    activeChildChanged();
}

TMainForm::~TMainForm()
{
    // Children are destroyed without their closing steps; stop listening first.
    disconnect(m_mdi, nullptr, this, nullptr);
}

QString TMainForm::joinArguments(const QStringList &arguments)
{
    QString name;
    for (const QString &argument : arguments)
        name += u' ' + argument;
    return name.trimmed();
}

// ---- settings ----------------------------------------------------------

void TMainForm::loadSettings()
{
    const IniFile ini = SettingsFile();
    const bool backgroundActive = ini.readBool(QStringLiteral("MDIBackground"), QStringLiteral("Active"), true);
    m_background->setChecked(backgroundActive);
    if (backgroundActive)
        m_mdi->setBackground(QBrush(backgroundPicture(m_backgroundChoice)));

    const bool metric = ini.readBool(QStringLiteral("Measurements"), QStringLiteral("Metric"), MetricWinStandard());
    programUnits().metric = metric;
    (metric ? m_metric : m_imperial)->setChecked(true);
    programUnits().ascentRate =
        ini.readInteger(QStringLiteral("Measurements"), QStringLiteral("AverageTableAscentTime"), metric ? 10 : 33);

    const bool salt = ini.readBool(QStringLiteral("WaterType"), QStringLiteral("Salt water"), true);
    programUnits().saltWater = salt;
    (salt ? m_salt : m_fresh)->setChecked(true);

    const bool hideAll = ini.readBool(QStringLiteral("Toolbars"), QStringLiteral("HideAll"), false);
    m_hideAll->setChecked(!hideAll);
    m_hideAll->toggle();
    setHideAllToolbars(m_hideAll->isChecked());
    UpdateUnitsPanel(metric);
}

void TMainForm::saveSettings()
{
    WriteIntegerIni(QStringLiteral("Measurements"), QStringLiteral("Metric"), isMetric() ? 1 : 0);
    WriteIntegerIni(QStringLiteral("MDIBackground"), QStringLiteral("Active"),
                    m_background->isChecked() ? 1 : 0);
    WriteIntegerIni(QStringLiteral("WaterType"), QStringLiteral("Salt water"),
                    m_salt->isChecked() ? 1 : 0);
    WriteIntegerIni(QStringLiteral("Toolbars"), QStringLiteral("HideAll"),
                    m_hideAll->isChecked() ? 1 : 0);
    WriteIntegerIni(QStringLiteral("Measurements"), QStringLiteral("AverageTableAscentTime"), programUnits().ascentRate);
}

void TMainForm::WriteIntegerIni(const QString &section, const QString &key, int value)
{
    SettingsFile().writeInteger(section, key, value);
}

void TMainForm::WriteStrIni(const QString &section, const QString &key, const QString &value)
{
    SettingsFile().writeString(section, key, value);
}

int TMainForm::ReadIntegerIni(const QString &section, const QString &key, int fallback) const
{
    return SettingsFile().readInteger(section, key, fallback);
}

QString TMainForm::LoadStrIni(const QString &section, const QString &key, const QString &fallback) const
{
    return SettingsFile().readString(section, key, fallback);
}

// ---- units and status bar ------------------------------------------------

bool TMainForm::isMetric() const { return programUnits().metric; }

void TMainForm::UpdateUnitsPanel(bool metric)
{
    m_unitsPanel->setText(metric ? QStringLiteral("Units: Metric") : QStringLiteral("Units: Imperial"));
    m_unitsPanel->repaint();
}

void TMainForm::setMessageLine(const QString &text) { m_messagePanel->setText(text); }

QString TMainForm::messageLine() const { return m_messagePanel->text(); }

bool TMainForm::event(QEvent *event)
{
    if (event->type() == QEvent::StatusTip) {
        setMessageLine(static_cast<QStatusTipEvent *>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

// ---- child windows -------------------------------------------------------

QMdiSubWindow *TMainForm::addChild(TChildForm *child)
{
    QMdiSubWindow *sub = m_mdi->addSubWindow(child);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    releaseFrameShortcuts(*sub, ownCommands());
    sub->setWindowIcon(windowIcon());
    child->show();
    sub->show();
    m_mdi->setActiveSubWindow(sub);
    activeChildChanged();
    return sub;
}

QList<QAction *> TMainForm::ownCommands() const
{
    QList<QAction *> commands;
    for (QAction *command : findChildren<QAction *>())
        if (ownsDirectly(command))
            commands << command;
    return commands;
}

TChildForm *TMainForm::openChild(ChildKind kind)
{
    const ChildMaker maker = childMaker(kind);
    if (!maker)
        return nullptr;
    const BusyCursor busy;
    TChildForm *child = maker(*this);
    if (child)
        addChild(child);
    return child;
}

QList<TChildForm *> TMainForm::childForms() const
{
    QList<TChildForm *> children;
    for (QMdiSubWindow *sub : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (auto *child = qobject_cast<TChildForm *>(sub->widget()))
            children << child;
    return children;
}

TChildForm *TMainForm::activeChild() const
{
    QMdiSubWindow *sub = m_mdi->activeSubWindow();
    return sub ? qobject_cast<TChildForm *>(sub->widget()) : nullptr;
}

void TMainForm::activeChildChanged()
{
    updateWindowMenu();
    rebuildMenuBar();
    routeShortcuts(childForms(), activeChild(), ownCommands());
    if (TChildForm *child = activeChild())
        child->activated();
}

void TMainForm::updateWindowMenu()
{
    const bool any = !m_mdi->subWindowList().isEmpty();
    for (QAction *command : m_childCommands)
        command->setEnabled(any);
}

void TMainForm::fillWindowList()
{
    qDeleteAll(m_windowListActions);
    m_windowListActions.clear();
    const auto windows = m_mdi->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    m_windowListActions << m_windowMenu->addSeparator();
    int number = 1;
    for (QMdiSubWindow *sub : windows) {
        QAction *a = m_windowMenu->addAction(QStringLiteral("&%1 %2").arg(number++).arg(sub->windowTitle()));
        a->setCheckable(true);
        a->setChecked(sub == m_mdi->activeSubWindow());
        connect(a, &QAction::triggered, this, [this, sub] { m_mdi->setActiveSubWindow(sub); });
        m_windowListActions << a;
    }
}

void TMainForm::closeAllChildren()
{
    for (QMdiSubWindow *sub : m_mdi->subWindowList(QMdiArea::CreationOrder))
        sub->close();
}

void TMainForm::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    arrangeIcons();
}

void TMainForm::tile(Qt::Orientation orientation)
{
    QList<QMdiSubWindow *> windows;
    for (QMdiSubWindow *sub : m_mdi->subWindowList(QMdiArea::CreationOrder))
        if (!sub->isMinimized())
            windows << sub;
    if (windows.isEmpty())
        return;
    const QRect area = m_mdi->viewport()->rect();
    const int n = static_cast<int>(windows.size());
    // A window never gets less than it needs to show its controls; when the
    // client area is too small for all of them side by side, they overlap.
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow *sub = windows[i];
        sub->showNormal();
        const QSize least = sub->minimumSizeHint();
        if (orientation == Qt::Vertical) {
            const int w = area.width() / n;
            sub->setGeometry(i * w, 0, std::max(w, least.width()), std::max(area.height(), least.height()));
        } else {
            const int h = area.height() / n;
            sub->setGeometry(0, i * h, std::max(area.width(), least.width()), std::max(h, least.height()));
        }
    }
}

void TMainForm::arrangeIcons()
{
    int x = 0;
    const int bottom = m_mdi->viewport()->height();
    for (QMdiSubWindow *sub : m_mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (!sub->isMinimized())
            continue;
        sub->move(x, bottom - sub->height());
        x += sub->width();
    }
}

// ---- toolbars ------------------------------------------------------------

void TMainForm::setHideAllToolbars(bool hide)
{
    m_toolBar->setVisible(!hide);
    m_toolBarMisc->setVisible(!hide);
}

// ---- files and commands --------------------------------------------------

void TMainForm::LoadADiverViaTimer()
{
    m_startTimer->stop();
    openFileByExtension(m_commandLineFile);
}

void TMainForm::openFileByExtension(const QString &fileName)
{
    const QString extension = QFileInfo(fileName).suffix().toUpper();
    if (extension == u"DIVE")
        openDivePlan(fileName, true);
    else if (extension == u"NEM" || extension == u"DAN" || IsDiveLogFile(fileName))
        openProfile(fileName);
    else {
        openNote(fileName);
        FileHistory->AddFile(fileName);
    }
}

namespace {

QStringList droppedFiles(const QMimeData *data)
{
    QStringList files;
    if (data && data->hasUrls())
        for (const QUrl &url : data->urls())
            if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile())
                files << url.toLocalFile();
    return files;
}

} // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent *event)
{
    const QStringList files = droppedFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    for (const QString &file : files)
        guarded([&] { openFileByExtension(file); });
}

void TMainForm::FileHistoryFileSelected(QString &fileName, bool &)
{
    const QString extension = QFileInfo(fileName).suffix().toUpper();
    if (extension == u"DIVE")
        openDivePlan(fileName, false);
    else if (extension == u"NEM" || extension == u"DAN" || IsDiveLogFile(fileName))
        openFileByExtension(fileName);
    else
        openNote(fileName);
}

TEditForm *TMainForm::newNote() { return static_cast<TEditForm *>(openChild(ChildKind::Notepad)); }

void TMainForm::showInNewNote(const QStringList &lines)
{
    TEditForm *note = newNote();
    for (const QString &line : lines)
        note->appendLine(line);
}

void TMainForm::showReport(const QString &fileName, const QFont &font, const QStringList &lines)
{
    TEditForm *note = newNote();
    note->setPlainTextMode(true);
    if (!fileName.isEmpty())
        note->setFileName(fileName);
    note->Editor->setFont(font);
    note->setLines(lines);
    ScrollNoteToTop(note);
}

QRect TMainForm::windowFrame(const TChildForm &window) const
{
    for (QMdiSubWindow *sub : m_mdi->subWindowList())
        if (sub->widget() == &window)
            return sub->geometry();
    return window.geometry();
}

void TMainForm::placeWindow(TChildForm &window, const QPoint &topLeft)
{
    for (QMdiSubWindow *sub : m_mdi->subWindowList())
        if (sub->widget() == &window)
            sub->move(topLeft);
}

void TMainForm::runCommand(ProgramCommand command)
{
    switch (command) {
    case ProgramCommand::OpenFile:
        m_openNotepad->trigger();
        break;
    case ProgramCommand::LoadDivePlan:
        m_loadDivePlan->trigger();
        break;
    case ProgramCommand::Exit:
        close();
        break;
    }
}

bool TMainForm::commandAvailable(ProgramCommand command) const
{
    switch (command) {
    case ProgramCommand::OpenFile:
        return m_openNotepad->isEnabled();
    case ProgramCommand::LoadDivePlan:
        return m_loadDivePlan->isEnabled();
    case ProgramCommand::Exit:
        return true;
    }
    return false;
}

TEditForm *TMainForm::openNote(const QString &fileName)
{
    TEditForm *note = newNote();
    OpenNoteFile(note, fileName);
    return note;
}

void TMainForm::welcome()
{
    m_startTimer->stop();
    const QString readme = welcomeNoteFileName();
    if (!readme.isEmpty())
        openNote(readme);
    showAbout();
}

void TMainForm::showAbout()
{
    TAboutBox about(this);
    Dialogs::current().execDialog(about);
}

void TMainForm::startCalculator()
{
    for (const char *program : {"gnome-calculator", "kcalc", "galculator", "mate-calc", "xcalc"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
        if (path.isEmpty())
            continue;
        if (!QProcess::startDetached(path, {}))
            throw AppError(QStringLiteral("Error running : calc"));
        return;
    }
}

void TMainForm::ExitByAskFirstButtomClick()
{
    if (AskYesNo(QStringLiteral("Do you wish to exit ?")))
        close();
}

void TMainForm::loadDivePlan()
{
    const QString fileName = AskDivePlanToLoad();
    if (!fileName.isEmpty())
        openDivePlan(fileName, true);
}

void TMainForm::openDivePlan(const QString &fileName, bool remember)
{
    const BusyCursor busy;
    auto plan = std::make_unique<TfmRuleOfThird>(*this);
    plan->LoadDive(fileName);
    addChild(plan.release());
    if (remember)
        FileHistory->AddFile(fileName);
}

void TMainForm::openNotepad()
{
    FileDialogOptions options;
    options.title = QStringLiteral("Open");
    options.filter = QStringLiteral(
        "Editor files (*.txt;*.rtf)|*.txt;*.rtf|Text files (*.txt)|*.txt|Rich Text Files (*.rtf)|*.rtf|"
        "Configuration files (*.ini)|*.ini|Tidewell Dive files (*.dive)|*.dive|"
        "DAN Research files (*.nem;*.dan)|*.nem;*.dan|All files (*.*)|*.*");
    options.mustExist = true;
    options.history = {QStringLiteral("Tidewell.ini")};
    const QString fileName = Dialogs::current().openFileName(options);
    if (fileName.isEmpty())
        return;
    // Whatever the extension, the file opens as a note.
    openNote(fileName);
    FileHistory->AddFile(fileName);
}

void TMainForm::openProfileDialog()
{
    const QString fileName = AskForDanProfile({});
    if (!fileName.isEmpty())
        openProfile(fileName);
}

void TMainForm::openProfile(const QString &fileName)
{
    const BusyCursor busy;
    auto *viewer = new TfmDANResarchFormatGraphic(*this);
    addChild(viewer);
    viewer->showDirectory(QFileInfo(fileName).absolutePath());
    // The name is remembered once the viewer has opened the file.
    if (viewer->OpenFile(fileName))
        FileHistory->AddFile(fileName);
}

void TMainForm::openNoteFile(const QString &fileName, const QString &fontFamily)
{
    TEditForm *note = openNote(fileName);
    if (!fontFamily.isEmpty()) {
        QFont font = note->Editor->font();
        font.setFamily(fontFamily);
        note->Editor->setFont(font);
    }
}

void TMainForm::addRecentFile(const QString &fileName) { FileHistory->AddFile(fileName); }

void TMainForm::closeEvent(QCloseEvent *event)
{
    event->ignore();
    guarded([&] {
        const QList<TChildForm *> children = childForms();
        for (TChildForm *child : children)
            if (!child->closeQuery())
                return;
        // The children are destroyed with the main window without a close of
        // their own, so their closing steps run here.
        for (TChildForm *child : children)
            guarded([child] { child->closeSteps(); });
        event->accept();
        saveSettings();
    });
}

bool TMainForm::ownsDirectly(const QObject *object) const
{
    for (const QObject *p = object; p; p = p->parent())
        if (p == m_mdi)
            return false;
    return true;
}

QAction *TMainForm::action(const QString &objectName) const
{
    for (QAction *a : findChildren<QAction *>(objectName))
        if (ownsDirectly(a))
            return a;
    return nullptr;
}

QMenu *TMainForm::menu(const QString &objectName) const
{
    for (QMenu *m : findChildren<QMenu *>(objectName))
        if (ownsDirectly(m))
            return m;
    return nullptr;
}
