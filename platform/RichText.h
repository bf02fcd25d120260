#pragma once

// Rich text notes: our own RTF codec between files and the editor's document.

#include <QByteArray>

class QTextDocument;

// True when the bytes start with "{\rtf", after an optional byte-order mark
// and blanks.
bool looksLikeRtf(const QByteArray &bytes);

// Replaces the document's content with the RTF in `rtf`. Bytes that are not
// RTF at all are shown as plain text. Broken RTF (truncated, unbalanced
// braces, absurd values) yields what could be read; this never fails.
// Kept: text, paragraphs and their alignment, line breaks, tabs, bold,
// italic, underline, font family, font size and text colour.
void readRtf(const QByteArray &rtf, QTextDocument &doc);

// The document as RTF 1 in the Windows-1252 code page, with the same
// formatting kinds the reader keeps.
QByteArray writeRtf(const QTextDocument &doc);
