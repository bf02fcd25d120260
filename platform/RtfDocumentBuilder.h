#pragma once

#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

class QTextDocument;

// The control characters a note does not keep: those below U+0020 but tab,
// and U+007F to U+009F. Neither RTF nor the writer can carry them.
bool isDroppedControl(char16_t unit);

// Collects the text an RTF reader finds into a document: characters in runs
// of one format, paragraphs with their alignment, and table cells as tabs.
// UTF-16 arrives one unit at a time (RTF spells a character beyond the basic
// plane as two \u words); a surrogate without its partner becomes U+FFFD.
class RtfDocumentBuilder final
{
public:
    explicit RtfDocumentBuilder(QTextDocument &doc);

    // Format of the characters appended from now on.
    void setCharFormat(const QTextCharFormat &format);
    // Control characters other than tab are dropped.
    void append(char16_t unit);
    // Ends the current paragraph, which gets the given alignment. The next
    // paragraph only comes into being when something follows, so the final
    // \par of a file leaves no empty paragraph behind.
    void endParagraph(Qt::Alignment alignment);
    // Cells of a table row are separated by a tab.
    void endCell();
    // Completes the document; the last paragraph gets the given alignment
    // unless it was ended already. Call it exactly once, at the end.
    void finish(Qt::Alignment alignment);

private:
    void setAlignment(Qt::Alignment alignment);
    void appendToRun(char16_t unit);
    void beginContent();
    void resolveLoneSurrogate();
    void flushRun();

    QTextCursor m_cursor;
    QTextCharFormat m_format;
    QString m_run;
    char16_t m_highSurrogate = 0;
    bool m_paragraphPending = false;
    bool m_cellPending = false;
};
