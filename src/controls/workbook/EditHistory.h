#pragma once

#include "controls/workbook/CellAddress.h"

#include <QString>

#include <memory>
#include <vector>

class QUndoStack;

namespace qv::workbook {

class Workbook;

// The undo history of a workbook. There is one per workbook object, so
// every view showing that workbook shares it; it lives and dies with the
// workbook (a plan's tables, and so their histories, go when it closes).
namespace EditHistory {
QUndoStack &of(Workbook &book);
bool canUndo(Workbook &book);
bool canRedo(Workbook &book);
void undo(Workbook &book);
void redo(Workbook &book);
void clear(Workbook &book);
} // namespace EditHistory

// One undoable step of the user's. Name what the change may touch before
// making it, make it, then commit: the step keeps the before and after states
// and goes into the history of the workbook it was made for, unless nothing
// changed. A step may also cover cells of other workbooks (formulas elsewhere
// that a move re-aims), so that one undo takes back the whole change.
class EditStep
{
public:
    EditStep(Workbook &book, const QString &label);
    ~EditStep();
    EditStep(const EditStep &) = delete;
    EditStep &operator=(const EditStep &) = delete;

    void watchCells(const CellRange &range); // on the workbook's active sheet
    void watchCells(Workbook &book, const CellRange &range);
    void watchLayout(); // row heights, column widths, hidden lines, merges
    void watchContent(); // everything: for a workbook replaced whole

    // Records the step; false when nothing changed (nothing is recorded).
    bool commit();

    struct Parts; // the states kept; its own file's business

private:
    Workbook &m_book;
    QString m_label;
    std::unique_ptr<Parts> m_parts;
    bool m_done = false;
};

} // namespace qv::workbook
