#include "QvtoolRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

using qv::test::qvtool;
using qv::test::ToolRun;

TEST(QvtoolPrefs, PrintsEveryGetterWithItsDefaultAndNothingOnStderr)
{
    QTemporaryDir config;
    const ToolRun run = qvtool({QStringLiteral("prefs")}, config.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, QString());
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 10) << run.out.toStdString();
    EXPECT_EQ(lines.at(0), QStringLiteral("getAutoSaveTime=10"));
    EXPECT_TRUE(lines.at(1).startsWith(QStringLiteral("getPreferenceBrowser=")));
    EXPECT_EQ(lines.at(2), QStringLiteral("getPreferenceFont=Times New Roman"));
    EXPECT_EQ(lines.at(3), QStringLiteral("getPreferenceFontSize=11"));
    EXPECT_EQ(lines.at(4), QStringLiteral("getRecentFilesCount=4"));
    EXPECT_EQ(lines.at(5), QStringLiteral("IsPreferencePrintBlack=true"));
    EXPECT_EQ(lines.at(6), QStringLiteral("IsPreferencePrintNormal=true"));
    EXPECT_EQ(lines.at(7), QStringLiteral("IsAutoSave=false"));
    EXPECT_EQ(lines.at(8), QStringLiteral("showRecentFileList=true"));
    EXPECT_EQ(lines.at(9), QString());
}

TEST(QvtoolPrefs, ReadsTheStoredValues)
{
    QTemporaryDir config;
    {
        QSettings store(config.filePath(QStringLiteral("Corvane/Quorvex 8.0.ini")), QSettings::IniFormat);
        store.setValue(QStringLiteral("Preferences/Minutes"), QStringLiteral("0"));
        store.setValue(QStringLiteral("Preferences/Font Size"), QStringLiteral("6"));
        store.setValue(QStringLiteral("Preferences/AutoSave"), QStringLiteral("-1"));
        store.setValue(QStringLiteral("Preferences/Browser"), QStringLiteral("/opt/web/browser"));
    }
    const ToolRun run = qvtool({QStringLiteral("prefs")}, config.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral("getAutoSaveTime=10\n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("getPreferenceBrowser=/opt/web/browser\n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("getPreferenceFontSize=6\n")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("IsAutoSave=true\n")));
}

TEST(QvtoolRestext, PrintsTheTextExactlyAndFailsForAMissingId)
{
    QTemporaryDir config;
    const ToolRun found = qvtool({QStringLiteral("restext"), QStringLiteral("605")}, config.path());
    EXPECT_EQ(found.status, 0);
    EXPECT_EQ(found.out, QStringLiteral("Save Plan"));
    EXPECT_EQ(found.err, QString());
    const ToolRun missing = qvtool({QStringLiteral("restext"), QStringLiteral("23")}, config.path());
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, QString());
}
