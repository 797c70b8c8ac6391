#include "controls/workbook/EditHistory.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"

#include <QPointer>
#include <QUndoStack>

#include <gtest/gtest.h>

using namespace qv::workbook;

namespace {

void edit(Workbook &book, const CellRange &range, const std::function<void()> &change)
{
    EditStep step(book, QStringLiteral("Edit"));
    step.watchCells(range);
    step.watchLayout();
    change();
    step.commit();
}

} // namespace

TEST(EditHistoryTest, UndoPutsBackValuesFormulasAndFormatsExactly)
{
    Workbook book;
    book.setNumber(1, 1, 2);
    book.setFormula(1, 2, QStringLiteral("=A1*10"));
    book.setEntry(1, 3, QStringLiteral("15%"));
    book.setText(1, 4, QStringLiteral("007")); // text that reads as a number stays text
    book.setNumberFormat(CellRange::cell(1, 1), QStringLiteral("$#,##0.00"));
    const CellRange all{1, 1, 1, 4};

    edit(book, all, [&] { book.clearRange(all, ClearKind::All); });
    EXPECT_EQ(book.number(1, 2), 0);
    EditHistory::undo(book);
    EXPECT_EQ(book.formula(1, 2), QStringLiteral("=A1*10"));
    EXPECT_EQ(book.number(1, 2), 20);
    EXPECT_EQ(book.text(1, 1), QStringLiteral("$2.00"));
    EXPECT_EQ(book.text(1, 3), QStringLiteral("15%"));
    EXPECT_TRUE(book.value(1, 4).isText());
    EXPECT_EQ(book.text(1, 4), QStringLiteral("007"));

    EditHistory::redo(book);
    EXPECT_TRUE(book.value(1, 1).isEmpty());
    EXPECT_FALSE(book.hasFormula(1, 2));
    EXPECT_EQ(book.format(1, 1).numberFormat, QStringLiteral("General"));
}

TEST(EditHistoryTest, StepsUndoInTurnAndRedoIsDroppedByANewStep)
{
    Workbook book;
    for (int i = 1; i <= 3; ++i)
        edit(book, CellRange::cell(1, 1), [&] { book.setNumber(1, 1, i); });
    EditHistory::undo(book);
    EditHistory::undo(book);
    EXPECT_EQ(book.number(1, 1), 1);
    EXPECT_TRUE(EditHistory::canRedo(book));
    edit(book, CellRange::cell(2, 1), [&] { book.setNumber(2, 1, 5); });
    EXPECT_FALSE(EditHistory::canRedo(book));
    EditHistory::undo(book);
    EditHistory::undo(book);
    EXPECT_EQ(book.number(1, 1), 0);
    EXPECT_FALSE(EditHistory::canUndo(book));
}

TEST(EditHistoryTest, ANothingChangedStepIsNotRecorded)
{
    Workbook book;
    book.setNumber(1, 1, 4);
    EditStep step(book, QStringLiteral("Typing"));
    step.watchCells(CellRange::cell(1, 1));
    book.setNumber(1, 1, 4);
    EXPECT_FALSE(step.commit());
    EXPECT_FALSE(EditHistory::canUndo(book));
}

TEST(EditHistoryTest, AStepNotCommittedLeavesNoTrace)
{
    Workbook book;
    {
        EditStep step(book, QStringLiteral("Typing"));
        step.watchCells(CellRange::cell(1, 1));
    }
    EXPECT_FALSE(EditHistory::canUndo(book));
    EXPECT_EQ(EditHistory::of(book).count(), 0);
}

