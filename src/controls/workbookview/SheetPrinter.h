#pragma once

#include "controls/workbook/CellAddress.h"

class QPrinter;

namespace qv::workbook {

class Workbook;

// Prints a range of the active sheet page by page at its real size,
// splitting it across pages at row and column edges.
void printRange(const Workbook &book, const CellRange &range, QPrinter &printer);

} // namespace qv::workbook
