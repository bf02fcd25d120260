// The notepad editor: file names and modes, saving and closing, the edit and
// character commands, printing, mail, and files it must refuse.

#include "core/Errors.h"
#include "core/SettingsFile.h"
#include "platform/Mail.h"
#include "platform/RichText.h"
#include "shell/FileHist.h"
#include "shell/MDIEdit.h"
#include "shell/Main.h"
#include "shell/NoteFile.h"
#include "shell/SubNote.h"
#include "tests/support/FakeHost.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/PdfFiles.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/UserDriver.h"
#include "tests/support/WindowFixture.h"
#include "widgets/Dockbar.h"
#include "widgets/ErrorGuard.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextEdit>
#include <QtTest>

#include <unistd.h>

namespace {

QByteArray fileBytes(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Asks for the mail program again and waits for the answer.
void refreshMail()
{
    QSignalSpy answered(&MailAvailability::instance(), &MailAvailability::answered);
    MailAvailability::instance().refresh();
    QVERIFY(!answered.isEmpty() || answered.wait(10000));
}

void writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QAction *command(const QObject *form, const char *name)
{
    auto *a = form->findChild<QAction *>(QString::fromLatin1(name));
    if (!a)
        qFatal("no command %s", name);
    return a;
}

// Records the links the desktop is asked to open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

// Puts fake xdg-mime and xdg-email programs first on PATH for its lifetime.
class FakeDesktop
{
public:
    explicit FakeDesktop(const QByteArray &mailHandler)
    {
        m_oldPath = qgetenv("PATH");
        script("xdg-mime", "#!/bin/sh\necho asked >> \"$(dirname \"$0\")/mime-calls\"\nprintf '" + mailHandler + "'\n");
        script("xdg-email", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$(dirname \"$0\")/email-args\"\n");
        qputenv("PATH", m_dir.path().toLocal8Bit() + ':' + m_oldPath);
    }
    ~FakeDesktop() { qputenv("PATH", m_oldPath); }
    // How often xdg-mime was asked.
    int mimeCalls() const { return fileBytes(m_dir.filePath(QStringLiteral("mime-calls"))).count('\n'); }
    // What xdg-email was given, one argument a line; waits for the detached script.
    QString emailArguments() const
    {
        const QString file = m_dir.filePath(QStringLiteral("email-args"));
        for (int i = 0; i < 100 && !QFile::exists(file); ++i)
            QTest::qWait(50);
        QTest::qWait(50);
        return QString::fromUtf8(fileBytes(file));
    }

private:
    void script(const char *name, const QByteArray &text)
    {
        QFile file(m_dir.filePath(QString::fromLatin1(name)));
        file.open(QIODevice::WriteOnly);
        file.write(text);
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QTemporaryDir m_dir;
    QByteArray m_oldPath;
};

} // namespace

class TestEditForm : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    FakeHost m_host;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    // Notes store their toolbar's place when they go; never in real settings.
    void init() { SetSettingsFileNameForTesting(path(QStringLiteral("Tidewell.INI"))); }
    void cleanup() { SetSettingsFileNameForTesting(QString()); }

    void newNoteIsUntitledPlainWithWordWrap()
    {
        TEditForm note(m_host);
        QCOMPARE(note.fileName(), QStringLiteral("Untitled"));
        QCOMPARE(note.windowTitle(), QStringLiteral("Untitled"));
        QVERIFY(note.plainTextMode());
        QCOMPARE(note.Editor->objectName(), QStringLiteral("Editor"));
        QVERIFY(command(&note, "WordWrap1")->isChecked());
        QVERIFY(command(&note, "btnWordWrap")->isChecked());
        QVERIFY(command(&note, "Left1")->isChecked());
        QCOMPARE(note.Editor->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(!command(&note, "btnExternalEditor")->isEnabled());
        QVERIFY(!command(&note, "StartExternalEditor1")->isEnabled());
        const auto *panel = note.findChild<TDocPanel *>(QStringLiteral("DocPanel1"));
        QVERIFY(panel);
        QCOMPARE(panel->actions().size(), 7);
        QCOMPARE(TSubNoteEditForm(m_host).windowTitle(), QStringLiteral("Editor"));
    }

    void menusMergeInTheirGroups()
    {
        TEditForm note(m_host);
        QList<MenuGroup> groups;
        QStringList titles;
        for (const MergedMenu &m : note.mergedMenus()) {
            groups << m.group;
            titles << m.menu->title();
        }
        QCOMPARE(groups, (QList<MenuGroup>{MenuGroup::File, MenuGroup::Edit, MenuGroup::Character}));
        QCOMPARE(titles, (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("Ch&aracter")}));
        QCOMPARE(command(&note, "Open1")->shortcut(), QKeySequence(Qt::Key_F2));
        QCOMPARE(command(&note, "Save1")->shortcut(), QKeySequence(Qt::Key_F3));
        QCOMPARE(command(&note, "Delete1")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_D));
        QCOMPARE(command(&note, "Saveas1")->statusTip(), QStringLiteral("Save file with different name"));
    }

    // Every entry of the note's menus, "-" for a separator, with its shortcut
    // and the long part of its hint.
    void menuEntries_data()
    {
        QTest::addColumn<int>("menu");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("File") << 0
            << QStringList{"&New||New notepad", "&Open...|F2|Open file", "&Close||Close window", "&Save|F3|Save file",
                           "Save &as...||Save file with different name", "-", "Start external editor||", "-",
                           "Sen&d...||Send via MAPI", "-", "&Load dive plan|F11|&Load a dive into the dive planner", "-",
                           "&Print||Print", "Printer setup...||Change printer setup", "-", "E&xit||"};
        QTest::newRow("Edit") << 1
            << QStringList{"Cu&t|Ctrl+X|", "&Copy|Ctrl+C|", "&Paste|Ctrl+V|", "De&lete|Ctrl+D|", "-", "Select &all|Ctrl+A|"};
        QTest::newRow("Character") << 2
            << QStringList{"&Left||", "&Right||", "&Center||", "-", "&Word wrap||", "-", "&Font...||"};
    }
    void menuEntries()
    {
        QFETCH(int, menu);
        QFETCH(QStringList, entries);
        TEditForm note(m_host);
        QStringList shown;
        for (const QAction *a : note.mergedMenus().at(menu).menu->actions())
            shown << (a->isSeparator() ? QStringLiteral("-")
                                       : a->text() + u'|' + a->shortcut().toString() + u'|' + a->statusTip());
        QCOMPARE(shown, entries);
    }

    void toolbarButtonsAndPopupMenu()
    {
        TEditForm note(m_host);
        const auto *panel = note.findChild<TDocPanel *>(QStringLiteral("DocPanel1"));
        QStringList hints;
        for (const QAction *a : panel->actions())
            hints << a->toolTip();
        QCOMPARE(hints, (QStringList{"New notepad", "Save", "Font", "Print", "Toggle wordwrap", "Windows editor with note",
                                     "Send via MAPI"}));
        QCOMPARE(panel->statusTip(),
                 QStringLiteral("Double-Click to dock/undock toolbar. Double click on title of floating toolbar to dock"));
        QVERIFY(panel->actions().at(4)->isCheckable());
        QStringList popup;
        for (const QAction *a : note.findChild<QMenu *>(QStringLiteral("PopupMenu2"))->actions())
            popup << a->text();
        QCOMPARE(popup, (QStringList{"Cu&t", "&Copy", "&Paste"}));
    }

    void extensionDecidesModeOnOpen_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("plain");
        QTest::newRow("lower rtf") << "a.rtf" << false;
        QTest::newRow("upper RTF") << "B.RTF" << false;
        QTest::newRow("txt") << "c.txt" << true;
        QTest::newRow("rtf not last") << "d.rtf.txt" << true;
        QTest::newRow("no extension") << "e" << true;
    }
    void extensionDecidesModeOnOpen()
    {
        QFETCH(QString, name);
        QFETCH(bool, plain);
        const QString file = path(name);
        writeFile(file, "{\\rtf1\\ansi {\\b Deep} dive\\par}");
        TEditForm note(m_host);
        user::type(note.Editor, QStringLiteral("old"));
        OpenNoteFile(&note, file);
        QCOMPARE(note.plainTextMode(), plain);
        QCOMPARE(note.fileName(), file);
        QCOMPARE(note.windowTitle(), name);
        QCOMPARE(note.Editor->toPlainText(), plain ? QStringLiteral("{\\rtf1\\ansi {\\b Deep} dive\\par}") : QStringLiteral("Deep dive"));
        QVERIFY(!note.Editor->document()->isModified());
        QCOMPARE(note.Editor->textCursor().position(), 0);
        QVERIFY(command(&note, "btnExternalEditor")->isEnabled());
    }

