#include "FakePlatform.h"

#include "platform/Settings.h"
#include "support/Preferences.h"

#include <gtest/gtest.h>

using qv::platform::Settings;
using qv::support::Preferences;
using qv::test::fakes;

namespace
{
void store(const char *key, const char *value)
{
    Settings::save(QStringLiteral("Preferences"), QString::fromLatin1(key), QString::fromLatin1(value));
}
} // namespace

TEST(Preferences, AnEmptyStoreGivesTheDefaults)
{
    EXPECT_FALSE(Preferences::IsAutoSave());
    EXPECT_EQ(Preferences::getAutoSaveTime(), 10);
    EXPECT_EQ(Preferences::getPreferenceFont(), QStringLiteral("Times New Roman"));
    EXPECT_EQ(Preferences::getPreferenceFontSize(), 11);
    EXPECT_TRUE(Preferences::showRecentFileList());
    EXPECT_EQ(Preferences::getRecentFilesCount(), 4);
    EXPECT_TRUE(Preferences::IsPreferencePrintBlack());
    EXPECT_TRUE(Preferences::IsPreferencePrintNormal());
    EXPECT_TRUE(Preferences::getPreferenceBrowser().isEmpty());
}

TEST(Preferences, FontSizeBelowSixReadsAsEleven)
{
    store("Font Size", "5");
    EXPECT_EQ(Preferences::getPreferenceFontSize(), 11);
    store("Font Size", "6");
    EXPECT_EQ(Preferences::getPreferenceFontSize(), 6);
    store("Font Size", "big");
    EXPECT_EQ(Preferences::getPreferenceFontSize(), 11);
}

TEST(Preferences, ZeroOrUnreadableMinutesReadAsTen)
{
    store("Minutes", "0");
    EXPECT_EQ(Preferences::getAutoSaveTime(), 10);
    store("Minutes", "soon");
    EXPECT_EQ(Preferences::getAutoSaveTime(), 10);
    store("Minutes", "-5");
    EXPECT_EQ(Preferences::getAutoSaveTime(), 10);
    store("Minutes", "25");
    EXPECT_EQ(Preferences::getAutoSaveTime(), 25);
}

TEST(Preferences, RecentCountZeroStaysZeroAndStaysWithinTheList)
{
    store("Recent Count", "junk");
    EXPECT_EQ(Preferences::getRecentFilesCount(), 0);
    store("Recent Count", "2");
    EXPECT_EQ(Preferences::getRecentFilesCount(), 2);
    store("Recent Count", "9");
    EXPECT_EQ(Preferences::getRecentFilesCount(), 4);
}

TEST(Preferences, AnyNonZeroNumberIsOn)
{
    store("AutoSave", "1");
    store("Print Color", "0");
    store("Print Normal", "7");
    store("Recent Files", "0");
    EXPECT_TRUE(Preferences::IsAutoSave());
    EXPECT_FALSE(Preferences::IsPreferencePrintBlack());
    EXPECT_TRUE(Preferences::IsPreferencePrintNormal());
    EXPECT_FALSE(Preferences::showRecentFileList());
}

TEST(Preferences, AnEmptyStoredFontGivesTimesNewRoman)
{
    store("Font", "");
    EXPECT_EQ(Preferences::getPreferenceFont(), QStringLiteral("Times New Roman"));
    store("Font", "Liberation Sans");
    EXPECT_EQ(Preferences::getPreferenceFont(), QStringLiteral("Liberation Sans"));
}

TEST(Preferences, TheBrowserFallsBackToTheHtmlProgram)
{
    fakes().shell->associated = QStringLiteral("/usr/bin/firefox\n");
    EXPECT_EQ(Preferences::getPreferenceBrowser(), QStringLiteral("/usr/bin/firefox"));
    ASSERT_EQ(fakes().shell->lookedUp.size(), 1);
    EXPECT_TRUE(fakes().shell->lookedUp.first().endsWith(QStringLiteral("/temphtml.htm")));

    store("Browser", "/opt/browser/run");
    EXPECT_EQ(Preferences::getPreferenceBrowser(), QStringLiteral("/opt/browser/run"));
    EXPECT_EQ(fakes().shell->lookedUp.size(), 1); // no second lookup
}

TEST(Preferences, SaveWritesTheNineKeysInOrder)
{
    Preferences::Values v;
    v.printNormal = false;
    v.font = QStringLiteral("Arial");
    v.fontSize = QStringLiteral("12");
    v.autoSave = true;
    v.minutes = 15;
    v.browser = QStringLiteral("/usr/bin/web");
    v.recentCount = 3;
    Preferences::save(v);

    QStringList keys;
    for (const auto &entry : Preferences::entries(v))
        keys << entry.first;
    EXPECT_EQ(keys,
              (QStringList{QStringLiteral("Print Normal"), QStringLiteral("Print Color"), QStringLiteral("Font"),
                           QStringLiteral("Font Size"), QStringLiteral("AutoSave"), QStringLiteral("Minutes"),
                           QStringLiteral("Browser"), QStringLiteral("Recent Files"), QStringLiteral("Recent Count")}));
    EXPECT_EQ(Settings::keys(Settings::appName(), QStringLiteral("Preferences")).size(), 9);

    EXPECT_FALSE(Preferences::IsPreferencePrintNormal());
    EXPECT_EQ(Settings::get(QStringLiteral("Preferences"), QStringLiteral("Print Normal")), QStringLiteral("0"));
    EXPECT_EQ(Settings::get(QStringLiteral("Preferences"), QStringLiteral("AutoSave")), QStringLiteral("-1"));
    EXPECT_EQ(Preferences::getAutoSaveTime(), 15);
    EXPECT_EQ(Preferences::getPreferenceFontSize(), 12);
    EXPECT_EQ(Preferences::getRecentFilesCount(), 3);
}

TEST(Preferences, FontsAreListedOnceIgnoringCase)
{
    const QStringList fonts =
        Preferences::distinctFonts({QStringLiteral("Arial"), QStringLiteral("Times New Roman"), QStringLiteral("ARIAL"),
                                    QStringLiteral("Courier"), QStringLiteral("times new roman")});
    EXPECT_EQ(fonts,
              (QStringList{QStringLiteral("Arial"), QStringLiteral("Times New Roman"), QStringLiteral("Courier")}));
}

TEST(Preferences, FontSizesInOrder)
{
    EXPECT_EQ(Preferences::fontSizes().join(QLatin1Char(',')),
              QStringLiteral("8,9,10,11,12,14,16,18,20,22,24,26,28,36,48,72"));
}
