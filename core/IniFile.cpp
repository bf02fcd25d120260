#include "core/IniFile.h"

#include "core/Errors.h"
#include "core/NumText.h"
#include "core/SafeWrite.h"
#include "core/Windows1252.h"

#include <QBuffer>
#include <QFile>

namespace {

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The name of a "[section]" line, or nothing for any other line.
std::optional<QString> sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(u'['))
        return std::nullopt;
    const int close = t.indexOf(u']');
    return (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
}

// A "key=value" line; comments, blank lines and lines without "=" are kept
// as they are but hold no entry.
bool isEntry(const QString &line)
{
    const QString t = line.trimmed();
    return t.contains(u'=') && !t.startsWith(u';') && !t.startsWith(u'[');
}

QString entryKey(const QString &line)
{
    const int eq = line.indexOf(u'=');
    return (eq < 0 ? line : line.left(eq)).trimmed();
}

// Refuses names that the written line would not read back as: a key with
// "=" or one that starts like a section or a comment line.
void checkName(const QString &what, const QString &name)
{
    if (name.contains(u'\n') || name.contains(u'\r') || name.contains(u']')
        || (what == u"key" && (name.contains(u'=') || name.trimmed().startsWith(u'[')
                               || name.trimmed().startsWith(u';'))))
        throw AppError(QStringLiteral("Invalid %1 name \"%2\"").arg(what, name));
}

} // namespace

IniDocument IniDocument::fromBytes(const QByteArray &bytes)
{
    IniDocument doc;
    doc.m_crlf = bytes.contains("\r\n");
    const QString text = decodeUtf8OrWindows1252(bytes, &doc.m_bom);
    if (text.isEmpty())
        return doc;
    doc.m_lines = text.split(u'\n');
    if (doc.m_lines.last().isEmpty())
        doc.m_lines.removeLast();
    for (QString &line : doc.m_lines)
        if (line.endsWith(u'\r'))
            line.chop(1);
    return doc;
}

IniDocument IniDocument::fromDevice(QIODevice &device)
{
    return fromBytes(device.readAll());
}

QByteArray IniDocument::toBytes() const
{
    const QString eol = m_crlf ? QStringLiteral("\r\n") : QStringLiteral("\n");
    QString text;
    for (const QString &line : m_lines)
        text += line + eol;
    QByteArray bytes = text.toUtf8();
    if (m_bom)
        bytes.prepend("\xEF\xBB\xBF");
    return bytes;
}

std::optional<IniDocument::Range> IniDocument::findSection(const QString &section) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines.at(i));
        if (!name || !sameName(*name, section.trimmed()))
            continue;
        Range r;
        r.header = i;
        r.end = i + 1;
        while (r.end < m_lines.size() && !sectionName(m_lines.at(r.end)))
            ++r.end;
        return r;
    }
    return std::nullopt;
}

int IniDocument::findKey(const Range &range, const QString &key) const
{
    for (int i = range.header + 1; i < range.end; ++i)
        if (isEntry(m_lines.at(i)) && sameName(entryKey(m_lines.at(i)), key.trimmed()))
            return i;
    return -1;
}

std::optional<QString> IniDocument::value(const QString &section, const QString &key) const
{
    const auto range = findSection(section);
    if (!range)
        return std::nullopt;
    const int i = findKey(*range, key);
    if (i < 0)
        return std::nullopt;
    const QString &line = m_lines.at(i);
    const int eq = line.indexOf(u'=');
    return eq < 0 ? QString() : line.mid(eq + 1);
}

void IniDocument::setValue(const QString &section, const QString &key, const QString &value)
{
    QString flat = value;
    flat.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\n', u' ').replace(u'\r', u' ');
    auto range = findSection(section);
    if (!range) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines << QString();
        m_lines << u'[' + section.trimmed() + u']';
        m_lines << key.trimmed() + u'=' + flat;
        return;
    }
    const int i = findKey(*range, key);
    if (i >= 0) {
        m_lines[i] = entryKey(m_lines.at(i)) + u'=' + flat;
        return;
    }
    // New keys go after the section's last entry, before its trailing blank lines.
    int at = range->end;
    while (at > range->header + 1 && m_lines.at(at - 1).trimmed().isEmpty())
        --at;
    m_lines.insert(at, key.trimmed() + u'=' + flat);
}

bool IniDocument::hasSection(const QString &section) const
{
    return findSection(section).has_value();
}

QStringList IniDocument::keys(const QString &section) const
{
    QStringList result;
    const auto range = findSection(section);
    if (!range)
        return result;
    for (int i = range->header + 1; i < range->end; ++i)
        if (isEntry(m_lines.at(i)))
            result << entryKey(m_lines.at(i));
    return result;
}

