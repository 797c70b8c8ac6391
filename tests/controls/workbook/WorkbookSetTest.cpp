#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace qv::workbook;

TEST(WorkbookSet, ResolvesExternalReferencesAndRecalculatesAcross)
{
    WorkbookSet set;
    Workbook *sales = set.create(QStringLiteral("Tbl0404"));
    Workbook *income = set.create(QStringLiteral("Tbl0501"));
    sales->setEntry(1, 2, QStringLiteral("1000"));
    income->setEntry(1, 1, QStringLiteral("=[Tbl0404]Sheet1!$B$1*2"));
    income->setEntry(2, 1, QStringLiteral("=[tbl0404]sheet1!b1+A1"));
    EXPECT_EQ(income->number(1, 1), 2000);
    EXPECT_EQ(income->number(2, 1), 3000);

    QSignalSpy shown(income, &Workbook::displayChanged);
    sales->setEntry(1, 2, QStringLiteral("10"));
    EXPECT_EQ(income->number(1, 1), 20);
    EXPECT_EQ(income->number(2, 1), 30);
    EXPECT_GE(shown.count(), 1);

    // A chain back into the first table.
    sales->setEntry(2, 2, QStringLiteral("=[Tbl0501]Sheet1!A2+1"));
    EXPECT_EQ(sales->number(2, 2), 31);
    sales->setEntry(1, 2, QStringLiteral("100"));
    EXPECT_EQ(sales->number(2, 2), 301);
}

TEST(WorkbookSet, UnloadedTablesGiveRefAndResolveWhenLoaded)
{
    WorkbookSet set;
    Workbook *a = set.create(QStringLiteral("A"));
    a->setEntry(1, 1, QStringLiteral("=[B]Sheet1!A1+1"));
    EXPECT_EQ(plainText(a->value(1, 1)), QStringLiteral("#REF!"));
    auto b = std::make_shared<Workbook>();
    b->setNumber(1, 1, 41);
    set.add(b, QStringLiteral("B"));
    EXPECT_EQ(a->number(1, 1), 42);
    b->setTitle(QStringLiteral("C"));
    EXPECT_EQ(plainText(a->value(1, 1)), QStringLiteral("#REF!"));
    b->setTitle(QStringLiteral("b"));
    EXPECT_EQ(a->number(1, 1), 42);
    set.remove(b.get());
    EXPECT_EQ(plainText(a->value(1, 1)), QStringLiteral("#REF!"));
    EXPECT_EQ(b->number(1, 1), 41);
}

TEST(WorkbookSet, CyclesAcrossWorkbooksEndAsErrors)
{
    WorkbookSet set;
    Workbook *a = set.create(QStringLiteral("A"));
    Workbook *b = set.create(QStringLiteral("B"));
    a->setEntry(1, 1, QStringLiteral("=[B]Sheet1!A1"));
    b->setEntry(1, 1, QStringLiteral("=[A]Sheet1!A1"));
    EXPECT_TRUE(a->value(1, 1).isError());
    EXPECT_TRUE(b->value(1, 1).isError());
}

TEST(WorkbookSet, BatchAddsRecalculateOnceAndSheetsResolve)
{
    WorkbookSet set;
    {
        WorkbookSet::Batch batch(set);
        Workbook *a = set.create(QStringLiteral("A"));
        a->setEntry(1, 1, QStringLiteral("=[B]Sheet2!C3"));
        Workbook *b = set.create(QStringLiteral("B"));
        const int second = b->addSheet();
        b->setActiveSheet(second);
        b->setNumber(3, 3, 7);
    }
    EXPECT_EQ(set.find(QStringLiteral("a"))->number(1, 1), 7);
    EXPECT_EQ(plainText(set.evaluate(QStringLiteral("=[B]Sheet2!C3*2"))), QStringLiteral("14"));
    EXPECT_EQ(plainText(set.evaluate(QStringLiteral("A1+1"))), QStringLiteral("1"));
    QString error;
    EXPECT_EQ(plainText(set.evaluate(QStringLiteral("1+"), &error)), QStringLiteral("#NAME?"));
    EXPECT_FALSE(error.isEmpty());
}

TEST(WorkbookSet, FormulasFollowMovedCellsAcrossTablesAndUndoPutsThemBack)
{
    WorkbookSet set;
    Workbook *data = set.create(QStringLiteral("Tbl0404"));
    Workbook *other = set.create(QStringLiteral("Tbl0501"));
    data->setEntry(1, 1, QStringLiteral("1"));
    data->setEntry(1, 2, QStringLiteral("2"));
    data->setEntry(2, 1, QStringLiteral("3"));
    data->setEntry(2, 2, QStringLiteral("=A1+A2")); // moves along with the block
    data->setEntry(6, 5, QStringLiteral("99"));     // pasted over
    data->setEntry(10, 1, QStringLiteral("=SUM(A1:B2)"));
    data->setEntry(11, 1, QStringLiteral("=$B$1*10"));
    data->setEntry(12, 1, QStringLiteral("=SUM(A1:C3)")); // only partly inside: stays
    data->setEntry(13, 1, QStringLiteral("=E6"));
    other->setEntry(1, 1, QStringLiteral("=[Tbl0404]Sheet1!A2+1"));
    other->setEntry(2, 1, QStringLiteral("=A1"));        // its own A1, not the moved one
    const double total = data->number(10, 1);
    EXPECT_EQ(total, 10);

    // Cut A1:B2, paste at D5, the way the view does it.
    const CellRange from{1, 1, 2, 2};
    QStringList entries;
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 2; ++c)
            entries << data->entry(r, c);
    data->clearRange(from, ClearKind::All);
    for (int i = 0; i < 4; ++i)
        data->setEntry(5 + i / 2, 4 + i % 2, entries[i]);
    const auto changes = data->followMovedCells(0, from, CellAddress{5, 4});

    EXPECT_EQ(data->formula(6, 5), QStringLiteral("=D5+D6"));
    EXPECT_EQ(data->formula(10, 1), QStringLiteral("=SUM(D5:E6)"));
    EXPECT_EQ(data->formula(11, 1), QStringLiteral("=$E$5*10"));
    EXPECT_EQ(data->formula(12, 1), QStringLiteral("=SUM(A1:C3)"));
    EXPECT_EQ(data->formula(13, 1), QStringLiteral("=#REF!"));
    EXPECT_EQ(other->formula(1, 1), QStringLiteral("=[Tbl0404]Sheet1!D6+1"));
    EXPECT_EQ(other->formula(2, 1), QStringLiteral("=A1"));
    EXPECT_EQ(data->number(10, 1), total);
    EXPECT_EQ(data->number(11, 1), 20);
    EXPECT_EQ(other->number(1, 1), 4);
    EXPECT_EQ(changes.size(), 5u);

    Workbook::applyFormulaTexts(changes, true);
    EXPECT_EQ(data->formula(10, 1), QStringLiteral("=SUM(A1:B2)"));
    EXPECT_EQ(data->formula(13, 1), QStringLiteral("=E6"));
    EXPECT_EQ(other->formula(1, 1), QStringLiteral("=[Tbl0404]Sheet1!A2+1"));
    EXPECT_TRUE(data->followMovedCells(0, from, CellAddress{1, 1}).empty());
}
