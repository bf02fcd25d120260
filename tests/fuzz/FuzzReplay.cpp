// Runs a fuzz target without libFuzzer: every file under the folders given
// on the command line (its seed corpus and the inputs that once crashed it)
// is fed to the target once. Used by the ordinary test run.

#include "tests/fuzz/FuzzCheck.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace {

int replay(const QString &name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(name));
        std::exit(1);
    }
    const QByteArray bytes = file.readAll();
    std::fprintf(stderr, "%s\n", qPrintable(name));
    LLVMFuzzerTestOneInput(reinterpret_cast<const unsigned char *>(bytes.constData()),
                           static_cast<size_t>(bytes.size()));
    return 1;
}

} // namespace

// Arguments are folders (every file below them, hidden ones aside) or files.
int main(int argc, char **argv)
{
    int inputs = 0;
    for (int a = 1; a < argc; ++a) {
        const QString path = QString::fromLocal8Bit(argv[a]);
        if (QFileInfo(path).isFile()) {
            inputs += replay(path);
            continue;
        }
        QDirIterator it(path, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString name = it.next();
            if (!it.fileName().startsWith(u'.'))
                inputs += replay(name);
        }
    }
    std::fprintf(stderr, "%d inputs replayed\n", inputs);
    return inputs > 0 ? 0 : 1;
}
