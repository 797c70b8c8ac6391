// qvtool create as a script would run it: the path on standard output, the
// report on standard error, the exit status saying whether a plan was made.

#include "CreationLibrary.h"

#include "../apps/QvtoolRun.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QTemporaryDir>

using qv::test::CreationLibrary;

TEST(QvtoolCreate, PrintsTheNewPlanAndTheReport)
{
    CreationLibrary library;
    library.addBusiness(qv::plan::Retail, true);
    QStringList lines = library.businessHeader(QStringLiteral("Retail"), true);
    lines << QStringLiteral("Tbl9999:B1=1");
    const QString answers = library.writeAnswers(lines);
    QTemporaryDir config;
    const auto run = qv::test::qvtool({QStringLiteral("create"), QStringLiteral("--install"), library.installFolder(), answers},
                                      config.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    const QString document = qv::platform::joinPath(library.plansFolder(), QStringLiteral("Acme.bpl"));
    EXPECT_EQ(run.out, document + QLatin1Char('\n'));
    EXPECT_TRUE(QFileInfo(document).isFile());
    EXPECT_TRUE(run.err.contains(QStringLiteral("TBL9999"))) << run.err.toStdString();
}

TEST(QvtoolCreate, FailsWithTheReason)
{
    CreationLibrary library;
    const QString answers = library.writeAnswers(library.businessHeader(QStringLiteral("Retail"), true));
    QTemporaryDir config;
    const auto run = qv::test::qvtool({QStringLiteral("create"), QStringLiteral("--install"), library.installFolder(), answers},
                                      config.path());
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_TRUE(run.err.contains(QStringLiteral("no plan was made"))) << run.err.toStdString();

    const auto usage = qv::test::qvtool({QStringLiteral("create")}, config.path());
    EXPECT_EQ(usage.status, 2);
}
