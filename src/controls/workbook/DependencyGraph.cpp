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
    for (int col = range.left; col <= range.right; ++col) {
        ColumnIndex &index = m_columns[columnKey(sheet, col)];
        if (range.rows() > shortHeight) {
            index.tallRanges.push_back(entry);
            continue;
        }
        auto &list = index.shortRanges;
        const auto at = std::upper_bound(list.begin(), list.end(), range.top,
                                         [](int top, const RangeEntry &e) { return top < e.range.top; });
        list.insert(at, entry);
        index.maxShortHeight = std::max(index.maxShortHeight, range.rows());
    }
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
        ColumnIndex &index = it->second;
        if (range.rows() > shortHeight) {
            drop(index.tallRanges);
        } else {
            // Order matters here: erase, not swap with the last.
            auto &list = index.shortRanges;
            auto at = std::lower_bound(list.begin(), list.end(), range.top,
                                       [](const RangeEntry &e, int top) { return e.range.top < top; });
            for (; at != list.end() && at->range.top == range.top; ++at)
                if (at->range == range && at->dependent == dependent) {
                    list.erase(at);
                    break;
                }
        }
        if (index.shortRanges.empty() && index.tallRanges.empty())
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
    if (const auto it = m_columns.find(columnKey(sheet, col)); it != m_columns.end()) {
        const ColumnIndex &index = it->second;
        const auto &list = index.shortRanges;
        auto at = std::lower_bound(list.begin(), list.end(), row - index.maxShortHeight + 1,
                                   [](const RangeEntry &e, int top) { return e.range.top < top; });
        for (; at != list.end() && at->range.top <= row; ++at)
            if (at->range.bottom >= row)
                out.push_back(at->dependent);
        for (const RangeEntry &e : index.tallRanges)
            if (e.range.contains(row, col))
                out.push_back(e.dependent);
    }
    for (const RangeEntry &e : m_wide)
        if (e.sheet == sheet && e.range.contains(row, col))
            out.push_back(e.dependent);
}

} // namespace qv::workbook
