// qvtool create as a script would run it: the path on standard output, the
// report on standard error, the exit status saying whether a plan was made.

#include "CreationLibrary.h"

#include "../apps/QvtoolRun.h"
#include "platform/Paths.h"

#include <gtest/gtest.h>

#include <QFile>
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

TEST(QvtoolCreate, RefusesToReplaceAPlanUnlessToldTo)
{
    CreationLibrary library;
    library.addBusiness(qv::plan::Retail, true);
    const QString document = qv::platform::joinPath(library.plansFolder(), QStringLiteral("Acme.bpl"));
    QTemporaryDir config;
    const QStringList lines = library.businessHeader(QStringLiteral("Retail"), true);
    const QStringList create{QStringLiteral("create"), QStringLiteral("--install"), library.installFolder()};
    ASSERT_EQ(qv::test::qvtool(create + QStringList{library.writeAnswers(lines)}, config.path()).status, 0);
    QFile marker(qv::platform::joinPath(library.plansFolder(), QStringLiteral("AcmeB/Sec00001.rtf")));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();

    const auto refused = qv::test::qvtool(create + QStringList{library.writeAnswers(lines)}, config.path());
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_TRUE(refused.err.contains(QStringLiteral("already exists"))) << refused.err.toStdString();
    EXPECT_TRUE(refused.err.contains(QStringLiteral("--replace"))) << refused.err.toStdString();
    EXPECT_TRUE(marker.exists());

    const auto replaced = qv::test::qvtool(create + QStringList{QStringLiteral("--replace"), library.writeAnswers(lines)},
                                           config.path());
    EXPECT_EQ(replaced.status, 0) << replaced.err.toStdString();
    EXPECT_EQ(replaced.out, document + QLatin1Char('\n'));
    EXPECT_FALSE(marker.exists());
    EXPECT_TRUE(QFileInfo(document).isFile());
    EXPECT_TRUE(replaced.err.contains(QStringLiteral("Moved to the trash: "))) << replaced.err.toStdString();
}
