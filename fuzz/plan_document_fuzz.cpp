// The plan document reader on arbitrary bytes: it must never crash, hang or
// leak, and whatever it accepts must write back to a document that reads
// the same and writes the same bytes again.

#include "plan/PlanDocument.h"

#include <cstdint>
#include <cstdlib>

using namespace qv::plan;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    PlanContent content;
    QString reason;
    if (!PlanDocument::read(bytes, content, reason)) {
        if (reason.isEmpty())
            std::abort(); // every refusal gives its reason
        return 0;
    }
    const QByteArray written = PlanDocument::write(content);
    PlanContent again;
    if (!PlanDocument::read(written, again, reason) || !again.sameContent(content)
        || PlanDocument::write(again) != written)
        std::abort();
    return 0;
}
