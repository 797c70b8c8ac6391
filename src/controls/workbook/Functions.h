#pragma once

#include "controls/workbook/Evaluator.h"

#include <span>

namespace qv::workbook {

// The function library: looked up by name when a formula is compiled, called
// by index when it runs. Unknown names give #NAME? when evaluated.
std::uint32_t findFunction(const QString &upperCaseName); // unknownFunction if none
QString functionName(std::uint32_t index);
bool functionAccepts(std::uint32_t index, int argc);
Value callFunction(std::uint32_t index, std::span<const Operand> args, const EvaluationContext &context);
QStringList functionNames();

} // namespace qv::workbook
