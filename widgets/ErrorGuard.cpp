#include "widgets/ErrorGuard.h"

#include "widgets/Dialogs.h"

#include <QApplication>

void ReportError(const QString &text)
{
    // A failing dialog must not throw back into the handler that failed.
    try {
        Dialogs::current().message(QMessageBox::Critical, QApplication::applicationDisplayName(),
                                   text, QMessageBox::Ok, QMessageBox::Ok);
    } catch (...) {
        qCritical("%s", qPrintable(text));
    }
}
