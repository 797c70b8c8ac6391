#pragma once

#include "controls/workbook/Formula.h"

namespace qv::workbook {

struct ParseResult
{
    CompiledFormula formula;
    QString error; // empty on success
    bool ok() const { return error.isEmpty(); }
};

// Limits that keep hostile formulas from costing unbounded work.
constexpr int maxFormulaLength = 8192;
constexpr int maxNestingDepth = 255;

// Compiles formula text (with or without its leading "=") into postfix code.
// Works with an explicit operator stack, so deep nesting never recurses.
ParseResult parseFormula(const QString &text);

} // namespace qv::workbook
