#include "FakePlatform.h"
#include "TestFiles.h"

#include "platform/Settings.h"
#include "shell/modBusinessRule.h"
#include "support/Preferences.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace qv;
using platform::Settings;

namespace
{

void storeEntries(const QStringList &entries)
{
    for (int i = 0; i < entries.size(); ++i)
        Settings::save(QStringLiteral("Recent Files"), QStringLiteral("RecentFile%1").arg(i), entries.at(i));
}

void touch(const QString &path)
{
    qv::test::writeTestFile(path, "plan");
}

} // namespace

TEST(RecentFiles, AnEmptyStoreReadsFourEmptyEntries)
{
    EXPECT_EQ(shell::ReadRecentFiles(), QStringList(4, QString()));
}

TEST(RecentFiles, OneTrailingSeparatorIsDroppedWhenRead)
{
    storeEntries({QStringLiteral("/plans/Acme.bpl/"), QStringLiteral("C:\\Plans\\Old.bpl\\"), QString(),
                  QStringLiteral("/plans/Zeta.mpl")});
    EXPECT_EQ(shell::ReadRecentFiles(),
              (QStringList{QStringLiteral("/plans/Acme.bpl"), QStringLiteral("C:\\Plans\\Old.bpl"), QString(),
                           QStringLiteral("/plans/Zeta.mpl")}));
}

TEST(RecentFiles, TheNewestPlanIsWrittenUnderRecentFile0)
{
    shell::AddRecentFile(QStringLiteral("/plans/A.bpl"));
    shell::AddRecentFile(QStringLiteral("/plans/B.bpl"));
    EXPECT_EQ(Settings::get(QStringLiteral("Recent Files"), QStringLiteral("RecentFile0")),
              QStringLiteral("/plans/B.bpl"));
    EXPECT_EQ(shell::ReadRecentFiles(),
              (QStringList{QStringLiteral("/plans/B.bpl"), QStringLiteral("/plans/A.bpl"), QString(), QString()}));
}

TEST(RecentFiles, ClosingTheSamePlanTwiceLeavesTheListUnchanged)
{
    shell::AddRecentFile(QStringLiteral("/plans/A.bpl"));
    shell::AddRecentFile(QStringLiteral("/plans/B.bpl"));
    const QStringList before = shell::ReadRecentFiles();
    shell::AddRecentFile(QStringLiteral("/plans/B.bpl"));
    shell::AddRecentFile(QStringLiteral("/plans/A.bpl"));
    EXPECT_EQ(shell::ReadRecentFiles(), before);
}

TEST(RecentFiles, APathDifferingOnlyInCaseIsTheSamePlan)
{
    shell::AddRecentFile(QStringLiteral("/plans/Acme.bpl"));
    shell::AddRecentFile(QStringLiteral("/PLANS/acme.BPL"));
    EXPECT_EQ(shell::ReadRecentFiles(),
              (QStringList{QStringLiteral("/plans/Acme.bpl"), QString(), QString(), QString()}));
}

TEST(RecentFiles, ClosingFiveDifferentPlansKeepsTheLastFour)
{
    for (const char *name : {"A", "B", "C", "D", "E"})
        shell::AddRecentFile(QStringLiteral("/plans/%1.bpl").arg(QLatin1String(name)));
    EXPECT_EQ(shell::ReadRecentFiles(), (QStringList{QStringLiteral("/plans/E.bpl"), QStringLiteral("/plans/D.bpl"),
                                                     QStringLiteral("/plans/C.bpl"), QStringLiteral("/plans/B.bpl")}));
}

TEST(RecentFiles, AnEmptyPathIsNotRecorded)
{
    shell::AddRecentFile(QStringLiteral("/plans/A.bpl"));
    shell::AddRecentFile(QString());
    EXPECT_EQ(shell::ReadRecentFiles().first(), QStringLiteral("/plans/A.bpl"));
}

TEST(RecentFiles, APlanListedWithATrailingSeparatorIsRecognised)
{
    storeEntries({QStringLiteral("/plans/A.bpl/")});
    shell::AddRecentFile(QStringLiteral("/plans/A.bpl"));
    EXPECT_EQ(shell::ReadRecentFiles(), (QStringList{QStringLiteral("/plans/A.bpl"), QString(), QString(), QString()}));
}

