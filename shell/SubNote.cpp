#include "shell/SubNote.h"

TSubNoteEditForm::TSubNoteEditForm(QWidget *parent) : TEditForm(parent)
{
    setObjectName(QStringLiteral("SubNoteEditForm"));
    setWindowTitle(QStringLiteral("Editor"));
}
