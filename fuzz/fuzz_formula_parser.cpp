// Feeds arbitrary text to the formula compiler and evaluates what compiles
// in a small workbook whose cells hold numbers, text and formulas.

#include "controls/workbook/Parser.h"
#include "controls/workbook/Workbook.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    using namespace qv::workbook;
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const ParseResult parsed = parseFormula(text);
    if (!parsed.ok())
        return 0;
    static Workbook *book = [] {
        auto *b = new Workbook;
        b->setTitle(QStringLiteral("Tbl0404"));
        b->setNumber(1, 1, 10);
        b->setText(1, 2, QStringLiteral("text"));
        b->setEntry(2, 1, QStringLiteral("=A1*2"));
        b->setEntry(2, 2, QStringLiteral("TRUE"));
        b->setEntry(3, 1, QStringLiteral("=1/0"));
        return b;
    }();
    // C3 may refer to itself or to cells that read it: cycles must end as errors.
    book->setFormula(3, 3, text);
    (void)book->text(3, 3);
    book->setEntry(4, 4, QStringLiteral("=C3+1"));
    (void)book->value(4, 4);
    book->clearRange(CellRange::cell(3, 3));
    return 0;
}
