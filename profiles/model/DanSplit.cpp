#include "profiles/model/DanSplit.h"

#include "profiles/model/DanFields.h"
#include "profiles/model/DanLineReader.h"
#include "profiles/model/NoReplaceRename.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

constexpr int UninterpretedLines = 6;
constexpr int MaxRenamings = 100;

bool isBlankChar(QChar c) { return c == u' ' || c == u'\t'; }

// "_" between the name and its extension.
QString withUnderscore(const QString &name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? name + u'_' : name.left(dot) + u'_' + name.mid(dot);
}

// The default destination's name: line 1's first field without its
// extension, always one directory beside the file. Separators become "_";
// a name that is no directory name ("", ".", "..") gives the file's own
// base name.
QString directoryName(const QString &firstField, const QString &path)
{
    QString base = firstField;
    const qsizetype dot = base.lastIndexOf(u'.');
    if (dot >= 0)
        base.truncate(dot);
    base.replace(u'/', u'_').replace(u'\\', u'_').replace(QChar(0), u'_');
    if (base.isEmpty() || base == QStringLiteral(".") || base == QStringLiteral(".."))
        base = QFileInfo(path).completeBaseName();
    return base;
}

} // namespace

QString DanPieceName(const QString &headerLine)
{
    QString text = headerLine.trimmed();
    const qsizetype firstBlank = text.left(int(DanFieldReach)).indexOf(u' ');
    if (firstBlank >= 0)
        text = text.mid(firstBlank + 1);
    // Up to the second blank that follows: normally the date and the time.
    const QString reach = text.left(int(DanFieldReach) - 2);
    qsizetype end = -1;
    int blanks = 0;
    for (qsizetype i = 0; i < reach.size(); ++i)
        if (isBlankChar(reach.at(i)) && ++blanks == 2) {
            end = i;
            break;
        }
    text = (end < 0 ? reach : reach.left(end)).trimmed();

    QString name;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const bool separator = c == u' ' || c == u'-' || c == u'.' || c == u'/' || c == u':';
        name += separator ? (i == 8 ? u'_' : u'-') : c;
    }
    return name.isEmpty() ? QString() : name + QStringLiteral(".Dan");
}

struct DanSplitter::Piece
{
    QTemporaryFile file;
    QByteArray pending; // written in large blocks, not line by line
    QString name;       // the name it is to take, empty for none
    bool writeFailed = false;
};

DanSplitter::DanSplitter(const QString &path, DanSplitCallbacks callbacks)
    : m_path(path), m_callbacks(std::move(callbacks))
{
}

DanSplitter::~DanSplitter() = default;

DanSplitResult DanSplitter::ReadFilesForMultibleNEMs()
{
    m_result = {};
    m_reader = std::make_unique<DanLineReader>(m_path);
    if (!m_reader->openError().isEmpty()) {
        m_result.messages << m_reader->openError();
        return m_result;
    }
    std::string_view line;
    if (!m_reader->next(line)) {
        m_result.messages << QStringLiteral("%1 is empty.").arg(m_path);
        return m_result;
    }
    m_line1 = QByteArray(line.data(), qsizetype(line.size()));
    m_defaultDestination = QFileInfo(m_path).absolutePath() + u'/'
                           + directoryName(QString::fromLatin1(DanField(line, 1)), m_path);

    if (!ReadHeader(std::nullopt)) {
        m_result.cancelled = true;
        return m_result;
    }
    while (const std::optional<QByteArray> next = ReadData())
        ReadHeader(*next);
    if (!m_reader->readError().isEmpty())
        m_result.messages << m_reader->readError();
    m_reader.reset();
    return m_result;
}

void DanSplitter::write(std::string_view line)
{
    m_piece->pending.append(line.data(), qsizetype(line.size()));
    m_piece->pending.append(m_reader->lineEnd());
    if (m_piece->pending.size() >= (1 << 20))
        flushPiece();
}

void DanSplitter::flushPiece()
{
    QTemporaryFile &out = m_piece->file;
    if (out.isOpen() && out.write(m_piece->pending) != m_piece->pending.size())
        m_piece->writeFailed = true;
    m_piece->pending.clear();
}

