#include "shell/MDIEdit.h"

#include "core/Errors.h"
#include "core/SettingsFile.h"
#include "platform/Mail.h"
#include "platform/RichText.h"
#include "platform/ShellOpen.h"
#include "widgets/Dialogs.h"
#include "widgets/ErrorGuard.h"
#include "widgets/Hints.h"
#include "shell/NoteFile.h"
#include "widgets/DockLayout.h"
#include "widgets/Dockbar.h"

#include <QAbstractTextDocumentLayout>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QStyle>
#include <QTextBlock>
#include <QTextEdit>

#include <algorithm>

namespace {

const QString SaveFilter =
    QStringLiteral("Rich text files (*.rtf)|*.rtf|Plain text files (*.txt)|*.txt|All files|*.*");
const QString DocPanelHint = QStringLiteral(
    "|Double-Click to dock/undock toolbar. Double click on title of floating toolbar to dock");

// Toolbar pictures drawn from a symbol, so they look alike in every style.
QIcon glyphIcon(const QString &symbol, bool bold = false)
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QFont font(QStringLiteral("DejaVu Serif"));
    font.setPixelSize(24);
    font.setBold(bold);
    painter.setFont(font);
    painter.setPen(QColor(0x20, 0x40, 0x70));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, symbol);
    return QIcon(pixmap);
}

// Runs a command of the main window, when there is one.
// A printer seen from the front: paper above a body with a tray slot.
QIcon printerIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x20, 0x40, 0x70), 2));
    painter.setBrush(Qt::white);
    painter.drawRect(9, 3, 14, 10);
    painter.setBrush(QColor(0xA8, 0xB8, 0xD0));
    painter.drawRoundedRect(3, 12, 26, 12, 3, 3);
    painter.setBrush(Qt::white);
    painter.drawRect(9, 20, 14, 9);
    return QIcon(pixmap);
}

} // namespace

TEditForm::TEditForm(ChildHost &host, QWidget *parent) : TChildForm(host, parent), Editor(new QTextEdit(this))
{
    setObjectName(QStringLiteral("EditForm"));
    Editor->setObjectName(QStringLiteral("Editor"));
    Editor->setAcceptRichText(false);
    setFileName(Untitled);

    createMenus();
    createToolbar();
    createContextMenu();

    DockLayout::of(this)->setClient(Editor);

    applyWordWrap(true);
    updateEditCommands();
    updateExternalEditorState();
    updateSendCommands();

    // The mail question runs in the background; opening the File menu asks
    // again, so a mail program installed meanwhile is found.
    MailAvailability &mail = MailAvailability::instance();
    connect(&mail, &MailAvailability::answered, this, [this] { updateSendCommands(); });
    connect(m_fileMenu, &QMenu::aboutToShow, &mail, &MailAvailability::refresh);
}

TEditForm::~TEditForm() = default;

QSize TEditForm::sizeHint() const { return {560, 400}; }

// ---- menus and toolbar ---------------------------------------------------

QAction *TEditForm::addCommand(QMenu *menu, const QString &name, const QString &caption, const QString &hint,
                               const QKeySequence &shortcut)
{
    QAction *command = menu->addAction(caption);
    command->setObjectName(name);
    if (!hint.isEmpty())
        setHint(command, hint);
    if (!shortcut.isEmpty())
        command->setShortcut(shortcut);
    return command;
}

