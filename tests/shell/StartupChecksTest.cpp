#include "FakePlatform.h"
#include "TestFiles.h"

#include "platform/Application.h"
#include "platform/Folders.h"
#include "platform/Settings.h"
#include "resources/ResText.h"
#include "shell/CurrentPlan.h"
#include "shell/StartupChecks.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

using namespace qv::shell;
using qv::platform::Folders;
using qv::test::fakes;

namespace
{
void touch(const QString &path)
{
    qv::test::writeTestFile(path, "dictionary");
}
} // namespace

TEST(CheckSystemFiles, PassesQuietlyWhenTheDictionaryIsThere)
{
    QTemporaryDir system;
    touch(system.filePath(QStringLiteral("American.vtd")));
    Folders::setSystemFolder(system.path());
    EXPECT_TRUE(CheckSystemFiles());
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST(CheckSystemFiles, FindsTheFileWhateverTheCaseOfItsName)
{
    QTemporaryDir system;
    touch(system.filePath(QStringLiteral("AMERICAN.VTD")));
    Folders::setSystemFolder(system.path());
    EXPECT_TRUE(CheckSystemFiles());
}

TEST(CheckSystemFiles, AMissingFileGivesMessage1624AsCritical)
{
    QTemporaryDir system;
    Folders::setSystemFolder(system.path());
    EXPECT_FALSE(CheckSystemFiles());
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    const qv::platform::Message &message = fakes().messages->shown.first();
    EXPECT_EQ(message.text, qv::GetResText(624));
    EXPECT_TRUE(message.text.startsWith(QStringLiteral("There is a problem with one or more files")));
    EXPECT_EQ(message.icon, qv::platform::Icon::Critical);
    EXPECT_EQ(message.buttons, qv::platform::Buttons::Ok);
    EXPECT_TRUE(message.title.isEmpty()); // the default title
}

TEST(CheckSystemFiles, AFolderOfThatNameIsNotTheFile)
{
    QTemporaryDir system;
    QDir(system.path()).mkdir(QStringLiteral("American.vtd"));
    Folders::setSystemFolder(system.path());
    EXPECT_FALSE(CheckSystemFiles());
    EXPECT_EQ(fakes().messages->shown.size(), 1);
}

TEST(RecordInstallPath, StoresTheInstallFolderWithOneTrailingSeparator)
{
    QTemporaryDir install;
    Folders::setInstallFolder(install.path());
    RecordInstallPath();
    const QString expected = QDir(install.path()).absolutePath() + QLatin1Char('/');
    EXPECT_EQ(qv::platform::Settings::get(QStringLiteral("Paths"), QStringLiteral("Install")), expected);
    // It is in this release's settings file, where other programs look.
    QSettings file(qv::platform::Settings::fileFor(qv::platform::Settings::appName()), QSettings::IniFormat);
    EXPECT_EQ(file.value(QStringLiteral("Paths/Install")).toString(), expected);
}

TEST(ApplicationTitle, ComesFromTheStringTableWithTheHelpFileBesideIt)
{
    qv::platform::setApplicationTitle(QStringLiteral("something else"));
    setApplicationTitleAndHelpFile();
    EXPECT_EQ(qv::platform::applicationTitle(), QStringLiteral("Quorvex 8.0"));
    EXPECT_EQ(qv::platform::applicationHelpFile(), Folders::installFolder() + QStringLiteral("Help/BPlan8.hlp"));
}

TEST(PlanTypeName, NamesTheCurrentPlansType)
{
    releaseCurrentPlan();
    EXPECT_EQ(PlanTypeName(), QString());
    ensureCurrentPlan().planInfo().setPlanType(0);
    EXPECT_EQ(PlanTypeName(), QStringLiteral("Business Plan"));
    currentPlan()->planInfo().setPlanType(1);
    EXPECT_EQ(PlanTypeName(), QStringLiteral("Marketing Plan"));
    currentPlan()->planInfo().setPlanType(2);
    EXPECT_EQ(PlanTypeName(), QString());
    currentPlan()->planInfo().setPlanType(-1);
    EXPECT_EQ(PlanTypeName(), QString());
    releaseCurrentPlan();
}

TEST(CurrentPlan, IsCreatedOnceAndReplacedFresh)
{
    releaseCurrentPlan();
    EXPECT_EQ(currentPlan(), nullptr);
    qv::plan::Plan &plan = ensureCurrentPlan();
    plan.planInfo().setBusinessKind(3);
    EXPECT_EQ(&ensureCurrentPlan(), &plan);
    EXPECT_EQ(ensureCurrentPlan().planInfo().businessKind(), 3);
    EXPECT_EQ(replaceCurrentPlan().planInfo().businessKind(), 0);
    releaseCurrentPlan();
    EXPECT_EQ(currentPlan(), nullptr);
}
