// Formulas that differ only in where they stand share one compiled form;
// these cases check that each still reads, shows and saves as its own.

#include "controls/workbook/EditHistory.h"
#include "controls/workbook/FormulaCache.h"
#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qv::workbook;

namespace {

QString at(const char *pattern, int r)
{
    return QString::fromLatin1(pattern).replace(QStringLiteral("{r}"), QString::number(r))
        .replace(QStringLiteral("{p}"), QString::number(r - 1));
}

// Column A holds 1..rows; column B the formula pattern filled down from row 2.
void fill(Workbook &book, const char *pattern, int rows)
{
    for (int r = 1; r <= rows; ++r)
        book.setNumber(r, 1, r);
    for (int r = 2; r <= rows; ++r)
        book.setFormula(r, 2, u'=' + at(pattern, r));
}

} // namespace

TEST(SharedFormula, ShapesShareCodeOnlyWhereItReadsRight)
{
    FormulaShapes shapes;
    const auto a = shapes.compile(QStringLiteral("A1*2+$C$1"), 0, 1, 2);
    const auto b = shapes.compile(QStringLiteral("A7*2+$C$1"), 0, 7, 2);
    const auto other = shapes.compile(QStringLiteral("A7*2+$C$1"), 1, 7, 2); // another sheet
    const auto unlike = shapes.compile(QStringLiteral("A6*2+$C$1"), 0, 7, 2);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, other);
    EXPECT_NE(a, unlike);
    EXPECT_EQ(b->rangeAt(0, 7, 2), CellRange::cell(7, 1));
    EXPECT_EQ(b->rangeAt(1, 7, 2), CellRange::cell(1, 3));

    // Crossed corners: the parser orders them, so the code is not shared.
    const auto down = shapes.compile(QStringLiteral("SUM(A$5:A9)"), 0, 9, 2);
    const auto up = shapes.compile(QStringLiteral("SUM(A$5:A3)"), 0, 3, 2);
    EXPECT_NE(down, up);
    EXPECT_EQ(up->rangeAt(0, 3, 2), (CellRange{3, 1, 5, 1}));

    const auto broken = shapes.compile(QStringLiteral("A1+"), 0, 1, 1);
    EXPECT_TRUE(broken->broken);
    EXPECT_EQ(formulaTextAt(broken->shape, 1, 1), QStringLiteral("A1+"));
}

TEST(SharedFormula, TextsComeBackExactlyAsWritten)
{
    // Each text at two places of one fill: capitals, "$" parts, sheets,
    // books, quoted text with marks in it, lower case and names like cells.
    const char *patterns[] = {
        "A{r}*2",
        "$A$1+A{r}-A$1+$A{r}",
        "SUM(A1:A{r}) / 2",
        "Sheet1!A{r}+'My Sheet'!B{r}",
        "[Tbl0404]Sheet1!$B${r}*A{r}",
        "\"A{r}\x01\"&A{r}",
        "a{r}+A{r}",
        "LOG10(A{r})+IF(A{r}>1,A{p},0)",
        "SUM(A:A)-SUM(1:1)+A{r}",
    };
    for (const char *pattern : patterns) {
        FormulaShapes shapes;
        for (int r : {2, 3, 40}) {
            const auto code = shapes.compile(at(pattern, r), 0, r, 2);
            EXPECT_EQ(formulaTextAt(code->shape, r, 2), at(pattern, r)) << pattern;
        }
    }
}

TEST(SharedFormula, FilledFormulasCalculateChangeAndSaveOneByOne)
{
    Workbook book;
    fill(book, "A{r}*2+B{p}", 200);
    EXPECT_EQ(book.number(200, 2), 2 * (200 * 201 / 2 - 1));
    EXPECT_EQ(book.formula(150, 2), QStringLiteral("=A150*2+B149"));

    // A change reaches the filled formulas below it through the graph.
    book.setNumber(100, 1, 1100);
    EXPECT_EQ(book.number(99, 2), 2 * (99 * 100 / 2 - 1));
    EXPECT_EQ(book.number(200, 2), 2 * (200 * 201 / 2 - 1) + 2000);

    // Editing one formula of the fill leaves the others sharing and right.
    book.setFormula(120, 2, QStringLiteral("=B119+1"));
    EXPECT_EQ(book.number(120, 2), book.number(119, 2) + 1);
    EXPECT_EQ(book.formula(121, 2), QStringLiteral("=A121*2+B120"));
    EXPECT_EQ(book.number(121, 2), book.number(120, 2) + 242);
    book.setNumber(2, 1, 12);
    EXPECT_EQ(book.number(200, 2) - book.number(199, 2), 400);
    EXPECT_EQ(book.number(120, 2), book.number(119, 2) + 1);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Fill.vts"));
    book.write(path);
    Workbook read;
    read.read(path);
    for (int r : {2, 119, 120, 121, 200}) {
        EXPECT_EQ(read.formula(r, 2), book.formula(r, 2)) << r;
        EXPECT_EQ(read.number(r, 2), book.number(r, 2)) << r;
    }
    // The loaded workbook finds what reads a cell when first changed.
    read.setNumber(200, 1, 0);
    EXPECT_EQ(read.number(200, 2), book.number(199, 2));
}

