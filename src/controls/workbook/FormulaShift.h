#pragma once

#include "controls/workbook/Formula.h"

#include <QString>

#include <functional>

namespace qv::workbook {

// The formula as it reads when copied dRow rows down and dCol columns right:
// relative references move along, "$" parts stay. A reference pushed off
// the sheet becomes #REF!. Text that does not tokenize comes back unchanged.
QString shiftFormula(const QString &formula, int dRow, int dCol);

// What becomes of a reference when cells move: it stays, it follows the
// cells it names ("$" parts too), or its cells were overwritten (#REF!).
enum class ReferenceFate { Keep, Move, Lost };
// The formula with each reference (counted from 0, in the order the
// formula's compiled references have) treated as `fate` says.
QString moveReferences(const QString &formula, const std::function<ReferenceFate(int, const Reference &)> &fate, int dRow, int dCol);

} // namespace qv::workbook