void TEditForm::createMenus()
{
    // The names differ from the main window's, which finds its commands by name.
    m_fileMenu = new QMenu(QStringLiteral("&File"), this);
    m_fileMenu->setObjectName(QStringLiteral("File2"));
    connectGuarded(addCommand(m_fileMenu, QStringLiteral("New1"), QStringLiteral("&New"), QStringLiteral("New notepad")),
                   &QAction::triggered, this, [this] { host().openWindow(ChildKind::Notepad); });
    connectGuarded(addCommand(m_fileMenu, QStringLiteral("Open1"), QStringLiteral("&Open..."),
                              QStringLiteral("Open file"), Qt::Key_F2),
                   &QAction::triggered, this, [this] { host().runCommand(ProgramCommand::OpenFile); });
    connectGuarded(addCommand(m_fileMenu, QStringLiteral("Close2"), QStringLiteral("&Close"),
                              QStringLiteral("Close window")),
                   &QAction::triggered, this, [this] { (parentWidget() ? parentWidget() : this)->close(); });
    connectGuarded(addCommand(m_fileMenu, QStringLiteral("Save1"), QStringLiteral("&Save"), QStringLiteral("Save file"),
                              Qt::Key_F3),
                   &QAction::triggered, this, [this] { Save1Click(); });
    connectGuarded(addCommand(m_fileMenu, QStringLiteral("Saveas1"), QStringLiteral("Save &as..."),
                              QStringLiteral("Save file with different name")),
                   &QAction::triggered, this, [this] { Saveas1Click(); });
    m_fileMenu->addSeparator();
    connectGuarded(m_externalEditorCommands.emplace_back(addCommand(m_fileMenu, QStringLiteral("StartExternalEditor1"),
                                                                    QStringLiteral("Start external editor"), {})),
                   &QAction::triggered, this, [this] { ExternalEditorClick(); });
    m_fileMenu->addSeparator();
    connectGuarded(m_sendCommands.emplace_back(addCommand(m_fileMenu, QStringLiteral("Send1"), QStringLiteral("Sen&d..."),
                                                          QStringLiteral("Send via MAPI"))),
                   &QAction::triggered, this, [this] { Send1Click(); });
    m_fileMenu->addSeparator();
    QAction *loadDive = addCommand(m_fileMenu, QStringLiteral("LoadDivePlan3"), QStringLiteral("&Load dive plan"),
                                   QStringLiteral("&Load a dive into the dive planner"), Qt::Key_F11);
    loadDive->setEnabled(host().commandAvailable(ProgramCommand::LoadDivePlan));
    connectGuarded(loadDive, &QAction::triggered, this, [this] {
        host().runCommand(ProgramCommand::LoadDivePlan);
        updateExternalEditorState();
    });
    m_fileMenu->addSeparator();
    connectGuarded(addCommand(m_fileMenu, QStringLiteral("Print1"), QStringLiteral("&Print"), QStringLiteral("Print")),
                   &QAction::triggered, this, [this] { Print1Click(); });
    connectGuarded(addCommand(m_fileMenu, QStringLiteral("PrinterSetup1"), QStringLiteral("Printer setup..."),
                              QStringLiteral("Change printer setup")),
                   &QAction::triggered, this, [this] { PrinterSetup1Click(); });
    m_fileMenu->addSeparator();
    connectGuarded(addCommand(m_fileMenu, QStringLiteral("Exit2"), QStringLiteral("E&xit"), {}), &QAction::triggered,
                   this, [this] { host().runCommand(ProgramCommand::Exit); });

    m_editMenu = new QMenu(QStringLiteral("&Edit"), this);
    m_editMenu->setObjectName(QStringLiteral("Edit1"));
    connectGuarded(m_selectionCommands.emplace_back(addCommand(m_editMenu, QStringLiteral("Cut1"), QStringLiteral("Cu&t"), {},
                                                               QKeySequence(Qt::CTRL | Qt::Key_X))),
                   &QAction::triggered, this, [this] { Editor->cut(); });
    connectGuarded(m_selectionCommands.emplace_back(addCommand(m_editMenu, QStringLiteral("Copy1"), QStringLiteral("&Copy"), {},
                                                               QKeySequence(Qt::CTRL | Qt::Key_C))),
                   &QAction::triggered, this, [this] { Editor->copy(); });
    connectGuarded(m_pasteCommands.emplace_back(addCommand(m_editMenu, QStringLiteral("Paste1"), QStringLiteral("&Paste"), {},
                                                           QKeySequence(Qt::CTRL | Qt::Key_V))),
                   &QAction::triggered, this, [this] { Editor->paste(); });
    connectGuarded(m_selectionCommands.emplace_back(addCommand(m_editMenu, QStringLiteral("Delete1"), QStringLiteral("De&lete"),
                                                               {}, QKeySequence(Qt::CTRL | Qt::Key_D))),
                   &QAction::triggered, this, [this] { Editor->textCursor().removeSelectedText(); });
    m_editMenu->addSeparator();
    connectGuarded(addCommand(m_editMenu, QStringLiteral("SelectAll1"), QStringLiteral("Select &all"), {},
                              QKeySequence(Qt::CTRL | Qt::Key_A)),
                   &QAction::triggered, this, [this] { Editor->selectAll(); });
    connect(m_editMenu, &QMenu::aboutToShow, this, [this] { guarded([this] { updateEditCommands(); }); });

    m_characterMenu = new QMenu(QStringLiteral("Ch&aracter"), this);
    m_characterMenu->setObjectName(QStringLiteral("Character1"));
    auto *alignments = new QActionGroup(this);
    for (const auto &[name, caption, alignment] :
         {std::tuple{"Left1", "&Left", Qt::AlignLeft}, std::tuple{"Right1", "&Right", Qt::AlignRight},
          std::tuple{"Center1", "&Center", Qt::AlignHCenter}}) {
        QAction *item = addCommand(m_characterMenu, QString::fromLatin1(name), QString::fromLatin1(caption), {});
        item->setCheckable(true);
        m_alignmentCommands.insert(int(alignment), item);
        alignments->addAction(item);
        connectGuarded(item, &QAction::triggered, this, [this, a = alignment] { setAlignment(a); });
    }
    alignments->actions().constFirst()->setChecked(true);
    m_characterMenu->addSeparator();
    QAction *wrap = m_wordWrapCommands.emplace_back(
        addCommand(m_characterMenu, QStringLiteral("WordWrap1"), QStringLiteral("&Word wrap"), {}));
    wrap->setCheckable(true);
    connectGuarded(wrap, &QAction::triggered, this, [this] { WordWrap1Click(); });
    m_characterMenu->addSeparator();
    connectGuarded(addCommand(m_characterMenu, QStringLiteral("Font1"), QStringLiteral("&Font..."), {}),
                   &QAction::triggered, this, [this] { Font1Click(); });
}

