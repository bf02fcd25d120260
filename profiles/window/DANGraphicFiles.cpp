// The file panel of the viewer: the file, directory and drive lists, the
// demo that loads every file of the shown directory in turn, and renaming,
// deleting, moving and exploring files.

#include "profiles/window/DANGraphic.h"

#include "charts/RChart.h"
#include "platform/ShellOpen.h"
#include "profiles/model/DiveLogReader.h"
#include "profiles/model/FileMove.h"
#include "profiles/model/NoReplaceRename.h"
#include "profiles/model/ProfileNotes.h"
#include "profiles/window/DanOpenDialog.h"
#include "widgets/Dialogs.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"
#include "widgets/MShape.h"
#include "widgets/PlainFileIcons.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMimeData>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

void TfmDANResarchFormatGraphic::createFilePanel()
{
    Panel1x = new QFrame(this);
    Panel1x->setObjectName(QStringLiteral("Panel1x"));
    Panel1x->setFrameShape(QFrame::StyledPanel);
    auto *column = new QVBoxLayout(Panel1x);
    column->setContentsMargins(2, 2, 2, 2);
    column->setSpacing(2);
    auto *title = new QLabel(QStringLiteral("Select DAN File"), Panel1x);
    title->setObjectName(QStringLiteral("Panel1xTitle"));
    title->setAlignment(Qt::AlignCenter);
    column->addWidget(title);

    Splitter1 = new QSplitter(Qt::Vertical, Panel1x);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);

    // The dives of an open log; shown only while a log is on display.
    DiveList = new QListWidget(Splitter1);
    DiveList->setObjectName(QStringLiteral("DiveList"));
    DiveList->setSelectionMode(QAbstractItemView::SingleSelection);
    setHint(DiveList, QStringLiteral("|Click a dive, or use Up and Down, to draw it"));
    DiveList->hide();
    connectGuarded(DiveList, &QListWidget::currentRowChanged, this, [this](int row) { showLogDive(row); });

    FileListBox1 = new QListView(Splitter1);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    FileListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHint(FileListBox1, QStringLiteral("|Right click for menu or double click to load file"));
    FileListBox1->installEventFilter(this);

    m_directoryModel = new QFileSystemModel(this);
    m_directoryModel->setIconProvider(plainFileIcons());
    m_directoryModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    DirectoryListBox1 = new QTreeView(Splitter1);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setModel(m_directoryModel);
    for (int c = 1; c < m_directoryModel->columnCount(); ++c)
        DirectoryListBox1->hideColumn(c);
    DirectoryListBox1->setHeaderHidden(true);
    DirectoryListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Splitter1->addWidget(DiveList);
    Splitter1->addWidget(FileListBox1);
    Splitter1->addWidget(DirectoryListBox1);
    Splitter1->setSizes({1, 1, 1}); // the file list takes half the height without a log
    column->addWidget(Splitter1, 1);

    Panel2 = new QFrame(Panel1x);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto *drives = new QVBoxLayout(Panel2);
    drives->setContentsMargins(2, 2, 2, 2);
    DriveComboBox1 = new QComboBox(Panel2);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    QStringList roots;
    for (const QFileInfo &drive : QDir::drives())
        roots << QDir::toNativeSeparators(drive.absoluteFilePath());
    roots << QDir::toNativeSeparators(QDir::homePath());
    roots.removeDuplicates();
    DriveComboBox1->addItems(roots);
    drives->addWidget(DriveComboBox1);
    column->addWidget(Panel2);

    m_directoryModel->setRootPath(QDir::rootPath());
    DirectoryListBox1->setRootIndex(m_directoryModel->index(QDir::fromNativeSeparators(roots.first())));

    connectGuarded(DriveComboBox1, &QComboBox::activated, this, [this] {
        const QString root = QDir::fromNativeSeparators(DriveComboBox1->currentText());
        DirectoryListBox1->setRootIndex(m_directoryModel->index(root));
        showDirectory(root);
    });
    connectGuarded(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
                   [this](const QModelIndex &current, const QModelIndex &) {
                       const QString folder = m_directoryModel->filePath(current);
                       if (!folder.isEmpty() && folder != m_shownDirectory)
                           showDirectory(folder);
                   });
    // The tree learns the folders on the way to the shown one as it reads them.
    connectGuarded(m_directoryModel, &QFileSystemModel::directoryLoaded, this, [this](const QString &loaded) {
        if (!m_shownDirectory.startsWith(loaded))
            return;
        const QModelIndex index = m_directoryModel->index(m_shownDirectory);
        const QSignalBlocker quiet(DirectoryListBox1->selectionModel());
        DirectoryListBox1->setCurrentIndex(index);
        DirectoryListBox1->scrollTo(index);
    });
    connectGuarded(FileListBox1, &QListView::doubleClicked, this, [this] { FileListBox1DblClick(); });
}

