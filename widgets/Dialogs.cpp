#include "widgets/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSortFilterProxyModel>
#include <QFontDialog>
#include <QInputDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

namespace {

QWidget *dialogParent() { return QApplication::activeWindow(); }

QString withDefaultExtension(QString name, const QString &extension)
{
    if (!name.isEmpty() && !extension.isEmpty() && QFileInfo(name).suffix().isEmpty())
        name += u'.' + extension;
    return name;
}

// Hides files that cannot be written from a save dialog.
class WritableFilesOnly final : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool filterAcceptsRow(int row, const QModelIndex &parent) const override
    {
        const auto *files = qobject_cast<const QFileSystemModel *>(sourceModel());
        if (!files)
            return true;
        const QFileInfo info = files->fileInfo(files->index(row, 0, parent));
        return info.isDir() || info.isWritable();
    }
};

class RealDialogs final : public Dialogs
{
public:
    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString &title,
                                        const QString &text, QMessageBox::StandardButtons buttons,
                                        QMessageBox::StandardButton defaultButton) override
    {
        QMessageBox box(icon, title, text, buttons, dialogParent());
        box.setDefaultButton(defaultButton);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    }

    bool inputQuery(const QString &title, const QString &prompt, QString &value) override
    {
        bool ok = false;
        const QString answer = QInputDialog::getText(dialogParent(), title, prompt,
                                                     QLineEdit::Normal, value, &ok);
        if (ok)
            value = answer;
        return ok;
    }

    QString openFileName(const FileDialogOptions &o) override
    {
        QFileDialog dialog(dialogParent(), o.title, startPath(o), qtFileFilter(o.filter));
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(o.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        dialog.setDefaultSuffix(o.defaultExtension);
        dialog.setHistory(o.history);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return {};
        return dialog.selectedFiles().constFirst();
    }

    QString saveFileName(const FileDialogOptions &o) override
    {
        QFileDialog dialog(dialogParent(), o.title, startPath(o), qtFileFilter(o.filter));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(o.defaultExtension);
        dialog.setHistory(o.history);
        if (o.hideReadOnly) {
            dialog.setOption(QFileDialog::DontUseNativeDialog);
            dialog.setProxyModel(new WritableFilesOnly(&dialog));
        }
        for (;;) {
            if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
                return {};
            const QString name = withDefaultExtension(dialog.selectedFiles().constFirst(), o.defaultExtension);
            const QFileInfo info(name);
            if (o.hideReadOnly && info.exists() && !info.isWritable())
                continue;
            if (o.promptOnCreate && !info.exists()
                && !AskYesNo(QStringLiteral("%1\nThis file does not exist.\nDo you want to create it?").arg(name)))
                continue;
            return name;
        }
    }

    QString directory(const QString &title, const QString &initialFolder) override
    {
        return QFileDialog::getExistingDirectory(dialogParent(), title, initialFolder);
    }

    bool chooseFont(QFont &font) override
    {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, font, dialogParent());
        if (ok)
            font = chosen;
        return ok;
    }

    bool print(QPrinter &printer) override
    {
        QPrintDialog dialog(&printer, dialogParent());
        return dialog.exec() == QDialog::Accepted;
    }

    bool printerSetup(QPrinter &printer) override
    {
        QPageSetupDialog dialog(&printer, dialogParent());
        return dialog.exec() == QDialog::Accepted;
    }

    int execDialog(QDialog &dialog) override { return dialog.exec(); }

private:
    static QString startPath(const FileDialogOptions &o)
    {
        if (o.fileName.isEmpty())
            return o.initialFolder;
        if (o.initialFolder.isEmpty() || QFileInfo(o.fileName).isAbsolute())
            return o.fileName;
        return QDir(o.initialFolder).filePath(o.fileName);
    }
};

RealDialogs &realDialogs()
{
    static RealDialogs dialogs;
    return dialogs;
}

Dialogs *&installed()
{
    static Dialogs *dialogs = nullptr;
    return dialogs;
}

QString kindTitle(QMessageBox::Icon icon)
{
    switch (icon) {
    case QMessageBox::Critical: return QStringLiteral("Error");
    case QMessageBox::Warning: return QStringLiteral("Warning");
    case QMessageBox::Question: return QStringLiteral("Confirm");
    case QMessageBox::Information: return QStringLiteral("Information");
    case QMessageBox::NoIcon: break;
    }
    return QApplication::applicationDisplayName();
}

} // namespace

Dialogs &Dialogs::current()
{
    return installed() ? *installed() : static_cast<Dialogs &>(realDialogs());
}

void Dialogs::install(Dialogs *dialogs) { installed() = dialogs; }

void ShowMessage(const QString &text)
{
    Dialogs::current().message(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text,
                               QMessageBox::Ok, QMessageBox::Ok);
}

QMessageBox::StandardButton MessageDlg(const QString &text, QMessageBox::Icon icon,
                                       QMessageBox::StandardButtons buttons)
{
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    for (const auto b : {QMessageBox::Ok, QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
        if (buttons.testFlag(b)) {
            defaultButton = b;
            break;
        }
    return Dialogs::current().message(icon, kindTitle(icon), text, buttons, defaultButton);
}

bool AskYesNo(const QString &text, QMessageBox::Icon icon)
{
    return MessageDlg(text, icon, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

QString qtFileFilter(const QString &filter)
{
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i);
        description.remove(trailingPatterns);
        QStringList patterns = parts.at(i + 1).split(u';', Qt::SkipEmptyParts);
        for (QString &p : patterns)
            if (p.trimmed() == u"*.*")
                p = QStringLiteral("*");
        filters << QStringLiteral("%1 (%2)").arg(description.trimmed(), patterns.join(u' '));
    }
    return filters.join(QStringLiteral(";;"));
}
