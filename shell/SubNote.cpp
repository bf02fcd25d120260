#include "shell/SubNote.h"

TSubNoteEditForm::TSubNoteEditForm(ChildHost &host, QWidget *parent) : TEditForm(host, parent)
{
    setObjectName(QStringLiteral("SubNoteEditForm"));
    setWindowTitle(QStringLiteral("Editor"));
}
