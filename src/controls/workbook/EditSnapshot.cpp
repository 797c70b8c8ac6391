#include "controls/workbook/EditSnapshot.h"

#include "controls/workbook/Workbook.h"

namespace qv::workbook {

CellsSnapshot CellsSnapshot::take(const Workbook &book, int sheet, const CellRange &range)
{
    CellsSnapshot snapshot;
    snapshot.m_sheet = sheet;
    snapshot.m_range = range;
    const WorkbookContent &content = book.m_content;
    content.sheets[std::size_t(sheet)].forEachCell(range, [&](int row, int col, const Cell &cell) {
        Stored stored;
        stored.row = row;
        stored.col = col;
        stored.format = content.formats.at(cell.format);
        if (cell.formula >= 0) {
            stored.isFormula = true;
            stored.formula = content.formulas[std::size_t(cell.formula)].text();
        } else {
            stored.value = cell.value;
        }
        snapshot.m_cells.push_back(std::move(stored));
    });
    return snapshot;
}

void CellsSnapshot::restore(Workbook &book) const
{
    if (m_sheet >= book.sheetCount())
        return;
    SheetData &sheet = book.m_content.sheets[std::size_t(m_sheet)];
    std::vector<CellAddress> touched;
    sheet.forEachCell(m_range, [&](int row, int col, Cell &cell) {
        book.removeFormula(cell);
        touched.push_back({row, col});
    });
    for (const CellAddress &a : touched)
        sheet.removeCell(a.row, a.col);
    for (const Stored &stored : m_cells) {
        Cell &cell = sheet.cellForWrite(stored.row, stored.col);
        cell.format = book.m_content.formats.intern(stored.format);
        cell.value = stored.value;
        if (stored.isFormula)
            book.placeFormula(m_sheet, stored.row, stored.col, stored.formula);
        touched.push_back({stored.row, stored.col});
    }
    for (const CellAddress &a : touched)
        book.cellChanged(m_sheet, a.row, a.col);
    book.finishEdit();
}

LayoutSnapshot LayoutSnapshot::take(const Workbook &book, int sheet)
{
    const SheetData &s = book.m_content.sheets[std::size_t(sheet)];
    LayoutSnapshot snapshot;
    snapshot.m_sheet = sheet;
    snapshot.m_rowHeights = s.rowHeights;
    snapshot.m_columnWidths = s.columnWidths;
    snapshot.m_hiddenRows = s.hiddenRows;
    snapshot.m_hiddenColumns = s.hiddenColumns;
    snapshot.m_merges = s.merges;
    snapshot.m_maxCol = s.maxCol;
    snapshot.m_maxRow = s.maxRow;
    return snapshot;
}

void LayoutSnapshot::restore(Workbook &book) const
{
    if (m_sheet >= book.sheetCount())
        return;
    SheetData &s = book.m_content.sheets[std::size_t(m_sheet)];
    s.rowHeights = m_rowHeights;
    s.columnWidths = m_columnWidths;
    s.hiddenRows = m_hiddenRows;
    s.hiddenColumns = m_hiddenColumns;
    s.merges = m_merges;
    s.maxCol = m_maxCol;
    s.maxRow = m_maxRow;
    emit book.displayChanged();
    emit book.contentChanged();
}

ContentSnapshot ContentSnapshot::take(const Workbook &book)
{
    ContentSnapshot snapshot;
    snapshot.m_content = std::make_shared<const WorkbookContent>(book.m_content);
    return snapshot;
}

void ContentSnapshot::restore(Workbook &book) const
{
    if (!m_content)
        return;
    WorkbookContent copy = *m_content;
    copy.title = book.title();
    book.replaceContent(std::move(copy));
}

} // namespace qv::workbook