TEST(RecentFileMenu, ItemsNineToThirteenAreAllHiddenWhenTheListIsOff)
{
    const auto items = shell::LoadRecentFiles({QStringLiteral("/a.bpl"), QString(), QString(), QString()}, false, 4);
    ASSERT_EQ(items.size(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(items.at(i).menuIndex, 9 + i);
        EXPECT_FALSE(items.at(i).visible);
    }
}

TEST(RecentFileMenu, CaptionsAreNumberedFromOne)
{
    const auto items =
        shell::LoadRecentFiles({QStringLiteral("/p/A.bpl"), QStringLiteral("/p/B.mpl"), QString(), QString()}, true, 4);
    EXPECT_EQ(items.at(0).caption, QStringLiteral("&1 /p/A.bpl"));
    EXPECT_EQ(items.at(1).caption, QStringLiteral("&2 /p/B.mpl"));
    EXPECT_TRUE(items.at(0).visible);
    EXPECT_TRUE(items.at(1).visible);
    EXPECT_FALSE(items.at(2).visible);
    EXPECT_FALSE(items.at(4).visible);
}

TEST(RecentFileMenu, ACountAboveFourShowsFour)
{
    const QStringList entries{QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c"), QStringLiteral("/d")};
    const auto items = shell::LoadRecentFiles(entries, true, 9);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(items.at(i).visible) << i;
    EXPECT_FALSE(items.at(4).visible);
}

TEST(RecentFileMenu, TheCountLimitsTheEntriesShown)
{
    const QStringList entries{QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c"), QStringLiteral("/d")};
    const auto items = shell::LoadRecentFiles(entries, true, 2);
    EXPECT_TRUE(items.at(1).visible);
    EXPECT_FALSE(items.at(2).visible);
    EXPECT_FALSE(shell::LoadRecentFiles(entries, true, -3).at(0).visible);
}

TEST(RecentFileMenu, AnEmptyEntryInTheMiddleStaysHiddenWhileLaterOnesShow)
{
    const auto items =
        shell::LoadRecentFiles({QStringLiteral("/a"), QString(), QStringLiteral("/c"), QStringLiteral("/d")}, true, 4);
    EXPECT_TRUE(items.at(0).visible);
    EXPECT_FALSE(items.at(1).visible);
    EXPECT_TRUE(items.at(2).visible);
    EXPECT_EQ(items.at(2).caption, QStringLiteral("&3 /c"));
    EXPECT_TRUE(items.at(3).visible);
}

TEST(RecentFileMenu, AnAmpersandInThePathIsShownAndComesBack)
{
    const auto items = shell::LoadRecentFiles({QStringLiteral("/p/R&D.bpl")}, true, 4);
    EXPECT_EQ(items.at(0).caption, QStringLiteral("&1 /p/R&&D.bpl"));
    EXPECT_EQ(shell::recentFilePathFromCaption(items.at(0).caption), QStringLiteral("/p/R&D.bpl"));
}

TEST(RecentFileMenu, ThePathIsTheTextAfterTheFirstBlank)
{
    EXPECT_EQ(shell::recentFilePathFromCaption(QStringLiteral("&2 /my plans/Acme Ltd.bpl")),
              QStringLiteral("/my plans/Acme Ltd.bpl"));
    EXPECT_EQ(shell::recentFilePathFromCaption(QStringLiteral("&2")), QString());
}

TEST(RecentFileMenu, ThePreferencesChooseVisibilityAndCount)
{
    storeEntries({QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/c")});
    Settings::save(support::Preferences::section(), QStringLiteral("Recent Count"), QStringLiteral("1"));
    auto items = shell::LoadRecentFiles();
    EXPECT_TRUE(items.at(0).visible);
    EXPECT_FALSE(items.at(1).visible);
    Settings::save(support::Preferences::section(), QStringLiteral("Recent Files"), QStringLiteral("0"));
    items = shell::LoadRecentFiles();
    EXPECT_FALSE(items.at(0).visible);
}

TEST(LastPlan, KeysFollowThePlanType)
{
    EXPECT_EQ(shell::lastPlanKey(0), QStringLiteral("Last_B_File"));
    EXPECT_EQ(shell::lastPlanKey(1), QStringLiteral("Last_M_File"));
    shell::writeLastPlan(1, QStringLiteral("/p/M.mpl"));
    EXPECT_EQ(Settings::get(QStringLiteral("Options"), QStringLiteral("Last_M_File")), QStringLiteral("/p/M.mpl"));
    EXPECT_EQ(shell::readLastPlan(0), QString());
}

TEST(LastPlan, AnExistingFileIsOfferedWithoutItsTrailingSeparator)
{
    QTemporaryDir folder;
    const QString plan = folder.filePath(QStringLiteral("Acme.bpl"));
    touch(plan);
    shell::writeLastPlan(0, plan + QLatin1Char('/'));
    EXPECT_EQ(shell::lastPlanToOffer(0), plan);
}

TEST(LastPlan, AMissingFileIsForgotten)
{
    QTemporaryDir folder;
    shell::writeLastPlan(0, folder.filePath(QStringLiteral("Gone.bpl")));
    EXPECT_EQ(shell::lastPlanToOffer(0), QString());
    shell::writeLastPlan(1, folder.path());
    EXPECT_EQ(shell::lastPlanToOffer(1), QString()) << "a folder is not a plan";
}

TEST(LastPlan, ThePathIsSpelledAsOnDisk)
{
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("My Plans"));
    const QString plan = folder.filePath(QStringLiteral("My Plans/Acme.mpl"));
    touch(plan);
    shell::writeLastPlan(1, folder.filePath(QStringLiteral("MY PLANS/acme.MPL")));
    EXPECT_EQ(shell::lastPlanToOffer(1), plan);
}

TEST(FileHelpers, PathExistsIgnoresOneTrailingSeparatorAndCase)
{
    QTemporaryDir folder;
    touch(folder.filePath(QStringLiteral("Plan.bpl")));
    EXPECT_TRUE(shell::PathExists(folder.filePath(QStringLiteral("Plan.bpl"))));
    EXPECT_TRUE(shell::PathExists(folder.filePath(QStringLiteral("PLAN.BPL/"))));
    EXPECT_TRUE(shell::PathExists(folder.path() + QLatin1Char('/')));
    EXPECT_FALSE(shell::PathExists(folder.filePath(QStringLiteral("Other.bpl"))));
    EXPECT_FALSE(shell::PathExists(QString()));
}

TEST(FileHelpers, CopyFolderFilesCopiesEveryFileAndLetsMessagesRun)
{
    QTemporaryDir source;
    QTemporaryDir target;
    touch(source.filePath(QStringLiteral("Tbl0101.vts")));
    touch(source.filePath(QStringLiteral("Tbl0102.vts")));
    QDir(source.path()).mkdir(QStringLiteral("Sub"));
    const int runsBefore = test::fakes().clock->eventRuns;
    EXPECT_TRUE(shell::CopyFolderFiles(source.path(), target.path()).isEmpty());
    EXPECT_TRUE(QFile::exists(target.filePath(QStringLiteral("Tbl0101.vts"))));
    EXPECT_TRUE(QFile::exists(target.filePath(QStringLiteral("Tbl0102.vts"))));
    EXPECT_FALSE(QFile::exists(target.filePath(QStringLiteral("Sub"))));
    EXPECT_EQ(test::fakes().clock->eventRuns - runsBefore, 2);
}

TEST(FileHelpers, CopyFolderFilesReportsWhatItCouldNotCopy)
{
    QTemporaryDir source;
    QTemporaryDir target;
    touch(source.filePath(QStringLiteral("Tbl0101.vts")));
    touch(target.filePath(QStringLiteral("blocker")));
    const QStringList errors = shell::CopyFolderFiles(source.path(), target.filePath(QStringLiteral("blocker")));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors.first().startsWith(QStringLiteral("Tbl0101.vts: "))) << errors.first().toStdString();
}
