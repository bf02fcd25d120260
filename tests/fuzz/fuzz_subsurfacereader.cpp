// Subsurface logs: see FuzzDiveLog.h for what every input must give.

#include "tests/fuzz/FuzzDiveLog.h"

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    fuzzDiveLog(data, size, QStringLiteral("fuzz.ssrf"));
    return 0;
}
