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
