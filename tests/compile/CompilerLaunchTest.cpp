#include "FakePlatform.h"
#include "TestFiles.h"

#include "compile/CompileSetup.h"
#include "compile/CompilerLaunch.h"
#include "platform/Folders.h"
#include "resources/ResText.h"
#include "support/registry/modRegistry.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace qv::compile;
using qv::platform::Icon;
using qv::test::fakes;

namespace {

class Launch : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(install.isValid());
        qv::platform::Folders::setInstallFolder(install.path());
        qv::platform::Folders::setSystemFolder(install.filePath(QStringLiteral("System")));
    }
    void registerConverter(const QString &folder)
    {
        QDir().mkpath(install.filePath(QStringLiteral("System")));
        qv::test::writeTestFile(qv::support::modRegistry::storeFile(qv::support::modRegistry::HKEY_LOCAL_MACHINE),
                                "Quorvex Registry 1\n[SOFTWARE\\Corvane\\Quorvex\\8.0\\Table Converter]\n"
                                "\"InstalledTo\"=\"" + folder.toUtf8() + "\"\n");
    }
    void installCompiler()
    {
        QFile compiler(install.filePath(QStringLiteral("compiler")));
        ASSERT_TRUE(compiler.open(QIODevice::WriteOnly));
        compiler.write("#!/bin/sh\n");
        compiler.setPermissions(compiler.permissions() | QFileDevice::ExeOwner);
    }
    QStringList texts() const
    {
        QStringList shown;
        for (const auto &m : fakes().messages->shown)
            shown << m.text;
        return shown;
    }

    QTemporaryDir install;
    int conversions = 0;
    std::function<bool()> convert = [this] {
        ++conversions;
        return true;
    };
};

} // namespace

TEST_F(Launch, WithoutTheConverterEntryTheInstallationMessageShows)
{
    EXPECT_FALSE(CheckCompileReady());
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->lastText(), qv::GetResText(624));
    EXPECT_EQ(fakes().messages->shown.last().icon, Icon::Critical);
}

TEST_F(Launch, AMachineWithoutPrintersCannotCompile)
{
    registerConverter(install.path());
    fakes().printers->names.clear();
    EXPECT_FALSE(CheckCompileReady());
    ASSERT_EQ(fakes().messages->shown.size(), 1);
    EXPECT_EQ(fakes().messages->lastText(), noPrinterMessage());
    EXPECT_TRUE(noPrinterMessage().contains(QStringLiteral("printer connected.\r\n\r\nRefer to Windows help")));

    fakes().printers->names = QStringList{QStringLiteral("Print to PDF")};
    EXPECT_TRUE(CheckCompileReady());
    EXPECT_EQ(fakes().messages->shown.size(), 1);
}

TEST_F(Launch, AConverterEntryNamingNoFolderIsAProblemOfTheInstallation)
{
    registerConverter(install.filePath(QStringLiteral("gone")));
    EXPECT_FALSE(CheckCompileReady());
    EXPECT_EQ(fakes().messages->lastText(), qv::GetResText(624));
}

TEST_F(Launch, TheStandAloneCompilerStartsWithoutAWordProMessage)
{
    installCompiler();
    EXPECT_TRUE(LaunchCompiler(nullptr, convert));
    EXPECT_TRUE(fakes().messages->shown.isEmpty());
    EXPECT_EQ(conversions, 1);
    ASSERT_EQ(fakes().processes->started.size(), 1);
    EXPECT_EQ(fakes().processes->started.first().program, install.filePath(QStringLiteral("compiler")));
    EXPECT_TRUE(fakes().processes->started.first().arguments.isEmpty());
}

TEST_F(Launch, WithNoCompilerBothMessagesShowAndNothingRuns)
{
    EXPECT_FALSE(LaunchCompiler(nullptr, convert));
    EXPECT_EQ(texts(), (QStringList{QStringLiteral("Word Pro not installed"),
                                    QStringLiteral("Error occured trying to compile program")}));
    EXPECT_EQ(fakes().messages->shown.first().icon, Icon::Information);
    EXPECT_EQ(fakes().messages->shown.last().icon, Icon::Critical);
    EXPECT_EQ(conversions, 0);
    EXPECT_TRUE(fakes().processes->started.isEmpty());
}

TEST_F(Launch, ACompilerThatDoesNotStartIsReported)
{
    installCompiler();
    fakes().processes->succeed = false;
    EXPECT_FALSE(LaunchCompiler(nullptr, convert));
    EXPECT_EQ(texts(), QStringList{QStringLiteral("Error occured trying to compile program")});
}

TEST_F(Launch, AConversionThatCannotStartStopsTheLaunch)
{
    installCompiler();
    EXPECT_FALSE(LaunchCompiler(nullptr, [] { return false; }));
    EXPECT_TRUE(fakes().processes->started.isEmpty());
}

TEST(CompileFolder, StoredWithOneTrailingSeparatorUnderCorvane)
{
    EXPECT_EQ(compileFolder(), QString());
    storeCompileFolder(QStringLiteral("/home/ann/My Plans/BakeryB"));
    EXPECT_EQ(compileFolder(), QStringLiteral("/home/ann/My Plans/BakeryB/"));
    const QByteArray ini = qv::test::readFile(qv::test::testConfigFolder() + QStringLiteral("/Corvane.ini"));
    EXPECT_TRUE(ini.contains("[QVRSCompile]")) << ini.constData();
    EXPECT_TRUE(ini.contains("dir=/home/ann/My Plans/BakeryB/")) << ini.constData();
}
