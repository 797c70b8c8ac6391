#include "controls/workbook/Sheet.h"

#include <algorithm>

namespace qv::workbook {

namespace {
auto findEntry(SheetData::Row &row, int col)
{
    return std::lower_bound(row.begin(), row.end(), col, [](const SheetData::Entry &e, int c) { return e.col < c; });
}
auto findEntry(const SheetData::Row &row, int col)
{
    return std::lower_bound(row.begin(), row.end(), col, [](const SheetData::Entry &e, int c) { return e.col < c; });
}
} // namespace

const Cell *SheetData::cell(int row, int col) const
{
    if (row < 1 || row > int(m_rows.size()))
        return nullptr;
    const Row &r = m_rows[std::size_t(row - 1)];
    const auto it = findEntry(r, col);
    return it != r.end() && it->col == col ? &it->cell : nullptr;
}

Cell *SheetData::cell(int row, int col)
{
    if (row < 1 || row > int(m_rows.size()))
        return nullptr;
    Row &r = m_rows[std::size_t(row - 1)];
    const auto it = findEntry(r, col);
    return it != r.end() && it->col == col ? &it->cell : nullptr;
}

Cell &SheetData::cellForWrite(int row, int col)
{
    if (row > int(m_rows.size()))
        m_rows.resize(std::size_t(row));
    Row &r = m_rows[std::size_t(row - 1)];
    auto it = findEntry(r, col);
    if (it != r.end() && it->col == col)
        return it->cell;
    // Rows grow by half rather than double: a sheet of many short rows
    // (ten cells each, say) then wastes little room at its rows' ends.
    if (r.size() == r.capacity()) {
        const auto at = it - r.begin();
        r.reserve(r.size() + r.size() / 2 + 4);
        it = r.begin() + at;
    }
    return r.insert(it, Entry{col, Cell{}})->cell;
}

void SheetData::removeCell(int row, int col)
{
    if (row < 1 || row > int(m_rows.size()))
        return;
    Row &r = m_rows[std::size_t(row - 1)];
    const auto it = findEntry(r, col);
    if (it != r.end() && it->col == col)
        r.erase(it);
    while (!m_rows.empty() && m_rows.back().empty())
        m_rows.pop_back();
}

int SheetData::lastStoredRow() const
{
    for (int r = int(m_rows.size()); r >= 1; --r)
        for (const Entry &e : m_rows[std::size_t(r - 1)])
            if (!e.cell.isBlank())
                return r;
    return 0;
}

int SheetData::lastStoredCol() const
{
    int last = 0;
    for (const Row &row : m_rows)
        for (auto it = row.rbegin(); it != row.rend(); ++it)
            if (!it->cell.isBlank()) {
                last = std::max(last, it->col);
                break;
            }
    return last;
}

std::size_t SheetData::cellCount() const
{
    std::size_t n = 0;
    for (const Row &row : m_rows)
        n += row.size();
    return n;
}

} // namespace qv::workbook
