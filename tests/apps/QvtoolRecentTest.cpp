#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>

namespace
{

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

ToolRun qvtool(const QStringList &arguments, const QString &configFolder)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), configFolder);
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(QV_INSTALL_DIR "/qvtool"), arguments);
    process.waitForFinished(30000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

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