void TEditForm::createToolbar()
{
    m_docPanel = new TDocPanel(this);
    m_docPanel->setObjectName(QStringLiteral("DocPanel1"));
    m_docPanel->setTitle(QStringLiteral("Note toolbar"));
    m_docPanel->setIconSize(QSize(20, 20));
    // Named before loading, so that the toolbar takes back its stored place.
    m_docPanel->setIniFile(SettingsFileName());
    setHint(m_docPanel, DocPanelHint);
    auto addButton = [this](const QString &name, const QIcon &icon, const QString &hint, auto handler) {
        QAction *button = m_docPanel->addAction(icon, GetShortHint(hint));
        button->setObjectName(name);
        setHint(button, hint);
        connectGuarded(button, &QAction::triggered, this, handler);
        return button;
    };
    addButton(QStringLiteral("btnNew"), style()->standardIcon(QStyle::SP_FileIcon), QStringLiteral("New notepad"),
              [this] { host().openWindow(ChildKind::Notepad); });
    addButton(QStringLiteral("btnSave"), style()->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("Save"),
              [this] { Save1Click(); });
    addButton(QStringLiteral("btnFont"), glyphIcon(QStringLiteral("A"), true), QStringLiteral("Font"),
              [this] { Font1Click(); });
    addButton(QStringLiteral("btnPrint"), printerIcon(), QStringLiteral("Print"),
              [this] { Print1Click(); });
    QAction *wrap = m_wordWrapCommands.emplace_back(addButton(QStringLiteral("btnWordWrap"), glyphIcon(QStringLiteral("\u21B5")),
                                                              QStringLiteral("Toggle wordwrap"), [this] { WordWrap1Click(); }));
    wrap->setCheckable(true);
    QAction *external = m_externalEditorCommands.emplace_back(
        addButton(QStringLiteral("btnExternalEditor"), style()->standardIcon(QStyle::SP_DirOpenIcon),
                  QStringLiteral("Windows editor with note"), [this] { ExternalEditorClick(); }));
    external->setEnabled(false);
    m_sendCommands << addButton(QStringLiteral("btnSend"), glyphIcon(QStringLiteral("@")), QStringLiteral("Send via MAPI"),
                                [this] { Send1Click(); });
    m_docPanel->Loaded();
}

void TEditForm::createContextMenu()
{
    m_popupMenu = new QMenu(this);
    m_popupMenu->setObjectName(QStringLiteral("PopupMenu2"));
    connectGuarded(m_selectionCommands.emplace_back(addCommand(m_popupMenu, QStringLiteral("Cut2"), QStringLiteral("Cu&t"), {})),
                   &QAction::triggered, this,
                   [this] { Editor->cut(); });
    connectGuarded(m_selectionCommands.emplace_back(addCommand(m_popupMenu, QStringLiteral("Copy2"), QStringLiteral("&Copy"), {})),
                   &QAction::triggered,
                   this, [this] { Editor->copy(); });
    connectGuarded(m_pasteCommands.emplace_back(addCommand(m_popupMenu, QStringLiteral("Paste2"), QStringLiteral("&Paste"), {})),
                   &QAction::triggered,
                   this, [this] { Editor->paste(); });
    Editor->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Editor, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        guarded([this] { updateEditCommands(); });
        m_popupMenu->popup(Editor->viewport()->mapToGlobal(at));
    });
}

