#include "editors/SpreadsheetRules.h"

#include <gtest/gtest.h>

using namespace qv::editors;

TEST(SpreadsheetRules, TheZoomBoxTakesElevenTo399)
{
    EXPECT_FALSE(zoomFromText(QStringLiteral("10")));
    EXPECT_FALSE(zoomFromText(QStringLiteral("400")));
    EXPECT_FALSE(zoomFromText(QStringLiteral("0")));
    EXPECT_FALSE(zoomFromText(QStringLiteral("abc")));
    EXPECT_FALSE(zoomFromText(QString()));
    EXPECT_EQ(zoomFromText(QStringLiteral("11")), 11);
    EXPECT_EQ(zoomFromText(QStringLiteral("399")), 399);
    EXPECT_EQ(zoomFromText(QStringLiteral("150%")), 150);
    EXPECT_EQ(zoomFromText(QStringLiteral(" 75 %")), 75);
    EXPECT_EQ(zoomBoxText(QStringLiteral("150")), QStringLiteral("150%"));
    EXPECT_EQ(zoomBoxText(QStringLiteral("150%")), QStringLiteral("150%"));
}

TEST(SpreadsheetRules, ThePrintAreaEndsAtTheLastUsedCell)
{
    EXPECT_EQ(printAreaText(20, 5), QStringLiteral("A1:E20"));
    EXPECT_EQ(printAreaText(7, 26), QStringLiteral("A1:Z7"));
    EXPECT_EQ(printAreaText(7, 28), QStringLiteral("A1:AB7")); // two letters past Z
    EXPECT_EQ(printAreaText(0, 0), QStringLiteral("A1:A1"));
}
