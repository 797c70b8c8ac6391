#include "compile/TableConversion.h"

#include "controls/workbook/Workbook.h"
#include "support/Preferences.h"

#include <limits>

namespace qv::compile {

PrintConversions PrintConversions::fromPreferences()
{
    return {support::Preferences::IsPreferencePrintBlack(), support::Preferences::IsPreferencePrintNormal()};
}

TableMeasurement measureTable(const workbook::Workbook &book)
{
    TableMeasurement m;
    constexpr int most16 = std::numeric_limits<qint16>::max();
    m.lastRow = qint16(std::min(book.lastRow(), most16));
    m.lastCol = qint16(std::min(book.lastCol(), most16));
    qint64 width = 0;
    for (int col = 1; col <= m.lastCol; ++col)
        if (!book.isColumnHidden(col))
            width += book.columnWidth(col);
    qint64 height = 0;
    for (int row = 1; row <= m.lastRow; ++row)
        if (!book.isRowHidden(row))
            height += book.rowHeight(row);
    m.height = qint32(std::min<qint64>(height, std::numeric_limits<qint32>::max()));
    m.portrait = width < kPortraitWidthLimit;
    return m;
}

void prepareForCompiling(workbook::Workbook &book, const TableMeasurement &measurement,
                         const PrintConversions &conversions)
{
    if (!measurement.isEmpty()) {
        const workbook::CellRange range = measurement.range();
        book.setSelection(range);
        book.changeFormat(range, [&](workbook::CellFormat &format) {
            if (conversions.black)
                format.fontColor = 0x000000;
            if (conversions.normal)
                format.italic = false;
        });
        book.setOutlineBorder(range, workbook::BorderStyle::Thin, 0x000000);
    }
    workbook::ViewSettings view = book.viewSettings();
    view.showGridLines = false;
    view.showRowHeadings = false;
    view.showColumnHeadings = false;
    book.setViewSettings(view);
}

TableMeasurement convertTable(workbook::Workbook &book, const QString &excelFile, const PrintConversions &conversions)
{
    const TableMeasurement measurement = measureTable(book);
    prepareForCompiling(book, measurement, conversions);
    book.writeExcelCopy(excelFile);
    return measurement;
}

} // namespace qv::compile
