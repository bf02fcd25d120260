// Settings and plan files: any bytes read, written back and read again give
// the same values; a value written through IniFile reads back as written
// and leaves every other value as it was.

#include "core/Errors.h"
#include "core/IniFile.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

struct Candidates
{
    QStringList sections;
    QStringList keys;
};

// Names that may be sections or keys of the file, taken loosely from its
// lines; both documents are asked the same questions, so a name that is not
// one only adds a question whose answer is "none" twice.
Candidates candidatesOf(const IniDocument &doc)
{
    Candidates c;
    const QStringList lines = QString::fromUtf8(doc.toBytes()).split(u'\n');
    for (const QString &line : lines) {
        const QString t = line.trimmed();
        if (t.startsWith(u'[')) {
            c.sections << t.mid(1, t.indexOf(u']') < 0 ? -1 : t.indexOf(u']') - 1).trimmed();
        } else if (t.contains(u'=')) {
            c.keys << t.left(t.indexOf(u'=')).trimmed();
        }
        if (c.sections.size() > 20 || c.keys.size() > 40)
            break;
    }
    c.sections << QStringLiteral("Fuzz");
    c.keys << QStringLiteral("FuzzKey");
    return c;
}

void checkSameValues(const IniDocument &a, const IniDocument &b, const Candidates &c)
{
    for (const QString &section : c.sections) {
        FUZZ_CHECK(a.hasSection(section) == b.hasSection(section), section);
        FUZZ_CHECK(a.keys(section) == b.keys(section), section);
        for (const QString &key : c.keys)
            FUZZ_CHECK(a.value(section, key) == b.value(section, key), section + u'/' + key);
    }
}

// On a memory file system where there is one: every write syncs the file.
QString scratchFile()
{
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
                                 ? QStringLiteral("/dev/shm/tidewell-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/tidewell-fuzz-XXXXXX"));
    return dir.filePath(QStringLiteral("fuzz.ini"));
}

void checkFileWrite(const QByteArray &bytes, const IniDocument &doc, const Candidates &c)
{
    const QString name = scratchFile();
    {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            return;
    }
    IniFile ini(name);
    const QString section = c.sections.first();
    const QString key = c.keys.first();
    const QString value = QString::fromUtf8(bytes.left(200));
    try {
        ini.writeString(section, key, value);
    } catch (const WriteError &e) {
        fuzzFailure("write to a scratch file", e.message());
    } catch (const AppError &) {
        return;  // a name the file cannot hold is refused before anything is written
    }
    QString flat = value;
    flat.replace(QStringLiteral("\r\n"), QStringLiteral(" ")).replace(u'\n', u' ').replace(u'\r', u' ');
    const QString back = ini.readString(section, key, QStringLiteral("<none>"));
    FUZZ_CHECK(back == flat.left(IniFile::MaxValueLength),
               QStringLiteral("[%1] %2\nwritten: %3\nread:    %4")
                   .arg(section, key, QString::fromLatin1(flat.toUtf8().toHex()),
                        QString::fromLatin1(back.toUtf8().toHex())));
    const IniDocument after = [&] {
        QFile file(name);
        file.open(QIODevice::ReadOnly);
        return IniDocument::fromDevice(file);
    }();
    for (const QString &s : c.sections) {
        const bool sameSection = s.trimmed().compare(section.trimmed(), Qt::CaseInsensitive) == 0;
        FUZZ_CHECK(doc.hasSection(s) == after.hasSection(s) || sameSection, s);
        for (const QString &k : c.keys) {
            if (sameSection && k.trimmed().compare(key.trimmed(), Qt::CaseInsensitive) == 0)
                continue;
            FUZZ_CHECK(doc.value(s, k) == after.value(s, k), s + u'/' + k);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const IniDocument first = IniDocument::fromBytes(bytes);
    const QByteArray written = first.toBytes();
    const IniDocument second = IniDocument::fromBytes(written);
    const Candidates c = candidatesOf(first);
    checkSameValues(first, second, c);
    checkFileWrite(bytes, first, c);
    return 0;
}
