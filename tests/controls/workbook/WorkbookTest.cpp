#include "controls/workbook/Workbook.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace qv::workbook;

TEST(CellAddresses, ConvertBothWays)
{
    EXPECT_EQ(columnName(1), QStringLiteral("A"));
    EXPECT_EQ(columnName(26), QStringLiteral("Z"));
    EXPECT_EQ(columnName(27), QStringLiteral("AA"));
    EXPECT_EQ(columnName(703), QStringLiteral("AAA"));
    EXPECT_EQ(columnName(16384), QStringLiteral("XFD"));
    EXPECT_EQ(columnNumber(QStringLiteral("ab")), 28);
    EXPECT_EQ(columnNumber(QStringLiteral("XFE")), 0);
    EXPECT_EQ(parseCellAddress(QStringLiteral("$b$3"))->row, 3);
    EXPECT_EQ(parseCellAddress(QStringLiteral("$b$3"))->col, 2);
    EXPECT_FALSE(parseCellAddress(QStringLiteral("B0")));
    EXPECT_FALSE(parseCellAddress(QStringLiteral("3B")));
    EXPECT_EQ(absoluteRangeName(*parseCellRange(QStringLiteral("D5:B3"))), QStringLiteral("$B$3:$D$5"));
    EXPECT_EQ(absoluteRangeName(CellRange::cell(3, 2)), QStringLiteral("$B$3"));
    EXPECT_EQ(parseCellRange(QStringLiteral("B:C"))->bottom, maxRows);
}

TEST(Workbook, UsedRangeIgnoresFormatsAndRespectsColumnLimit)
{
    Workbook book;
    EXPECT_EQ(book.lastRow(), 0);
    EXPECT_EQ(book.lastCol(), 0);
    book.setEntry(3, 2, QStringLiteral("x"));
    book.setEntry(20, 5, QStringLiteral("=B3"));
    book.setNumberFormat(CellRange::cell(40, 10), QStringLiteral("0%"));
    EXPECT_EQ(book.lastRow(), 20);
    EXPECT_EQ(book.lastCol(), 5);
    book.setRowsHidden(20, 20, true);
    EXPECT_EQ(book.lastRow(), 20); // hidden rows stay in the used range
    book.setSelection(CellRange{2, 2, 6, 6});
    book.setMaxCol(3);
    EXPECT_EQ(book.lastCol(), 2);
    EXPECT_EQ(book.lastRow(), 3);
    EXPECT_TRUE(book.isColumnHidden(4));
    EXPECT_EQ(book.selectionText(), QStringLiteral("$B$2:$F$6")); // the user's selection stays
    EXPECT_EQ(book.text(20, 5), QStringLiteral("x"));          // data beyond the limit is kept
    book.setMaxCol(0);
    EXPECT_EQ(book.lastCol(), 5);
}

TEST(Workbook, ProtectionRefusesUserEditsOfLockedCellsOnly)
{
    Workbook book;
    book.setNumber(1, 1, 5);
    book.setLocked(CellRange::cell(2, 1), false);
    book.setProtected(true);
    EXPECT_FALSE(book.setEntry(1, 1, QStringLiteral("7"), EditOrigin::User));
    EXPECT_FALSE(book.setEntry(3, 3, QStringLiteral("7"), EditOrigin::User)); // empty cells are locked too
    EXPECT_EQ(book.number(1, 1), 5);
    EXPECT_TRUE(book.setEntry(2, 1, QStringLiteral("7"), EditOrigin::User));
    EXPECT_TRUE(book.setEntry(1, 1, QStringLiteral("9"), EditOrigin::Program));
    EXPECT_EQ(book.number(1, 1), 9);
    EXPECT_TRUE(book.hasLockedCells(CellRange{1, 1, 2, 1}));
    EXPECT_FALSE(book.hasLockedCells(CellRange::cell(2, 1)));
    EXPECT_FALSE(book.clearRange(CellRange{1, 1, 2, 1}, ClearKind::Contents, EditOrigin::User));
    EXPECT_EQ(book.number(2, 1), 7);
    EXPECT_FALSE(book.sortRange(CellRange{1, 1, 2, 1}, true, EditOrigin::User));
    book.setProtected(false);
    EXPECT_FALSE(book.hasLockedCells(CellRange{1, 1, 2, 1}));
    EXPECT_TRUE(book.clearRange(CellRange{1, 1, 2, 1}, ClearKind::Contents, EditOrigin::User));
    EXPECT_TRUE(book.value(1, 1).isEmpty());
}

TEST(Workbook, RecalculatesOnlyWhatDepends)
{
    Workbook book;
    QSignalSpy content(&book, &Workbook::contentChanged);
    book.setEntry(1, 1, QStringLiteral("2"));
    book.setEntry(2, 1, QStringLiteral("3"));
    book.setEntry(3, 1, QStringLiteral("=SUM(A1:A2)"));
    book.setEntry(4, 1, QStringLiteral("=A3*2"));
    book.setEntry(1, 2, QStringLiteral("=SUM(A:A)"));
    EXPECT_EQ(book.number(4, 1), 10);
    EXPECT_EQ(book.number(1, 2), 20);
    book.setEntry(2, 1, QStringLiteral("13"));
    EXPECT_EQ(book.number(3, 1), 15);
    EXPECT_EQ(book.number(4, 1), 30);
    EXPECT_EQ(book.number(1, 2), 60);
    book.clearRange(CellRange::cell(1, 1));
    EXPECT_EQ(book.number(4, 1), 26);
    EXPECT_GE(content.count(), 6);
}

