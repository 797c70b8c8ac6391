#include "platform/Folders.h"
#include "support/CSystem.h"
#include "support/CWaitCursor.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>

using namespace qv::support;

TEST(CSystem, ReportsTheNtFamilyAndThePlatformFolders)
{
    CSystem system;
    EXPECT_TRUE(system.isWinNT());
    EXPECT_FALSE(system.isWin95());
    EXPECT_EQ(system.family(), QStringLiteral("Windows NT"));
    EXPECT_EQ(system.windowsDir(), qv::platform::Folders::windowsFolder());
    EXPECT_EQ(system.systemDir(), qv::platform::Folders::systemFolder());
    EXPECT_EQ(system.machine(), 0);
    EXPECT_GT(system.winMajor(), 0);
    EXPECT_GT(system.freeMemory(), 0);
    EXPECT_GE(system.freeResources(), 0);
    EXPECT_LE(system.freeResources(), 100);
    EXPECT_EQ(system.freeGdiResources(), system.freeResources());
}

TEST(CSystem, EveryX86WidthReadsAs586)
{
    for (const char *type : {"i386", "i486", "i586", "i686", "x86_64", "X86_64", "amd64"})
        EXPECT_EQ(CSystem::processorForMachine(QString::fromLatin1(type)), QStringLiteral("586")) << type;
    EXPECT_EQ(CSystem::processorForMachine(QStringLiteral("alpha")), QStringLiteral("A21064"));
    EXPECT_EQ(CSystem::processorForMachine(QStringLiteral("mips")), QStringLiteral("R4000"));
    EXPECT_EQ(CSystem::processorForMachine(QStringLiteral("aarch64")), QStringLiteral("Unknown"));
    EXPECT_EQ(CSystem::processorForMachine(QString()), QStringLiteral("Unknown"));
}

TEST(CSystem, MemoryComesFromTheKernelsTable)
{
    const auto memory = CSystem::parseMemInfo("MemTotal:       8000000 kB\nMemFree:         1000000 kB\n"
                                              "MemAvailable:    2000000 kB\nBuffers: 5 kB\n");
    EXPECT_EQ(memory.totalKb, 8000000);
    EXPECT_EQ(memory.availableKb, 2000000);
    EXPECT_EQ(CSystem::freePercent(memory), 25);

    const auto old = CSystem::parseMemInfo("MemTotal: 1000 kB\nMemFree: 500 kB\n");
    EXPECT_EQ(old.availableKb, 500);
    EXPECT_EQ(CSystem::freePercent(old), 50);
    EXPECT_EQ(CSystem::freePercent(CSystem::parseMemInfo("garbage")), 0);
}

namespace
{
Qt::CursorShape overrideShape()
{
    const QCursor *cursor = QGuiApplication::overrideCursor();
    return cursor ? cursor->shape() : Qt::BitmapCursor;
}
} // namespace

TEST(CWaitCursor, GoingOutOfScopeRestoresThePointer)
{
    ASSERT_EQ(QGuiApplication::overrideCursor(), nullptr);
    {
        CWaitCursor wait;
        wait.SetCursor(11);
        EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(CWaitCursor, GuardsNestAndRestoreIsOnce)
{
    CWaitCursor outer(MousePointer::Hourglass);
    {
        CWaitCursor inner(MousePointer::IBeam);
        EXPECT_EQ(overrideShape(), Qt::IBeamCursor);
        inner.SetCursor(MousePointer::Cross); // changes, does not stack
        EXPECT_EQ(overrideShape(), Qt::CrossCursor);
        inner.Restore();
        EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    } // a second restore by the destructor takes nothing more
    EXPECT_EQ(overrideShape(), Qt::WaitCursor);
    outer.Restore();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
