#include "profiles/model/DiveLogScan.h"

#include <QIODevice>

#include <cstring>

namespace {

constexpr qint64 ChunkSize = 1 << 20;

bool isNameEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '>' || c == '/'; }

bool isSampleName(const char *name, std::size_t size)
{
    return (size == 8 && std::memcmp(name, "waypoint", 8) == 0) || (size == 6 && std::memcmp(name, "sample", 6) == 0);
}

bool isSampleListName(const char *name, std::size_t size) { return size == 7 && std::memcmp(name, "samples", 7) == 0; }

// The scanner's state over the chunks of the file.
class Scanner
{
public:
    explicit Scanner(DiveLogScan &scan) : m_scan(scan) {}

    // Handles the bytes of `buffer` (which begins at file offset `base`) from
    // `pos`; gives where it stopped: at a construct that needs more bytes,
    // or at the buffer's end.
    qsizetype run(const QByteArray &buffer, qint64 base, qsizetype pos, bool atEnd);
    int line = 1;

private:
    void countLines(const char *from, const char *to);
    // Finds `marker` from `from`; the offset past it, or -1.
    static qsizetype after(const QByteArray &buffer, qsizetype from, const char *marker);
    void startTag(const char *name, std::size_t size, qint64 at, bool selfClosing, qint64 tagEnd);
    void endTag(const char *name, std::size_t size, qint64 tagEnd);

    DiveLogScan &m_scan;
    bool m_inDive = false;
    DiveRegion m_dive;
};

void Scanner::countLines(const char *from, const char *to)
{
    while (from < to) {
        const void *nl = std::memchr(from, '\n', std::size_t(to - from));
        if (!nl)
            return;
        ++line;
        from = static_cast<const char *>(nl) + 1;
    }
}

qsizetype Scanner::after(const QByteArray &buffer, qsizetype from, const char *marker)
{
    const qsizetype at = buffer.indexOf(marker, from);
    return at < 0 ? -1 : at + qsizetype(std::strlen(marker));
}

void Scanner::startTag(const char *name, std::size_t size, qint64 at, bool selfClosing, qint64 tagEnd)
{
    if (m_scan.root.isEmpty())
        m_scan.root = QByteArray(name, qsizetype(size));
    if (size == 4 && std::memcmp(name, "dive", 4) == 0 && !m_inDive) {
        m_dive = DiveRegion{};
        m_dive.begin = at;
        m_dive.line = line;
        if (m_scan.dives.empty())
            m_scan.prologEnd = at;
        if (selfClosing) {
            m_dive.end = m_dive.headEnd = tagEnd;
            m_scan.dives.push_back(m_dive);
        } else {
            m_inDive = true;
        }
        return;
    }
    if (m_inDive && !m_dive.hasSamples) {
        const bool sample = isSampleName(name, size);
        if (sample || isSampleListName(name, size)) {
            if (m_dive.headEnd == 0)
                m_dive.headEnd = at;
            m_dive.hasSamples = sample;
        }
    }
}

void Scanner::endTag(const char *name, std::size_t size, qint64 tagEnd)
{
    if (m_inDive && size == 4 && std::memcmp(name, "dive", 4) == 0) {
        m_inDive = false;
        m_dive.end = tagEnd;
        if (m_dive.headEnd == 0)
            m_dive.headEnd = tagEnd;
        m_scan.dives.push_back(m_dive);
    }
}

qsizetype Scanner::run(const QByteArray &buffer, qint64 base, qsizetype pos, bool atEnd)
{
    const char *data = buffer.constData();
    const qsizetype size = buffer.size();
    while (pos < size) {
        const void *found = std::memchr(data + pos, '<', std::size_t(size - pos));
        if (!found) {
            countLines(data + pos, data + size);
            return size;
        }
        const qsizetype lt = static_cast<const char *>(found) - data;
        countLines(data + pos, data + lt);
        pos = lt;
        // Everything below needs a few bytes after "<"; the rest comes with the next chunk.
        if (size - lt < 16 && !atEnd)
            return pos;
        const char next = lt + 1 < size ? data[lt + 1] : '\0';
        qsizetype end = -1;
        if (next == '!' || next == '?') {
            const char *marker = buffer.mid(lt, 4) == "<!--"        ? "-->"
                                 : buffer.mid(lt, 9) == "<![CDATA[" ? "]]>"
                                 : next == '?'                      ? "?>"
                                                                    : ">";
            end = after(buffer, lt + 2, marker);
            if (end < 0)
                return atEnd ? size : pos;
            if (next == '?' && m_scan.root.isEmpty() && buffer.mid(lt, 5) == "<?xml")
                m_scan.declaration = buffer.mid(lt, end - lt);
            countLines(data + lt, data + end);
            pos = end;
            continue;
        }
        const bool closing = next == '/';
        qsizetype nameStart = lt + (closing ? 2 : 1);
        qsizetype nameEnd = nameStart;
        while (nameEnd < size && !isNameEnd(data[nameEnd]))
            ++nameEnd;
        if (nameEnd >= size)
            return atEnd ? size : pos;
        for (qsizetype i = nameStart; i < nameEnd; ++i)
            if (data[i] == ':')
                nameStart = i + 1;
        const char *name = data + nameStart;
        const std::size_t nameSize = std::size_t(nameEnd - nameStart);
        const bool isDive = nameSize == 4 && std::memcmp(name, "dive", 4) == 0;
        if (closing || isDive || m_scan.root.isEmpty()) {
            // The tag's end, stepping over quoted attribute values.
            qsizetype i = nameEnd;
            char quote = 0;
            for (; i < size; ++i) {
                const char c = data[i];
                if (quote) {
                    if (c == quote)
                        quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '>') {
                    break;
                }
            }
            if (i >= size)
                return atEnd ? size : pos;
            end = i + 1;
            if (closing)
                endTag(name, nameSize, base + end);
            else
                startTag(name, nameSize, base + lt, data[i - 1] == '/', base + end);
            countLines(data + lt, data + end);
            pos = end;
            continue;
        }
        startTag(name, nameSize, base + lt, false, 0);
        pos = nameEnd;
    }
    return pos;
}

} // namespace

bool ScanDiveLog(QIODevice &device, DiveLogScan &scan, const std::function<void(qint64)> &progress)
{
    Scanner scanner(scan);
    QByteArray buffer;
    qint64 base = device.pos();
    const qint64 start = base;
    qsizetype pos = 0;
    scan.prologEnd = -1;
    bool atEnd = false;
    while (!atEnd) {
        const QByteArray chunk = device.read(ChunkSize);
        if (chunk.isEmpty()) {
            if (device.pos() < device.size())
                return false;
            atEnd = true;
        }
        // Keep what the scanner could not finish; drop the rest.
        buffer = buffer.mid(pos) + chunk;
        base += pos;
        pos = scanner.run(buffer, base, 0, atEnd);
        if (progress)
            progress(base + buffer.size() - start);
    }
    if (scan.prologEnd < 0)
        scan.prologEnd = base + buffer.size();
    return true;
}

QByteArray XmlRootName(const QByteArray &bytes)
{
    DiveLogScan scan;
    Scanner scanner(scan);
    scanner.run(bytes, 0, 0, true);
    return scan.root;
}
