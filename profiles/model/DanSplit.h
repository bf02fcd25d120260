#pragma once

// Splitting a DAN research file that holds several dives into one file per
// dive ("pieces"), in a directory the user chooses. Each piece holds line 1
// of the file being split, the dive's header line, the six lines after it
// and the dive's sample lines, copied unchanged. A piece is named after the
// date and time of its header (03/02/97 14:23 gives 03-02-97_14-23.Dan); a
// name already taken gets "_" before ".Dan", up to 100 times.
//
// A piece is written under a fresh temporary name in the destination and
// only then takes its name, which never replaces an existing file. A piece
// that cannot take its name stays under its temporary name, and a message
// says where it is. A piece that could not be written whole is removed, and
// a message says which dive is missing.

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

class DanLineReader;

struct DanSplitCallbacks
{
    // The directory chooser, starting at `start` (which exists); gives the
    // chosen directory, or an empty text when the user cancels.
    std::function<QString(const QString &start)> chooseDirectory;
    // Characters copied into the current piece, of the file's size.
    std::function<void(qint64 position, qint64 maximum)> progress;
};

struct DanSplitResult
{
    bool cancelled = false; // the user cancelled the directory chooser
    QString destination;
    QStringList pieces;   // full paths of the pieces, in file order
    QStringList messages; // pieces kept under temporary names, errors
};

// The piece name for a dive header line, with ".Dan"; empty when the header
// holds no date and time.
QString DanPieceName(const QString &headerLine);

class DanSplitter
{
public:
    DanSplitter(const QString &path, DanSplitCallbacks callbacks);
    ~DanSplitter();

    DanSplitResult ReadFilesForMultibleNEMs();

private:
    struct Piece;

    // Starts the piece of the next dive with `header`, or with the next
    // line of the file when none is given. False when the user cancelled.
    bool ReadHeader(std::optional<QByteArray> header);
    // Copies the dive's sample lines and names the piece; gives the next
    // dive's header line, or none at the end of the file (a header line
    // may read "EOF" like any other text).
    std::optional<QByteArray> ReadData();
    void write(std::string_view line);
    void flushPiece();
    void namePiece();

    QString m_path;
    DanSplitCallbacks m_callbacks;
    std::unique_ptr<DanLineReader> m_reader;
    std::unique_ptr<Piece> m_piece;
    QByteArray m_line1;
    QString m_defaultDestination;
    qint64 m_position = 0;
    DanSplitResult m_result;
};

inline DanSplitResult ReadFilesForMultibleNEMs(const QString &path, DanSplitCallbacks callbacks)
{
    return DanSplitter(path, std::move(callbacks)).ReadFilesForMultibleNEMs();
}
