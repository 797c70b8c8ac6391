// Links in formulas name tables of the open plan only: a link that names a
// path, another folder or its own cell reads nothing it should not and
// never hangs.

#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"

#include <gtest/gtest.h>

using namespace qv::workbook;

TEST(HostileLinks, ALinkNamingAPathOrAnotherFolderReadsNoFile)
{
    WorkbookSet set;
    Workbook *table = set.create(QStringLiteral("Tbl0101"));
    table->setNumber(1, 1, 5);
    for (const char *formula : {"=[../../etc/passwd]Sheet1!A1", "=[/etc/passwd]Sheet1!A1",
                                "=[..\\Other Plan B\\Tbl0101]Sheet1!A1", "=[Tbl0101/../Tbl0101]Sheet1!A1",
                                "='[~/.ssh/id_rsa]Sheet1'!A1", "=[file:///etc/passwd]Sheet1!A1"}) {
        SCOPED_TRACE(formula);
        table->setEntry(2, 1, QString::fromUtf8(formula));
        EXPECT_TRUE(table->value(2, 1).isError()) << plainText(table->value(2, 1)).toStdString();
    }
}

TEST(HostileLinks, ATableThatNamesItselfReadsItsOwnCellsAndACellThatNamesItselfIsACycle)
{
    WorkbookSet set;
    Workbook *table = set.create(QStringLiteral("Tbl0101"));
    table->setNumber(1, 1, 5);
    table->setEntry(2, 1, QStringLiteral("=[Tbl0101]Sheet1!A1*2"));
    EXPECT_EQ(table->number(2, 1), 10);
    table->setEntry(3, 1, QStringLiteral("=[tbl0101]SHEET1!A3+1"));
    EXPECT_TRUE(table->value(3, 1).isError());
    table->setNumber(1, 1, 6);
    EXPECT_EQ(table->number(2, 1), 12) << "the rest still calculates";
}
