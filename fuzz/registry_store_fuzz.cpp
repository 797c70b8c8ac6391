// Feeds arbitrary bytes to the registry store reader. Whatever it keeps must
// survive being written and read again unchanged: the store is rewritten on
// every change, so a value the writer cannot give back faithfully would be
// lost or altered by the next unrelated write.

#include "support/registry/RegistryFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace qv::support::registry;
    const ParsedStore first = parseStore(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QByteArray written = formatStore(first.root);
    const ParsedStore second = parseStore(written);
    if (!second.problems.isEmpty())
        std::abort(); // the writer produced a line its own reader refuses
    if (formatStore(second.root) != written)
        std::abort(); // a value changed on its way through the file
    for (const RegValue &value : second.root.values)
        (void)value.data.rawBytes();
    return 0;
}
