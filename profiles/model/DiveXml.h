#pragma once

// Pull parsing of one part of a dive log (its prolog, or one dive) with
// QXmlStreamReader, fed from the file in pieces so that a dive of millions
// of samples is never held whole. Element and attribute names are taken
// without their namespace prefix; numbers are read with "." in every locale.

#include <QFile>
#include <QString>
#include <QStringView>
#include <QXmlStreamReader>

#include <cstring>
#include <functional>

class DiveXml
{
public:
    // Reads bytes [begin, end) of `file`; `declaration` (the file's own
    // "<?xml ...?>") goes first so the part is decoded as the file is.
    // `firstLine` is the file's line number of `begin`.
    DiveXml(QFile &file, qint64 begin, qint64 end, const QByteArray &declaration, int firstLine,
            std::function<void(qint64)> progress = {});

    // The next start or end element; false at the end of the part or on an
    // error. Text inside elements is gathered for `text()`.
    bool next();
    bool isStart() const { return m_token == QXmlStreamReader::StartElement; }
    // The element's local name, valid until the next call.
    QStringView name() const { return m_name; }
    // An attribute by local name; empty when absent.
    QStringView attribute(QStringView name) const;
    // The text gathered since the last start element, trimmed.
    QStringView text() const;
    // Skips the rest of the element just started.
    void skipElement();

    // The reader stopped on malformed input (not at the end of the part).
    bool failed() const { return !m_error.isEmpty(); }
    QString error() const { return m_error; }
    int errorLine() const { return m_errorLine; }
    // The part ended before its elements were closed; expected when only a
    // dive's head or a file's prolog is read.
    bool endedEarly() const { return m_endedEarly; }
    QString endReason() const { return m_endReason; }

private:
    bool feed();

    QFile &m_file;
    qint64 m_next, m_end;
    int m_firstLine;
    std::function<void(qint64)> m_progress;
    QXmlStreamReader m_xml;
    QXmlStreamReader::TokenType m_token = QXmlStreamReader::NoToken;
    QStringView m_name;
    QString m_text;
    QString m_error;
    QString m_endReason;
    int m_errorLine = 0;
    bool m_endedEarly = false;
};

// Whether an element or attribute name is `literal`: the sizes are
// compared first, which tells most names apart at once.
template <std::size_t N>
inline bool NameIs(QStringView name, const char16_t (&literal)[N])
{
    return name.size() == qsizetype(N - 1) && std::memcmp(name.utf16(), literal, (N - 1) * sizeof(char16_t)) == 0;
}

// Numbers as dive logs write them: "." as the decimal separator, finite,
// within ±1e9. False for anything else.
bool DiveNumber(QStringView text, double &value);
