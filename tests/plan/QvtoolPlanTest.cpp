// qvtool's plan commands, run as a user runs them.

#include "PlanTestSupport.h"

#include "plan/PlanBuilder.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

using namespace qv::plan;
using namespace qv::plan::test;

namespace {

struct ToolRun
{
    int status = -1;
    QString out;
    QString err;
};

ToolRun qvtool(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(QV_INSTALL_DIR) + QStringLiteral("/qvtool"), arguments);
    ToolRun run;
    if (!process.waitForFinished(30000))
        return run;
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QStringList args(std::initializer_list<const char *> words)
{
    QStringList list;
    for (const char *word : words)
        list << QString::fromUtf8(word);
    return list;
}

} // namespace

TEST(QvtoolPaths, PrintsEveryFolderForTheTypeKindAndStage)
{
    const ToolRun run = qvtool(args({"paths", "--install", "/opt/qv/", "--type", "0", "--kind", "2", "--new", "0"}));
    ASSERT_EQ(run.status, 0) << qPrintable(run.err);
    EXPECT_EQ(run.out, QStringLiteral("GetDataFolder=/opt/qv/Data/ENG/BusPlan/\n"
                                      "GetKindFolder=/opt/qv/Data/ENG/BusPlan/Whlesale/\n"
                                      "GetTemplateFolder=/opt/qv/Data/ENG/BusPlan/Whlesale/Exist/\n"
                                      "GetExampleFolder=/opt/qv/Data/ENG/BusPlan/Whlesale/Exist/Example/\n"
                                      "GetInstructionFolder=/opt/qv/Data/ENG/BusPlan/Whlesale/Instr/\n"
                                      "GetTablesFolder=/opt/qv/Data/ENG/BusPlan/Common/Exist/Tables/\n"));
    const ToolRun marketing =
        qvtool(args({"paths", "--install", "/opt/qv", "--type", "1", "--kind", "3", "--new", "1"}));
    EXPECT_TRUE(marketing.out.contains(QLatin1String("GetExampleFolder=/opt/qv/Data/ENG/MrktPlan/Retail/Example/\n")));
    EXPECT_TRUE(marketing.out.contains(QLatin1String("GetTablesFolder=/opt/qv/Data/ENG/MrktPlan/Common/Tables/\n")));
}

TEST(QvtoolPaths, RefusesIncompleteArguments)
{
    for (const QStringList &bad : {args({"paths"}), args({"paths", "--type", "0", "--kind", "1"}),
                                   args({"paths", "--type", "x", "--kind", "1", "--new", "1"}),
                                   args({"paths", "--type", "0", "--kind", "1", "--new", "2"}),
                                   args({"paths", "--type", "0", "--kind", "1", "--new"})}) {
        const ToolRun run = qvtool(bad);
        EXPECT_NE(run.status, 0) << qPrintable(bad.join(QLatin1Char(' ')));
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST(QvtoolKind, PrintsTheKindNumber)
{
    EXPECT_EQ(qvtool(args({"kind", "RETAIL"})).out, QStringLiteral("3\n"));
    EXPECT_EQ(qvtool(args({"kind", "custom"})).out, QStringLiteral("4\n"));
    EXPECT_EQ(qvtool(args({"kind", "Bakery"})).out, QStringLiteral("0\n"));
    EXPECT_NE(qvtool(args({"kind"})).status, 0);
}

TEST(QvtoolOutline, PrintsThePlanInOutlineOrder)
{
    QTemporaryDir dir;
    auto plan = PlanBuilder(MarketingPlan)
                    .kind(Retail)
                    .newBusiness(false)
                    .chapter(QStringLiteral("Products\tand services"))
                    .section(QStringLiteral("Lines"), QStringLiteral("0801"), QStringLiteral("Ans00001.rtf"), Complete)
                    .table(QStringLiteral("Tbl0801.vts"), QStringLiteral("Product lines"), true)
                    .table(QStringLiteral("Tbl0802.vts"), QStringLiteral("Prices"))
                    .section(QStringLiteral("New one"))
                    .chapter(QStringLiteral("Empty"))
                    .take();
    plan->setFilePath(dir.filePath(QStringLiteral("Shop.mpl")));
    plan->Save();
    const ToolRun run = qvtool({QStringLiteral("outline"), dir.filePath(QStringLiteral("Shop.mpl"))});
    ASSERT_EQ(run.status, 0) << qPrintable(run.err);
    EXPECT_EQ(run.out, QStringLiteral("plan\tShop\t1\t3\tfalse\n"
                                      "chapter\t1\tProducts and services\n"
                                      "section\t1.1\tLines\t1\t0801\tAns00001.rtf\n"
                                      "table\t1.1\tTbl0801.vts\tProduct lines\ttrue\n"
                                      "table\t1.1\tTbl0802.vts\tPrices\tfalse\n"
                                      "section\t1.2\tNew one\t0\t\t\n"
                                      "chapter\t2\tEmpty\n"));
}

TEST(QvtoolOutline, RefusesADocumentItCannotOpenWithTheReason)
{
    QTemporaryDir dir;
    ASSERT_TRUE(writeBytes(dir.filePath(QStringLiteral("Bad.bpl")), R"({"format": "quorvex-plan", "version": 5})"));
    const ToolRun newer = qvtool({QStringLiteral("outline"), dir.filePath(QStringLiteral("Bad.bpl"))});
    EXPECT_NE(newer.status, 0);
    EXPECT_TRUE(newer.out.isEmpty());
    EXPECT_TRUE(newer.err.contains(QLatin1String("newer version"))) << qPrintable(newer.err);
    const ToolRun missing = qvtool({QStringLiteral("outline"), dir.filePath(QStringLiteral("None.bpl"))});
    EXPECT_NE(missing.status, 0);
    EXPECT_TRUE(missing.err.contains(QLatin1String("does not exist")));
}

TEST(QvtoolOutput, OutputThatCannotBeWrittenFailsTheCommand)
{
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "this system has no /dev/full to stand for a full disk";
    QProcess process;
    process.setStandardOutputFile(QStringLiteral("/dev/full"));
    process.start(QStringLiteral(QV_INSTALL_DIR) + QStringLiteral("/qvtool"), args({"kind", "Retail"}));
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardError().contains("could not be written"));
}