QList<MergedMenu> TEditForm::mergedMenus() const
{
    return {{MenuGroup::File, m_fileMenu}, {MenuGroup::Edit, m_editMenu}, {MenuGroup::Character, m_characterMenu}};
}

QAction *TEditForm::shortcutCommand(const QKeySequence &keys) const
{
    for (const QMenu *menu : {m_fileMenu, m_editMenu, m_characterMenu})
        for (QAction *command : menu->actions())
            if (command->isEnabled() && !command->shortcut().isEmpty() && command->shortcut() == keys)
                return command;
    return nullptr;
}

// The note's shortcuts come before the main window's while the note has the
// focus: F3 saves the note rather than opening the blending worksheet. The
// edit commands are brought up to date first, as opening their menu would, so
// that Ctrl+D acts on the selection made since.
bool TEditForm::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        const QKeySequence keys(static_cast<QKeyEvent *>(event)->keyCombination());
        if (std::ranges::any_of(m_editMenu->actions(), [&](const QAction *c) { return c->shortcut() == keys; }))
            updateEditCommands();
        if (shortcutCommand(keys)) {
            event->accept();
            return true;
        }
    }
    return TChildForm::event(event);
}

void TEditForm::keyPressEvent(QKeyEvent *event)
{
    if (QAction *command = shortcutCommand(QKeySequence(event->keyCombination()))) {
        command->trigger();
        return;
    }
    TChildForm::keyPressEvent(event);
}

// ---- state -----------------------------------------------------------------

void TEditForm::setFileName(const QString &fileName)
{
    m_fileName = fileName;
    setWindowTitle(QFileInfo(fileName).fileName());
}

void TEditForm::setPlainTextMode(bool plain)
{
    m_plainText = plain;
    Editor->setAcceptRichText(!plain);
}

void TEditForm::activated()
{
    TChildForm::activated();
    updateSendCommands();
    updateExternalEditorState();
}

void TEditForm::updateEditCommands()
{
    const QMimeData *clipboard = QApplication::clipboard()->mimeData();
    const bool canPaste = clipboard && clipboard->hasText();
    const bool hasSelection = Editor->textCursor().hasSelection();
    for (QAction *command : m_pasteCommands)
        command->setEnabled(canPaste);
    for (QAction *command : m_selectionCommands)
        command->setEnabled(hasSelection);
}

void TEditForm::updateExternalEditorState()
{
    const bool hasFile = !m_fileName.isEmpty() && m_fileName != Untitled;
    for (QAction *command : m_externalEditorCommands)
        command->setEnabled(hasFile);
}

void TEditForm::updateSendCommands()
{
    const bool available = MailAvailability::instance().available();
    for (QAction *command : m_sendCommands)
        command->setEnabled(available);
}

// ---- text ------------------------------------------------------------------

