// The table-definition reader and the workbook it builds, on any input.

#include "sourcereader/TableDefinition.h"

#include "controls/workbook/Workbook.h"

#include <QByteArray>
#include <QCoreApplication>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));
    const auto parsed = qv::templates::parseTableDefinition(QStringLiteral("Tbl0601.table"), text, {});
    const auto book = parsed.value.build();
    for (const QString &kind : parsed.value.exampleKinds())
        parsed.value.build(kind);
    qv::templates::textGrid(*book);
    return 0;
}
