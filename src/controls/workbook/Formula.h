#pragma once

#include "controls/workbook/CellAddress.h"
#include "controls/workbook/Value.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace qv::workbook {

class Workbook;

// A cell or range a formula names: in its own sheet, another sheet
// (Sheet2!A1) or another loaded workbook by title ([Tbl0404]Sheet1!$B$1).
struct Reference
{
    QString book;  // title of another workbook; empty for the formula's own
    QString sheet; // empty: the formula's own sheet
    CellRange range;
    bool isRange = false;
    bool wholeRows = false;
    bool wholeColumns = false;

    // Where the reference points now; kept current by the workbook set when
    // workbooks come and go or are retitled. A null book means #REF!.
    Workbook *target = nullptr;
    int targetSheet = -1;
};

// A rectangle of values: an array constant written in a formula
// ({1,2;3,4} is two rows of two) or an array a calculation made of one.
struct ValueArray
{
    int rows = 0, cols = 0;
    std::vector<Value> values; // row by row
    const Value &at(int row, int col) const { return values[std::size_t(row) * std::size_t(cols) + std::size_t(col)]; }
};

enum class OpCode : std::uint8_t {
    Number, String, Boolean, Error, Missing, Ref, Array,
    Add, Subtract, Multiply, Divide, Power, Concat,
    Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual,
    Negate, UnaryPlus, Percent,
    Call,
};

struct Instruction
{
    OpCode op;
    // An operator inside SUMPRODUCT works cell by cell on ranges, as there.
    bool elementWise = false;
    std::uint16_t argc = 0; // for Call
    std::uint32_t index = 0; // string, reference, error code or function
    double number = 0.0;
};

constexpr std::uint32_t unknownFunction = 0xFFFFFFFFu;

// A formula compiled once into postfix code that the evaluator runs with a
// value stack of its own, so neither parsing nor evaluation recurses.
struct CompiledFormula
{
    std::vector<Instruction> code;
    std::vector<QString> strings;
    std::vector<Reference> references;
    std::vector<std::shared_ptr<const ValueArray>> arrays;
    bool isVolatile = false; // TODAY()
};

} // namespace qv::workbook
