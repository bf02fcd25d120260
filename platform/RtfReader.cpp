// Reading RTF into a document. Only what a note shows is kept (see
// RichText.h); everything else is read past. Groups are tracked on an explicit
// stack of bounded depth, so no input can exhaust memory or the call stack.

#include "platform/RichText.h"
#include "platform/RtfDocumentBuilder.h"
#include "platform/RtfTokenizer.h"

#include "core/Windows1252.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QTextDocument>

#include <algorithm>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace {

enum class Keyword {
    Paragraph, Line, Tab, Cell, Row, ParagraphDefaults, PlainCharacters,
    Bold, Italic, Underline, UnderlineNone, Hidden,
    Font, DefaultFont, FontSize, Colour,
    AlignLeft, AlignRight, AlignCentre, AlignJustify,
    Unicode, UnicodeSkip,
    Red, Green, Blue,
    FontTable, ColourTable, SkippedDestination,
    Character,
};

struct KeywordMeaning
{
    Keyword keyword;
    char16_t character = 0; // Keyword::Character
};

const std::unordered_map<std::string_view, KeywordMeaning> &keywords()
{
    static const std::unordered_map<std::string_view, KeywordMeaning> table = {
        {"par", {Keyword::Paragraph}}, {"sect", {Keyword::Paragraph}}, {"page", {Keyword::Paragraph}},
        {"line", {Keyword::Line}}, {"tab", {Keyword::Tab}},
        {"cell", {Keyword::Cell}}, {"row", {Keyword::Row}},
        {"pard", {Keyword::ParagraphDefaults}}, {"plain", {Keyword::PlainCharacters}},
        {"b", {Keyword::Bold}}, {"i", {Keyword::Italic}}, {"v", {Keyword::Hidden}},
        {"ul", {Keyword::Underline}}, {"uld", {Keyword::Underline}}, {"uldash", {Keyword::Underline}},
        {"uldashd", {Keyword::Underline}}, {"uldashdd", {Keyword::Underline}}, {"uldb", {Keyword::Underline}},
        {"ulhwave", {Keyword::Underline}}, {"ulldash", {Keyword::Underline}}, {"ulth", {Keyword::Underline}},
        {"ulw", {Keyword::Underline}}, {"ulwave", {Keyword::Underline}},
        {"ulnone", {Keyword::UnderlineNone}},
        {"f", {Keyword::Font}}, {"deff", {Keyword::DefaultFont}}, {"fs", {Keyword::FontSize}},
        {"cf", {Keyword::Colour}},
        {"ql", {Keyword::AlignLeft}}, {"qr", {Keyword::AlignRight}}, {"qc", {Keyword::AlignCentre}},
        {"qj", {Keyword::AlignJustify}}, {"qd", {Keyword::AlignJustify}},
        {"u", {Keyword::Unicode}}, {"uc", {Keyword::UnicodeSkip}},
        {"red", {Keyword::Red}}, {"green", {Keyword::Green}}, {"blue", {Keyword::Blue}},
        {"fonttbl", {Keyword::FontTable}}, {"colortbl", {Keyword::ColourTable}},
        {"bullet", {Keyword::Character, u'\u2022'}}, {"emdash", {Keyword::Character, u'\u2014'}},
        {"endash", {Keyword::Character, u'\u2013'}}, {"lquote", {Keyword::Character, u'\u2018'}},
        {"rquote", {Keyword::Character, u'\u2019'}}, {"ldblquote", {Keyword::Character, u'\u201C'}},
        {"rdblquote", {Keyword::Character, u'\u201D'}}, {"emspace", {Keyword::Character, u'\u2003'}},
        {"enspace", {Keyword::Character, u'\u2002'}}, {"qmspace", {Keyword::Character, u'\u2005'}},
        // Groups whose text is not part of the note's body.
        {"pict", {Keyword::SkippedDestination}}, {"object", {Keyword::SkippedDestination}},
        {"nonshppict", {Keyword::SkippedDestination}}, {"info", {Keyword::SkippedDestination}},
        {"stylesheet", {Keyword::SkippedDestination}}, {"fldinst", {Keyword::SkippedDestination}},
        {"header", {Keyword::SkippedDestination}}, {"headerl", {Keyword::SkippedDestination}},
        {"headerr", {Keyword::SkippedDestination}}, {"headerf", {Keyword::SkippedDestination}},
        {"footer", {Keyword::SkippedDestination}}, {"footerl", {Keyword::SkippedDestination}},
        {"footerr", {Keyword::SkippedDestination}}, {"footerf", {Keyword::SkippedDestination}},
        {"footnote", {Keyword::SkippedDestination}}, {"annotation", {Keyword::SkippedDestination}},
        {"xe", {Keyword::SkippedDestination}}, {"tc", {Keyword::SkippedDestination}},
        {"txe", {Keyword::SkippedDestination}}, {"pn", {Keyword::SkippedDestination}},
        {"listtable", {Keyword::SkippedDestination}}, {"listoverridetable", {Keyword::SkippedDestination}},
        {"revtbl", {Keyword::SkippedDestination}}, {"rsidtbl", {Keyword::SkippedDestination}},
        {"filetbl", {Keyword::SkippedDestination}}, {"private", {Keyword::SkippedDestination}},
    };
    return table;
}