TEST(EditHistoryTest, LayoutChangesUndo)
{
    Workbook book;
    book.setRowHeight(3, 600);
    edit(book, CellRange::cell(1, 1), [&] {
        book.setRowHeight(3, 900);
        book.setColumnWidth(2, 4000);
        book.setRowsHidden(5, 6, true);
        book.setColumnsHidden(4, 4, true);
        book.mergeCells(CellRange{1, 1, 1, 3});
    });
    EditHistory::undo(book);
    EXPECT_EQ(book.rowHeight(3), 600);
    EXPECT_EQ(book.columnWidth(2), defaultColumnWidth);
    EXPECT_FALSE(book.isRowHidden(5));
    EXPECT_FALSE(book.isColumnHidden(4));
    EXPECT_TRUE(book.merges().empty());
    EditHistory::redo(book);
    EXPECT_EQ(book.rowHeight(3), 900);
    EXPECT_TRUE(book.isRowHidden(6));
    EXPECT_EQ(book.merges().size(), 1u);
}

TEST(EditHistoryTest, UndoRecalculatesLinkedTablesAndPutsTheSelectionBack)
{
    WorkbookSet set;
    Workbook *forecast = set.create(QStringLiteral("Tbl0404"));
    Workbook *income = set.create(QStringLiteral("Tbl0501"));
    forecast->setNumber(1, 2, 100);
    income->setFormula(1, 1, QStringLiteral("=[Tbl0404]Sheet1!$B$1*2"));
    forecast->setActiveCell(1, 2);
    edit(*forecast, CellRange::cell(1, 2), [&] {
        forecast->setNumber(1, 2, 300);
        forecast->setActiveCell(2, 2);
    });
    EXPECT_EQ(income->number(1, 1), 600);
    EditHistory::undo(*forecast);
    EXPECT_EQ(income->number(1, 1), 200);
    EXPECT_EQ(forecast->activeCell(), (CellAddress{1, 2}));
    EditHistory::redo(*forecast);
    EXPECT_EQ(forecast->activeCell(), (CellAddress{2, 2}));
}

TEST(EditHistoryTest, OneStepCanCoverCellsOfAnotherWorkbook)
{
    WorkbookSet set;
    Workbook *a = set.create(QStringLiteral("TblA"));
    Workbook *b = set.create(QStringLiteral("TblB"));
    b->setFormula(1, 1, QStringLiteral("=[TblA]Sheet1!A1"));
    EditStep step(*a, QStringLiteral("Paste"));
    step.watchCells(CellRange::cell(2, 1));
    step.watchCells(*b, CellRange::cell(1, 1));
    a->setNumber(2, 1, 9);
    b->setFormula(1, 1, QStringLiteral("=[TblA]Sheet1!A2")); // a moved cell's reference re-aimed
    ASSERT_TRUE(step.commit());
    EXPECT_EQ(b->number(1, 1), 9);
    EXPECT_FALSE(EditHistory::canUndo(*b)); // the step belongs to the workbook it was made for
    EditHistory::undo(*a);
    EXPECT_EQ(b->formula(1, 1), QStringLiteral("=[TblA]Sheet1!A1"));
    EXPECT_TRUE(a->value(2, 1).isEmpty());
}

TEST(EditHistoryTest, ContentStepsPutBackTheWholeWorkbookKeepingItsTitle)
{
    WorkbookSet set;
    Workbook *book = set.create(QStringLiteral("Tbl0303"));
    book->setText(1, 2, QStringLiteral("Mine"));
    book->setColumnWidth(2, 3000);
    EditStep step(*book, QStringLiteral("Restore Default"));
    step.watchContent();
    book->replaceContent(WorkbookContent{});
    book->setTitle(QStringLiteral("Tbl0303"));
    ASSERT_TRUE(step.commit());
    EditHistory::undo(*book);
    EXPECT_EQ(book->text(1, 2), QStringLiteral("Mine"));
    EXPECT_EQ(book->columnWidth(2), 3000);
    EXPECT_EQ(book->title(), QStringLiteral("Tbl0303"));
    EXPECT_EQ(set.find(QStringLiteral("tbl0303")), book);
}

TEST(EditHistoryTest, TheHistoryGoesWithItsWorkbook)
{
    auto book = std::make_unique<Workbook>();
    QPointer<QUndoStack> stack = &EditHistory::of(*book);
    EXPECT_EQ(&EditHistory::of(*book), stack.data()); // one per workbook
    book.reset();
    EXPECT_TRUE(stack.isNull());
}
