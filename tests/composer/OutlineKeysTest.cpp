#include "composer/OutlineKeys.h"

#include <gtest/gtest.h>

using namespace qv::composer;

TEST(OutlineKeys, KeysHaveNoBlanksOrLeadingZeros)
{
    EXPECT_EQ(chapterKey(3), QStringLiteral("Plan.3"));
    EXPECT_EQ(sectionKey(3, 12), QStringLiteral("Plan.3.12"));
}

TEST(OutlineKeys, TenOrMoreChaptersStayDistinct)
{
    EXPECT_EQ(positionOfKey(QStringLiteral("Plan.10")), (OutlinePosition{10, 0}));
    EXPECT_EQ(positionOfKey(QStringLiteral("Plan.1")), (OutlinePosition{1, 0}));
    EXPECT_EQ(positionOfKey(QStringLiteral("Plan.10.1")), (OutlinePosition{10, 1}));
    EXPECT_EQ(positionOfKey(QStringLiteral("Plan.1.10")), (OutlinePosition{1, 10}));
    EXPECT_EQ(chapterNumberOfKey(QStringLiteral("Plan.10.1")), 10);
    EXPECT_EQ(chapterNumberOfKey(QStringLiteral("Plan.1.10")), 1);
    EXPECT_EQ(chapterNumberOfKey(QStringLiteral("Plan.7")), 7);
}

TEST(OutlineKeys, RootAndMalformedKeysNameNoPosition)
{
    EXPECT_EQ(positionOfKey(QStringLiteral("Plan")), (OutlinePosition{0, 0}));
    EXPECT_EQ(chapterNumberOfKey(QStringLiteral("Plan")), 0);
    for (const char *bad : {"Plan.", "Plan.0", "Plan.01", "Plan.x", "Plan.1.2.3", "Other.1", "Plan.-1", ""})
        EXPECT_EQ(positionOfKey(QLatin1String(bad)), (OutlinePosition{0, 0})) << bad;
}

TEST(OutlineKeys, OutlineNumbers)
{
    EXPECT_EQ(outlineNumber({0, 0}), QString());
    EXPECT_EQ(outlineNumber({4, 0}), QStringLiteral("4"));
    EXPECT_EQ(outlineNumber({10, 2}), QStringLiteral("10.2"));
}
