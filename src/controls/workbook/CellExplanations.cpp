#include "controls/workbook/CellExplanations.h"

#include "controls/workbook/CellAddress.h"
#include "controls/workbook/CellFormat.h"
#include "controls/workbook/Workbook.h"

namespace qv::workbook {

bool expectsNumber(const CellFormat &format)
{
    return format.isCurrency() || format.isPercent() || format.numberFormat.contains(u'0')
           || format.numberFormat.contains(u'#');
}

QString lockedCellExplanation(const Workbook &book, int row, int col)
{
    const QString cell = cellName(row, col);
    if (book.hasFormula(row, col))
        return QStringLiteral("Cell %1 is calculated (%2), so it cannot be typed over: it changes by itself "
                              "when the cells it is calculated from change. Type your figures in those cells instead.")
            .arg(cell, book.formula(row, col));
    if (book.value(row, col).isText())
        return QStringLiteral("Cell %1 is a heading of the table and cannot be typed over.").arg(cell);
    return QString();
}

QString textInNumberCellNote(const Workbook &book, int row, int col)
{
    if (book.hasFormula(row, col) || !book.value(row, col).isText() || !expectsNumber(book.format(row, col)))
        return QString();
    return QStringLiteral("%1 holds \"%2\", which is not a number, so the totals count it as 0. "
                          "Type a number, such as 1500.")
        .arg(cellName(row, col), book.value(row, col).text);
}

} // namespace qv::workbook