TEST(SharedFormula, UndoPutsBackAFormulaThatBrokeTheSharing)
{
    Workbook book;
    fill(book, "SUM(A$1:A{r})", 20);
    {
        EditStep step(book, QStringLiteral("Edit"));
        step.watchCells(CellRange{10, 2, 11, 2});
        book.setFormula(10, 2, QStringLiteral("=A10"));
        book.clearRange(CellRange::cell(11, 2));
        step.commit();
    }
    EXPECT_EQ(book.number(10, 2), 10);
    EXPECT_EQ(book.number(11, 2), 0);
    EditHistory::undo(book);
    EXPECT_EQ(book.formula(10, 2), QStringLiteral("=SUM(A$1:A10)"));
    EXPECT_EQ(book.formula(11, 2), QStringLiteral("=SUM(A$1:A11)"));
    EXPECT_EQ(book.number(11, 2), 66);
    book.setNumber(1, 1, 101);
    EXPECT_EQ(book.number(10, 2), 155);
    EXPECT_EQ(book.number(20, 2), 310);
}

TEST(SharedFormula, ContentCopiedIntoTwoWorkbooksReadsEachOwnCells)
{
    // Both workbooks take over the same compiled code; each must read its own A1.
    WorkbookContent content;
    content.setFormula(0, 1, 2, QStringLiteral("A1*2"), {});
    content.setFormula(0, 2, 2, QStringLiteral("A2*2"), {});
    WorkbookSet set;
    Workbook *first = set.create(QStringLiteral("First"));
    Workbook *second = set.create(QStringLiteral("Second"));
    first->setNumber(1, 1, 1);
    second->setNumber(1, 1, 5);
    WorkbookContent copy = content;
    copy.title = QStringLiteral("Second");
    content.title = QStringLiteral("First");
    first->replaceContent(std::move(content));
    second->replaceContent(std::move(copy));
    first->setNumber(1, 1, 1);
    second->setNumber(1, 1, 5);
    EXPECT_EQ(first->number(1, 2), 2);
    EXPECT_EQ(second->number(1, 2), 10);
    second->setNumber(2, 1, 7);
    EXPECT_EQ(second->number(2, 2), 14);
    EXPECT_EQ(first->number(2, 2), 0);
}

TEST(SharedFormula, LoadedTablesRippleChangesAcrossTheSet)
{
    QTemporaryDir dir;
    {
        Workbook source;
        source.setTitle(QStringLiteral("Tbl0001"));
        for (int r = 1; r <= 10; ++r)
            source.setNumber(r, 1, r);
        source.write(dir.filePath(QStringLiteral("Tbl0001.vts")));
        Workbook reader;
        reader.setTitle(QStringLiteral("Tbl0002"));
        for (int r = 1; r <= 10; ++r)
            reader.setFormula(r, 1, QStringLiteral("=[Tbl0001]Sheet1!A%1*3").arg(r));
        reader.write(dir.filePath(QStringLiteral("Tbl0002.vts")));
    }
    WorkbookSet set;
    EXPECT_TRUE(loadFolder(set, dir.path()).isEmpty());
    Workbook *reader = set.find(QStringLiteral("Tbl0002"));
    EXPECT_EQ(reader->number(7, 1), 21);
    set.find(QStringLiteral("Tbl0001"))->setNumber(7, 1, 70);
    EXPECT_EQ(reader->number(7, 1), 210);
    EXPECT_EQ(reader->number(8, 1), 24);
}
