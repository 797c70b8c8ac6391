#include "FakePlatform.h"

#include "platform/Folders.h"
#include "platform/Settings.h"
#include "support/HelpFiles.h"
#include "support/OnlineLinks.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace qv;
using qv::test::fakes;

TEST(FindHtmlProgram, AsksAboutAnHtmlFileAndLeavesNoFile)
{
    fakes().shell->associated = QStringLiteral("  /usr/bin/firefox  ");
    EXPECT_EQ(support::FindHtmlProgram(QStringLiteral("temphtml.htm")), QStringLiteral("/usr/bin/firefox"));
    ASSERT_EQ(fakes().shell->lookedUp.size(), 1);
    const QString probe = fakes().shell->lookedUp.first();
    EXPECT_EQ(QFileInfo(probe).fileName(), QStringLiteral("temphtml.htm"));
    EXPECT_TRUE(probe.startsWith(platform::Folders::tempFolder()));
    EXPECT_FALSE(QFileInfo::exists(probe));
    EXPECT_FALSE(QFileInfo::exists(QFileInfo(probe).absolutePath())); // the private folder goes too
}

TEST(FindHtmlProgram, NoAssociationGivesEmptyTextAndNoFile)
{
    EXPECT_TRUE(support::FindHtmlProgram(QStringLiteral("temphtml.htm")).isEmpty());
    EXPECT_FALSE(QFileInfo::exists(fakes().shell->lookedUp.value(0)));
}

TEST(FindHtmlProgram, AHostileNameStaysInsideTheTemporaryFolder)
{
    support::FindHtmlProgram(QStringLiteral("../../etc/x.htm"));
    ASSERT_EQ(fakes().shell->lookedUp.size(), 1);
    EXPECT_TRUE(fakes().shell->lookedUp.first().startsWith(platform::Folders::tempFolder()));
    EXPECT_EQ(QFileInfo(fakes().shell->lookedUp.first()).fileName(), QStringLiteral("x.htm"));
}

TEST(OpenUrl, WithoutABrowserSaysSoAndOpensNothing)
{
    EXPECT_FALSE(support::OpenUrl(nullptr, QStringLiteral("https://example.org/")));
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    const auto &m = fakes().messages->shown.first();
    EXPECT_EQ(m.text, QStringLiteral("Could not find associated Browser."));
    EXPECT_EQ(m.title, QStringLiteral("Browser Not Found."));
    EXPECT_EQ(m.icon, platform::Icon::Exclamation);
    EXPECT_TRUE(fakes().shell->opened.isEmpty());
}

TEST(OpenUrl, OpensTheAddressWithThePreferredBrowser)
{
    platform::Settings::save(QStringLiteral("Preferences"), QStringLiteral("Browser"),
                             QStringLiteral("/opt/web/browse"));
    EXPECT_TRUE(support::OpenUrl(nullptr, QStringLiteral("https://example.org/a b")));
    ASSERT_EQ(fakes().shell->opened.size(), 1);
    EXPECT_EQ(fakes().shell->opened.first().first, QStringLiteral("/opt/web/browse"));
    EXPECT_EQ(fakes().shell->opened.first().second, QStringLiteral("https://example.org/a%20b"));
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST(OpenUrl, AFailedStartIsReported)
{
    fakes().shell->associated = QStringLiteral("/usr/bin/firefox");
    fakes().shell->succeed = false;
    EXPECT_FALSE(support::OpenUrl(nullptr, support::mainWebSite()));
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("Web Page not Opened"));
    EXPECT_EQ(fakes().messages->shown.first().title, QStringLiteral("URL Failed"));
}

TEST(OnlineLinks, WebSitesAreSettings)
{
    EXPECT_TRUE(support::mainWebSite().startsWith(QStringLiteral("https://")));
    EXPECT_NE(support::mainWebSite(), support::secondWebSite());
    platform::Settings::save(QStringLiteral("Online"), QStringLiteral("SecondSite"), QStringLiteral("https://x.test/"));
    EXPECT_EQ(support::secondWebSite(), QStringLiteral("https://x.test/"));
}

TEST(RunProgram, AMissingProgramIsReported)
{
    EXPECT_FALSE(support::RunProgram(QStringLiteral("/nowhere/pwiz_mi.exe")));
    EXPECT_EQ(fakes().messages->lastText(), QStringLiteral("File not found: /nowhere/pwiz_mi.exe"));
    EXPECT_EQ(fakes().messages->shown.first().icon, platform::Icon::Critical);
    EXPECT_TRUE(fakes().processes->started.isEmpty());
}

TEST(RunProgram, AnExeNameFindsTheProgramWithoutTheExtension)
{
    QTemporaryDir folder;
    const QString program = folder.filePath(QStringLiteral("pwiz_mi"));
    QFile file(program);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(support::RunProgram(folder.filePath(QStringLiteral("pwiz_mi.exe"))));
    ASSERT_EQ(fakes().processes->started.size(), 1);
    EXPECT_EQ(fakes().processes->started.first().program, QFileInfo(program).absoluteFilePath());
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
}

TEST(ShowProducts, IsAnInformationMessageWithoutAnAddress)
{
    support::ShowProducts();
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    const auto &m = fakes().messages->shown.first();
    EXPECT_EQ(m.title, QStringLiteral("Corvane Products"));
    EXPECT_EQ(m.icon, platform::Icon::Information);
    EXPECT_FALSE(m.text.contains(QStringLiteral("www")));
    EXPECT_FALSE(m.text.contains(QStringLiteral("://")));
}

TEST(HelpFiles, EachHelpFileIsAnInstalledPage)
{
    for (const QString &name : {support::kMainHelpFile, support::kAdvisorHelpFile, support::kProductsHelpFile}) {
        const QString page = support::helpPagePath(name);
        EXPECT_TRUE(page.endsWith(QStringLiteral(".html"))) << page.toStdString();
        EXPECT_TRUE(QFileInfo::exists(page)) << page.toStdString();
    }
    EXPECT_EQ(support::helpPagePath(platform::Folders::installFolder() + QStringLiteral("Help/BPlan8.hlp")),
              support::helpPagePath(QStringLiteral("bplan8")));
}
