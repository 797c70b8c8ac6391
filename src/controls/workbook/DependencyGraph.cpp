#include "controls/workbook/DependencyGraph.h"

#include <algorithm>

namespace qv::workbook {

void DependencyGraph::addCell(int sheet, int row, int col, FormulaKey dependent)
{
    m_cells[cellKey(sheet, row, col)].push_back(dependent);
}

void DependencyGraph::removeCell(int sheet, int row, int col, FormulaKey dependent)
{
    const auto it = m_cells.find(cellKey(sheet, row, col));
    if (it == m_cells.end())
        return;
    auto &list = it->second;
    const auto found = std::find(list.begin(), list.end(), dependent);
    if (found != list.end()) {
        *found = list.back();
        list.pop_back();
    }
    if (list.empty())
        m_cells.erase(it);
}

void DependencyGraph::addRange(int sheet, const CellRange &range, FormulaKey dependent)
{
    const RangeEntry entry{sheet, range, dependent};
    if (range.cols() > narrowWidth) {
        m_wide.push_back(entry);
        return;
    }
    for (int col = range.left; col <= range.right; ++col)
        m_columns[columnKey(sheet, col)].push_back(entry);
}

void DependencyGraph::removeRange(int sheet, const CellRange &range, FormulaKey dependent)
{
    auto drop = [&](std::vector<RangeEntry> &list) {
        const auto found = std::find_if(list.begin(), list.end(), [&](const RangeEntry &e) {
            return e.sheet == sheet && e.range == range && e.dependent == dependent;
        });
        if (found != list.end()) {
            *found = list.back();
            list.pop_back();
        }
    };
    if (range.cols() > narrowWidth) {
        drop(m_wide);
        return;
    }
    for (int col = range.left; col <= range.right; ++col) {
        const auto it = m_columns.find(columnKey(sheet, col));
        if (it == m_columns.end())
            continue;
        drop(it->second);
        if (it->second.empty())
            m_columns.erase(it);
    }
}

void DependencyGraph::clear()
{
    m_cells.clear();
    m_columns.clear();
    m_wide.clear();
}

void DependencyGraph::dependentsOf(int sheet, int row, int col, std::vector<FormulaKey> &out) const
{
    if (const auto it = m_cells.find(cellKey(sheet, row, col)); it != m_cells.end())
        out.insert(out.end(), it->second.begin(), it->second.end());
    if (const auto it = m_columns.find(columnKey(sheet, col)); it != m_columns.end())
        for (const RangeEntry &e : it->second)
            if (e.range.contains(row, col))
                out.push_back(e.dependent);
    for (const RangeEntry &e : m_wide)
        if (e.sheet == sheet && e.range.contains(row, col))
            out.push_back(e.dependent);
}

} // namespace qv::workbook
