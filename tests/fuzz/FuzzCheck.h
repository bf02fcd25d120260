#pragma once

// Shared by the fuzz targets: a failed property aborts, which libFuzzer
// records as a crash with its input, and the replay runner reports as a
// failed test.

#include <QString>

#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void fuzzFailure(const char *what, const QString &detail)
{
    const QByteArray text = detail.toUtf8();
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stderr);
    std::fprintf(stderr, "\n");
    std::abort();
}

#define FUZZ_CHECK(condition, detail)                  \
    do {                                               \
        if (!(condition))                              \
            fuzzFailure(#condition, (detail));         \
    } while (false)

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size);
