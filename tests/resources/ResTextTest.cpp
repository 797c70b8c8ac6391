#include "platform/Error.h"
#include "resources/ResText.h"

#include <gtest/gtest.h>

using qv::expandResEscapes;

TEST(ResText, BackslashRunsCollapseToOne)
{
    EXPECT_EQ(expandResEscapes(QStringLiteral("a\\\\\\\\b")), QStringLiteral("a\\b"));
}

TEST(ResText, StoredCarriageReturnStaysBareBesideTheEscape)
{
    EXPECT_EQ(expandResEscapes(QStringLiteral("one\rtwo\\rthree")), QStringLiteral("one\rtwo\r\nthree"));
}

TEST(ResText, AReplacementTrimsTheOuterBlanks)
{
    EXPECT_EQ(expandResEscapes(QStringLiteral("  a\\tb  ")), QStringLiteral("a\tb"));
    EXPECT_EQ(expandResEscapes(QStringLiteral("  a b  ")), QStringLiteral("  a b  "));
    EXPECT_EQ(expandResEscapes(QStringLiteral("say \\qhi\\q")), QStringLiteral("say \"hi\""));
}

TEST(ResText, LookupAddsAThousandAndMissingIdsRaise)
{
    EXPECT_EQ(qv::GetResText(302), QStringLiteral("Quorvex 8.0"));
    EXPECT_FALSE(qv::hasResText(-999));
    EXPECT_THROW(qv::GetResText(-999), qv::QvError);
}
