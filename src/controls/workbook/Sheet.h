#pragma once

#include "controls/workbook/CellAddress.h"
#include "controls/workbook/Value.h"

#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace qv::workbook {

// One stored cell: a constant (or nothing) or a formula, and a format index.
struct Cell
{
    Value value;               // the constant; a formula keeps its result in the formula table
    std::int32_t formula = -1; // index into the workbook's formulas
    std::uint32_t format = 0;  // index into the workbook's FormatTable
    bool isBlank() const { return formula < 0 && value.isEmpty(); }
};

// The selected ranges and the active cell.
struct Selection
{
    std::vector<CellRange> ranges{CellRange::cell(1, 1)};
    CellAddress active;
};

// Twips: 1/1440 inch; 20 twips make a point.
constexpr int defaultRowHeight = 255;   // 12.75 points
constexpr int defaultColumnWidth = 1152; // 0.8 inch

// Cells of one sheet, stored sparsely: one vector per row holding only the
// cells that exist, ordered by column, so lookups cost a short binary search
// and memory grows with the cells, not with the sheet's extent.
class SheetData
{
public:
    struct Entry
    {
        int col;
        Cell cell;
    };
    using Row = std::vector<Entry>;

    QString name;

    const Cell *cell(int row, int col) const;
    Cell *cell(int row, int col);
    Cell &cellForWrite(int row, int col); // creates the cell
    void removeCell(int row, int col);

    // Visits the stored cells inside the range, row by row.
    template <typename F>
    void forEachCell(const CellRange &range, F &&visit) const
    {
        const int lastRow = std::min(range.bottom, int(m_rows.size()));
        for (int r = std::max(range.top, 1); r <= lastRow; ++r) {
            const Row &row = m_rows[std::size_t(r - 1)];
            auto it = std::lower_bound(row.begin(), row.end(), range.left,
                                       [](const Entry &e, int col) { return e.col < col; });
            for (; it != row.end() && it->col <= range.right; ++it)
                visit(r, it->col, it->cell);
        }
    }
    template <typename F>
    void forEachCell(const CellRange &range, F &&visit)
    {
        const int lastRow = std::min(range.bottom, int(m_rows.size()));
        for (int r = std::max(range.top, 1); r <= lastRow; ++r) {
            Row &row = m_rows[std::size_t(r - 1)];
            auto it = std::lower_bound(row.begin(), row.end(), range.left,
                                       [](const Entry &e, int col) { return e.col < col; });
            for (; it != row.end() && it->col <= range.right; ++it)
                visit(r, it->col, it->cell);
        }
    }

    int storedRows() const { return int(m_rows.size()); }
    // The last row and column holding a non-blank cell (value or formula), 0 when none.
    int lastStoredRow() const;
    int lastStoredCol() const;
    std::size_t cellCount() const;

    // Rows and columns; sizes in twips.
    std::map<int, int> rowHeights;
    std::map<int, int> columnWidths;
    std::set<int> hiddenRows;
    std::set<int> hiddenColumns;
    int maxCol = 0; // 0: no limit
    int maxRow = 0;
    std::vector<CellRange> merges;
    Selection selection;
    int viewScale = 100;
    std::optional<CellRange> printArea;
    bool isProtected = false;

private:
    std::vector<Row> m_rows;
};

} // namespace qv::workbook
