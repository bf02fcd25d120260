// Rich text notes: any bytes read as RTF, written and read again give the
// same text. The reader never fails, whatever it is given.

#include "platform/RichText.h"
#include "tests/fuzz/FuzzCheck.h"

#include <QGuiApplication>
#include <QTextDocument>

namespace {

void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_richtext";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    if (size > 64 * 1024)
        return 0;
    ensureApplication();
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QTextDocument first;
    readRtf(bytes, first);
    const QByteArray rtf = writeRtf(first);
    FUZZ_CHECK(looksLikeRtf(rtf), QString::fromLatin1(rtf.left(100)));
    QTextDocument second;
    readRtf(rtf, second);
    FUZZ_CHECK(first.toPlainText() == second.toPlainText(),
               QStringLiteral("read:    %1\nwritten: %2\nre-read: %3")
                   .arg(first.toPlainText(), QString::fromLatin1(rtf), second.toPlainText()));
    return 0;
}
