#pragma once

#include "controls/workbook/CellAddress.h"
#include "controls/workbook/CellFormat.h"
#include "controls/workbook/Sheet.h"
#include "controls/workbook/Value.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace qv::workbook {

class Workbook;
struct WorkbookContent;

// What the cells of one range of a sheet hold: constants or formula texts,
// and formats. Taking one stores only the cells that exist, so a whole
// column costs what its used cells cost. Restoring puts the range back
// exactly as it was and recalculates what depends on it, in one pass.
class CellsSnapshot
{
public:
    static CellsSnapshot take(const Workbook &book, int sheet, const CellRange &range);
    void restore(Workbook &book) const;

    int sheet() const { return m_sheet; }
    const CellRange &range() const { return m_range; }
    bool operator==(const CellsSnapshot &) const = default;

private:
    struct Stored
    {
        int row = 0, col = 0;
        Value value;
        bool isFormula = false;
        QString formula; // without "="
        CellFormat format;
        bool operator==(const Stored &) const = default;
    };
    int m_sheet = 0;
    CellRange m_range;
    std::vector<Stored> m_cells;
};

// The shape of one sheet: row heights, column widths, hidden rows and
// columns, merged ranges and the column and row limits.
class LayoutSnapshot
{
public:
    static LayoutSnapshot take(const Workbook &book, int sheet);
    void restore(Workbook &book) const;
    bool operator==(const LayoutSnapshot &) const = default;

private:
    int m_sheet = 0;
    std::map<int, int> m_rowHeights, m_columnWidths;
    std::set<int> m_hiddenRows, m_hiddenColumns;
    std::vector<CellRange> m_merges;
    int m_maxCol = 0, m_maxRow = 0;
};

// The whole workbook, for changes that replace everything (a table read back
// from its default file). The title stays the workbook's own when restored.
class ContentSnapshot
{
public:
    static ContentSnapshot take(const Workbook &book);
    void restore(Workbook &book) const;

private:
    std::shared_ptr<const WorkbookContent> m_content;
};

} // namespace qv::workbook
