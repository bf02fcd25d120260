// Splitting a generated 10,000-dive DAN research file (about 61.5 MB) into
// one file per dive, beside baselines from the same run, so that the cost of
// writing the pieces safely and the cost of the code are told apart:
//  - `awk` writing the same pieces straight under their names;
//  - the file calls of a safe write alone, for the same pieces cut
//    beforehand: each written under a fresh temporary name, its name looked
//    up, then renamed without replacing;
//  - the split itself, which makes those calls and no data sync per piece
//    (target <= 1.5x awk).
// Each figure is the median of three runs, each into a fresh folder, the
// three taking turns.

#include "bench/Timing.h"
#include "profiles/model/DanSplit.h"
#include "profiles/model/NoReplaceRename.h"
#include "tests/support/DanFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr int Dives = 10'000;

// The same pieces as the split: line 1, the header, the six lines after it
// and the sample lines up to the next header, blank lines left out, named
// after the header's date and time.
const char *const AwkSplit = R"(
NR == 1 { first = $0; next }
/^[ \t\r]*$/ { next }
/^[ \t]/ { print > out; next }
{
    if (out != "") close(out)
    name = $2 "_" $3
    gsub(/[-.\/:]/, "-", name)
    out = dir "/" name ".Dan"
    print first > out
    print > out
    for (k = 0; k < 6 && (getline line) > 0; k++) print line > out
}
)";

using Pieces = std::vector<std::pair<QString, QByteArray>>;

Pieces readPieces(const QString &folder)
{
    Pieces pieces;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            pieces.emplace_back(name, file.readAll());
    }
    return pieces;
}

// The file calls the split makes for each piece; gives the pieces written.
int writeSafely(const Pieces &pieces, const QString &folder)
{
    QDir().mkpath(folder);
    const QDir destination(folder);
    int written = 0;
    for (const auto &[name, bytes] : pieces) {
        QTemporaryFile file(folder + QStringLiteral("/Temp-XXXXXX.Dan"));
        file.setAutoRemove(false);
        if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
            continue;
        file.close();
        if (!destination.exists(name) && RenameWithoutReplacing(file.fileName(), destination.filePath(name)).isEmpty())
            ++written;
    }
    return written;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString many = dir.filePath(QStringLiteral("many.nem"));
    QList<DanDiveShape> dives;
    for (int i = 0; i < Dives; ++i) {
        DanDiveShape d;
        d.number = i % 99 + 1;
        d.date = QStringLiteral("%1/%2/97").arg(i / 28 % 12 + 1, 2, 10, QChar(u'0')).arg(i % 28 + 1, 2, 10, QChar(u'0'));
        d.time = QStringLiteral("%1:%2").arg(i / 60 % 24, 2, 10, QChar(u'0')).arg(i % 60, 2, 10, QChar(u'0'));
        d.samples = 150;
        dives << d;
    }
    if (!WriteDanFile(many, dives))
        return 1;

    // Folders are removed only at the end: a file system slows down
    // creating files right after many were deleted, which a user's split
    // does not meet.
    int round = 0;
    const auto freshFolder = [&] { return dir.filePath(QStringLiteral("pieces%1").arg(round++)); };

    const auto split = [&] {
        const QString destination = freshFolder();
        DanSplitCallbacks callbacks;
        callbacks.chooseDirectory = [&](const QString &) { return destination; };
        const DanSplitResult result = ReadFilesForMultibleNEMs(many, callbacks);
        if (result.pieces.size() != Dives || !result.messages.isEmpty())
            std::printf("split gave %lld pieces, %lld messages\n", qlonglong(result.pieces.size()),
                        qlonglong(result.messages.size()));
        return destination;
    };
    const auto awkSplit = [&] {
        const QString destination = freshFolder();
        QDir().mkpath(destination);
        QProcess process;
        process.start(QStringLiteral("awk"), {QStringLiteral("-v"), QStringLiteral("dir=") + destination, AwkSplit, many});
        process.waitForFinished(-1);
        return destination;
    };
    // The pieces to write with the bare calls, and a check that awk writes
    // the same.
    const Pieces pieces = readPieces(split());
    const Pieces awkPieces = readPieces(awkSplit());
    if (pieces != awkPieces)
        std::printf("awk wrote other pieces than the split (%zu against %zu)\n", awkPieces.size(), pieces.size());

    // The three take turns, so that other programs on a busy machine slow
    // all alike. Each starts once the pieces written before are on disk, so
    // that none pays for writing back another's.
    const auto settled = [](auto &&work) {
        ::sync();
        return medianMilliseconds(1, work);
    };
    std::vector<double> splitTimes, awkTimes, safeTimes;
    for (int run = 0; run < 3; ++run) {
        splitTimes.push_back(settled(split));
        awkTimes.push_back(settled(awkSplit));
        safeTimes.push_back(settled([&] {
            if (writeSafely(pieces, freshFolder()) != Dives)
                std::printf("a safe write failed\n");
        }));
    }
    const double splitMs = median(splitTimes), awk = median(awkTimes), safeCalls = median(safeTimes);

    for (int i = 0; i < round; ++i)
        QDir(dir.filePath(QStringLiteral("pieces%1").arg(i))).removeRecursively();
    std::printf("10,000-dive file (%.1f MB) into %d pieces, ms:\n"
                "  awk writing the pieces under their names          %6.0f\n"
                "  safe file calls alone (fresh name, look-up, rename) %6.0f (%.2fx awk)\n"
                "  split (no data sync per piece)                    %6.0f: %.2fx awk (target <= 1.5x), %.0f us per piece;\n"
                "    of it beyond the safe file calls                %6.0f\n",
                QFileInfo(many).size() / 1e6, Dives, awk, safeCalls, safeCalls / awk, splitMs, splitMs / awk,
                splitMs * 1000 / Dives, splitMs - safeCalls);
    return 0;
}
