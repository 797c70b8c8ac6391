#pragma once

#include "controls/workbook/Parser.h"

namespace qv::workbook {

// Compiles the formula of the cell at row and col. Formulas that differ only
// in where they stand (B2 = A2*2, B3 = A3*2, ...), as a filled column of a
// large sheet holds them, are parsed once: the others copy the code and move
// its relative references, which is the bulk of loading such a sheet.
ParseResult compileFormulaAt(const QString &text, int row, int col);

} // namespace qv::workbook
