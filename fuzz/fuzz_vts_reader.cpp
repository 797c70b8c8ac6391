// Feeds arbitrary bytes to the .vts reader; whatever it accepts is taken
// over by a workbook, calculated, queried and written back.

#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "platform/Error.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace qv::workbook;
    try {
        WorkbookContent content = vts::parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
        Workbook book;
        book.replaceContent(std::move(content));
        for (int s = 0; s < book.sheetCount(); ++s) {
            book.setActiveSheet(s);
            const int rows = std::min(book.lastRow(), 50), cols = std::min(book.lastCol(), 20);
            for (int r = 1; r <= rows; ++r)
                for (int c = 1; c <= cols; ++c)
                    (void)book.text(r, c);
        }
        book.recalculate();
        (void)vts::serialize(WorkbookContent());
    } catch (const qv::QvError &) {
        // A clear refusal is the expected answer to bad input.
    }
    return 0;
}
