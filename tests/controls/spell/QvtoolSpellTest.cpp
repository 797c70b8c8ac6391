#include <gtest/gtest.h>

#include <QProcess>

namespace
{
struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ToolRun qvtool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(QV_INSTALL_DIR "/qvtool"), arguments);
    process.waitForFinished(60000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
} // namespace

TEST(QvtoolSpell, OneLinePerWordWithOkOrSuggestions)
{
    const ToolRun run = qvtool({QStringLiteral("spell"), QStringLiteral("business"), QStringLiteral("recieve")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList lines = run.out.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3); // two lines and the end of the last
    EXPECT_EQ(lines[0], QStringLiteral("business\tok"));
    ASSERT_TRUE(lines[1].startsWith(QStringLiteral("recieve\t")));
    const QStringList suggestions = lines[1].mid(8).split(QLatin1Char('|'));
    EXPECT_TRUE(suggestions.contains(QStringLiteral("receive")));
    EXPECT_LE(suggestions.size(), 5);
    EXPECT_EQ(lines[2], QString());
}

TEST(QvtoolSpell, NoWordsIsAUsageError)
{
    const ToolRun run = qvtool({QStringLiteral("spell")});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.out.isEmpty());
}
