#include "FakePlatform.h"
#include "ShellTestSupport.h"

#include "platform/Settings.h"
#include "shell/frmSplash.h"
#include "support/CUserInfo.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>

using namespace qv::shell;
using qv::platform::Settings;

namespace
{
class SplashTest : public qv::test::ShellTest
{
};
} // namespace

TEST_F(SplashTest, ShowsThePictureSizedToItAtTheTopLeft)
{
    frmSplash splash;
    auto *picture = splash.findChild<QLabel *>(QStringLiteral("picSplash"));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->pixmap().size(), QSize(480, 320));
    EXPECT_EQ(picture->pos(), QPoint(0, 0));
    EXPECT_EQ(splash.size(), QSize(480, 320));
}

TEST_F(SplashTest, WritesTheLicenseeAtItsPlaceOnThePicture)
{
    Settings::save(QStringLiteral("UserInfo"), QStringLiteral("UserName"), QStringLiteral("Dana Whitfield"));
    Settings::save(QStringLiteral("UserInfo"), QStringLiteral("CompanyName"), QStringLiteral("Harbourline Ltd."));
    frmSplash splash;
    auto *label = splash.findChild<QLabel *>(QStringLiteral("lblUserInfo"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->pos(), QPoint(241, 217));
    EXPECT_EQ(label->text(), QStringLiteral("     Dana Whitfield\n     Harbourline Ltd."));

    // A look at the finished window, for those who want one.
    const QString shots = qEnvironmentVariable("QV_SCREENSHOT_DIR");
    if (!shots.isEmpty())
        splash.grab().save(QDir(shots).filePath(QStringLiteral("splash.png")));
}

TEST_F(SplashTest, WithoutUserInformationTheAccountNameStandsIn)
{
    frmSplash splash;
    const QString text = splash.findChild<QLabel *>(QStringLiteral("lblUserInfo"))->text();
    EXPECT_FALSE(qv::support::CUserInfo::accountName().isEmpty());
    EXPECT_EQ(text, QStringLiteral("     ") + qv::support::CUserInfo::accountName()) << "no blank licence line";
}

TEST_F(SplashTest, StaysOnTopCentredOnTheScreen)
{
    frmSplash splash;
    EXPECT_TRUE(splash.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_NEAR(splash.frameGeometry().center().x(), screen.center().x(), 2);
    EXPECT_NEAR(splash.frameGeometry().center().y(), screen.center().y(), 2);
}
