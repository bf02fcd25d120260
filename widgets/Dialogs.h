#pragma once

// Every modal question the program asks goes through the current Dialogs
// object: message boxes, the input box and the file, folder, font and print
// dialogs. The program uses the real dialogs; tests install a scripted
// answerer, so no test ever waits on a dialog.

#include <QFont>
#include <QMessageBox>
#include <QString>
#include <QStringList>

class QDialog;
class QPrinter;
class QWidget;

struct FileDialogOptions
{
    QString title;
    // Filter in "Description|pattern;pattern|Description|pattern" form.
    QString filter;
    QString defaultExtension;   // without the dot
    QString initialFolder;
    QString fileName;           // proposed name
    bool mustExist = false;     // open: the file and its folder must exist
    bool promptOnCreate = false; // save: ask before naming a file that does not exist
    bool hideReadOnly = false;  // save: read-only files are neither shown nor returned
    QStringList history;        // names offered in the dialog's history list
};

class Dialogs
{
public:
    virtual ~Dialogs() = default;

    static Dialogs &current();
    // Installs `dialogs` (not owned) in place of the real ones; nullptr restores them.
    static void install(Dialogs *dialogs);

    virtual QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString &title,
                                                const QString &text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton) = 0;
    // Returns false when cancelled; `value` holds the answer otherwise.
    virtual bool inputQuery(const QString &title, const QString &prompt, QString &value) = 0;
    // Empty when cancelled.
    virtual QString openFileName(const FileDialogOptions &options) = 0;
    virtual QString saveFileName(const FileDialogOptions &options) = 0;
    virtual QString directory(const QString &title, const QString &initialFolder) = 0;
    virtual bool chooseFont(QFont &font) = 0;
    // Lets the user pick and set up the printer; false when cancelled.
    virtual bool print(QPrinter &printer) = 0;
    virtual bool printerSetup(QPrinter &printer) = 0;
    // Runs one of the program's own modal windows (About box, problem
    // dialogs) and returns its result code.
    virtual int execDialog(QDialog &dialog) = 0;
};

// The standard boxes of the program, all through Dialogs::current().
// An information box titled with the application's name and an OK button.
void ShowMessage(const QString &text);
// A box titled by its kind ("Error", "Warning", "Confirm", "Information").
QMessageBox::StandardButton MessageDlg(const QString &text, QMessageBox::Icon icon,
                                       QMessageBox::StandardButtons buttons);
// Yes/No question; true for Yes.
bool AskYesNo(const QString &text, QMessageBox::Icon icon = QMessageBox::Question);

// "Desc|*.a;*.b|Desc2|*.c" to Qt's "Desc (*.a *.b);;Desc2 (*.c)".
QString qtFileFilter(const QString &filter);
