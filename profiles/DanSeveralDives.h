#pragma once

// What the viewer does with a file that holds several dives: it asks
// whether to split it, splits it (DanSplit.h) and offers to move the large
// file into a storage directory. The questions, the directory chooser and
// the messages go through the given callbacks.

#include "profiles/DanSplit.h"

struct DanSeveralDivesCallbacks : DanSplitCallbacks
{
    // Both required: a Yes/No question, and a message with an OK button.
    std::function<bool(const QString &question)> askYesNo;
    std::function<void(const QString &message)> showMessage;
    std::function<void()> beep;             // may be empty
    std::function<void(bool busy)> busy;    // busy cursor on and off; may be empty
};

QString DanSplitQuestion();
QString DanStorageQuestion(const QString &fileName);

struct DanSeveralDivesResult
{
    bool split = false;        // the user agreed and the pieces were written
    DanSplitResult pieces;
    QString storedAt;          // where the large file went, empty when not moved
};

DanSeveralDivesResult OfferDanSplit(const QString &path, const DanSeveralDivesCallbacks &callbacks);

// Moves `path` into a storage directory chosen by the user, starting at
// "DAN Data Storage" beside it; messages for a failed copy or delete.
// Gives the new path, or an empty text when the file did not move.
QString MoveToDanStorage(const QString &path, const DanSeveralDivesCallbacks &callbacks);
