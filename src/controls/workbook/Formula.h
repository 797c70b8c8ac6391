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

// Which sides of a reference stay put when its formula stands elsewhere:
// the parts written with "$", and every side of whole rows and columns.
struct ReferenceLocks
{
    bool top = true, left = true, bottom = true, right = true;
};

// Compiled code shared by the formulas of one sheet that differ only in
// where they stand, as the cells of a filled column do. Its references read
// as at the cell it was compiled for (row, col); every other formula moves
// their unlocked sides by its distance from there. The formulas' texts are
// rebuilt from `shape` rather than kept one by one.
struct SharedFormula
{
    CompiledFormula compiled;
    std::vector<ReferenceLocks> locks; // one per reference
    QString shape;                     // see formulaTextAt()
    int row = 0, col = 0;
    bool broken = false;               // did not compile
    // The workbook and sheet its references were resolved for, and when.
    const Workbook *resolvedFor = nullptr;
    int resolvedSheet = -1;
    quint64 resolvedPass = 0;

    // The range of reference `index` for the formula at row and col.
    CellRange rangeAt(std::size_t index, int atRow, int atCol) const
    {
        CellRange r = compiled.references[index].range;
        const ReferenceLocks &l = locks[index];
        const int dRow = atRow - row, dCol = atCol - col;
        if (!l.top) r.top += dRow;
        if (!l.bottom) r.bottom += dRow;
        if (!l.left) r.left += dCol;
        if (!l.right) r.right += dCol;
        return r;
    }
};

} // namespace qv::workbook
