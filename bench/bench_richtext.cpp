// Times reading and writing a 1 MB RTF note made of paragraphs like those
// word processors write: font and colour changes, bold, italic and underlined
// runs, code page escapes, Unicode characters and a picture to skip.

#include "bench/Timing.h"
#include "platform/RichText.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>

namespace {

QByteArray makeRtf(qsizetype minimumSize)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0"
                     "{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}{\\f2\\fmodern Courier New;}}"
                     "{\\colortbl;\\red0\\green0\\blue0;\\red192\\green0\\blue0;\\red0\\green77\\blue187;}\n"
                     "{\\*\\generator bench}{\\info{\\title Dive log}}\n";
    rtf += "{\\pict\\pngblip\\picw64\\pich64 " + QByteArray(20000, 'a') + "}\n";
    for (int n = 0; rtf.size() < minimumSize; ++n) {
        rtf += "\\pard\\qc{\\f1\\fs32\\b Dive " + QByteArray::number(n) + "}\\par\n";
        rtf += "\\pard\\qj\\f0\\fs22 Descent to {\\b 32 m} on {\\i EAN32}, bottom time {\\ul 25 min}, "
               "s\\'f8ndag ved Bl\\'e5vand, {\\cf2 red buoy} and {\\cf3\\f2 blue line}; "
               "\\u937?mega \\u8364?12 \\'ab\\'e6\\'f8\\'e5\\'bb\\tab next\\line second line of the entry "
               "with some more ordinary words to make the paragraph a typical length.\\par\n";
    }
    rtf += "}\n";
    return rtf;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QByteArray rtf = makeRtf(1 << 20);
    constexpr int runs = 9;
    QTextDocument doc;
    const double readMs = medianMilliseconds(runs, [&] { readRtf(rtf, doc); });
    QByteArray written;
    const double writeMs = medianMilliseconds(runs, [&] { written = writeRtf(doc); });

    std::printf("bench_richtext: read %lld bytes (%d paragraphs): median %.1f ms over %d runs\n",
                static_cast<long long>(rtf.size()), doc.blockCount(), readMs, runs);
    std::printf("bench_richtext: write %lld bytes: median %.1f ms over %d runs\n",
                static_cast<long long>(written.size()), writeMs, runs);
    return 0;
}
