// The main of every test program: an offscreen application (with widgets
// only for tests of windows), a fresh settings folder and fresh platform
// fakes for each test.

#include "FakePlatform.h"

#include "platform/Folders.h"

#include <gtest/gtest.h>

#ifdef QV_TEST_WIDGETS
#include <QApplication>
using TestApplication = QApplication;
#else
#include <QGuiApplication>
using TestApplication = QGuiApplication;
#endif
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

namespace qv::test {

namespace {
std::unique_ptr<FakePlatform> g_fakes;
std::unique_ptr<QTemporaryDir> g_config;

class FreshPlatform : public ::testing::EmptyTestEventListener
{
    void OnTestStart(const ::testing::TestInfo &) override
    {
        platform::Folders::reset();
        g_config = std::make_unique<QTemporaryDir>();
        platform::Folders::setUserConfigFolder(g_config->path());
#ifdef QV_TEST_INSTALL_DIR
        platform::Folders::setInstallFolder(QStringLiteral(QV_TEST_INSTALL_DIR));
#endif
        g_fakes = std::make_unique<FakePlatform>();
        g_fakes->install();
    }
    void OnTestEnd(const ::testing::TestInfo &) override
    {
        platform::resetServices();
        g_config.reset();
    }
};
} // namespace

FakePlatform &fakes()
{
    return *g_fakes;
}

QString testConfigFolder()
{
    return g_config->path();
}

} // namespace qv::test

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // A private runtime folder keeps Qt quiet about a missing XDG_RUNTIME_DIR.
    QTemporaryDir runtimeFolder;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeFolder.isValid()) {
        QFile::setPermissions(runtimeFolder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder.path()));
    }
    // A private data folder: whatever a test moves to the trash lands there,
    // never in the user's own trash.
    QTemporaryDir dataFolder;
    if (dataFolder.isValid())
        qputenv("XDG_DATA_HOME", QFile::encodeName(dataFolder.path()));
    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new qv::test::FreshPlatform);
    return RUN_ALL_TESTS();
}
