#include "platform/RtfDocumentBuilder.h"

#include <QChar>
#include <QTextBlockFormat>
#include <QTextDocument>

bool isDroppedControl(char16_t unit)
{
    return (unit < 0x20 && unit != u'\t') || (unit >= 0x7F && unit <= 0x9F);
}

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument &doc) : m_cursor(&doc)
{
    // Inside an edit block the cursor does not lay out each block it
    // touches, which would take most of the reading time.
    m_cursor.beginEditBlock();
}

void RtfDocumentBuilder::setCharFormat(const QTextCharFormat &format)
{
    if (format == m_format)
        return;
    flushRun();
    m_format = format;
}

void RtfDocumentBuilder::append(char16_t unit)
{
    if (QChar::isLowSurrogate(unit) && m_highSurrogate) {
        beginContent();
        m_run += QChar(m_highSurrogate);
        m_run += QChar(unit);
        m_highSurrogate = 0;
        return;
    }
    resolveLoneSurrogate();
    if (QChar::isHighSurrogate(unit)) {
        m_highSurrogate = unit;
        return;
    }
    if (QChar::isLowSurrogate(unit)) {
        appendToRun(QChar::ReplacementCharacter);
        return;
    }
    if (!isDroppedControl(unit))
        appendToRun(unit);
}

void RtfDocumentBuilder::endParagraph(Qt::Alignment alignment)
{
    resolveLoneSurrogate();
    flushRun();
    if (m_paragraphPending)
        m_cursor.insertBlock();
    setAlignment(alignment);
    m_paragraphPending = true;
    m_cellPending = false;
}

void RtfDocumentBuilder::endCell()
{
    resolveLoneSurrogate();
    m_cellPending = true;
}

void RtfDocumentBuilder::finish(Qt::Alignment alignment)
{
    resolveLoneSurrogate();
    flushRun();
    if (!m_paragraphPending)
        setAlignment(alignment);
    m_cursor.endEditBlock();
}

// A new paragraph starts with the format of the one before; most keep it.
void RtfDocumentBuilder::setAlignment(Qt::Alignment alignment)
{
    QTextBlockFormat format = m_cursor.blockFormat();
    if (format.alignment() == alignment)
        return;
    format.setAlignment(alignment);
    m_cursor.setBlockFormat(format);
}

void RtfDocumentBuilder::appendToRun(char16_t unit)
{
    beginContent();
    m_run += QChar(unit);
}

void RtfDocumentBuilder::beginContent()
{
    if (m_paragraphPending) {
        m_cursor.insertBlock();
        m_paragraphPending = false;
    }
    if (m_cellPending) {
        m_cellPending = false;
        m_run += u'\t';
    }
}

void RtfDocumentBuilder::resolveLoneSurrogate()
{
    if (!m_highSurrogate)
        return;
    m_highSurrogate = 0;
    appendToRun(QChar::ReplacementCharacter);
}

void RtfDocumentBuilder::flushRun()
{
    if (m_run.isEmpty())
        return;
    m_cursor.insertText(m_run, m_format);
    m_run.clear();
}
