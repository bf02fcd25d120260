#include "profiles/model/DanLineReader.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr std::size_t BlockSize = 1 << 20;
}

DanLineReader::DanLineReader(const QString &path) : m_file(path)
{
    if (!m_file.open(QIODevice::ReadOnly))
        m_error = m_file.errorString();
    // A small file needs no large block; a line longer than the buffer grows it.
    m_buffer.resize(std::size_t(std::clamp<qint64>(m_file.size() + 1, 4096, qint64(BlockSize))));
}

bool DanLineReader::fill()
{
    // Keep the unfinished line at the front; grow for lines longer than a block.
    const std::size_t rest = m_end - m_begin;
    if (m_begin > 0)
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, rest);
    m_begin = 0;
    m_end = rest;
    if (m_end == m_buffer.size())
        m_buffer.resize(m_buffer.size() * 2);
    const qint64 got = m_file.read(m_buffer.data() + m_end, qint64(m_buffer.size() - m_end));
    if (got < 0) {
        m_error = m_file.errorString();
        m_eof = true;
        return false;
    }
    if (got == 0)
        m_eof = true;
    m_end += std::size_t(got);
    return got > 0;
}

bool DanLineReader::next(std::string_view &line)
{
    if (!m_error.isEmpty() || !m_file.isOpen())
        return false;
    std::size_t scanFrom = m_begin;
    for (;;) {
        const char *start = m_buffer.data() + m_begin;
        const void *nl = std::memchr(m_buffer.data() + scanFrom, '\n', m_end - scanFrom);
        if (nl || m_eof) {
            const char *stop = nl ? static_cast<const char *>(nl) : m_buffer.data() + m_end;
            if (!nl && stop == start)
                return false;
            std::size_t length = std::size_t(stop - start);
            const bool cr = length > 0 && start[length - 1] == '\r';
            if (cr)
                --length;
            if (m_firstLine) {
                m_crlf = cr;
                m_firstLine = false;
            }
            line = std::string_view(start, length);
            m_begin = nl ? std::size_t(stop - m_buffer.data()) + 1 : m_end;
            return true;
        }
        const std::size_t scanned = m_end - m_begin;
        if (!fill() && !m_eof)
            return false;
        if (!m_error.isEmpty())
            return false;
        scanFrom = m_begin + scanned;
    }
}
