// Writing a document as RTF. Each paragraph is one line of the file, each run
// of equal formatting one group that names all of its character properties,
// so a reader needs no state from earlier runs to show it right.

#include "platform/RichText.h"

#include "core/Windows1252.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <algorithm>

namespace {

void appendWord(QByteArray &out, const char *word, int parameter)
{
    out += word;
    out += QByteArray::number(parameter);
}

void appendHexByte(QByteArray &out, unsigned char byte)
{
    static const char digits[] = "0123456789abcdef";
    out += "\\'";
    out += digits[byte >> 4];
    out += digits[byte & 0xF];
}

// Text in the Windows-1252 code page; other characters as \uN (UTF-16 units,
// signed, as RTF wants them) with "?" for readers that know no Unicode. The
// "?" is spelled \'3f: pandoc misreads a plain "?" right after the number.
void appendEscaped(QByteArray &out, QStringView text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'\\': out += "\\\\"; continue;
        case u'{': out += "\\{"; continue;
        case u'}': out += "\\}"; continue;
        case u'\t': out += "\\tab "; continue;
        case QChar::LineSeparator: out += "\\line "; continue;
        case QChar::Nbsp: out += "\\~"; continue;
        case QChar::SoftHyphen: out += "\\-"; continue;
        case u'\u2011': out += "\\_"; continue;
        default: break;
        }
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
            continue;
        if (u < 0x7F) {
            out += char(u);
            continue;
        }
        if (const unsigned char byte = unicodeToWindows1252(c)) {
            appendHexByte(out, byte);
            continue;
        }
        appendWord(out, "\\u", int(static_cast<int16_t>(u)));
        out += "\\'3f";
    }
}

// Qt::AlignAbsolute, which HTML import adds, makes no difference to left-to-right text.
const char *alignmentWord(Qt::Alignment alignment)
{
    switch (alignment & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute) {
    case Qt::AlignHCenter: return "\\qc";
    case Qt::AlignRight: return "\\qr";
    case Qt::AlignJustify: return "\\qj";
    default: return "\\ql";
    }
}

class RtfWriter final
{
public:
    explicit RtfWriter(const QTextDocument &doc) : m_doc(doc) { fontIndex(doc.defaultFont().family()); }

    QByteArray write();

private:
    void writeParagraph(const QTextBlock &block);
    void writeRun(const QTextFragment &fragment);
    int fontIndex(const QString &family);
    int colourIndex(const QTextCharFormat &format);

    const QTextDocument &m_doc;
    QByteArray m_body;
    QStringList m_fonts;
    QList<QColor> m_colours;
};

QByteArray RtfWriter::write()
{
    for (QTextBlock block = m_doc.begin(); block.isValid(); block = block.next())
        writeParagraph(block);

    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (int i = 0; i < m_fonts.size(); ++i) {
        appendWord(out, "{\\f", i);
        out += "\\fnil ";
        appendEscaped(out, QString(m_fonts[i]).remove(u';'));
        out += ";}";
    }
    out += "}\n{\\colortbl;";
    for (const QColor &colour : m_colours) {
        appendWord(out, "\\red", colour.red());
        appendWord(out, "\\green", colour.green());
        appendWord(out, "\\blue", colour.blue());
        out += ';';
    }
    out += "}\n";
    out += m_body;
    out += "}\n";
    return out;
}

void RtfWriter::writeParagraph(const QTextBlock &block)
{
    m_body += "\\pard";
    m_body += alignmentWord(block.blockFormat().alignment());
    for (auto it = block.begin(); !it.atEnd(); ++it)
        writeRun(it.fragment());
    m_body += "\\par\n";
}

void RtfWriter::writeRun(const QTextFragment &fragment)
{
    const QTextCharFormat format = fragment.charFormat();
    // An image (or other object) is a fragment of its own; we do not write
    // it. A U+FFFC typed as text is an ordinary character.
    if (format.objectType() != QTextFormat::NoObject)
        return;
    const QFont font = format.font().resolve(m_doc.defaultFont());
    const qreal points = font.pointSizeF() > 0 ? font.pointSizeF() : 12.0;

    appendWord(m_body, "{\\f", fontIndex(font.family()));
    appendWord(m_body, "\\fs", std::max(1, qRound(points * 2)));
    if (font.bold())
        m_body += "\\b";
    if (font.italic())
        m_body += "\\i";
    if (font.underline())
        m_body += "\\ul";
    if (const int colour = colourIndex(format))
        appendWord(m_body, "\\cf", colour);
    m_body += ' ';
    appendEscaped(m_body, fragment.text());
    m_body += '}';
}

int RtfWriter::fontIndex(const QString &family)
{
    const qsizetype index = m_fonts.indexOf(family);
    if (index >= 0)
        return int(index);
    m_fonts.append(family);
    return int(m_fonts.size() - 1);
}

// 0 is the automatic colour; the table's own entries count from 1.
int RtfWriter::colourIndex(const QTextCharFormat &format)
{
    if (!format.hasProperty(QTextFormat::ForegroundBrush) || format.foreground().style() == Qt::NoBrush)
        return 0;
    const QColor colour = format.foreground().color().toRgb();
    qsizetype index = m_colours.indexOf(colour);
    if (index < 0) {
        m_colours.append(colour);
        index = m_colours.size() - 1;
    }
    return int(index + 1);
}

} // namespace

QByteArray writeRtf(const QTextDocument &doc)
{
    return RtfWriter(doc).write();
}
