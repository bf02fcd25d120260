#include "tests/support/ScriptedDialogs.h"

ScriptedDialogs::ScriptedDialogs() { Dialogs::install(this); }

ScriptedDialogs::~ScriptedDialogs()
{
    Dialogs::install(nullptr);
    for (const Question &q : m_unanswered)
        qWarning("Unanswered %s: %s", qPrintable(q.kind), qPrintable(q.text));
}

void ScriptedDialogs::record(const Question &q, bool answered)
{
    m_asked << q;
    if (!answered)
        m_unanswered << q;
    if (m_watcher)
        m_watcher(q);
}

QStringList ScriptedDialogs::messageTexts() const
{
    QStringList texts;
    for (const Question &q : m_asked)
        if (q.kind == u"message")
            texts << q.text;
    return texts;
}

void ScriptedDialogs::clear()
{
    m_asked.clear();
    m_unanswered.clear();
}

void ScriptedDialogs::forgetAnswers()
{
    m_messages.clear();
    m_inputs.clear();
    m_files.clear();
    m_folders.clear();
    m_fonts.clear();
    m_prints.clear();
    m_dialogs.clear();
}

QMessageBox::StandardButton ScriptedDialogs::message(QMessageBox::Icon icon, const QString &title,
                                                     const QString &text, QMessageBox::StandardButtons buttons,
                                                     QMessageBox::StandardButton)
{
    // A box with only an OK button needs no scripted answer.
    const bool onlyOk = buttons == QMessageBox::Ok;
    record({QStringLiteral("message"), title, text, icon, buttons}, onlyOk || !m_messages.isEmpty());
    if (onlyOk)
        return QMessageBox::Ok;
    if (m_messages.isEmpty())
        return buttons.testFlag(QMessageBox::Cancel) ? QMessageBox::Cancel : QMessageBox::No;
    return m_messages.takeFirst();
}

bool ScriptedDialogs::inputQuery(const QString &title, const QString &prompt, QString &value)
{
    record({QStringLiteral("input"), title, prompt, {}, {}}, !m_inputs.isEmpty());
    if (m_inputs.isEmpty())
        return false;
    const std::optional<QString> answer = m_inputs.takeFirst();
    if (answer)
        value = *answer;
    return answer.has_value();
}

QString ScriptedDialogs::openFileName(const FileDialogOptions &options)
{
    m_lastFileOptions = options;
    record({QStringLiteral("open"), options.title, options.title, {}, {}}, !m_files.isEmpty());
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QString ScriptedDialogs::saveFileName(const FileDialogOptions &options)
{
    m_lastFileOptions = options;
    record({QStringLiteral("save"), options.title, options.title, {}, {}}, !m_files.isEmpty());
    return m_files.isEmpty() ? QString() : m_files.takeFirst();
}

QString ScriptedDialogs::directory(const QString &title, const QString &)
{
    record({QStringLiteral("directory"), title, title, {}, {}}, !m_folders.isEmpty());
    return m_folders.isEmpty() ? QString() : m_folders.takeFirst();
}

bool ScriptedDialogs::chooseFont(QFont &font)
{
    record({QStringLiteral("font"), {}, {}, {}, {}}, !m_fonts.isEmpty());
    if (m_fonts.isEmpty())
        return false;
    const std::optional<QFont> answer = m_fonts.takeFirst();
    if (answer)
        font = *answer;
    return answer.has_value();
}

bool ScriptedDialogs::print(QPrinter &printer)
{
    record({QStringLiteral("print"), {}, printer.docName(), {}, {}}, !m_prints.isEmpty());
    return !m_prints.isEmpty() && m_prints.takeFirst()(printer);
}

bool ScriptedDialogs::printerSetup(QPrinter &printer)
{
    record({QStringLiteral("printerSetup"), {}, {}, {}, {}}, !m_prints.isEmpty());
    return !m_prints.isEmpty() && m_prints.takeFirst()(printer);
}

int ScriptedDialogs::execDialog(QDialog &dialog)
{
    record({QStringLiteral("dialog"), dialog.windowTitle(), dialog.objectName(), {}, {}}, !m_dialogs.isEmpty());
    return m_dialogs.isEmpty() ? QDialog::Rejected : m_dialogs.takeFirst()(dialog);
}