// Word's limit: 1638 points.
constexpr int maxHalfPoints = 3276;
// Deeper groups than this are read with the state of the deepest one.
constexpr int maxGroupDepth = 128;
// Longer fallbacks than this do not occur; a larger \uc would only eat text.
constexpr int maxUnicodeSkip = 8;
constexpr qsizetype maxFontNameLength = 256;

struct CharState
{
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool hidden = false;
    int font = -1; // -1: the \deff font
    int halfPoints = 24; // RTF's default: 12 points
    int colour = 0; // 0: the automatic colour
    bool operator==(const CharState &) const = default;
};

enum class Destination { Body, FontTable, ColourTable, Skipped };

struct GroupState
{
    CharState chars;
    Qt::Alignment alignment = Qt::AlignLeft;
    int unicodeSkip = 1;
    Destination destination = Destination::Body;
};

class RtfReader final
{
public:
    RtfReader(QByteArrayView rtf, QTextDocument &doc) : m_tokens(rtf), m_builder(doc), m_groups(1) {}

    void read();

private:
    bool skipsAsFallback(RtfToken &token);
    void openGroup();
    void closeGroup();
    void handleWord(const RtfToken &token);
    void handleSymbol(char symbol);
    void handleText(std::string_view text);
    void handleUnicode(const RtfToken &token);
    void handleCharacter(char16_t unit);
    void endFontEntry();
    void endColourEntry();
    QTextCharFormat charFormat(const CharState &chars) const;
    GroupState &state() { return m_groups.back(); }

    RtfTokenizer m_tokens;
    RtfDocumentBuilder m_builder;
    // The state outside the document's own group, then one per open group.
    std::vector<GroupState> m_groups;
    int m_groupsBeyondLimit = 0;
    bool m_rootClosed = false;
    int m_fallbackToSkip = 0;
    std::optional<CharState> m_builderChars;

    QHash<int, QString> m_fonts;
    int m_defaultFont = 0;
    int m_fontEntryNumber = 0;
    QString m_fontEntryName;

    QList<std::optional<QColor>> m_colours;
    int m_red = 0, m_green = 0, m_blue = 0;
    bool m_colourGiven = false;
};

void RtfReader::read()
{
    while (!m_rootClosed) {
        RtfToken token = m_tokens.next();
        if (token.kind == RtfToken::Kind::End)
            break;
        if (m_fallbackToSkip > 0 && skipsAsFallback(token))
            continue;
        switch (token.kind) {
        case RtfToken::Kind::GroupStart: openGroup(); break;
        case RtfToken::Kind::GroupEnd: closeGroup(); break;
        case RtfToken::Kind::ControlWord: handleWord(token); break;
        case RtfToken::Kind::ControlSymbol: handleSymbol(token.symbol); break;
        case RtfToken::Kind::HexByte: handleCharacter(windows1252ToUnicode(token.byte).unicode()); break;
        case RtfToken::Kind::Text: handleText(token.word); break;
        case RtfToken::Kind::End: break;
        }
    }
    m_builder.finish(state().alignment);
}

// The characters after \uN stand in for it in readers without Unicode. A
// group boundary ends them early. Returns whether the token is used up.
bool RtfReader::skipsAsFallback(RtfToken &token)
{
    switch (token.kind) {
    case RtfToken::Kind::GroupStart:
    case RtfToken::Kind::GroupEnd:
    case RtfToken::Kind::End:
        m_fallbackToSkip = 0;
        return false;
    case RtfToken::Kind::Text: {
        const size_t skipped = std::min<size_t>(token.word.size(), size_t(m_fallbackToSkip));
        m_fallbackToSkip -= int(skipped);
        token.word.remove_prefix(skipped);
        return token.word.empty();
    }
    case RtfToken::Kind::ControlWord:
    case RtfToken::Kind::ControlSymbol:
    case RtfToken::Kind::HexByte:
        --m_fallbackToSkip;
        return true;
    }
    return false;
}

