#pragma once

#include "controls/workbook/Formula.h"

#include <functional>

namespace qv::workbook {

// One entry of the evaluator's stack: a value, a reference to cells or an
// array, the last two read as a whole by functions such as SUM.
struct Operand
{
    Operand() = default;
    Operand(Value v, const Reference *reference = nullptr) : value(std::move(v)), ref(reference) {}
    explicit Operand(std::shared_ptr<const ValueArray> values) : array(std::move(values)) {}

    Value value;
    const Reference *ref = nullptr;
    std::shared_ptr<const ValueArray> array;
    bool isReference() const { return ref != nullptr; }
    bool isArray() const { return array != nullptr; }
};

// What a formula sees of the workbooks: cell values behind its references.
class EvaluationContext
{
public:
    virtual ~EvaluationContext() = default;
    // The value of one cell of the reference's target sheet (empty if none).
    virtual Value cellValue(const Reference &ref, int row, int col) const = 0;
    // Every non-empty cell inside the reference, row by row.
    virtual void forEachCell(const Reference &ref, const std::function<void(int row, int col, const Value &)> &visit) const = 0;
    // The reference's range, whole rows and columns cut to the used part.
    virtual CellRange usedPart(const Reference &ref) const = 0;
    // Today's date as a day number (TODAY()).
    virtual double today() const = 0;
};

// Runs compiled code on a stack of its own; never recurses.
Value evaluate(const CompiledFormula &formula, const EvaluationContext &context);
// Runs shared code for the formula standing at row and col.
Value evaluate(const SharedFormula &code, int row, int col, const EvaluationContext &context);

// The coercions of spreadsheet arithmetic, shared with the functions.
Value dereference(const Operand &operand, const EvaluationContext &context); // a range of one cell gives its value, an array its first
// The cells of a reference as an array of its declared shape (whole rows
// and columns cut to the used part); #NUM! past four million cells.
std::optional<ValueArray> referenceArray(const Reference &ref, const EvaluationContext &context, Value &failure);
std::optional<double> toNumber(const Value &value, ErrorCode &error);       // text that reads as a number counts
QString toText(const Value &value);                                           // numbers as General
int compareValues(const Value &a, const Value &b); // numbers < text < Booleans; text ignores case

} // namespace qv::workbook