void TfmDANResarchFormatGraphic::listFolder(const QString &path)
{
    // Each folder gets a file model of its own. A model that has listed the
    // folder above the shown one knows the shown folder as a directory
    // entry, which its files-only filter drops as soon as that folder
    // changes (a rename in it): the list would lose its root and show "/".
    QAbstractItemModel *oldModel = FileListBox1->model();
    QItemSelectionModel *oldSelection = FileListBox1->selectionModel();
    m_fileModel = new QFileSystemModel(this);
    m_fileModel->setIconProvider(plainFileIcons());
    m_fileModel->setFilter(QDir::Files | QDir::NoDotAndDotDot);
    m_fileModel->setNameFilters({QStringLiteral("*.nem"), QStringLiteral("*.dan"), QStringLiteral("*.uddf"),
                                 QStringLiteral("*.ssrf"), QStringLiteral("*.xml")});
    m_fileModel->setNameFilterDisables(false);
    FileListBox1->setModel(m_fileModel);
    if (oldSelection)
        oldSelection->deleteLater();
    if (oldModel)
        oldModel->deleteLater();
    connectGuarded(FileListBox1->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                   [this] { FileListBox1Click(); });
    connectGuarded(m_fileModel, &QFileSystemModel::directoryLoaded, this, [this] { FileListBox1Change(); });
    connectGuarded(m_fileModel, &QFileSystemModel::rowsInserted, this, [this] { FileListBox1Change(); });
    connectGuarded(m_fileModel, &QFileSystemModel::rowsRemoved, this, [this] { FileListBox1Change(); });
    FileListBox1->setRootIndex(m_fileModel->setRootPath(path));
    m_fileModel->sort(0, Qt::AscendingOrder);
}

void TfmDANResarchFormatGraphic::showDirectory(const QString &folder)
{
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    if (path != m_shownDirectory || !m_fileModel)
        listFolder(path);
    m_shownDirectory = path;
    const QModelIndex index = m_directoryModel->index(path);
    if (index.isValid()) {
        const QSignalBlocker quiet(DirectoryListBox1->selectionModel());
        DirectoryListBox1->setCurrentIndex(index);
        DirectoryListBox1->scrollTo(index);
    }
    FileListBox1Change();
}

QStringList TfmDANResarchFormatGraphic::listedFiles() const
{
    QStringList names;
    const QModelIndex root = FileListBox1->rootIndex();
    for (int row = 0; row < m_fileModel->rowCount(root); ++row)
        names << m_fileModel->fileName(m_fileModel->index(row, 0, root));
    return names;
}

QString TfmDANResarchFormatGraphic::pathOf(const QString &name) const { return QDir(m_shownDirectory).filePath(name); }

