#pragma once

// A Dialogs answerer for tests: it records every question the program asks
// and answers from queues the test fills beforehand, so no test waits on a
// dialog. A question without a queued answer is recorded as unanswered and
// gets the "cancel" answer of its kind (Cancel or No button, empty name,
// false); tests check `unanswered()` to catch questions they did not expect.

#include "widgets/Dialogs.h"

#include <QDialog>
#include <QList>
#include <QPrinter>
#include <functional>
#include <optional>

class ScriptedDialogs final : public Dialogs
{
public:
    struct Question
    {
        QString kind;   // "message", "input", "open", "save", "directory", "font", "print", "printerSetup", "dialog"
        QString title;
        QString text;   // message text, prompt, file dialog title, dialog object name
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QMessageBox::StandardButtons buttons;
    };

    // Installs itself for its lifetime.
    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void answerMessage(QMessageBox::StandardButton button) { m_messages << button; }
    void answerInput(std::optional<QString> value) { m_inputs << value; }
    void answerFile(const QString &fileName) { m_files << fileName; }          // empty = cancelled
    void answerDirectory(const QString &folder) { m_folders << folder; }
    void answerFont(std::optional<QFont> font) { m_fonts << font; }
    // The function sets the printer up (e.g. a PDF output file) and returns whether to print.
    void answerPrint(std::function<bool(QPrinter &)> answer) { m_prints << std::move(answer); }
    // The function may work the dialog's controls and returns its result code.
    void answerDialog(std::function<int(QDialog &)> answer) { m_dialogs << std::move(answer); }

    // Called with every question as it is asked, so a test can look at the
    // program's state at that moment.
    void whenAsked(std::function<void(const Question &)> watcher) { m_watcher = std::move(watcher); }

    const QList<Question> &asked() const { return m_asked; }
    QStringList messageTexts() const;
    const QList<Question> &unanswered() const { return m_unanswered; }
    void clear();
    // Drops every queued answer: the next questions get their cancelling one.
    void forgetAnswers();

    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString &title, const QString &text,
                                        QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override;
    bool inputQuery(const QString &title, const QString &prompt, QString &value) override;
    QString openFileName(const FileDialogOptions &options) override;
    QString saveFileName(const FileDialogOptions &options) override;
    QString directory(const QString &title, const QString &initialFolder) override;
    bool chooseFont(QFont &font) override;
    bool print(QPrinter &printer) override;
    bool printerSetup(QPrinter &printer) override;
    int execDialog(QDialog &dialog) override;

    // The options of the last file dialog.
    const FileDialogOptions &lastFileOptions() const { return m_lastFileOptions; }

private:
    void record(const Question &q, bool answered);

    QList<QMessageBox::StandardButton> m_messages;
    QList<std::optional<QString>> m_inputs;
    QStringList m_files;
    QStringList m_folders;
    QList<std::optional<QFont>> m_fonts;
    QList<std::function<bool(QPrinter &)>> m_prints;
    QList<std::function<int(QDialog &)>> m_dialogs;
    QList<Question> m_asked;
    QList<Question> m_unanswered;
    std::function<void(const Question &)> m_watcher;
    FileDialogOptions m_lastFileOptions;
};
