#pragma once

#include "controls/workbook/CellAddress.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace qv::workbook {

class Workbook;

// A formula somewhere in the loaded workbooks.
struct FormulaKey
{
    Workbook *book = nullptr;
    int formula = -1;
    bool operator==(const FormulaKey &) const = default;
};

// Who depends on the cells of one workbook: the formulas (of this or any
// other loaded workbook) that read each cell or range. Single cells are
// hashed; narrow ranges are kept per column so a change looks at few.
class DependencyGraph
{
public:
    void addCell(int sheet, int row, int col, FormulaKey dependent);
    void removeCell(int sheet, int row, int col, FormulaKey dependent);
    void addRange(int sheet, const CellRange &range, FormulaKey dependent);
    void removeRange(int sheet, const CellRange &range, FormulaKey dependent);
    void clear();

    // Appends the formulas that read the cell.
    void dependentsOf(int sheet, int row, int col, std::vector<FormulaKey> &out) const;

private:
    struct RangeEntry
    {
        int sheet;
        CellRange range;
        FormulaKey dependent;
    };
    static constexpr int narrowWidth = 8;

    static std::uint64_t cellKey(int sheet, int row, int col)
    {
        return (std::uint64_t(std::uint32_t(sheet)) << 40) | (std::uint64_t(std::uint32_t(row)) << 16)
               | std::uint64_t(std::uint32_t(col) & 0xFFFF);
    }
    static std::uint64_t columnKey(int sheet, int col) { return (std::uint64_t(std::uint32_t(sheet)) << 32) | std::uint32_t(col); }

    std::unordered_map<std::uint64_t, std::vector<FormulaKey>> m_cells;
    // Ranges crossing one column: short ones ordered by their top row, so a
    // lookup scans only those that can reach the row; tall ones apart.
    struct ColumnIndex
    {
        std::vector<RangeEntry> shortRanges;
        int maxShortHeight = 0;
        std::vector<RangeEntry> tallRanges;
    };
    static constexpr int shortHeight = 64;
    std::unordered_map<std::uint64_t, ColumnIndex> m_columns;
    std::vector<RangeEntry> m_wide;
};

} // namespace qv::workbook
