#pragma once

#include <QByteArray>
#include <QString>

// The Windows western code page, which files written by Windows programs use.
QChar windows1252ToUnicode(unsigned char byte);
QString decodeWindows1252(const QByteArray &bytes);
// The code page byte of a character, or 0 when the code page has none.
unsigned char unicodeToWindows1252(QChar c);
// UTF-8 when the bytes are valid UTF-8 (a leading byte-order mark is
// dropped), else Windows-1252.
QString decodeUtf8OrWindows1252(const QByteArray &bytes, bool *hadBom = nullptr);
