#include "widgets/PrintJob.h"

#include "core/NumText.h"
#include "widgets/Dialogs.h"

#include <QPainter>
#include <QPrinter>

bool BeginPrintJob(QPainter &painter, QPrinter &printer)
{
    if (painter.begin(&printer))
        return true;
    const QString where = printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : printer.printerName();
    MessageDlg(Format("The print job could not be started on \"%s\".", {where}), QMessageBox::Critical, QMessageBox::Ok);
    return false;
}
