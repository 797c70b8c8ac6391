#include "FakePlatform.h"
#include "ShellTestSupport.h"

#include "platform/Application.h"
#include "platform/Settings.h"
#include "shell/MMain.h"

#include <QGuiApplication>
#include <QScreen>

#include <memory>

using namespace qv::shell;
using qv::platform::Settings;

namespace
{

class WindowPositionTest : public qv::test::ShellTest
{
protected:
    std::unique_ptr<QWidget> window(const char *name = "frmMain")
    {
        auto w = std::make_unique<QWidget>();
        w->setObjectName(QString::fromUtf8(name));
        return w;
    }
    QSize screen() const { return QGuiApplication::primaryScreen()->geometry().size(); }
    long twipsX(int px) const { return std::lround(qv::platform::pixelsToTwipsX(px)); }
    long twipsY(int px) const { return std::lround(qv::platform::pixelsToTwipsY(px)); }
};

} // namespace

TEST_F(WindowPositionTest, FirstRunOpensMaximised)
{
    auto w = window();
    RestoreWindowPosition(w.get());
    EXPECT_TRUE(w->isMaximized());
}

TEST_F(WindowPositionTest, AnOrdinaryRecordRoundTripsThroughTheSettingsFile)
{
    auto w = window();
    w->move(120, 90);
    w->resize(640, 480);
    SaveWindowPosition(w.get());
    EXPECT_EQ(Settings::toNumber(Settings::get(QStringLiteral("frmMain"), QStringLiteral("Left"))), twipsX(120));
    EXPECT_EQ(Settings::toNumber(Settings::get(QStringLiteral("frmMain"), QStringLiteral("Top"))), twipsY(90));

    auto restored = window();
    RestoreWindowPosition(restored.get());
    EXPECT_FALSE(restored->isMaximized());
    EXPECT_EQ(restored->pos(), QPoint(120, 90));
    EXPECT_EQ(restored->size(), QSize(640, 480));
}

TEST_F(WindowPositionTest, AWindowSavedMaximisedComesBackMaximised)
{
    auto w = window();
    w->resize(300, 200); // smaller than the screen, as Qt may report a maximised window
    w->setWindowState(Qt::WindowMaximized);
    SaveWindowPosition(w.get());
    const WindowPositionRecord record = readWindowPosition(QStringLiteral("frmMain"));
    EXPECT_GE(record.width, twipsX(screen().width()));
    EXPECT_GE(record.height, twipsY(screen().height()));

    auto restored = window();
    RestoreWindowPosition(restored.get());
    EXPECT_TRUE(restored->isMaximized());
}

TEST_F(WindowPositionTest, AMinimisedWindowKeepsThePreviousRecord)
{
    writeWindowPosition(QStringLiteral("frmParent"), 300, 450, 6000, 9000);
    auto w = window("frmParent");
    w->move(0, 0);
    w->resize(200, 100);
    w->setWindowState(Qt::WindowMinimized);
    SaveWindowPosition(w.get());
    const WindowPositionRecord record = readWindowPosition(QStringLiteral("frmParent"));
    EXPECT_EQ(record.top, 300);
    EXPECT_EQ(record.left, 450);
    EXPECT_EQ(record.height, 6000);
    EXPECT_EQ(record.width, 9000);
}

TEST_F(WindowPositionTest, ZeroWidthOrHeightMaximises)
{
    writeWindowPosition(QStringLiteral("frmMain"), 300, 450, 6000, 0);
    auto w = window();
    RestoreWindowPosition(w.get());
    EXPECT_TRUE(w->isMaximized());
}

TEST_F(WindowPositionTest, RestoringAnOrdinaryRecordLeavesTheMaximisedState)
{
    writeWindowPosition(QStringLiteral("frmMain"), 300, 450, 6000, 9000);
    auto w = window();
    w->setWindowState(Qt::WindowMaximized);
    RestoreWindowPosition(w.get());
    EXPECT_FALSE(w->isMaximized());
    EXPECT_EQ(w->size(), QSize(qv::platform::twipsToPixelsX(9000), qv::platform::twipsToPixelsY(6000)));
}

TEST_F(WindowPositionTest, WindowsKeepSeparateRecords)
{
    auto frame = window("frmParent");
    frame->move(10, 20);
    frame->resize(500, 400);
    SaveWindowPosition(frame.get());
    EXPECT_EQ(readWindowPosition(QStringLiteral("frmMain")).width, 0);
    EXPECT_EQ(readWindowPosition(QStringLiteral("frmParent")).width, twipsX(500));
}
