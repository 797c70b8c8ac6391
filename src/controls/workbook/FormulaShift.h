#pragma once

#include <QString>

namespace qv::workbook {

// The formula as it reads when copied dRow rows down and dCol columns right:
// relative references move along, "$" parts stay. A reference pushed off
// the sheet becomes #REF!. Text that does not tokenize comes back unchanged.
QString shiftFormula(const QString &formula, int dRow, int dCol);

} // namespace qv::workbook
