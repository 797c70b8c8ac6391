// The limits of every answer, as the tables allow them.

#include "create/wizard/WizardLimits.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace qv::wizard;

TEST(WizardLimits, CountsFollowTheTables)
{
    EXPECT_EQ(limits::kBusinessProducts.max, 10);
    EXPECT_EQ(limits::kSegments.max, 6);
    EXPECT_EQ(limits::kBusinessMarkets.max, 6);
    EXPECT_EQ(limits::kBusinessAdvertisingMedia.max, 6);
    EXPECT_EQ(limits::kMarketingItems.max, 10);
    EXPECT_EQ(limits::kMarketingAdvertisingMedia.max, 10);
    EXPECT_EQ(limits::kMarketingMarkets.max, 10);
    EXPECT_EQ(limits::kProjectedYears.min, 1);
    EXPECT_EQ(limits::kProjectedYears.max, 5);
}

TEST(WizardLimits, RangeEdges)
{
    const QString what = QStringLiteral("The number of segments");
    EXPECT_TRUE(checkRange(1, limits::kSegments, what).isEmpty());
    EXPECT_TRUE(checkRange(6, limits::kSegments, what).isEmpty());
    EXPECT_EQ(checkRange(7, limits::kSegments, what), QStringLiteral("The number of segments must be between 1 and 6."));
    EXPECT_FALSE(checkRange(0, limits::kSegments, what).isEmpty());
    EXPECT_FALSE(checkRange(-3, limits::kProjectedYears, what).isEmpty());
    EXPECT_FALSE(checkRange(13, limits::kMonth, what).isEmpty());
}

TEST(WizardLimits, BusinessName)
{
    EXPECT_FALSE(checkBusinessName(QString()).isEmpty());
    EXPECT_FALSE(checkBusinessName(QStringLiteral("   ")).isEmpty());
    EXPECT_TRUE(checkBusinessName(QStringLiteral("Acme")).isEmpty());
    EXPECT_TRUE(checkBusinessName(QString(limits::kBusinessNameLength, QLatin1Char('x'))).isEmpty());
    EXPECT_FALSE(checkBusinessName(QString(limits::kBusinessNameLength + 1, QLatin1Char('x'))).isEmpty());
}

TEST(WizardLimits, DocumentPath)
{
    QTemporaryDir dir;
    const QString folder = dir.path();
    EXPECT_TRUE(checkDocumentPath(folder + QStringLiteral("/Acme.bpl"), PlanType::Business).isEmpty());
    EXPECT_TRUE(checkDocumentPath(folder + QStringLiteral("/Acme.MPL"), PlanType::Marketing).isEmpty());
    // A folder still to be made is fine when it can be made.
    EXPECT_TRUE(checkDocumentPath(folder + QStringLiteral("/new/deeper/Acme.bpl"), PlanType::Business).isEmpty());
    EXPECT_FALSE(checkDocumentPath(QString(), PlanType::Business).isEmpty());
    EXPECT_FALSE(checkDocumentPath(QStringLiteral("Acme.bpl"), PlanType::Business).isEmpty()) << "relative";
    EXPECT_FALSE(checkDocumentPath(folder + QStringLiteral("/Acme.mpl"), PlanType::Business).isEmpty());
    EXPECT_FALSE(checkDocumentPath(folder + QStringLiteral("/.bpl"), PlanType::Business).isEmpty()) << "no name";
    EXPECT_FALSE(checkDocumentPath(folder + QStringLiteral("/A\ncme.bpl"), PlanType::Business).isEmpty());
    QDir(folder).mkdir(QStringLiteral("Taken.bpl"));
    EXPECT_FALSE(checkDocumentPath(folder + QStringLiteral("/Taken.bpl"), PlanType::Business).isEmpty());
    QFile blocker(folder + QStringLiteral("/plain"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(checkDocumentPath(folder + QStringLiteral("/plain/Acme.bpl"), PlanType::Business).isEmpty());
}

TEST(WizardLimits, UnwritableFolder)
{
    QTemporaryDir dir;
    const QString locked = dir.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir().mkdir(locked));
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFileInfo(locked).isWritable())
        GTEST_SKIP() << "running with rights that ignore permissions";
    EXPECT_FALSE(checkDocumentPath(locked + QStringLiteral("/Acme.bpl"), PlanType::Business).isEmpty());
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST(WizardLimits, ExtensionAppendedOnce)
{
    EXPECT_EQ(withDocumentExtension(QStringLiteral(" /p/Acme "), PlanType::Business), QStringLiteral("/p/Acme.bpl"));
    EXPECT_EQ(withDocumentExtension(QStringLiteral("/p/Acme.BPL"), PlanType::Business), QStringLiteral("/p/Acme.BPL"));
    EXPECT_EQ(withDocumentExtension(QStringLiteral("/p/Acme.txt"), PlanType::Marketing),
              QStringLiteral("/p/Acme.txt.mpl"));
    EXPECT_EQ(withDocumentExtension(QString(), PlanType::Business), QString());
}

TEST(WizardLimits, ZipAndPhone)
{
    EXPECT_TRUE(checkZip(QString()).isEmpty());
    EXPECT_TRUE(checkZip(QStringLiteral("04101-1234")).isEmpty());
    EXPECT_TRUE(checkZip(QStringLiteral("SW1A 1AA")).isEmpty());
    EXPECT_FALSE(checkZip(QStringLiteral("0410;")).isEmpty());
    EXPECT_FALSE(checkZip(QStringLiteral("1234567890123")).isEmpty());
    EXPECT_TRUE(checkPhone(QStringLiteral("+1 (207) 555-0100")).isEmpty());
    EXPECT_FALSE(checkPhone(QStringLiteral("call me")).isEmpty());
}

TEST(WizardLimits, CheckAnswersListsEveryProblem)
{
    WizardAnswers a;
    a.kind = 7;
    a.month = 0;
    a.hasMarketingCounts = true;
    a.marketingCounts = {11, 1, 1, 1, 1, 1, 0};
    const QStringList problems = checkAnswers(a);
    const QString all = problems.join(QLatin1Char('\n'));
    EXPECT_TRUE(all.contains(QStringLiteral("Choose a name and a folder")));
    EXPECT_TRUE(all.contains(QStringLiteral("kind of business")));
    EXPECT_TRUE(all.contains(QStringLiteral("first year")));
    EXPECT_TRUE(all.contains(QStringLiteral("The month")));
    EXPECT_TRUE(all.contains(QStringLiteral("number of products")));
    EXPECT_TRUE(all.contains(QStringLiteral("direct and online campaigns")));
    EXPECT_FALSE(all.contains(QStringLiteral("sales promotions")));
    EXPECT_FALSE(all.contains(QStringLiteral("public relations")));
}