    void modeNotNameDecidesTheSavedFormat()
    {
        ScriptedDialogs dialogs;
        const QString file = path(QStringLiteral("notes.rtf"));
        TEditForm note(m_host);
        user::type(note.Editor, QStringLiteral("Tank {12} litres"));
        dialogs.answerFile(file);
        note.Save1Click();
        QCOMPARE(fileBytes(file), QByteArray("Tank {12} litres"));
        QCOMPARE(note.windowTitle(), QStringLiteral("notes.rtf"));
        QVERIFY(!note.Editor->document()->isModified());
        QCOMPARE(dialogs.lastFileOptions().defaultExtension, QStringLiteral("txt"));
        QCOMPARE(dialogs.lastFileOptions().filter,
                 QStringLiteral("Rich text files (*.rtf)|*.rtf|Plain text files (*.txt)|*.txt|All files|*.*"));
        QVERIFY(dialogs.lastFileOptions().promptOnCreate);

        // Opened later, the plain file under a ".rtf" name shows its text.
        TEditForm reopened(m_host);
        OpenNoteFile(&reopened, file);
        QVERIFY(!reopened.plainTextMode());
        QCOMPARE(reopened.Editor->toPlainText(), QStringLiteral("Tank {12} litres"));

        // A rich note stays rich under a ".txt" name, formatting and all.
        QTextCursor cursor(reopened.Editor->document());
        cursor.select(QTextCursor::WordUnderCursor);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.mergeCharFormat(bold);
        const QString txt = path(QStringLiteral("rich.txt"));
        dialogs.answerFile(txt);
        reopened.Saveas1Click();
        QVERIFY(looksLikeRtf(fileBytes(txt)));
        TEditForm third(m_host);
        third.setPlainTextMode(false);
        third.loadFromFile(txt);
        QCOMPARE(third.Editor->toPlainText(), QStringLiteral("Tank {12} litres"));
        QCOMPARE(third.Editor->document()->begin().begin().fragment().charFormat().fontWeight(), int(QFont::Bold));
    }