QStringList TfmDANResarchFormatGraphic::selectedPaths() const
{
    QModelIndexList rows = FileListBox1->selectionModel()->selectedRows();
    std::sort(rows.begin(), rows.end(), [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    QStringList paths;
    for (const QModelIndex &index : rows)
        paths << pathOf(m_fileModel->fileName(index));
    return paths;
}

QString TfmDANResarchFormatGraphic::selectedPath() const
{
    const QModelIndex current = FileListBox1->currentIndex();
    if (current.isValid() && FileListBox1->selectionModel()->isSelected(current))
        return pathOf(m_fileModel->fileName(current));
    const QStringList paths = selectedPaths();
    return paths.isEmpty() ? QString() : paths.first();
}

bool TfmDANResarchFormatGraphic::selectFileRow(int row)
{
    const QModelIndex index = m_fileModel->index(row, 0, FileListBox1->rootIndex());
    if (!index.isValid())
        return false;
    FileListBox1->setCurrentIndex(index);
    FileListBox1->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    return true;
}

void TfmDANResarchFormatGraphic::FileListBox1DblClick()
{
    const QString path = selectedPath();
    if (!path.isEmpty())
        OpenFile(path);
}

void TfmDANResarchFormatGraphic::FileListBox1Click()
{
    const QString path = selectedPath().isEmpty() ? m_currentFile : selectedPath();
    const QString note = path == m_currentFile ? notePath() : DanNotePath(path);
    SeeNoteSpeedButton->defaultAction()->setEnabled(!path.isEmpty() && QFileInfo::exists(note));
}

void TfmDANResarchFormatGraphic::FileListBox1Change() { m_options.demoMode->setEnabled(!listedFiles().isEmpty()); }

void TfmDANResarchFormatGraphic::OpenButtomClick()
{
    const QString fileName = AskForDanProfile(m_shownDirectory);
    if (!fileName.isEmpty())
        host().openProfile(fileName);
}

namespace {

// The first local file of a drag, when the viewer can show it.
QString droppedProfile(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = url.toLocalFile();
        const QString suffix = QFileInfo(path).suffix().toLower();
        if (suffix == u"nem" || suffix == u"dan" || IsDiveLogFile(path))
            return path;
    }
    return {};
}

} // namespace

void TfmDANResarchFormatGraphic::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedProfile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TfmDANResarchFormatGraphic::dropEvent(QDropEvent *event)
{
    const QString path = droppedProfile(event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    guarded([&] {
        showDirectory(QFileInfo(path).absolutePath());
        if (OpenFile(path))
            host().addRecentFile(path);
    });
}

void TfmDANResarchFormatGraphic::OpenDANfileastext1Click()
{
    if (m_currentFile.isEmpty()) {
        QApplication::beep();
        return;
    }
    host().openNoteFile(m_currentFile, QStringLiteral("Courier New"));
}

// ---- demo ----------------------------------------------------------------

void TfmDANResarchFormatGraphic::Startdemomode1Click()
{
    selectFileRow(0);
    m_demoActive = true;
    m_demoIndex = 0;
    FileListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    DemoTimer->start();
}

void TfmDANResarchFormatGraphic::DemoTimerTimer()
{
    DemoTimer->stop();
    const QStringList names = listedFiles();
    if (m_demoIndex >= names.size()) {
        stopDemo(QStringLiteral("Demo mode stopped."));
        RChart1->unsetCursor();
        return;
    }
    if (!m_demoActive)
        return;
    host().showMessage(QStringLiteral("Press ESCAPE between the loads to stop demo mode"));
    ShapeDemo->show();
    ShapeDemo->raise();
    selectFileRow(m_demoIndex);
    OpenFile(pathOf(names.at(m_demoIndex)));
    ++m_demoIndex;
    if (m_demoActive)
        DemoTimer->start();
}

void TfmDANResarchFormatGraphic::stopDemo(const QString &message)
{
    DemoTimer->stop();
    m_demoActive = false;
    ShapeDemo->hide();
    FileListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    host().showMessage(message);
}

// ---- file management -------------------------------------------------------

void TfmDANResarchFormatGraphic::Renamefile1Click()
{
    const QString from = selectedPath();
    if (from.isEmpty()) {
        QApplication::beep();
        return;
    }
    QString name = QFileInfo(from).fileName();
    if (!Dialogs::current().inputQuery(QStringLiteral("Rename file"), QStringLiteral("Enter new filename:"), name))
        return;
    if (name.isEmpty())
        return;
    renameOne(from, name);
}

void TfmDANResarchFormatGraphic::renameOne(const QString &from, const QString &newName)
{
    // A name with a folder in it would move the file elsewhere, and "." or
    // ".." name no file at all: such names are refused.
    if (const QString problem = DanNewNameProblem(newName); !problem.isEmpty()) {
        MessageDlg(problem, QMessageBox::Warning, QMessageBox::Ok);
        return;
    }
    const QString to = pathOf(newName);
    if (QFileInfo(to) == QFileInfo(from))
        return;
    // The note typed so far is saved under the old name and goes along: it
    // never lands on a file of the new name that was not renamed.
    if (m_currentFile == from && m_noteModified)
        RichEditProfileNoteExit();
    // A log's notes are named by its dives: they are known before the rename.
    const std::vector<DiveHeader> dives = divesOf(from);
    if (!RenameWithoutReplacing(from, to).isEmpty()) {
        ShowMessage(QStringLiteral("Renaming %1 to %2 FAILED")
                        .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to)));
        return;
    }
    // The notes go with their profiles, so the viewer finds them under the
    // new name; a note whose new name is taken stays, and is reported.
    const QStringList oldNotes = ProfileNotePaths(from, dives);
    const QStringList newNotes = ProfileNotePaths(to, dives);
    QStringList failed;
    for (qsizetype i = 0; i < oldNotes.size(); ++i)
        if (QFileInfo::exists(oldNotes[i]) && oldNotes[i] != newNotes[i]
            && !RenameWithoutReplacing(oldNotes[i], newNotes[i]).isEmpty())
            failed << QStringLiteral("Renaming %1 to %2 FAILED")
                          .arg(QDir::toNativeSeparators(oldNotes[i]), QDir::toNativeSeparators(newNotes[i]));
    if (!failed.isEmpty())
        ShowMessage(failed.join(u'\n'));
    if (m_currentFile == from)
        followShownFile(to);
}