void TEditForm::appendLine(const QString &line)
{
    QTextCursor cursor(Editor->document());
    cursor.movePosition(QTextCursor::End);
    if (!Editor->document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(line);
}

void TEditForm::setLines(const QStringList &lines) { Editor->setPlainText(lines.join(u'\n')); }

void TEditForm::loadFromFile(const QString &fileName)
{
    const QByteArray bytes = NoteFile::read(fileName);
    if (m_plainText) {
        Editor->setPlainText(NoteFile::plainText(bytes, fileName));
        m_ownFile = fileName;
        return;
    }
    QTextDocument *document = Editor->document();
    document->setUndoRedoEnabled(false);
    readRtf(bytes, *document);
    document->setUndoRedoEnabled(true);
    m_ownFile = fileName;
}

void TEditForm::scrollToLine(int line)
{
    QTextDocument *document = Editor->document();
    const QTextBlock block = document->findBlockByNumber(std::clamp(line, 0, document->blockCount() - 1));
    const QRectF box = document->documentLayout()->blockBoundingRect(block);
    // The first line scrolls the margin above it into view as well.
    Editor->verticalScrollBar()->setValue(block.blockNumber() == 0 ? 0 : qRound(box.top()));
}

// ---- commands ----------------------------------------------------------------

bool TEditForm::hasOwnFolder() const { return m_fileName != Untitled && QFileInfo(m_fileName).isAbsolute(); }

bool TEditForm::mayReplace() const
{
    if (m_fileName == m_ownFile || !QFileInfo(m_fileName).isFile())
        return true;
    return MessageDlg(QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(m_fileName),
                      QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No)
        == QMessageBox::Yes;
}

void TEditForm::Save1Click()
{
    // A note without a folder of its own (untitled, or a report's proposed
    // name) would land in whatever the working folder is: the user chooses
    // where. Declining to replace another file asks for a name as well.
    if (!hasOwnFolder() || !mayReplace()) {
        Saveas1Click();
        return;
    }
    // The mode decides the format, not the name: a new note stays plain text
    // under a ".rtf" name, a rich note stays rich under any name.
    const QByteArray bytes =
        m_plainText ? NoteFile::plainTextBytes(Editor->toPlainText()) : writeRtf(*Editor->document());
    NoteFile::write(m_fileName, bytes);
    m_ownFile = m_fileName;
    Editor->document()->setModified(false);
    updateExternalEditorState();
}

void TEditForm::Saveas1Click()
{
    FileDialogOptions options;
    options.title = QStringLiteral("Save as");
    options.filter = SaveFilter;
    options.defaultExtension = QStringLiteral("txt");
    options.fileName = m_fileName;
    options.initialFolder = hasOwnFolder() ? QFileInfo(m_fileName).absolutePath() : QDir::homePath();
    options.promptOnCreate = true;
    options.hideReadOnly = true;
    // The dialog asks before it names a file that exists, so the chosen
    // file is the note's own.
    const QString chosen = Dialogs::current().saveFileName(options);
    if (!chosen.isEmpty()) {
        setFileName(chosen);
        m_ownFile = chosen;
        Save1Click();
    }
    updateExternalEditorState();
}

QPrinter &TEditForm::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void TEditForm::Print1Click()
{
    QPrinter &target = printer();
    target.setDocName(m_fileName);
    if (Dialogs::current().print(target))
        Editor->document()->print(&target);
}

void TEditForm::PrinterSetup1Click() { Dialogs::current().printerSetup(printer()); }

void TEditForm::Send1Click()
{
    if (!m_sendCommands.constFirst()->isEnabled())
        return;
    QString body = Editor->toPlainText();
    body.replace(u'\n', QStringLiteral("\r\n"));
    if (!sendMail(body))
        MessageDlg(QStringLiteral("Error sending mail"), QMessageBox::Critical, QMessageBox::Ok);
}

void TEditForm::Font1Click()
{
    // The font at the caret, which is the editor's font until the note is formatted.
    QFont font = Editor->currentFont();
    if (!Dialogs::current().chooseFont(font))
        return;
    QTextCharFormat format;
    format.setFont(font);
    Editor->mergeCurrentCharFormat(format);
}

void TEditForm::WordWrap1Click() { applyWordWrap(Editor->lineWrapMode() == QTextEdit::NoWrap); }

void TEditForm::applyWordWrap(bool wrap)
{
    Editor->setLineWrapMode(wrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    Editor->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Editor->setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
    for (QAction *command : m_wordWrapCommands)
        command->setChecked(wrap);
}

void TEditForm::setAlignment(Qt::Alignment alignment)
{
    m_alignmentCommands.value(alignment.toInt(), m_alignmentCommands.value(Qt::AlignLeft))->setChecked(true);
    Editor->setAlignment(alignment);
}

void TEditForm::ExternalEditorClick()
{
    if (!openWithAssociatedProgram(m_fileName))
        throw AppError(QStringLiteral("No program could be started for \"%1\".").arg(m_fileName));
}

bool TEditForm::closeQuery()
{
    if (!Editor->document()->isModified())
        return true;
    switch (MessageDlg(QStringLiteral("Save changes to %1?").arg(m_fileName), QMessageBox::Question,
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        Save1Click();
        // A cancelled Save-as dialog keeps the note: the user asked to save it.
        return !Editor->document()->isModified();
    case QMessageBox::No:
        return true;
    default:
        return false;
    }
}

void TEditForm::closeSteps() { m_docPanel->setDocked(true); }

// ---- shared operations -----------------------------------------------------

void OpenNoteFile(TEditForm *note, const QString &fileName)
{
    note->setFileName(fileName);
    note->setPlainTextMode(QFileInfo(fileName).suffix().toUpper() != u"RTF");
    note->loadFromFile(fileName);
    note->Editor->moveCursor(QTextCursor::Start);
    note->Editor->document()->setModified(false);
    note->updateExternalEditorState();
}

void ScrollNoteToTop(TEditForm *note) { note->scrollToLine(0); }
