#include "controls/workbook/EditHistory.h"

#include "controls/workbook/EditSnapshot.h"
#include "controls/workbook/Workbook.h"

#include <QPointer>
#include <QUndoStack>

#include <optional>

namespace qv::workbook {

namespace {
const QString historyName = QStringLiteral("editHistory");

struct CellsPart
{
    QPointer<Workbook> book;
    CellsSnapshot before, after;
};

struct SelectionState
{
    int sheet = 0;
    Selection selection;
};

SelectionState selectionOf(const Workbook &book) { return {book.activeSheet(), book.selection()}; }

void restoreSelection(Workbook &book, const SelectionState &state)
{
    book.setActiveSheet(state.sheet);
    book.setSelection(state.selection);
}
} // namespace

struct EditStep::Parts
{
    std::vector<CellsPart> cells;
    std::optional<LayoutSnapshot> layoutBefore, layoutAfter;
    std::optional<ContentSnapshot> contentBefore, contentAfter;
    SelectionState selectionBefore, selectionAfter;
};

namespace {
// A recorded step: the states before and after, put back on undo and redo.
class SnapshotCommand : public QUndoCommand
{
public:
    SnapshotCommand(Workbook &book, const QString &label, EditStep::Parts &&parts)
        : QUndoCommand(label), m_book(&book), m_parts(std::move(parts))
    {
    }

    void undo() override
    {
        if (!m_book) return;
        if (m_parts.contentBefore)
            m_parts.contentBefore->restore(*m_book);
        for (auto it = m_parts.cells.rbegin(); it != m_parts.cells.rend(); ++it)
            if (it->book) it->before.restore(*it->book);
        if (m_parts.layoutBefore)
            m_parts.layoutBefore->restore(*m_book);
        restoreSelection(*m_book, m_parts.selectionBefore);
    }

    void redo() override
    {
        if (m_firstRedo) { // pushed after the change was made
            m_firstRedo = false;
            return;
        }
        if (!m_book) return;
        if (m_parts.contentAfter)
            m_parts.contentAfter->restore(*m_book);
        for (const CellsPart &part : m_parts.cells)
            if (part.book) part.after.restore(*part.book);
        if (m_parts.layoutAfter)
            m_parts.layoutAfter->restore(*m_book);
        restoreSelection(*m_book, m_parts.selectionAfter);
    }

private:
    QPointer<Workbook> m_book;
    EditStep::Parts m_parts;
    bool m_firstRedo = true;
};
} // namespace

// ---- The history ---------------------------------------------------------------------

QUndoStack &EditHistory::of(Workbook &book)
{
    if (auto *stack = book.findChild<QUndoStack *>(historyName, Qt::FindDirectChildrenOnly))
        return *stack;
    auto *stack = new QUndoStack(&book);
    stack->setObjectName(historyName);
    return *stack;
}

bool EditHistory::canUndo(Workbook &book) { return of(book).canUndo(); }
bool EditHistory::canRedo(Workbook &book) { return of(book).canRedo(); }
void EditHistory::undo(Workbook &book) { of(book).undo(); }
void EditHistory::redo(Workbook &book) { of(book).redo(); }
void EditHistory::clear(Workbook &book) { of(book).clear(); }

// ---- One step ------------------------------------------------------------------------

EditStep::EditStep(Workbook &book, const QString &label)
    : m_book(book), m_label(label), m_parts(std::make_unique<Parts>())
{
    m_parts->selectionBefore = selectionOf(book);
}

EditStep::~EditStep() = default;

void EditStep::watchCells(const CellRange &range) { watchCells(m_book, range); }

void EditStep::watchCells(Workbook &book, const CellRange &range)
{
    if (!range.isValid()) return;
    m_parts->cells.push_back({&book, CellsSnapshot::take(book, book.activeSheet(), range), {}});
}

void EditStep::watchLayout()
{
    if (!m_parts->layoutBefore)
        m_parts->layoutBefore = LayoutSnapshot::take(m_book, m_book.activeSheet());
}

void EditStep::watchContent()
{
    if (!m_parts->contentBefore)
        m_parts->contentBefore = ContentSnapshot::take(m_book);
}

bool EditStep::commit()
{
    if (m_done) return false;
    m_done = true;
    bool changed = false;
    for (CellsPart &part : m_parts->cells) {
        if (!part.book) continue;
        part.after = CellsSnapshot::take(*part.book, part.before.sheet(), part.before.range());
        changed = changed || !(part.after == part.before);
    }
    if (m_parts->layoutBefore) {
        m_parts->layoutAfter = LayoutSnapshot::take(m_book, m_book.activeSheet());
        changed = changed || !(*m_parts->layoutAfter == *m_parts->layoutBefore);
    }
    if (m_parts->contentBefore) {
        m_parts->contentAfter = ContentSnapshot::take(m_book);
        changed = true;
    }
    if (!changed) return false;
    m_parts->selectionAfter = selectionOf(m_book);
    EditHistory::of(m_book).push(new SnapshotCommand(m_book, m_label, std::move(*m_parts)));
    return true;
}

} // namespace qv::workbook
