#pragma once

// The notepad editor: a child window holding one plain-text or rich-text
// note. It opens, saves, prints and mails the note, changes font, alignment
// and word wrap, and receives the results of the calculators.

#include "widgets/ChildForm.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class QAction;
class QMenu;
class QPrinter;
class QTextEdit;
class TDocPanel;

class TEditForm : public TChildForm
{
    Q_OBJECT
public:
    explicit TEditForm(ChildHost &host, QWidget *parent = nullptr);
    ~TEditForm() override;

    static inline const QString Untitled = QStringLiteral("Untitled");

    // The editor filling the window.
    QTextEdit *const Editor;

    // "Untitled" for a note without a file, else the name it is saved under:
    // a full path, or a proposed name without a folder (a report's).
    QString fileName() const { return m_fileName; }
    // Sets the file name and shows its name part as the caption. The note
    // has not come from that file: saving over a file of that name asks first.
    void setFileName(const QString &fileName);
    // Plain-text mode decides how the note is read and written: plain text
    // when on, rich text when off.
    bool plainTextMode() const { return m_plainText; }
    void setPlainTextMode(bool plain);

    // Result lines of the calculators.
    void appendLine(const QString &line);
    void setLines(const QStringList &lines);

    // Reads the file into the editor in the current mode; the note then
    // comes from that file.
    void loadFromFile(const QString &fileName);
    // Scrolls so that the given line (held within the text) is the first visible one.
    void scrollToLine(int line);

    // Menu and toolbar commands.
    void Save1Click();
    void Saveas1Click();
    void Print1Click();
    void PrinterSetup1Click();
    void Send1Click();
    void Font1Click();
    void WordWrap1Click();
    void setAlignment(Qt::Alignment alignment);
    void ExternalEditorClick();
    // Enables the edit commands for the clipboard and the selection.
    void updateEditCommands();
    // The "Windows editor with note" commands need a file.
    void updateExternalEditorState();
    // The send commands need a mail program.
    void updateSendCommands();

    QSize sizeHint() const override;
    QList<MergedMenu> mergedMenus() const override;
    void activated() override;
    bool closeQuery() override;
    // The toolbar docks again when the note closes.
    void closeSteps() override;

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QAction *addCommand(QMenu *menu, const QString &name, const QString &caption, const QString &hint,
                        const QKeySequence &shortcut = {});
    void createMenus();
    void createToolbar();
    void createContextMenu();
    void applyWordWrap(bool wrap);
    QAction *shortcutCommand(const QKeySequence &keys) const;
    QPrinter &printer();
    // Whether the file name holds a folder, so that Save knows where to write.
    bool hasOwnFolder() const;
    // Whether Save may write to the file name: a file other than the note's
    // own is replaced only when the user says so.
    bool mayReplace() const;

    QString m_fileName = Untitled;
    // The file the note was read from, written to or chosen in the save
    // dialog; empty for none. Only that file is replaced without a question.
    QString m_ownFile;
    bool m_plainText = true;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_characterMenu = nullptr;
    QMenu *m_popupMenu = nullptr;
    TDocPanel *m_docPanel = nullptr;
    std::unique_ptr<QPrinter> m_printer;
    // Commands that are enabled or checked together, in menus, toolbar and pop-up menu.
    QList<QAction *> m_pasteCommands;
    QList<QAction *> m_selectionCommands;
    QList<QAction *> m_externalEditorCommands;
    QList<QAction *> m_sendCommands;
    QList<QAction *> m_wordWrapCommands;
    QHash<int, QAction *> m_alignmentCommands;   // by Qt::Alignment
};

// Opens the file in the note window: name and caption, plain-text mode unless
// the extension is ".rtf", the text, caret at the start, not modified.
void OpenNoteFile(TEditForm *note, const QString &fileName);
void ScrollNoteToTop(TEditForm *note);