void IniDocument::removeSection(const QString &section)
{
    while (const auto range = findSection(section))
        m_lines.remove(range->header, range->end - range->header);
}

void IniDocument::removeKey(const QString &section, const QString &key)
{
    const auto range = findSection(section);
    if (!range)
        return;
    const int i = findKey(*range, key);
    if (i >= 0)
        m_lines.removeAt(i);
}

IniFile::IniFile(QString fileName) : m_fileName(std::move(fileName)) {}

IniDocument IniFile::load() const
{
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return {};
    return IniDocument::fromDevice(file);
}

IniDocument IniFile::loadForChange() const
{
    // A file that exists but cannot be read must not be replaced by one
    // that holds only the changed entry.
    QFile file(m_fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!file.exists())
            return {};
        throw WriteError(QStringLiteral("Unable to write to %1").arg(m_fileName));
    }
    if (file.size() > MaxFileSize)
        throw WriteError(QStringLiteral("Unable to write to %1: the file holds more than %2 MB, it is no settings file")
                             .arg(m_fileName)
                             .arg(MaxFileSize / (1024 * 1024)));
    IniDocument doc = IniDocument::fromDevice(file);
    if (file.error() != QFileDevice::NoError)
        throw WriteError(QStringLiteral("Unable to write to %1").arg(m_fileName));
    return doc;
}

void IniFile::save(const IniDocument &doc)
{
    if (!WriteWholeFile(m_fileName, doc.toBytes()).isEmpty())
        throw WriteError(QStringLiteral("Unable to write to %1").arg(m_fileName));
}

QString IniFile::readString(const QString &section, const QString &key, const QString &fallback) const
{
    const auto v = load().value(section, key);
    return v ? v->left(MaxValueLength) : fallback;
}

namespace {

// Decimal text, or hexadecimal after "0x"; anything else gives the fallback.
int integerOf(const QString &text, int fallback)
{
    if (text.size() > 2 && (text.startsWith(u"0x") || text.startsWith(u"0X"))) {
        bool ok = false;
        const uint v = text.mid(2).toUInt(&ok, 16);
        return ok ? static_cast<int>(v) : fallback;
    }
    if (text.startsWith(u"0x", Qt::CaseInsensitive))
        return fallback;
    return StrToIntDef(text, fallback);
}

} // namespace

int IniFile::readInteger(const QString &section, const QString &key, int fallback) const
{
    return integerOf(readString(section, key, QString()), fallback);
}

bool IniFile::readBool(const QString &section, const QString &key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

bool IniFile::sectionExists(const QString &section) const { return load().hasSection(section); }

bool IniFile::valueExists(const QString &section, const QString &key) const
{
    return load().value(section, key).has_value();
}

QStringList IniFile::readSection(const QString &section) const { return load().keys(section); }

void IniFile::writeString(const QString &section, const QString &key, const QString &value)
{
    checkName(QStringLiteral("section"), section);
    checkName(QStringLiteral("key"), key);
    IniDocument doc = loadForChange();
    doc.setValue(section, key, value);
    save(doc);
}

void IniFile::writeStrings(const QString &section, const QList<QPair<QString, QString>> &entries)
{
    checkName(QStringLiteral("section"), section);
    IniDocument doc = loadForChange();
    for (const auto &[key, value] : entries) {
        checkName(QStringLiteral("key"), key);
        doc.setValue(section, key, value);
    }
    save(doc);
}

void IniFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString &section, const QString &key, bool value)
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniFile::eraseSection(const QString &section)
{
    IniDocument doc = loadForChange();
    if (!doc.hasSection(section))
        return;
    doc.removeSection(section);
    save(doc);
}

void IniFile::deleteKey(const QString &section, const QString &key)
{
    IniDocument doc = loadForChange();
    doc.removeKey(section, key);
    save(doc);
}

IniFile::Batch IniFile::batch() const { return Batch(*this); }

IniFile::Batch::Batch(const IniFile &file) : m_fileName(file.fileName()), m_doc(file.loadForChange()) {}

QString IniFile::Batch::readString(const QString &section, const QString &key, const QString &fallback) const
{
    const auto v = m_doc.value(section, key);
    return v ? v->left(MaxValueLength) : fallback;
}

int IniFile::Batch::readInteger(const QString &section, const QString &key, int fallback) const
{
    return integerOf(readString(section, key, QString()), fallback);
}

void IniFile::Batch::writeString(const QString &section, const QString &key, const QString &value)
{
    checkName(QStringLiteral("section"), section);
    checkName(QStringLiteral("key"), key);
    m_doc.setValue(section, key, value);
}

void IniFile::Batch::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void IniFile::Batch::eraseSection(const QString &section) { m_doc.removeSection(section); }

void IniFile::Batch::commit() { IniFile(m_fileName).save(m_doc); }
