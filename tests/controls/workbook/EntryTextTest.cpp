#include "controls/workbook/EntryText.h"
#include "controls/workbook/Workbook.h"

#include <gtest/gtest.h>

using namespace qv::workbook;

TEST(EntryText, InterpretsTypedInput)
{
    struct Case { const char *typed; const char *value; const char *format; };
    const Case cases[] = {
        {"1500", "1500", ""},          {"-1,500.25", "-1500.25", "#,##0.00"}, {"$1,500", "1500", "$#,##0"},
        {"$1,500.50", "1500.5", "$#,##0.00"}, {"15%", "0.15", "0%"},    {"(1,200)", "-1200", "#,##0"},
        {"7/31/1999", "36372", "m/d/yyyy"},   {"Jun 2000", "Jun 2000", ""}, {"1999", "1999", ""},
        {"TRUE", "TRUE", ""},          {"#N/A", "#N/A", ""},           {"'1500", "1500", ""},
        {"1,50", "1,50", ""},          {"12abc", "12abc", ""},         {"2/30/2000", "2/30/2000", ""},
        {" 42 ", "42", ""},            {"1e3", "1000", ""},            {"-$5", "-5", "$#,##0"},
    };
    for (const Case &c : cases) {
        const EntryMeaning m = interpretEntry(QString::fromLatin1(c.typed));
        ASSERT_EQ(m.kind, EntryMeaning::Kind::Constant) << c.typed;
        EXPECT_EQ(plainText(m.value), QString::fromLatin1(c.value)) << c.typed;
        EXPECT_EQ(m.numberFormat, QString::fromLatin1(c.format)) << c.typed;
    }
    EXPECT_TRUE(interpretEntry(QStringLiteral("'1500")).value.isText());
    EXPECT_TRUE(interpretEntry(QStringLiteral("Jun 2000")).value.isText());
    EXPECT_EQ(interpretEntry(QStringLiteral("=A1")).kind, EntryMeaning::Kind::Formula);
    EXPECT_EQ(interpretEntry(QString()).kind, EntryMeaning::Kind::Empty);
}

TEST(EntryText, SetsFormatsAndKeepsEntries)
{
    Workbook book;
    book.setEntry(1, 1, QStringLiteral("$1,500"));
    EXPECT_EQ(book.text(1, 1), QStringLiteral("$1,500"));
    EXPECT_EQ(book.number(1, 1), 1500);
    book.setEntry(1, 2, QStringLiteral("15%"));
    EXPECT_EQ(book.text(1, 2), QStringLiteral("15%"));
    EXPECT_EQ(book.entry(1, 2), QStringLiteral("15%"));
    book.setEntry(1, 3, QStringLiteral("=A1*B1"));
    EXPECT_EQ(book.number(1, 3), 225);
    EXPECT_EQ(book.entry(1, 3), QStringLiteral("=A1*B1"));
    EXPECT_EQ(book.formula(1, 3), QStringLiteral("=A1*B1"));
    book.setEntry(2, 1, QStringLiteral("7/31/1999"));
    EXPECT_EQ(book.text(2, 1), QStringLiteral("7/31/1999"));
    book.setCurrencyNumber(3, 1, 1200.5);
    EXPECT_EQ(book.text(3, 1), QStringLiteral("$1,200.50"));
    // A number typed into a currency cell keeps the cell's format.
    book.setEntry(1, 1, QStringLiteral("2500"));
    EXPECT_EQ(book.text(1, 1), QStringLiteral("$2,500"));
    // Text that looks like a number keeps its apostrophe in the entry.
    book.setText(4, 1, QStringLiteral("1999"));
    EXPECT_EQ(book.entry(4, 1), QStringLiteral("'1999"));
    EXPECT_FALSE(book.setEntry(5, 1, QStringLiteral("=1+")));
    EXPECT_TRUE(book.value(5, 1).isEmpty());
}

TEST(EntryText, TypedKindKeepsTheCellsOwnFormat)
{
    Workbook book;
    book.setNumberFormat(CellRange::cell(1, 1), QStringLiteral("0.0%"));
    book.setEntry(1, 1, QStringLiteral("28%"));
    EXPECT_EQ(book.text(1, 1), QStringLiteral("28.0%"));
    book.setEntry(1, 1, QStringLiteral("37.45%"));
    EXPECT_EQ(book.text(1, 1), QStringLiteral("37.5%"));
    book.setNumberFormat(CellRange::cell(2, 1), QStringLiteral("$#,##0.00"));
    book.setEntry(2, 1, QStringLiteral("$1,500"));
    EXPECT_EQ(book.text(2, 1), QStringLiteral("$1,500.00"));
    // A percent typed into a currency cell is a percent.
    book.setEntry(2, 1, QStringLiteral("5%"));
    EXPECT_EQ(book.text(2, 1), QStringLiteral("5%"));
}