void RtfReader::openGroup()
{
    if (m_groups.size() > size_t(maxGroupDepth)) {
        ++m_groupsBeyondLimit;
        return;
    }
    m_groups.push_back(state());
}

void RtfReader::closeGroup()
{
    if (m_groupsBeyondLimit > 0) {
        --m_groupsBeyondLimit;
        return;
    }
    if (state().destination == Destination::FontTable)
        endFontEntry();
    // Text after the document's closing brace is not part of it; the
    // document's state stays for the end of the last paragraph.
    if (m_groups.size() <= 2)
        m_rootClosed = true;
    else
        m_groups.pop_back();
}

void RtfReader::handleWord(const RtfToken &token)
{
    const auto found = keywords().find(token.word);
    if (found == keywords().end())
        return;
    GroupState &group = state();
    if (group.destination == Destination::Skipped)
        return;
    const KeywordMeaning meaning = found->second;
    const int value = token.parameter;
    // A toggle like \b is on without a parameter and off with \b0.
    const bool on = !token.hasParameter || value != 0;

    // In the font table \fN starts the entry for font N.
    if (group.destination == Destination::FontTable && meaning.keyword == Keyword::Font) {
        endFontEntry();
        m_fontEntryNumber = value;
        return;
    }

    switch (meaning.keyword) {
    case Keyword::Paragraph:
    case Keyword::Row:
        if (group.destination == Destination::Body)
            m_builder.endParagraph(group.alignment);
        break;
    case Keyword::Line: handleCharacter(QChar::LineSeparator); break;
    case Keyword::Tab: handleCharacter(u'\t'); break;
    case Keyword::Character: handleCharacter(meaning.character); break;
    case Keyword::Cell:
        if (group.destination == Destination::Body)
            m_builder.endCell();
        break;
    case Keyword::ParagraphDefaults: group.alignment = Qt::AlignLeft; break;
    case Keyword::PlainCharacters: group.chars = CharState{}; break;
    case Keyword::Bold: group.chars.bold = on; break;
    case Keyword::Italic: group.chars.italic = on; break;
    case Keyword::Underline: group.chars.underline = on; break;
    case Keyword::UnderlineNone: group.chars.underline = false; break;
    case Keyword::Hidden: group.chars.hidden = on; break;
    case Keyword::Font:
        if (token.hasParameter && value >= 0)
            group.chars.font = value;
        break;
    case Keyword::DefaultFont:
        if (value >= 0)
            m_defaultFont = value;
        break;
    case Keyword::FontSize:
        // \fs alone is the default size; out-of-range sizes are ignored.
        if (!token.hasParameter)
            group.chars.halfPoints = 24;
        else if (value > 0 && value <= maxHalfPoints)
            group.chars.halfPoints = value;
        break;
    case Keyword::Colour:
        if (value >= 0)
            group.chars.colour = value;
        break;
    case Keyword::AlignLeft: group.alignment = Qt::AlignLeft; break;
    case Keyword::AlignRight: group.alignment = Qt::AlignRight; break;
    case Keyword::AlignCentre: group.alignment = Qt::AlignHCenter; break;
    case Keyword::AlignJustify: group.alignment = Qt::AlignJustify; break;
    case Keyword::Unicode: handleUnicode(token); break;
    case Keyword::UnicodeSkip: group.unicodeSkip = std::clamp(value, 0, maxUnicodeSkip); break;
    case Keyword::Red: m_red = std::clamp(value, 0, 255); m_colourGiven = true; break;
    case Keyword::Green: m_green = std::clamp(value, 0, 255); m_colourGiven = true; break;
    case Keyword::Blue: m_blue = std::clamp(value, 0, 255); m_colourGiven = true; break;
    case Keyword::FontTable:
        group.destination = Destination::FontTable;
        m_fontEntryName.clear();
        break;
    case Keyword::ColourTable:
        group.destination = Destination::ColourTable;
        m_colours.clear();
        m_red = m_green = m_blue = 0;
        m_colourGiven = false;
        break;
    case Keyword::SkippedDestination: group.destination = Destination::Skipped; break;
    }
}

