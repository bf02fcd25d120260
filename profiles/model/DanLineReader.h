#pragma once

// Reads a text file line by line in large blocks, handing out each line
// without its line end ("\n" or "\r\n") as a view into the block. Lines are
// bytes: DAN research files are plain ASCII.

#include <QFile>
#include <QString>

#include <string_view>
#include <vector>

class DanLineReader
{
public:
    explicit DanLineReader(const QString &path);

    // Empty when the file is open, else why it could not be opened.
    QString openError() const { return m_error; }
    qint64 size() const { return m_file.size(); }

    // The next line; false at the end of the file or on a read error (see
    // readError). The view holds until the next call.
    bool next(std::string_view &line);
    QString readError() const { return m_error; }
    // The line end of the first line read, to write pieces alike.
    const char *lineEnd() const { return m_crlf ? "\r\n" : "\n"; }

private:
    bool fill();

    QFile m_file;
    QString m_error;
    std::vector<char> m_buffer;
    std::size_t m_begin = 0, m_end = 0;
    bool m_eof = false;
    bool m_crlf = false;
    bool m_firstLine = true;
};