    void closeQuestion_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<bool>("closes");
        QTest::newRow("no") << QMessageBox::No << QString() << true;
        QTest::newRow("cancel") << QMessageBox::Cancel << QString() << false;
        QTest::newRow("yes, saved") << QMessageBox::Yes << QStringLiteral("closed.txt") << true;
        // The user asked to save: cancelling the dialog must not throw the text away.
        QTest::newRow("yes, save-as cancelled") << QMessageBox::Yes << QString() << false;
    }
    void closeQuestion()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, closes);
        WindowFixture program;
        TMainForm &main = program.main();
        TEditForm *note = main.newNote();
        QPointer<QMdiSubWindow> frame = main.mdiArea()->activeSubWindow();
        note->appendLine(QStringLiteral("Bottom gas 21%"));
        program.dialogs().answerMessage(answer);
        program.dialogs().answerFile(saveAs.isEmpty() ? QString() : path(saveAs));
        frame->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(program.dialogs().messageTexts(), QStringList{QStringLiteral("Save changes to Untitled?")});
        QCOMPARE(program.dialogs().asked().constFirst().buttons,
                 QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(frame.isNull(), closes);
        if (!closes) {
            QCOMPARE(note->Editor->toPlainText(), QStringLiteral("Bottom gas 21%"));
            QVERIFY(note->Editor->document()->isModified());
        }
        if (!saveAs.isEmpty())
            QCOMPARE(fileBytes(path(saveAs)), QByteArray("Bottom gas 21%"));
    }

    // The toolbar takes its stored place at creation; a note closed while its
    // toolbar floats docks it again, and the docked state is what is stored.
    void toolbarPlaceIsStoredAndDockedOnClose()
    {
        WindowFixture program("[DocPanel1]\nDocked=1\nAlign=3\n");
        TMainForm &main = program.main();
        main.show();
        // Floating windows wait for the main window's first frame.
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        TEditForm *note = main.newNote();
        auto *panel = note->findChild<TDocPanel *>(QStringLiteral("DocPanel1"));
        QCOMPARE(panel->Align(), TDocPanel::alLeft);
        QCOMPARE(note->Editor->x(), panel->width());
        QTest::mouseDClick(panel, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!panel->Docked());
        QVERIFY(panel->floatingWindow()->isVisible());
        QPointer<QMdiSubWindow> frame = main.mdiArea()->activeSubWindow();
        frame->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(frame.isNull());
        QCOMPARE(SettingsFile().readInteger(QStringLiteral("DocPanel1"), QStringLiteral("Docked"), -1), 1);
        QCOMPARE(SettingsFile().readInteger(QStringLiteral("DocPanel1"), QStringLiteral("Align"), -1), 3);
    }

    void externalEditorNeedsASavedFile()
    {
        ScriptedDialogs dialogs;
        TEditForm note(m_host);
        user::type(note.Editor, QStringLiteral("x"));
        dialogs.answerFile(QString());
        note.Save1Click();
        QVERIFY(!command(&note, "btnExternalEditor")->isEnabled());
        dialogs.answerFile(path(QStringLiteral("first.txt")));
        note.Save1Click();
        QVERIFY(command(&note, "btnExternalEditor")->isEnabled());
        QVERIFY(command(&note, "StartExternalEditor1")->isEnabled());
    }

    void editCommandsFollowClipboardAndSelection()
    {
        TEditForm note(m_host);
        user::type(note.Editor, QStringLiteral("nitrox"));
        QImage picture(4, 4, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QApplication::clipboard()->setImage(picture);
        note.updateEditCommands();
        QVERIFY(!command(&note, "Paste1")->isEnabled());
        QVERIFY(!command(&note, "Paste2")->isEnabled());
        QVERIFY(!command(&note, "Cut1")->isEnabled());
        QVERIFY(!command(&note, "Copy2")->isEnabled());

        note.Editor->selectAll();
        note.updateEditCommands();
        command(&note, "Copy1")->trigger();
        note.updateEditCommands();
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("nitrox"));
        for (const char *name : {"Paste1", "Paste2", "Cut1", "Copy1", "Delete1", "Cut2", "Copy2"})
            QVERIFY2(command(&note, name)->isEnabled(), name);
        command(&note, "Delete1")->trigger();
        QCOMPARE(note.Editor->toPlainText(), QString());
    }

    // The edit commands look at the selection when their shortcut is pressed,
    // not only when the menu was last opened.
    void shortcutsActOnTheCurrentSelection()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        main.show();
        TEditForm *note = main.newNote();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        user::type(note->Editor, QStringLiteral("deco stop"));
        note->Editor->setFocus();
        QTextCursor cursor(note->Editor->document());
        cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        note->Editor->setTextCursor(cursor);
        QTest::keyClick(note->Editor, Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(note->Editor->toPlainText(), QStringLiteral("stop"));

        // F3 saves the note instead of opening the blending worksheet.
        const int windows = main.childForms().size();
        program.dialogs().answerFile(QString());
        QTest::keyClick(note->Editor, Qt::Key_F3);
        QCOMPARE(main.childForms().size(), windows);
        QCOMPARE(program.dialogs().lastFileOptions().filter,
                 QStringLiteral("Rich text files (*.rtf)|*.rtf|Plain text files (*.txt)|*.txt|All files|*.*"));
        note->Editor->document()->setModified(false);
    }

    void alignmentAndWordWrap()
    {
        TEditForm note(m_host);
        user::type(note.Editor, QStringLiteral("one\ntwo\nthree"));
        QTextCursor cursor(note.Editor->document());
        cursor.movePosition(QTextCursor::NextBlock);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        note.Editor->setTextCursor(cursor);
        command(&note, "Center1")->trigger();
        QVERIFY(command(&note, "Center1")->isChecked());
        QVERIFY(!command(&note, "Left1")->isChecked());
        QVERIFY(!command(&note, "Right1")->isChecked());
        const QTextDocument *doc = note.Editor->document();
        QCOMPARE(doc->findBlockByNumber(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QVERIFY(!(doc->findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHCenter));

        command(&note, "btnWordWrap")->trigger();
        QVERIFY(!command(&note, "WordWrap1")->isChecked());
        QVERIFY(!command(&note, "btnWordWrap")->isChecked());
        QCOMPARE(note.Editor->lineWrapMode(), QTextEdit::NoWrap);
        QCOMPARE(note.Editor->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(note.Editor->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        command(&note, "WordWrap1")->trigger();
        QVERIFY(command(&note, "btnWordWrap")->isChecked());
        QCOMPARE(note.Editor->lineWrapMode(), QTextEdit::WidgetWidth);
    }

    void fontGoesToTheSelection()
    {
        ScriptedDialogs dialogs;
        TEditForm note(m_host);
        user::type(note.Editor, QStringLiteral("deco stop"));
        QTextCursor cursor(note.Editor->document());
        cursor.movePosition(QTextCursor::NextWord, QTextCursor::KeepAnchor);
        note.Editor->setTextCursor(cursor);
        QFont chosen(QStringLiteral("DejaVu Serif"), 20);
        dialogs.answerFont(chosen);
        command(&note, "Font1")->trigger();
        const QTextBlock block = note.Editor->document()->begin();
        QTextCursor probe(block);
        probe.setPosition(2);
        QCOMPARE(probe.charFormat().font().pointSize(), 20);
        probe.setPosition(7);
        QVERIFY(probe.charFormat().font().pointSize() != 20);
    }

    void printsAllPagesToPdf()
    {
        ScriptedDialogs dialogs;
        TEditForm note(m_host);
        QStringList lines;
        for (int i = 1; i <= 150; ++i)
            lines << QStringLiteral("Line %1 of the dive log").arg(i);
        note.setLines(lines);
        note.setFileName(path(QStringLiteral("log.txt")));
        const QString pdf = path(QStringLiteral("log.pdf"));
        QString jobName;
        dialogs.answerPrint([&](QPrinter &printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            jobName = printer.docName();
            return true;
        });
        command(&note, "Print1")->trigger();
        QCOMPARE(jobName, path(QStringLiteral("log.txt")));
        const QString text = PdfText(pdf);
        QVERIFY(text.contains(QStringLiteral("Line 1 of the dive log")));
        QVERIFY(text.contains(QStringLiteral("Line 150 of the dive log")));
        QVERIFY(PdfPageCount(pdf) > 1);

        // A cancelled print dialog prints nothing.
        QFile::remove(pdf);
        dialogs.answerPrint([&](QPrinter &printer) {
            printer.setOutputFileName(pdf);
            return false;
        });
        command(&note, "btnPrint")->trigger();
        QVERIFY(!QFile::exists(pdf));
    }

    void mailAvailability_data()
    {
        QTest::addColumn<QByteArray>("handler");
        QTest::addColumn<bool>("available");
        QTest::newRow("handler named") << QByteArray("thunderbird.desktop\\n") << true;
        QTest::newRow("no handler") << QByteArray("") << false;
    }
    void mailAvailability()
    {
        QFETCH(QByteArray, handler);
        QFETCH(bool, available);
        FakeDesktop desktop(handler);
        MailAvailability &mail = MailAvailability::instance();
        QSignalSpy answered(&mail, &MailAvailability::answered);
        mail.refresh();
        QVERIFY(!answered.isEmpty() || answered.wait(10000));
        QCOMPARE(mail.available(), available);
        WindowFixture program;
        TMainForm &main = program.main();
        TEditForm *first = main.newNote();
        QCOMPARE(command(first, "Send1")->isEnabled(), available);
        QCOMPARE(command(first, "btnSend")->isEnabled(), available);

        // Switching between notes reads the kept answer: no process starts
        // on the user-interface thread.
        const int asked = desktop.mimeCalls();
        TEditForm *second = main.newNote();
        for (int i = 0; i < 3; ++i) {
            main.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(first->parentWidget()));
            main.mdiArea()->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(second->parentWidget()));
        }
        QCOMPARE(desktop.mimeCalls(), asked);
        QCOMPARE(command(second, "Send1")->isEnabled(), available);

        // Opening the File menu asks again, in the background.
        emit second->findChild<QMenu *>(QStringLiteral("File2"))->aboutToShow();
        QVERIFY(answered.wait(10000));
        QCOMPARE(desktop.mimeCalls(), asked + 1);
        QCOMPARE(command(first, "btnSend")->isEnabled(), available);
    }

    void mailHandsOverTheWholeText()
    {
        FakeDesktop desktop("evolution.desktop\\n");
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &catcher, "open");
        ScriptedDialogs dialogs;
        refreshMail();
        TEditForm note(m_host);
        user::type(note.Editor, QStringLiteral("Gas: 32% & 21%\nDepth 30 m"));
        command(&note, "Send1")->trigger();
        QCOMPARE(catcher.urls.size(), 1);
        const QUrl link = catcher.urls.constFirst();
        QCOMPARE(link.scheme(), QStringLiteral("mailto"));
        QCOMPARE(QUrlQuery(link).queryItemValue(QStringLiteral("body"), QUrl::FullyDecoded),
                 QStringLiteral("Gas: 32% & 21%\r\nDepth 30 m"));

        // Too long for a link: xdg-email gets it whole.
        const QString longLine = QString(MaxMailtoLength, u'x');
        user::type(note.Editor, longLine + QStringLiteral("\nend"));
        command(&note, "btnSend")->trigger();
        QCOMPARE(catcher.urls.size(), 1);
        QCOMPARE(desktop.emailArguments(), QStringLiteral("--utf8\n--body\n") + longLine + QStringLiteral("\r\nend\n"));
        QVERIFY(dialogs.asked().isEmpty());
        QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    }

    void failedMailHandOverIsReported()
    {
        FakeDesktop desktop("evolution.desktop\\n");
        ScriptedDialogs dialogs;
        refreshMail();
        TEditForm note(m_host);
        user::type(note.Editor, QStringLiteral("short"));
        // The offscreen platform has no desktop to take the link.
        command(&note, "Send1")->trigger();
        QCOMPARE(dialogs.messageTexts(), QStringList{QStringLiteral("Error sending mail")});
        QCOMPARE(dialogs.asked().constFirst().icon, QMessageBox::Critical);
        QCOMPARE(dialogs.asked().constFirst().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    }

    void unusableFilesAreRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "vanished.txt" << "No such file";
        QTest::newRow("folder") << "folder.txt" << "It is a folder, not a file.";
        QTest::newRow("binary") << "picture.txt" << "It is not a text file.";
        QTest::newRow("50 MB") << "huge.txt" << "notes can hold at most 20 MB";
    }
    void unusableFilesAreRefused()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QDir(m_dir.path()).mkpath(QStringLiteral("folder.txt"));
        writeFile(path(QStringLiteral("picture.txt")), QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
        if (name == u"huge.txt" && !QFile::exists(path(name))) {
            QFile huge(path(name));
            QVERIFY(huge.open(QIODevice::WriteOnly));
            const QByteArray line = QByteArray(99, 'd') + '\n';
            for (int i = 0; i < 500 * 1024; ++i)
                huge.write(line);
        }
        const QString file = path(name);
        TEditForm note(m_host);
        user::type(note.Editor, QStringLiteral("kept"));
        try {
            OpenNoteFile(&note, file);
            QFAIL("the file was opened");
        } catch (const AppError &e) {
            QVERIFY2(e.message().startsWith(QStringLiteral("Cannot open file \"%1\".").arg(file)), qPrintable(e.message()));
            QVERIFY2(e.message().contains(reason), qPrintable(e.message()));
        }
        QCOMPARE(note.fileName(), file);
        QCOMPARE(note.windowTitle(), name);
        QCOMPARE(note.Editor->toPlainText(), QStringLiteral("kept"));
    }

    // A report note (the short dive plan) carries a proposed name. Without a
    // folder the user chooses where it goes; with one, a file already there
    // is replaced only when the user says so, and only the first time.
    void reportNoteSavesWhereTheUserChose_data()
    {
        QTest::addColumn<QString>("name");           // %1: the plan's folder
        QTest::addColumn<QByteArray>("existing");    // already in the plan's folder under the name; null: none
        QTest::addColumn<QMessageBox::StandardButton>("replace");
        QTest::addColumn<QString>("chosen");         // the save dialog's answer, %1 as above; "": cancelled
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<QString>("written");        // where the report went; "": nowhere
        QTest::newRow("unsaved plan: asks where") << "DivePlan30_32-41.txt" << QByteArray() << QMessageBox::NoButton
                                                  << "%1/site.txt" << QStringList{"save"} << "%1/site.txt";
        QTest::newRow("unsaved plan: dialog cancelled") << "DivePlan30_32-41.txt" << QByteArray()
                                                        << QMessageBox::NoButton << "" << QStringList{"save"} << "";
        QTest::newRow("named plan, nothing beside it") << "%1/Reef.txt" << QByteArray() << QMessageBox::NoButton << ""
                                                       << QStringList() << "%1/Reef.txt";
        QTest::newRow("named plan, file beside it, replaced") << "%1/Reef.txt" << QByteArray("my own notes")
                                                              << QMessageBox::Yes << "" << QStringList{"message"}
                                                              << "%1/Reef.txt";
        QTest::newRow("named plan, file beside it, kept") << "%1/Reef.txt" << QByteArray("my own notes")
                                                          << QMessageBox::No << "%1/Reef plan.txt"
                                                          << QStringList{"message", "save"} << "%1/Reef plan.txt";
        QTest::newRow("named plan, file beside it, nothing chosen")
            << "%1/Reef.txt" << QByteArray("my own notes") << QMessageBox::No << "" << QStringList{"message", "save"}
            << "";
    }
    void reportNoteSavesWhereTheUserChose()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, existing);
        QFETCH(QMessageBox::StandardButton, replace);
        QFETCH(QString, chosen);
        QFETCH(QStringList, questions);
        QFETCH(QString, written);
        QTemporaryDir plans;
        QTemporaryDir working;
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(working.path()));
        auto back = qScopeGuard([&] { QDir::setCurrent(before); });
        name = name.arg(plans.path());
        chosen = chosen.arg(plans.path());
        written = written.arg(plans.path());
        const QString beside = plans.filePath(QStringLiteral("Reef.txt"));
        if (!existing.isNull())
            writeFile(beside, existing);

        WindowFixture program;
        TMainForm &main = program.main();
        static_cast<ChildHost &>(main).showReport(name, QFont(QStringLiteral("Courier New"), 8),
                                                  {QStringLiteral("Dive Plan created"), QString(), QStringLiteral("DIVE")});
        auto *note = qobject_cast<TEditForm *>(main.activeChild());
        QVERIFY(note);
        QCOMPARE(note->windowTitle(), QFileInfo(name).fileName());
        if (replace != QMessageBox::NoButton)
            program.dialogs().answerMessage(replace);
        program.dialogs().answerFile(chosen);
        command(note, "Save1")->trigger();

        QStringList asked;
        for (const auto &question : program.dialogs().asked())
            asked << question.kind;
        QCOMPARE(asked, questions);
        if (replace != QMessageBox::NoButton)
            QCOMPARE(program.dialogs().messageTexts(),
                     QStringList{QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(beside)});
        if (questions.contains(QStringLiteral("save"))) {
            QCOMPARE(program.dialogs().lastFileOptions().fileName, name);
            QVERIFY(QFileInfo(program.dialogs().lastFileOptions().initialFolder).isAbsolute());
        }
        // Nothing lands in the working folder, and the file beside the plan
        // changes only when the user said so.
        QCOMPARE(QDir(working.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        if (!existing.isNull() && written != beside)
            QCOMPARE(fileBytes(beside), existing);
        if (written.isEmpty())
            return;
        QCOMPARE(fileBytes(written), QByteArray("Dive Plan created\n\nDIVE"));
        QCOMPARE(note->fileName(), written);

        // The file saved is the note's own now: saving again asks nothing.
        program.dialogs().clear();
        note->appendLine(QStringLiteral("Call point"));
        command(note, "Save1")->trigger();
        QCOMPARE(program.dialogs().asked().size(), 0);
        QCOMPARE(fileBytes(written), QByteArray("Dive Plan created\n\nDIVE\nCall point"));
    }

    void failedSaveKeepsTheTextModified_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("read-only system folder") << QStringLiteral("/proc/tidewell-note.txt");
        QTest::newRow("missing folder") << QStringLiteral("%1/no/such/folder/note.txt");
        QTest::newRow("folder of that name") << QStringLiteral("%1");
        QTest::newRow("read-only file") << QStringLiteral("%1/readonly.txt");
    }
    void failedSaveKeepsTheTextModified()
    {
        QFETCH(QString, target);
        if (target.contains(u'%'))
            target = target.arg(m_dir.path());
        if (target.endsWith(u"readonly.txt")) {
            if (geteuid() == 0)
                QSKIP("file permissions do not bind the superuser");
            writeFile(target, "old");
            QFile::setPermissions(target, QFile::ReadOwner);
        }
        WindowFixture program;
        TMainForm &main = program.main();
        TEditForm *note = main.newNote();
        note->appendLine(QStringLiteral("precious"));
        program.dialogs().answerFile(target);
        command(note, "Save1")->trigger();
        QCOMPARE(program.dialogs().messageTexts().size(), 1);
        QVERIFY2(program.dialogs().messageTexts().constFirst().startsWith(
                     QStringLiteral("Cannot write file \"%1\".").arg(target)),
                 qPrintable(program.dialogs().messageTexts().constFirst()));
        QVERIFY(note->Editor->document()->isModified());
        QCOMPARE(note->Editor->toPlainText(), QStringLiteral("precious"));
        if (target.endsWith(u"readonly.txt"))
            QCOMPARE(fileBytes(target), QByteArray("old"));
    }

    void noteInReadOnlyFolderIsSavedWhole()
    {
        // A shared folder that refuses new files but lets the note be
        // written: the note is written in place, and nothing is left beside it.
        QTemporaryDir folder;
        OrdinaryUser::own(folder.path());
        const QString target = folder.filePath(QStringLiteral("dive-log.txt"));
        writeFile(target, "old text");
        OrdinaryUser::own(target);
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
        {
            OrdinaryUser user;
            NoteFile::write(target, "new text, longer than the old one");
        }
        QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(fileBytes(target), QByteArray("new text, longer than the old one"));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"dive-log.txt"});
    }

    void brokenRtfShowsWhatCouldBeRead_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("expected");
        QTest::newRow("truncated") << QByteArray("{\\rtf1\\ansi Safety stop at 5 m\\par Three min") << "Safety stop at 5 m\nThree min";
        QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 Air}}}} left") << "Air";
        QTest::newRow("unclosed groups") << QByteArray("{\\rtf1 {{{{\\b Deep") << "Deep";
        QTest::newRow("absurd values") << QByteArray("{\\rtf1\\fs999999999999\\f-2147483649\\u99999999? Ok}") << "Ok";
        QTest::newRow("not rtf at all") << QByteArray("Plain words in an .rtf file") << "Plain words in an .rtf file";
        QTest::newRow("empty") << QByteArray() << "";
    }
    void brokenRtfShowsWhatCouldBeRead()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, expected);
        const QString file = path(QStringLiteral("broken.rtf"));
        writeFile(file, rtf);
        TEditForm note(m_host);
        OpenNoteFile(&note, file);
        QVERIFY2(note.Editor->toPlainText().contains(expected), qPrintable(note.Editor->toPlainText()));
    }

    void resultNotepadAndScrolling()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        main.show();
        TEditForm *note = main.newNote();
        QCOMPARE(main.activeChild(), note);
        note->appendLine(QStringLiteral("Breathing test"));
        note->appendLine(QStringLiteral("Tank 12 l 200 bar"));
        QCOMPARE(note->Editor->toPlainText(), QStringLiteral("Breathing test\nTank 12 l 200 bar"));
        QStringList lines;
        for (int i = 0; i < 300; ++i)
            lines << QString::number(i);
        note->setLines(lines);
        QCOMPARE(note->Editor->document()->blockCount(), 300);
        QCoreApplication::processEvents();
        note->Editor->verticalScrollBar()->setValue(note->Editor->verticalScrollBar()->maximum());
        QVERIFY(note->Editor->verticalScrollBar()->value() > 0);
        ScrollNoteToTop(note);
        QCOMPARE(note->Editor->verticalScrollBar()->value(), 0);
        note->Editor->document()->setModified(false);
    }

    void mainWindowOpensNotesAndRemembersThem()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        const QString first = path(QStringLiteral("first note.txt"));
        const QString second = path(QStringLiteral("second.ini"));
        writeFile(first, "first");
        writeFile(second, "[Measurements]\nMetric=1\n");

        program.dialogs().answerFile(second);
        main.action(QStringLiteral("OpenNotepad1"))->trigger();
        QCOMPARE(program.dialogs().lastFileOptions().filter,
                 QStringLiteral(
                     "Editor files (*.txt;*.rtf)|*.txt;*.rtf|Text files (*.txt)|*.txt|Rich Text Files (*.rtf)|*.rtf|"
                     "Configuration files (*.ini)|*.ini|Tidewell Dive files (*.dive)|*.dive|"
                     "DAN Research files (*.nem;*.dan)|*.nem;*.dan|All files (*.*)|*.*"));
        QVERIFY(program.dialogs().lastFileOptions().mustExist);
        main.openFileByExtension(first);
        QCOMPARE(main.FileHistory->files(), (QStringList{first, second}));
        auto *note = qobject_cast<TEditForm *>(main.activeChild());
        QVERIFY(note);
        QCOMPARE(note->windowTitle(), QStringLiteral("first note.txt"));

        QMenu *reopen = main.menu(QStringLiteral("Reopen1"));
        QVERIFY(reopen->isEnabled());
        QAction *older = nullptr;
        for (QAction *a : reopen->actions())
            if (a->objectName() == u"miMRF1")
                older = a;
        QVERIFY(older);
        QCOMPARE(older->text(), QStringLiteral("&2  ") + second);
        older->trigger();
        QCOMPARE(main.childForms().size(), 3);
        QCOMPARE(main.activeChild()->windowTitle(), QStringLiteral("second.ini"));
        QCOMPARE(main.FileHistory->files().constFirst(), second);

        // A file that cannot be opened is reported and not remembered.
        const QString missing = path(QStringLiteral("gone.txt"));
        guarded([&] { main.openFileByExtension(missing); });
        QCOMPARE(program.dialogs().messageTexts().size(), 1);
        QVERIFY(!main.FileHistory->files().contains(missing));
    }

    void noteMenusReplaceTheMainFileMenu()
    {
        WindowFixture program;
        TMainForm &main = program.main();
        main.show();
        TEditForm *note = main.newNote();
        QStringList titles;
        for (QAction *a : main.menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles.mid(0, 4), (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"),
                                                QStringLiteral("Ch&aracter"), QStringLiteral("&Calculations")}));
        QCOMPARE(main.menuBar()->actions().constFirst()->menu(), note->mergedMenus().constFirst().menu);
        // The main window still finds its own commands by name.
        QCOMPARE(main.action(QStringLiteral("Close1"))->text(), QStringLiteral("&Close"));
        QVERIFY(main.action(QStringLiteral("Close1"))->parent() != note);
    }
};

QTEST_MAIN(TestEditForm)
#include "tst_editform.moc"
