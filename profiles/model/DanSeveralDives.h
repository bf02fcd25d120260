#pragma once

// What the viewer does with a file that holds several dives: it asks
// whether to split it, splits it (DanSplit.h) and offers to move the large
// file into a storage directory. The questions, the directory chooser and
// the messages go through the given callbacks.

#include "profiles/model/DanSplit.h"

struct DanSeveralDivesCallbacks : DanSplitCallbacks
{
    // Both required: a Yes/No question, and a message with an OK button.
    std::function<bool(const QString &question)> askYesNo;
    std::function<void(const QString &message)> showMessage;
    std::function<void()> beep;          // may be empty
    std::function<void(bool busy)> busy; // busy cursor on and off; may be empty
};

QString DanSplitQuestion();
QString DanStorageQuestion(const QString &fileName);

struct DanSeveralDivesResult
{
    bool split = false; // the user agreed and the pieces were written
    DanSplitResult pieces;
    QString storedAt; // where the large file went, empty when not moved
};

DanSeveralDivesResult OfferDanSplit(const QString &path, const DanSeveralDivesCallbacks &callbacks);

// Moves `path` into a storage directory chosen by the user, starting at
// "DAN Data Storage" beside it, as FileMove.h moves files: a folder that is
// the file's own or holds a file of that name is refused with a message, as
// are a failed copy and a failed delete.
// Gives the new path, or an empty text when the file did not move.
QString MoveToDanStorage(const QString &path, const DanSeveralDivesCallbacks &callbacks);
