// DAN research files: any bytes load without a crash, draw at most one
// line per line of the file, at finite coordinates only, and a file with
// several dives splits into pieces that together hold every line of it
// (line 1 repeated at the top of each), written nowhere but the chosen
// directory.
//
// The first input byte picks the resolution step and the animation; the
// rest is the file.

#include "profiles/model/DanReader.h"
#include "profiles/model/DanSplit.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>

namespace {

QString scratchRoot()
{
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/tidewell-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/tidewell-fuzz-XXXXXX"));
    return dir.path();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Lines as the reader sees them: without "\n" or "\r\n", a last line
// without a line end counted too.
QList<QByteArray> linesOf(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    // Pieces end every line alike; a stray carriage return before a line's
    // end may thus become part of it.
    for (QByteArray &line : lines)
        while (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

bool isEmptyLine(const QByteArray &line)
{
    for (const char c : line)
        if (c != ' ' && c != '\t')
            return false;
    return true;
}

QList<QByteArray> withoutEmptyLines(const QList<QByteArray> &lines)
{
    QList<QByteArray> kept;
    for (const QByteArray &line : lines)
        if (!isEmptyLine(line))
            kept << line;
    return kept;
}

QStringList filesBelow(const QString &folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        names << it.next();
    names.sort();
    return names;
}

void checkDrawing(const DanOpList &plot, const DanLoadResult &result, qsizetype lineCount)
{
    qsizetype lines = 0;
    for (const DanDrawOp &op : plot.ops) {
        lines += op.kind == DanDrawOp::LineTo;
        FUZZ_CHECK(std::isfinite(op.x) && std::isfinite(op.y) && std::isfinite(op.x2) && std::isfinite(op.y2),
                   QStringLiteral("operation %1 at %2, %3").arg(int(op.kind)).arg(op.x).arg(op.y));
    }
    FUZZ_CHECK(lines <= lineCount, QStringLiteral("%1 lines drawn for %2 lines").arg(lines).arg(lineCount));
    FUZZ_CHECK(result.sampleCount <= lineCount, QStringLiteral("%1 samples").arg(result.sampleCount));
    FUZZ_CHECK(std::isfinite(result.maxDepth) && std::isfinite(result.maxTime) && std::isfinite(result.maxTemperature)
                   && std::isfinite(result.samplingInterval),
               QStringLiteral("summary %1 %2").arg(result.maxDepth).arg(result.maxTime));
    FUZZ_CHECK(result.complete() || result.severalDives || !result.message.isEmpty(), QString());
}

void checkSplit(const QString &folder, const QString &path, const QList<QByteArray> &lines)
{
    const QStringList before = filesBelow(scratchRoot());
    const QString chosen = folder + QStringLiteral("/chosen");
    const DanSplitResult split = ReadFilesForMultibleNEMs(path, {[&](const QString &) { return chosen; }, {}});
    // A piece may keep its temporary name when the header gives a name the
    // file system refuses; nothing else may go wrong on a writable disk.
    for (const QString &message : split.messages)
        FUZZ_CHECK(message.startsWith(QStringLiteral("The dive could not be named")), message);
    FUZZ_CHECK(QDir::cleanPath(split.destination) == chosen, split.destination);

    // Nothing new outside the chosen directory.
    QStringList after = filesBelow(scratchRoot());
    after.removeIf([&](const QString &name) { return name.startsWith(chosen); });
    FUZZ_CHECK(after == before, after.join(u'\n'));

    QStringList inChosen = filesBelow(chosen);
    FUZZ_CHECK(inChosen.size() == split.pieces.size(), inChosen.join(u'\n') + QStringLiteral("\n--\n") + split.pieces.join(u'\n'));
    QList<QByteArray> joined;
    for (const QString &piece : split.pieces) {
        QFile file(piece);
        FUZZ_CHECK(file.open(QIODevice::ReadOnly), piece);
        QList<QByteArray> pieceLines = linesOf(file.readAll());
        FUZZ_CHECK(!pieceLines.isEmpty() && pieceLines.first() == lines.first(), piece);
        pieceLines.removeFirst();
        joined << pieceLines;
    }
    FUZZ_CHECK(withoutEmptyLines(joined) == withoutEmptyLines(lines.mid(1)),
               QStringLiteral("%1 pieces").arg(split.pieces.size()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size < 1 || size > 256 * 1024)
        return 0;
    static const int steps[] = {1, 4, 8};
    DanLoadOptions options;
    options.resolutionStep = steps[data[0] % 3];
    options.animate = data[0] & 4;
    qint64 redraws = 0;
    options.redraw = [&](qint64) { ++redraws; };

    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), static_cast<qsizetype>(size - 1));
    const QString path = scratchRoot() + QStringLiteral("/fuzz.nem");
    if (!writeFile(path, bytes))
        return 0;
    const QList<QByteArray> lines = linesOf(bytes);

    DanOpList plot;
    const DanLoadResult result = LoadDanFile(path, options, plot);
    checkDrawing(plot, result, lines.size());
    FUZZ_CHECK(redraws <= lines.size(), QString());
    if (result.severalDives) {
        // The split gets a folder of its own, removed afterwards.
        QTemporaryDir folder(scratchRoot() + QStringLiteral("/run-XXXXXX"));
        const QString copy = folder.filePath(QStringLiteral("fuzz.nem"));
        if (writeFile(copy, bytes))
            checkSplit(folder.path(), copy, lines);
    }
    return 0;
}
