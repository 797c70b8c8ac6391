// qvtool rtf2txt and rtf2html as a script calls them.

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace {

struct ToolRun
{
    int status = -1;
    QString out;
    QString err;
};

ToolRun qvtool(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(QV_INSTALL_DIR "/qvtool"), args);
    process.waitForFinished(60000);
    return ToolRun{process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
               QString::fromUtf8(process.readAllStandardError())};
}

QString fixture(const char *name)
{
    return QStringLiteral(QV_TEST_DATA_DIR "/rtf/") + QString::fromLatin1(name);
}

} // namespace

TEST(QvtoolRtf, Rtf2txtPrintsThePlainText)
{
    for (const char *name : {"table", "lists", "picture", "wordpad"}) {
        const ToolRun run = qvtool({QStringLiteral("rtf2txt"), fixture(name) + QStringLiteral(".rtf")});
        EXPECT_EQ(run.status, 0) << name;
        QFile expected(fixture(name) + QStringLiteral(".txt"));
        ASSERT_TRUE(expected.open(QIODevice::ReadOnly));
        EXPECT_EQ(run.out, QString::fromUtf8(expected.readAll())) << name;
    }
}

TEST(QvtoolRtf, Rtf2htmlPrintsTheDocumentAsHtml)
{
    const ToolRun run = qvtool({QStringLiteral("rtf2html"), fixture("formatted.rtf")});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.out.contains(QStringLiteral("<html")));
    EXPECT_TRUE(run.out.contains(QRegularExpression(QStringLiteral("font-weight:700;[^>]*>bold<"))));
}

TEST(QvtoolRtf, ProblemsGoToStandardErrorWithAStatus)
{
    const ToolRun missing = qvtool({QStringLiteral("rtf2txt"), QStringLiteral("/nonexistent/a.rtf")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("does not exist")));
    EXPECT_EQ(qvtool({QStringLiteral("rtf2txt")}).status, 2);
    EXPECT_EQ(qvtool({QStringLiteral("rtf2html"), QStringLiteral("a"), QStringLiteral("b")}).status, 2);
}
