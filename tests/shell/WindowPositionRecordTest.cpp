#include "platform/Settings.h"
#include "shell/WindowPosition.h"

#include <gtest/gtest.h>

#include <QFile>

using namespace qv::shell;
using qv::platform::Settings;

namespace
{
constexpr double kScreenWidth = 1280 * 15.0;
constexpr double kScreenHeight = 800 * 15.0;
} // namespace

TEST(WindowPositionRecord, MissingKeysReadAsZero)
{
    const WindowPositionRecord record = readWindowPosition(QStringLiteral("frmParent"));
    EXPECT_EQ(record.top, 0);
    EXPECT_EQ(record.left, 0);
    EXPECT_EQ(record.height, 0);
    EXPECT_EQ(record.width, 0);
}

TEST(WindowPositionRecord, WritesDecimalTextAndReadsIntegersBack)
{
    writeWindowPosition(QStringLiteral("frmMain"), 1200, -120, 7200.5, 9600);
    EXPECT_EQ(Settings::get(QStringLiteral("frmMain"), QStringLiteral("Top")), QStringLiteral("1200"));
    EXPECT_EQ(Settings::get(QStringLiteral("frmMain"), QStringLiteral("Left")), QStringLiteral("-120"));
    EXPECT_EQ(Settings::get(QStringLiteral("frmMain"), QStringLiteral("Height")), QStringLiteral("7200.5"));
    const WindowPositionRecord record = readWindowPosition(QStringLiteral("frmMain"));
    EXPECT_EQ(record.top, 1200);
    EXPECT_EQ(record.left, -120);
    EXPECT_EQ(record.height, 7201);
    EXPECT_EQ(record.width, 9600);
    // The record is in the settings file itself, under the window's section.
    QFile file(Settings::fileFor(Settings::appName()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains(QStringLiteral("[frmMain]")));
    EXPECT_TRUE(text.contains(QStringLiteral("Width=9600")));
}

TEST(WindowPositionRecord, SinglePrecisionTextKeepsSevenDigits)
{
    EXPECT_EQ(singlePrecisionText(1440), QStringLiteral("1440"));
    EXPECT_EQ(singlePrecisionText(0), QStringLiteral("0"));
    EXPECT_EQ(singlePrecisionText(1234.56789), QStringLiteral("1234.568"));
}

TEST(WindowPositionRecord, FirstRunAndEmptyExtentsMaximise)
{
    EXPECT_TRUE(restoresMaximised({}, kScreenWidth, kScreenHeight));
    EXPECT_TRUE(restoresMaximised({100, 100, 0, 6000}, kScreenWidth, kScreenHeight));
    EXPECT_TRUE(restoresMaximised({100, 100, 6000, 0}, kScreenWidth, kScreenHeight));
}

TEST(WindowPositionRecord, ARecordAsLargeAsTheScreenBothWaysMaximises)
{
    EXPECT_TRUE(restoresMaximised({0, 0, 12000, 19200}, kScreenWidth, kScreenHeight));
    EXPECT_TRUE(restoresMaximised({-60, -60, 12400, 19600}, kScreenWidth, kScreenHeight));
    // Large one way only is an ordinary window.
    EXPECT_FALSE(restoresMaximised({0, 0, 12000, 19000}, kScreenWidth, kScreenHeight));
    EXPECT_FALSE(restoresMaximised({0, 0, 11000, 19200}, kScreenWidth, kScreenHeight));
    EXPECT_FALSE(restoresMaximised({600, 900, 6000, 9000}, kScreenWidth, kScreenHeight));
}