bool DanSplitter::ReadHeader(std::optional<QByteArray> header)
{
    m_position = 0;
    std::string_view line;
    if (!header) {
        header = m_reader->next(line) ? QByteArray(line.data(), qsizetype(line.size())) : QByteArray();
    }
    if (m_result.destination.isEmpty()) {
        // A default directory made here is removed again when not chosen
        // and still empty; one that was there before stays.
        const bool made = !QFileInfo::exists(m_defaultDestination) && QDir().mkdir(m_defaultDestination);
        QString chosen = m_callbacks.chooseDirectory ? m_callbacks.chooseDirectory(m_defaultDestination)
                                                     : m_defaultDestination;
        chosen = QDir::cleanPath(chosen);
        if (made && chosen != QDir::cleanPath(m_defaultDestination))
            QDir().rmdir(m_defaultDestination); // only when empty
        if (chosen.isEmpty() || chosen == u'.')
            return false;
        QDir().mkpath(chosen);
        m_result.destination = chosen;
    }

    m_piece = std::make_unique<Piece>();
    m_piece->file.setFileTemplate(m_result.destination + QStringLiteral("/Temp-XXXXXX.Dan"));
    m_piece->file.setAutoRemove(false);
    if (!m_piece->file.open()) {
        m_result.messages << QStringLiteral("Cannot write a new file in %1: %2")
                                 .arg(m_result.destination, m_piece->file.errorString());
        m_piece->writeFailed = true;
    }
    write(std::string_view(m_line1.constData(), std::size_t(m_line1.size())));
    write(std::string_view(header->constData(), std::size_t(header->size())));
    m_piece->name = DanPieceName(QString::fromLatin1(*header));
    for (int i = 0; i < UninterpretedLines && m_reader->next(line); ++i)
        write(line);
    return true;
}

std::optional<QByteArray> DanSplitter::ReadData()
{
    const qint64 size = m_reader->size();
    std::optional<QByteArray> next;
    std::string_view line;
    while (m_reader->next(line)) {
        if (DanIsEmptyLine(line))
            continue;
        if (!DanBeginsWithBlank(line)) {
            next = QByteArray(line.data(), qsizetype(line.size()));
            break;
        }
        write(line);
        m_position += qint64(line.size());
        if (m_callbacks.progress)
            m_callbacks.progress(m_position, size);
    }
    m_position = 0;
    if (m_callbacks.progress)
        m_callbacks.progress(0, size);
    namePiece();
    return next;
}

void DanSplitter::namePiece()
{
    QTemporaryFile &file = m_piece->file;
    if (!file.isOpen())
        return;
    flushPiece();
    if (!file.flush())
        m_piece->writeFailed = true;
    const QString why = file.errorString();
    file.close();
    const QString temporary = file.fileName();
    // A piece short of its lines would pass for the whole dive: it goes,
    // and the dive stays in the file being split.
    if (m_piece->writeFailed) {
        QFile::remove(temporary);
        m_result.messages << QStringLiteral("The piece %1 could not be written into %2 (%3); its dive is still in %4.")
                                 .arg(m_piece->name.isEmpty() ? QDir::toNativeSeparators(temporary) : m_piece->name,
                                      QDir::toNativeSeparators(m_result.destination), why,
                                      QDir::toNativeSeparators(m_path));
        return;
    }
    const QDir destination(m_result.destination);
    QString name = m_piece->name;
    for (int renamings = 0; !name.isEmpty() && destination.exists(name) && renamings < MaxRenamings; ++renamings)
        name = withUnderscore(name);
    // Without a name, or with every name taken, the piece keeps its
    // temporary name, which is itself a fresh name ending in ".Dan".
    if (name.isEmpty() || destination.exists(name)) {
        m_result.pieces << temporary;
        return;
    }
    const QString target = destination.filePath(name);
    const QString refused = RenameWithoutReplacing(temporary, target);
    if (refused.isEmpty()) {
        m_result.pieces << target;
    } else {
        m_result.messages << QStringLiteral("The dive could not be named %1 (%2); it is kept as %3.")
                                 .arg(QDir::toNativeSeparators(target), refused, QDir::toNativeSeparators(temporary));
        m_result.pieces << temporary;
    }
}