void RtfReader::handleSymbol(char symbol)
{
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        handleCharacter(char16_t(symbol));
        break;
    case '~': handleCharacter(QChar::Nbsp); break;
    case '-': handleCharacter(QChar::SoftHyphen); break;
    case '_': handleCharacter(u'\u2011'); break;
    case '\n':
        if (state().destination == Destination::Body)
            m_builder.endParagraph(state().alignment);
        break;
    case '*':
        // Marks a destination that readers not knowing it must skip; we
        // need none of them.
        state().destination = Destination::Skipped;
        break;
    default:
        break;
    }
}

void RtfReader::handleText(std::string_view text)
{
    for (const char byte : text)
        handleCharacter(windows1252ToUnicode(static_cast<unsigned char>(byte)).unicode());
}

void RtfReader::handleUnicode(const RtfToken &token)
{
    // \uN is a signed 16-bit number; values above 32767 also occur unsigned.
    if (!token.hasParameter || token.parameter < -32768 || token.parameter > 65535)
        return; // no character: its fallback is all there is to show
    handleCharacter(char16_t(token.parameter < 0 ? token.parameter + 65536 : token.parameter));
    m_fallbackToSkip = state().unicodeSkip;
}

void RtfReader::handleCharacter(char16_t unit)
{
    switch (state().destination) {
    case Destination::Body:
        if (state().chars.hidden)
            return;
        if (m_builderChars != state().chars) {
            m_builderChars = state().chars;
            m_builder.setCharFormat(charFormat(state().chars));
        }
        m_builder.append(unit);
        break;
    case Destination::FontTable:
        if (unit == u';')
            endFontEntry();
        else if (m_fontEntryName.size() < maxFontNameLength)
            m_fontEntryName += QChar(unit);
        break;
    case Destination::ColourTable:
        if (unit == u';')
            endColourEntry();
        break;
    case Destination::Skipped:
        break;
    }
}

void RtfReader::endFontEntry()
{
    const QString name = m_fontEntryName.trimmed();
    m_fontEntryName.clear();
    if (!name.isEmpty() && !m_fonts.contains(m_fontEntryNumber))
        m_fonts.insert(m_fontEntryNumber, name);
}

void RtfReader::endColourEntry()
{
    // An entry without components is the automatic colour.
    if (m_colourGiven)
        m_colours.append(QColor(m_red, m_green, m_blue));
    else
        m_colours.append(std::nullopt);
    m_red = m_green = m_blue = 0;
    m_colourGiven = false;
}

QTextCharFormat RtfReader::charFormat(const CharState &chars) const
{
    QTextCharFormat format;
    if (chars.bold)
        format.setFontWeight(QFont::Bold);
    if (chars.italic)
        format.setFontItalic(true);
    if (chars.underline)
        format.setFontUnderline(true);
    const QString family = m_fonts.value(chars.font >= 0 ? chars.font : m_defaultFont);
    if (!family.isEmpty())
        format.setFontFamilies(QStringList{family});
    format.setFontPointSize(chars.halfPoints / 2.0);
    if (chars.colour > 0 && chars.colour < m_colours.size() && m_colours[chars.colour])
        format.setForeground(*m_colours[chars.colour]);
    return format;
}

// Where "{\rtf" starts after a byte-order mark and blanks, or -1.
qsizetype rtfStart(const QByteArray &bytes)
{
    qsizetype pos = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (pos < bytes.size() && (bytes[pos] == ' ' || bytes[pos] == '\t' || bytes[pos] == '\r' || bytes[pos] == '\n'))
        ++pos;
    return QByteArrayView(bytes).sliced(pos).startsWith("{\\rtf") ? pos : -1;
}

} // namespace

bool looksLikeRtf(const QByteArray &bytes)
{
    return rtfStart(bytes) >= 0;
}

void readRtf(const QByteArray &rtf, QTextDocument &doc)
{
    const qsizetype start = rtfStart(rtf);
    if (start < 0) {
        // The same characters as from RTF, so that what is shown is what a
        // save writes.
        QString text = decodeUtf8OrWindows1252(rtf);
        text.removeIf([](QChar c) { return c != u'\n' && c != u'\r' && isDroppedControl(c.unicode()); });
        doc.setPlainText(text);
        return;
    }
    // Loading is not an edit the user could undo.
    const bool undoEnabled = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.clear();
    RtfReader(QByteArrayView(rtf).sliced(start), doc).read();
    doc.setUndoRedoEnabled(undoEnabled);
}
