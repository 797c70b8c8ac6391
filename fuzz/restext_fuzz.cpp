// Feeds arbitrary stored texts to the escape expansion: it must end, never
// crash, and leave no backslash run or escape it should have expanded.

#include "resources/ResText.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString stored = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString text = qv::expandResEscapes(stored);
    // Every escape was replaced and every run of backslashes collapsed.
    if (text.contains(QStringLiteral("\\\\")))
        std::abort();
    return 0;
}
