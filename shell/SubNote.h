#pragma once

// The note window of the profile viewer: a notepad editor captioned "Editor"
// until it shows a file.

#include "shell/MDIEdit.h"

class TSubNoteEditForm final : public TEditForm
{
    Q_OBJECT
public:
    explicit TSubNoteEditForm(ChildHost &host, QWidget *parent = nullptr);
};
