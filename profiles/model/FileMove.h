#pragma once

// Moving a file into another folder under its own name, as the viewer's
// "Move file(s)" and the storage of a split file do. The original is
// deleted only once a whole, separate copy exists under a name that
// replaced nothing: a file of that name in the folder (the original itself,
// when the folder is its own) is never replaced, and the move is refused.

#include <QString>

struct FileMove
{
    enum Outcome {
        Moved,        // the copy is in place and the original is gone
        AlreadyThere, // the folder is the file's own: nothing done
        NameTaken,    // the folder holds a file of that name: nothing done
        CopyFailed,   // no copy was made: the original stays
        DeleteFailed, // the copy is in place, the original stays too
    };
    Outcome outcome = CopyFailed;
    QString source;
    QString destination; // the folder followed by the file's name

    // Whether a whole copy now exists at `destination`.
    bool copied() const { return outcome == Moved || outcome == DeleteFailed; }
};

FileMove MoveFileInto(const QString &source, const QString &folder);

// What the user is told about a move, empty when the file moved. A failed
// copy names `copyTarget` as the place the file was copied to.
QString FileMoveMessage(const FileMove &move, const QString &copyTarget);
