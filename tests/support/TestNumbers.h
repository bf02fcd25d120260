#pragma once

// Number texts in tests follow the separators the tests run with: the
// system's (a CTest run under a comma locale checks that nothing the program
// writes for itself assumes a "."). Expected texts are written with "." and
// "," and turned into the current separators.

#include "core/NumText.h"

#include <QString>
#include <QStringList>

// Takes the separators of the locale the test runs in.
inline void useTestNumberFormat() { useSystemNumberFormat(); }

// "1,234.56" in the current separators; only separators between digits
// change, so sentences keep their full stops and commas.
inline QString localNumbers(const QString &text)
{
    const NumberFormatSettings &format = numberFormatSettings();
    QString out = text;
    for (int i = 1; i + 1 < out.size(); ++i) {
        if (!out[i - 1].isDigit() || !out[i + 1].isDigit())
            continue;
        if (text[i] == u'.')
            out[i] = format.decimalSeparator;
        else if (text[i] == u',')
            out[i] = format.thousandSeparator;
    }
    return out;
}

inline QStringList localNumbers(QStringList texts)
{
    for (QString &text : texts)
        text = localNumbers(text);
    return texts;
}
