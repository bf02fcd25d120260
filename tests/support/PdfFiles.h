#pragma once

// Reads back what a test printed to a PDF file, with the poppler tools.

#include <QProcess>
#include <QString>

// The text of every page, laid out as on the page. A font may print letter
// pairs as one ligature glyph ("ﬁ"); the text is read back in Unicode
// compatibility form (NFKC), where such a glyph is its letters again.
inline QString PdfText(const QString &pdf)
{
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    text.waitForFinished(30000);
    return QString::fromUtf8(text.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

// The number of pages.
inline int PdfPageCount(const QString &pdf)
{
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    info.waitForFinished(30000);
    for (const QString &line : QString::fromUtf8(info.readAllStandardOutput()).split(u'\n'))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return 0;
}
