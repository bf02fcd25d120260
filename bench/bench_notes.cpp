// Times opening notes in a shown note window: a 5 MB plain-text note and a
// 1 MB rich-text note, each from the file to the first painted page.

#include "bench/Timing.h"
#include "platform/RichText.h"
#include "shell/MDIEdit.h"
#include "tests/support/FakeHost.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <cstdio>

namespace {

void writeFile(const QString &fileName, const QByteArray &bytes)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(fileName));
}

QByteArray plainNote(qsizetype size)
{
    QByteArray text;
    for (int n = 0; text.size() < size; ++n)
        text += "Dive " + QByteArray::number(n) + ": 32 m on EAN32, 25 min bottom time, safety stop 3 min at 5 m, "
                "tank 12 l from 200 to 60 bar.\n";
    return text;
}

// A formatted log as our own writer stores it.
QByteArray richNote(qsizetype size)
{
    QTextDocument doc;
    QTextCursor cursor(&doc);
    QTextCharFormat plain, bold, italic;
    bold.setFontWeight(QFont::Bold);
    italic.setFontItalic(true);
    for (int n = 0; doc.characterCount() < size * 3 / 4; ++n) {
        QTextBlockFormat block;
        block.setAlignment(n % 7 == 0 ? Qt::AlignHCenter : Qt::AlignLeft);
        cursor.insertBlock(block);
        cursor.insertText(QStringLiteral("Dive %1 ").arg(n), bold);
        cursor.insertText(QStringLiteral("at Bl\u00E5vand, "), italic);
        cursor.insertText(QStringLiteral("32 m on EAN32, bottom time 25 min, a long and ordinary sentence "
                                         "about the buoy line and the current."), plain);
    }
    return writeRtf(doc);
}

double medianOpenMilliseconds(const QString &fileName, int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        FakeHost host;
        TEditForm note(host);
        note.show();
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        OpenNoteFile(&note, fileName);
        note.repaint();
        QApplication::processEvents();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString plain = dir.filePath(QStringLiteral("log.txt"));
    const QString rich = dir.filePath(QStringLiteral("log.rtf"));
    const QByteArray plainBytes = plainNote(5 << 20);
    const QByteArray richBytes = richNote(1 << 20);
    writeFile(plain, plainBytes);
    writeFile(rich, richBytes);

    constexpr int runs = 7;
    std::printf("open %.1f MB plain-text note: median %.1f ms over %d runs\n", plainBytes.size() / 1048576.0,
                medianOpenMilliseconds(plain, runs), runs);
    std::printf("open %.1f MB rich-text note:  median %.1f ms over %d runs\n", richBytes.size() / 1048576.0,
                medianOpenMilliseconds(rich, runs), runs);
    return 0;
}
