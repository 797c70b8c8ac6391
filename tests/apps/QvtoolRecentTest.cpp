#include "QvtoolRun.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

using qv::test::qvtool;
using qv::test::ToolRun;

TEST(QvtoolRecent, PrintsFourEmptyLinesForAnEmptyList)
{
    QTemporaryDir config;
    const ToolRun run = qvtool({QStringLiteral("recent")}, config.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, QString());
    EXPECT_EQ(run.out, QStringLiteral("\n\n\n\n"));
}

TEST(QvtoolRecent, PrintsTheEntriesAsTheyAreRead)
{
    QTemporaryDir config;
    {
        QSettings store(config.filePath(QStringLiteral("Corvane/Quorvex 8.0.ini")), QSettings::IniFormat);
        store.setValue(QStringLiteral("Recent Files/RecentFile0"), QStringLiteral("/plans/Acme Ltd.bpl"));
        store.setValue(QStringLiteral("Recent Files/RecentFile2"), QStringLiteral("/plans/Zeta.mpl/"));
        store.setValue(QStringLiteral("Recent Files/RecentFile3"), QStringLiteral("/plans/Ünïcode.bpl"));
    }
    const ToolRun run = qvtool({QStringLiteral("recent")}, config.path());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, QStringLiteral("/plans/Acme Ltd.bpl\n\n/plans/Zeta.mpl\n/plans/Ünïcode.bpl\n"));
}

TEST(QvtoolRecent, RefusesArguments)
{
    QTemporaryDir config;
    const ToolRun run = qvtool({QStringLiteral("recent"), QStringLiteral("extra")}, config.path());
    EXPECT_NE(run.status, 0);
    EXPECT_FALSE(run.err.isEmpty());
    EXPECT_EQ(run.out, QString());
}
