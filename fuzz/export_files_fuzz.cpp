// Feeds arbitrary bytes to the readers of the compile export files: the
// record splitter, "files.txt", and the compiler's reading of "bpfiles.csv"
// with "Field.txt" (the input split at its first zero byte).

#include "compile/ExportRecords.h"
#include "compile/compiler/PlanSource.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace qv;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QStringList &record : compile::readExportRecords(bytes))
        if (record.isEmpty())
            std::abort(); // only whole records are returned
    for (const compile::ListedFile &file : compile::readFilesList(bytes))
        if (file.fileName.contains(QLatin1Char('"')))
            std::abort(); // a quoted field cannot hold a quote
    const qsizetype zero = bytes.indexOf('\0');
    const compiler::PlanSource source =
        compiler::parsePlanSource(bytes.left(zero < 0 ? bytes.size() : zero), zero < 0 ? QByteArray() : bytes.mid(zero + 1));
    for (const compiler::Chapter &chapter : source.chapters)
        for (const compiler::Section &section : chapter.sections)
            for (const compiler::Figure &figure : section.figures)
                if (figure.kind == compiler::Figure::Kind::Table && !figure.pictureFile.endsWith(QLatin1String(".WMF")))
                    std::abort(); // a table's picture is always the upper-case ".WMF" name
    return 0;
}
