// Cells moved by cut and paste: the formulas of the whole set that read
// them are re-aimed so they keep reading the same cells.

#include "controls/workbook/FormulaShift.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"

#include <algorithm>

namespace qv::workbook {

namespace {

bool within(const CellRange &inner, const CellRange &outer)
{
    return inner.top >= outer.top && inner.bottom <= outer.bottom && inner.left >= outer.left && inner.right <= outer.right;
}

} // namespace

std::vector<FormulaTextChange> Workbook::followMovedCells(int sheetIndex, const CellRange &from, CellAddress to)
{
    std::vector<FormulaTextChange> changes = formulasFollowingMovedCells(sheetIndex, from, to);
    applyFormulaTexts(changes, false);
    return changes;
}

std::vector<FormulaTextChange> Workbook::formulasFollowingMovedCells(int sheetIndex, const CellRange &from,
                                                                     CellAddress to) const
{
    std::vector<FormulaTextChange> changes;
    const int dRow = to.row - from.top, dCol = to.col - from.left;
    if ((dRow == 0 && dCol == 0) || sheetIndex < 0 || sheetIndex >= sheetCount())
        return changes;
    const CellRange destination{to.row, to.col, to.row + from.rows() - 1, to.col + from.cols() - 1};
    const std::vector<Workbook *> books = m_set ? m_set->books() : std::vector<Workbook *>{const_cast<Workbook *>(this)};
    for (Workbook *book : books) {
        for (const FormulaCell &f : book->m_content.formulas) {
            if (!f.alive || f.broken())
                continue;
            // As spreadsheets do: a reference wholly inside the moved block
            // follows it; one wholly inside the cells pasted over is lost.
            auto fate = [&](int index, const Reference &) {
                const Reference &resolved = f.code->compiled.references[std::size_t(index)];
                if (resolved.target != this || resolved.targetSheet != sheetIndex)
                    return ReferenceFate::Keep;
                const CellRange range = f.rangeOf(std::size_t(index));
                if (within(range, from))
                    return ReferenceFate::Move;
                if (within(range, destination))
                    return ReferenceFate::Lost;
                return ReferenceFate::Keep;
            };
            const QString before = f.text();
            const QString after = moveReferences(before, fate, dRow, dCol);
            if (after != before)
                changes.push_back({book, f.sheet, f.row, f.col, before, after});
        }
    }
    return changes;
}

void Workbook::applyFormulaTexts(const std::vector<FormulaTextChange> &changes, bool undo)
{
    std::vector<Workbook *> touched;
    for (const FormulaTextChange &c : changes) {
        Cell *cell = c.book->m_content.sheets[std::size_t(c.sheet)].cell(c.row, c.col);
        if (!cell)
            continue;
        c.book->removeFormula(*cell);
        c.book->placeFormula(c.sheet, c.row, c.col, undo ? c.before : c.after);
        c.book->cellChanged(c.sheet, c.row, c.col);
        if (std::find(touched.begin(), touched.end(), c.book) == touched.end())
            touched.push_back(c.book);
    }
    for (Workbook *book : touched)
        book->finishEdit();
}

} // namespace qv::workbook