TEST(Workbook, SortsRowsKeepingFormulas)
{
    Workbook book;
    book.setEntry(1, 1, QStringLiteral("30"));
    book.setEntry(2, 1, QStringLiteral("10"));
    book.setEntry(3, 1, QStringLiteral("20"));
    book.setEntry(1, 2, QStringLiteral("=A1*2"));
    book.sortRange(CellRange{1, 1, 3, 1}, true);
    EXPECT_EQ(book.number(1, 1), 10);
    EXPECT_EQ(book.number(3, 1), 30);
    EXPECT_EQ(book.number(1, 2), 20);
    book.sortRange(CellRange{1, 1, 3, 1}, false);
    EXPECT_EQ(book.number(1, 1), 30);
}

TEST(Workbook, SelectionAndMerges)
{
    Workbook book;
    QSignalSpy selection(&book, &Workbook::selectionChanged);
    EXPECT_TRUE(book.setSelection(QStringLiteral("b3:d5")));
    EXPECT_EQ(book.selectionText(), QStringLiteral("$B$3:$D$5"));
    EXPECT_EQ(book.firstSelectedRange(), (CellRange{3, 2, 5, 4}));
    EXPECT_FALSE(book.setSelection(QStringLiteral("nonsense")));
    book.setActiveCell(2, 3);
    EXPECT_EQ(book.selectionText(), QStringLiteral("$C$2"));
    EXPECT_EQ(selection.count(), 2);
    book.mergeCells(CellRange{1, 1, 1, 3});
    EXPECT_EQ(book.mergeAt(1, 2), (CellRange{1, 1, 1, 3}));
    book.unmergeCells(CellRange::cell(1, 1));
    EXPECT_FALSE(book.mergeAt(1, 2));
    book.setViewScale(1000);
    EXPECT_EQ(book.viewScale(), 400);
}

TEST(Workbook, FindsTextAndWraps)
{
    Workbook book;
    book.setEntry(2, 2, QStringLiteral("Total sales"));
    book.setEntry(5, 1, QStringLiteral("total costs"));
    auto hit = book.find(QStringLiteral("TOTAL"), {1, 1});
    ASSERT_TRUE(hit);
    EXPECT_EQ(hit->row, 2);
    hit = book.find(QStringLiteral("total"), *hit);
    EXPECT_EQ(hit->row, 5);
    hit = book.find(QStringLiteral("total"), *hit);
    EXPECT_EQ(hit->row, 2);
}

TEST(Workbook, OutlineBorderTouchesOnlyTheEdges)
{
    Workbook book;
    book.setOutlineBorder(CellRange{2, 2, 4, 4}, BorderStyle::Thin, 0);
    EXPECT_EQ(book.format(2, 2).top.style, BorderStyle::Thin);
    EXPECT_EQ(book.format(2, 2).left.style, BorderStyle::Thin);
    EXPECT_EQ(book.format(4, 4).bottom.style, BorderStyle::Thin);
    EXPECT_EQ(book.format(4, 4).right.style, BorderStyle::Thin);
    EXPECT_EQ(book.format(3, 3).top.style, BorderStyle::None);
    EXPECT_EQ(book.format(3, 3).left.style, BorderStyle::None);
    EXPECT_EQ(book.lastRow(), 0); // formats alone do not make a used range
}

TEST(Workbook, FullRecalculationAfterEditsUsesCurrentLinks)
{
    // The cached calculation order must not survive a change of formulas.
    Workbook book;
    book.setEntry(1, 1, QStringLiteral("1"));
    book.setEntry(1, 2, QStringLiteral("=A1+1"));
    book.setEntry(1, 3, QStringLiteral("=B1+1"));
    book.recalculate();
    book.recalculate();
    book.setEntry(1, 1, QStringLiteral("=C2*2"));
    book.setEntry(2, 3, QStringLiteral("5"));
    book.recalculate();
    EXPECT_EQ(book.number(1, 3), 12);
    book.setEntry(1, 2, QStringLiteral("=C1"));
    book.recalculate();
    EXPECT_TRUE(book.value(1, 2).isError());
    EXPECT_TRUE(book.value(1, 3).isError());
}

TEST(Workbook, RowsGrowForLargerFonts)
{
    Workbook book;
    book.setEntry(1, 1, QStringLiteral("Title"));
    book.changeFormat(CellRange::cell(1, 1), [](CellFormat &f) { f.fontSize = 20; });
    EXPECT_EQ(book.rowHeight(1), 510);
    book.setRowHeight(2, 300);
    book.changeFormat(CellRange::cell(2, 1), [](CellFormat &f) { f.fontSize = 20; });
    EXPECT_EQ(book.rowHeight(2), 300); // a height set by hand is kept
    book.changeFormat(CellRange::cell(3, 1), [](CellFormat &f) { f.fontSize = 8; });
    EXPECT_EQ(book.rowHeight(3), defaultRowHeight);
}
