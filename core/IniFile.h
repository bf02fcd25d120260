#pragma once

// Sectioned "key=value" text files read and written by the rules of the
// Windows private profile functions, so that files written by the Windows
// program read the same here:
// - section and key names compare without regard to letter case;
// - a value is the rest of its line after the first "=", cut at 1023 characters;
// - reading never creates anything, a missing file, section or key gives the default;
// - writing replaces or adds one entry and keeps every other line as it is
//   (comments, blank lines, line ends, order).

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <optional>

class QIODevice;

// The lines of one profile file in memory.
class IniDocument
{
public:
    static IniDocument fromBytes(const QByteArray &bytes);
    static IniDocument fromDevice(QIODevice &device);
    QByteArray toBytes() const;

    std::optional<QString> value(const QString &section, const QString &key) const;
    void setValue(const QString &section, const QString &key, const QString &value);
    bool hasSection(const QString &section) const;
    QStringList keys(const QString &section) const;
    void removeSection(const QString &section);
    void removeKey(const QString &section, const QString &key);

private:
    struct Range { int header = -1; int end = 0; };  // section header line, one past its last line
    std::optional<Range> findSection(const QString &section) const;
    int findKey(const Range &range, const QString &key) const;

    QStringList m_lines;
    bool m_crlf = false;
    bool m_bom = false;
};

// One profile file on disk. Every operation opens the file, does its one
// access and closes it again; writes replace the file atomically.
class IniFile
{
public:
    static constexpr int MaxValueLength = 1023;
    // A larger file is no profile file: it reads as empty (every value its
    // default) and is never replaced by a write, which raises WriteError.
    static constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

    explicit IniFile(QString fileName);
    const QString &fileName() const { return m_fileName; }

    QString readString(const QString &section, const QString &key, const QString &fallback) const;
    // Decimal text, or hexadecimal after "0x"; anything else gives the fallback.
    int readInteger(const QString &section, const QString &key, int fallback) const;
    // Any whole number but 0 is true; a text that is not a number gives the fallback.
    bool readBool(const QString &section, const QString &key, bool fallback) const;
    bool sectionExists(const QString &section) const;
    bool valueExists(const QString &section, const QString &key) const;
    QStringList readSection(const QString &section) const;

    // These raise WriteError "Unable to write to <file name>" when the file
    // cannot be read or written; the file on disk is then unchanged.
    void writeString(const QString &section, const QString &key, const QString &value);
    void writeInteger(const QString &section, const QString &key, int value);
    void writeBool(const QString &section, const QString &key, bool value);
    // Several entries of one section in one write: all of them or none.
    void writeStrings(const QString &section, const QList<QPair<QString, QString>> &entries);
    void eraseSection(const QString &section);
    void deleteKey(const QString &section, const QString &key);

    // Several reads and changes that reach the disk in one write: the file
    // then holds all of them or none (a record and its index entry).
    class Batch
    {
    public:
        QString readString(const QString &section, const QString &key, const QString &fallback) const;
        int readInteger(const QString &section, const QString &key, int fallback) const;
        void writeString(const QString &section, const QString &key, const QString &value);
        void writeInteger(const QString &section, const QString &key, int value);
        void eraseSection(const QString &section);
        // Raises WriteError as the single writes do; the file is then unchanged.
        void commit();

    private:
        friend class IniFile;
        explicit Batch(const IniFile &file);
        QString m_fileName;
        IniDocument m_doc;
    };
    // Raises WriteError when the file exists but cannot be read.
    Batch batch() const;

private:
    IniDocument load() const;
    // The file as the base of a change; raises WriteError when it exists
    // but cannot be read.
    IniDocument loadForChange() const;
    void save(const IniDocument &doc);

    QString m_fileName;
};
