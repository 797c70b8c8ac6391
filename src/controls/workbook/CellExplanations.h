#pragma once

// Words for the user about a cell: why a locked one cannot be typed over,
// and what text typed into a cell meant for a number does to the totals.

#include <QString>

namespace qv::workbook {

struct CellFormat;
class Workbook;

// A number, currency or percent format: the cell is meant for a number.
bool expectsNumber(const CellFormat &format);

// Why the user cannot type over the locked cell: for a calculated cell,
// what it is calculated from; for a heading, that it is one. Empty text for
// any other cell.
QString lockedCellExplanation(const Workbook &book, int row, int col);

// A note when the cell is meant for a number but holds text, which totals
// count as 0; empty text otherwise.
QString textInNumberCellNote(const Workbook &book, int row, int col);

} // namespace qv::workbook