std::vector<DiveHeader> TfmDANResarchFormatGraphic::divesOf(const QString &path) const
{
    if (m_log && path == m_currentFile)
        return m_log->headers;
    return LogDivesOf(path);
}

void TfmDANResarchFormatGraphic::followShownFile(const QString &path)
{
    if (m_lastFile == m_currentFile)
        m_lastFile = path;
    m_currentFile = path;
    if (m_log)
        m_log->path = path;
    setWindowTitle(captionFor(path));
    loadNote();
}

void TfmDANResarchFormatGraphic::Deletefile1Click()
{
    const QStringList paths = selectedPaths();
    if (paths.isEmpty()) {
        QApplication::beep();
        return;
    }
    for (const QString &path : paths) {
        const QString shown = QDir::toNativeSeparators(path);
        if (!AskYesNo(QStringLiteral("Are you sure you wish to delete %1").arg(shown)))
            continue;
        if (!QFile::remove(path))
            ShowMessage(QStringLiteral("Delete %1 FAILED").arg(shown));
    }
}

void TfmDANResarchFormatGraphic::Movefiles1Click()
{
    const QStringList paths = selectedPaths();
    if (paths.isEmpty()) {
        QApplication::beep();
        return;
    }
    const QString folder = Dialogs::current().directory(QStringLiteral("Move file(s)"), m_shownDirectory);
    if (folder.isEmpty())
        return;
    for (const QString &path : paths) {
        if (path == m_currentFile && m_noteModified)
            RichEditProfileNoteExit();
        // A log's notes are named by its dives: they are known before the move.
        const std::vector<DiveHeader> dives = divesOf(path);
        const FileMove moved = moveOne(path, folder);
        // The notes follow, those of a log told about in one message.
        QStringList problems;
        for (const QString &note : ProfileNotePaths(path, dives)) {
            if (!QFileInfo::exists(note))
                continue;
            const FileMove move = MoveFileInto(note, folder);
            if (const QString message = FileMoveMessage(move, move.destination); !message.isEmpty())
                problems << message;
        }
        if (!problems.isEmpty())
            ShowMessage(problems.join(u'\n'));
        if (moved.copied() && path == m_currentFile)
            followShownFile(moved.destination);
    }
}

FileMove TfmDANResarchFormatGraphic::moveOne(const QString &source, const QString &folder)
{
    const FileMove move = MoveFileInto(source, folder);
    if (const QString message = FileMoveMessage(move, move.destination); !message.isEmpty())
        ShowMessage(message);
    return move;
}

void TfmDANResarchFormatGraphic::Explorefromhere1Click()
{
    if (!openWithAssociatedProgram(m_shownDirectory))
        host().showMessage(
            QStringLiteral("No file manager could show %1").arg(QDir::toNativeSeparators(m_shownDirectory)));
}
