#include "create/creation/AnswerValues.h"

#include <gtest/gtest.h>

#include <limits>

using namespace qv::create;

TEST(AnswerValues, LeadingCountReadsTheNumberTheValueBeginsWith)
{
    EXPECT_EQ(leadingCount(QStringLiteral("3")), 3);
    EXPECT_EQ(leadingCount(QStringLiteral(" 3 products")), 3);
    EXPECT_EQ(leadingCount(QStringLiteral("2.5")), 2); // halves to even
    EXPECT_EQ(leadingCount(QStringLiteral("3.5")), 4);
    EXPECT_EQ(leadingCount(QStringLiteral("-4")), -4);
    EXPECT_EQ(leadingCount(QStringLiteral(".6")), 1);
    EXPECT_EQ(leadingCount(QStringLiteral("99999999999999999999")), std::numeric_limits<int>::max());
    EXPECT_FALSE(leadingCount(QStringLiteral("abc")));
    EXPECT_FALSE(leadingCount(QString()));
    EXPECT_FALSE(leadingCount(QStringLiteral("-")));
}

TEST(AnswerValues, YearsAsAShortDateReadsThem)
{
    EXPECT_EQ(answerYear(QStringLiteral("1999")), 1999);
    EXPECT_EQ(answerYear(QStringLiteral("99")), 1999);
    EXPECT_EQ(answerYear(QStringLiteral("5")), 2005);
    EXPECT_EQ(answerYear(QStringLiteral("29")), 2029);
    EXPECT_EQ(answerYear(QStringLiteral("30")), 1930);
    EXPECT_FALSE(answerYear(QStringLiteral("0099")));
    EXPECT_FALSE(answerYear(QStringLiteral("19999")));
    EXPECT_FALSE(answerYear(QStringLiteral("-1")));
    EXPECT_FALSE(answerYear(QStringLiteral("1999/2")));
}

TEST(AnswerValues, MonthsOneToTwelve)
{
    EXPECT_EQ(answerMonth(QStringLiteral("7")), 7);
    EXPECT_EQ(answerMonth(QStringLiteral("12")), 12);
    EXPECT_FALSE(answerMonth(QStringLiteral("0")));
    EXPECT_FALSE(answerMonth(QStringLiteral("13")));
    EXPECT_FALSE(answerMonth(QStringLiteral("July")));
}

TEST(AnswerValues, CurrencyNeedsADollarAndANumber)
{
    EXPECT_EQ(currencyAmount(QStringLiteral("$1500")), 1500.0);
    EXPECT_EQ(currencyAmount(QStringLiteral("$1,500.50")), 1500.5);
    EXPECT_EQ(currencyAmount(QStringLiteral("$-20")), -20.0);
    EXPECT_EQ(currencyAmount(QStringLiteral("$.5")), 0.5);
    EXPECT_FALSE(currencyAmount(QStringLiteral("1500")));
    EXPECT_FALSE(currencyAmount(QStringLiteral("$")));
    EXPECT_FALSE(currencyAmount(QStringLiteral("$12abc")));
    EXPECT_FALSE(currencyAmount(QStringLiteral("$1,50")));
    EXPECT_FALSE(currencyAmount(QStringLiteral("$inf")));
    EXPECT_FALSE(currencyAmount(QStringLiteral("$nan")));
}

TEST(AnswerValues, CellKeysNameATableAndOneCell)
{
    const auto key = parseCellKey(QStringLiteral("Tbl0303:b12"));
    ASSERT_TRUE(key);
    EXPECT_EQ(key->table, QStringLiteral("Tbl0303"));
    EXPECT_EQ(key->row, 12);
    EXPECT_EQ(key->col, 2);
    EXPECT_TRUE(parseCellKey(QStringLiteral("Tbl\t0303:B1")));
    EXPECT_EQ(cellKeyText(QStringLiteral("\t")), QStringLiteral("\t"));
    for (const char *bad : {"../x:B1", "Tbl0303:B1:C2", "Tbl0303:$B$1", "Tbl0303:AA1", "Tbl0303:B0", "Tbl 0303:B1",
                            "Tbl0303:B", ":B1", "Tbl0303:B12345678", "Tbl0303:B-1"})
        EXPECT_FALSE(parseCellKey(QString::fromLatin1(bad))) << bad;
}
