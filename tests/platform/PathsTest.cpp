#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "platform/Settings.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace qv::platform;

TEST(Paths, JoinGivesExactlyOneSeparator)
{
    EXPECT_EQ(joinPath(QStringLiteral("/a/b"), QStringLiteral("c.vts")), QStringLiteral("/a/b/c.vts"));
    EXPECT_EQ(joinPath(QStringLiteral("/a/b///"), QStringLiteral("/c.vts")), QStringLiteral("/a/b/c.vts"));
    EXPECT_EQ(withTrailingSeparator(QStringLiteral("/")), QStringLiteral("/"));
}

TEST(Paths, BuiltNamesResolveToExistingFilesWhateverTheirCase)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("Help/Sub"));
    QFile f(dir.path() + QStringLiteral("/Help/Sub/Tbl0503.vts"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(resolveExistingPath(dir.path() + QStringLiteral("/help/SUB/TBL0503.VTS")),
              dir.path() + QStringLiteral("/Help/Sub/Tbl0503.vts"));
    // A name that matches nothing stays as built, so a new file takes it.
    EXPECT_EQ(resolveExistingPath(dir.path() + QStringLiteral("/help/new.vts")),
              dir.path() + QStringLiteral("/help/new.vts"));
    EXPECT_TRUE(existsIgnoringCase(dir.path() + QStringLiteral("/HELP/")));
}

TEST(Folders, MyPlansLeavesAnInstalledProgramFolderAloneEvenWhenWritable)
{
    QTemporaryDir program;
    Folders::setInstallFolder(program.path());
    EXPECT_FALSE(Folders::isInstalled());
    EXPECT_EQ(Folders::myPlansFolder(), program.path() + QStringLiteral("/My Plans/"));

    QFile marker(program.path() + QLatin1Char('/') + QLatin1String(kInstalledMarkerFile));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    QDir(program.path()).mkpath(QStringLiteral("My Plans"));
    EXPECT_TRUE(Folders::isInstalled());
    const QString plans = Folders::myPlansFolder();
    EXPECT_FALSE(plans.startsWith(program.path())) << qPrintable(plans);
    EXPECT_TRUE(plans.endsWith(QStringLiteral("/My Plans/"))) << qPrintable(plans);
}

TEST(Settings, ApplicationNameIsAnIniFileAndSectionsAreGroups)
{
    Settings::saveSetting(QStringLiteral("Corvane\\Quorvex 8.0"), QStringLiteral("Preferences"),
                          QStringLiteral("Font Size"), QStringLiteral("12"));
    EXPECT_TRUE(QFile::exists(Folders::userConfigFolder() + QStringLiteral("Corvane/Quorvex 8.0.ini")));
    EXPECT_EQ(Settings::get(QStringLiteral("Preferences"), QStringLiteral("Font Size")), QStringLiteral("12"));
    EXPECT_EQ(Settings::get(QStringLiteral("Preferences"), QStringLiteral("Missing"), QStringLiteral("d")),
              QStringLiteral("d"));
    Settings::saveSetting(QStringLiteral("Corvane"), QStringLiteral("QVRSCompile"), QStringLiteral("Path"),
                          QStringLiteral("/x"));
    EXPECT_TRUE(QFile::exists(Folders::userConfigFolder() + QStringLiteral("Corvane.ini")));
}

TEST(Settings, NumbersAndCheckBoxesReadAsTheStoreAlwaysHas)
{
    EXPECT_EQ(Settings::toNumber(QStringLiteral("abc")), 0);
    EXPECT_EQ(Settings::toNumber(QStringLiteral(" 12 ")), 12);
    EXPECT_EQ(Settings::toNumber(QStringLiteral("-1")), -1);
    EXPECT_TRUE(Settings::toBool(QStringLiteral("-1")));
    EXPECT_TRUE(Settings::toBool(QStringLiteral("5")));
    EXPECT_FALSE(Settings::toBool(QStringLiteral("0")));
    EXPECT_FALSE(Settings::toBool(QString()));
    EXPECT_EQ(Settings::fromBool(true), QStringLiteral("-1"));
}

TEST(AtomicFile, AFailedWriteLeavesTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/plan.bpl");
    ASSERT_TRUE(writeFileAtomically(path, QByteArray("old")).isEmpty());
    const QString reason = writeFileAtomically(path, [](QIODevice &device, QString &why) {
        device.write("half");
        why = QStringLiteral("disk full");
        return false;
    });
    EXPECT_EQ(reason, QStringLiteral("disk full"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1); // no temporary left behind
}

TEST(Programs, ExeNamesResolveToTheBareProgram)
{
    QTemporaryDir dir;
    QFile f(dir.path() + QStringLiteral("/pwiz_mi"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_EQ(resolveInstalledProgram(dir.path() + QStringLiteral("/pwiz_mi.exe")),
              dir.path() + QStringLiteral("/pwiz_mi"));
    EXPECT_EQ(toQtFilter(QStringLiteral("Program Files (*.exe)|*.exe|All Files (*.*)|*.*")),
              QStringLiteral("Program Files (*.exe);;All Files (*.*)"));
}
