// The answer file: its keys, their order and the values' form.

#include "create/wizard/AnswerFile.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

using namespace qv::wizard;

namespace {

WizardAnswers businessAnswers(const QString &folder)
{
    WizardAnswers a;
    a.planType = PlanType::Business;
    a.documentPath = folder + QStringLiteral("/Acme Bakery.bpl");
    a.kind = 3;
    a.newBusiness = true;
    a.businessName = QStringLiteral("  Acme Bakery  ");
    a.firstYear = 1999;
    a.month = 7;
    a.projectedYears = 3;
    a.submission = {QStringLiteral("First County Bank"), QStringLiteral("January 15, 2026"),
                    QStringLiteral("Ann Baker"),          QStringLiteral("12 Harbor Street"),
                    QStringLiteral("Portland"),           QStringLiteral("ME"),
                    QStringLiteral("04101"),              QStringLiteral("(207) 555-0100")};
    return a;
}

QStringList linesOf(const QByteArray &text)
{
    QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    EXPECT_EQ(lines.last(), QString()) << "the file ends with a line break";
    lines.removeLast();
    return lines;
}

QStringList keysOf(const QStringList &lines)
{
    QStringList keys;
    for (const QString &line : lines)
        keys << line.section(QLatin1Char('='), 0, 0);
    return keys;
}

} // namespace

TEST(AnswerFile, BusinessPlanStartsWithPlanThenHeaderKeys)
{
    QTemporaryDir dir;
    const QStringList lines = linesOf(answerFileText(businessAnswers(dir.path())));
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0], QStringLiteral("[PLAN]=Business"));
    EXPECT_EQ(lines[1], QStringLiteral("[FIELD1.4]=") + dir.path() + QStringLiteral("/Acme Bakery.bpl"));
    EXPECT_EQ(lines[2], QStringLiteral("[FIELD1.1]=Retail"));
    EXPECT_EQ(lines[3], QStringLiteral("[FIELD1.2]=New"));
}

TEST(AnswerFile, BusinessPlanKeysInOrder)
{
    QTemporaryDir dir;
    WizardAnswers a = businessAnswers(dir.path());
    a.newBusiness = false;
    a.hasBusinessCounts = true;
    a.businessCounts = {2, 6, 4, 1};
    a.cells = {{QStringLiteral("Tbl0601:B4"), QStringLiteral("$1500")}};
    const QStringList lines = linesOf(answerFileText(a));
    const QStringList expected = {
        QStringLiteral("[PLAN]"),      QStringLiteral("[FIELD1.4]"), QStringLiteral("[FIELD1.1]"),
        QStringLiteral("[FIELD1.2]"),  QStringLiteral("[FIELD1.5]"), QStringLiteral("[FIELD2.1]"),
        QStringLiteral("[FIELD2.2]"),  QStringLiteral("[FIELD2.3]"), QStringLiteral("[FIELD2.4]"),
        QStringLiteral("[FIELD2.5]"),  QStringLiteral("[FIELD2.6]"), QStringLiteral("[FIELD2.7]"),
        QStringLiteral("[FIELD2.8]"),  QStringLiteral("[FIELD1.6]"), QStringLiteral("[FIELD3A.X]"),
        QStringLiteral("[FIELD3.1]"),  QStringLiteral("[FIELD3.2]"), QStringLiteral("[FIELD3.3]"),
        QStringLiteral("[FIELD3.4]"),  QStringLiteral("[FIELD3.5]"), QStringLiteral("Tbl0601:B4")};
    EXPECT_EQ(keysOf(lines), expected);
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD1.2]=Existing")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD1.5]=Acme Bakery"))) << "values are trimmed";
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD1.6]=1999")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD3A.X]=7")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD3.1]=3")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD3.3]=6")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD2.8]=(207) 555-0100")));
    EXPECT_TRUE(lines.contains(QStringLiteral("Tbl0601:B4=$1500")));
}

TEST(AnswerFile, PlainBusinessPlanHasNoCounts)
{
    QTemporaryDir dir;
    const QStringList keys = keysOf(linesOf(answerFileText(businessAnswers(dir.path()))));
    EXPECT_FALSE(keys.contains(QStringLiteral("[FIELD3.2]")));
    EXPECT_FALSE(keys.contains(QStringLiteral("[FIELD3.5]")));
}

TEST(AnswerFile, MarketingPlanHasNoStageAndSevenCounts)
{
    QTemporaryDir dir;
    WizardAnswers a = businessAnswers(dir.path());
    a.planType = PlanType::Marketing;
    a.documentPath = dir.path() + QStringLiteral("/Acme.mpl");
    a.month = 11;
    a.hasMarketingCounts = true;
    a.marketingCounts = {.products = 1,
                         .publicRelations = 2,
                         .salesPromotions = 3,
                         .advertisingMedia = 4,
                         .markets = 5,
                         .events = 6,
                         .directCampaigns = 7};
    const QStringList lines = linesOf(answerFileText(a));
    EXPECT_EQ(lines[0], QStringLiteral("[PLAN]=Marketing"));
    EXPECT_EQ(lines[1], QStringLiteral("[FIELD1.4]=") + dir.path() + QStringLiteral("/Acme.mpl"));
    EXPECT_EQ(lines[2], QStringLiteral("[FIELD1.1]=Retail"));
    EXPECT_EQ(lines[3].section(QLatin1Char('='), 0, 0), QStringLiteral("[FIELD1.5]"));
    EXPECT_FALSE(keysOf(lines).contains(QStringLiteral("[FIELD1.2]")));
    // Each count goes to the key whose table holds its rows.
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD3.2]=1")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD3.3]=2")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD3.4]=3")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD3.5]=4")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD3.6]=5")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD3.7]=6")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD3.8]=7")));
}

TEST(AnswerFile, ValuesCannotAddLinesOfTheirOwn)
{
    QTemporaryDir dir;
    WizardAnswers a = businessAnswers(dir.path());
    a.businessName = QStringLiteral("Acme\nTbl0303:B1=hijacked\r\tBakery");
    a.submission.city = QStringLiteral("\n\n");
    const QStringList lines = linesOf(answerFileText(a));
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD1.5]=Acme Tbl0303:B1=hijacked  Bakery")));
    EXPECT_TRUE(lines.contains(QStringLiteral("[FIELD2.5]=")));
    for (const QString &line : lines)
        EXPECT_FALSE(line.startsWith(QStringLiteral("Tbl0303")));
}

TEST(AnswerFile, CellAnswersLastAndOnlyWellFormed)
{
    QTemporaryDir dir;
    WizardAnswers a = businessAnswers(dir.path());
    a.cells = {{QStringLiteral("Tbl0201:B3"), QStringLiteral(" $2500.5 ")},
               {QStringLiteral("../evil:B3"), QStringLiteral("1")},
               {QStringLiteral("Tbl0201:B4"), QStringLiteral("   ")},
               {QStringLiteral("Tbl0802:B5"), QStringLiteral("7.5%")}};
    const QStringList lines = linesOf(answerFileText(a));
    EXPECT_EQ(lines[lines.size() - 2], QStringLiteral("Tbl0201:B3=$2500.5"));
    EXPECT_EQ(lines.last(), QStringLiteral("Tbl0802:B5=7.5%"));
    EXPECT_FALSE(QStringList(lines).join(QLatin1Char('\n')).contains(QStringLiteral("evil")));
    EXPECT_FALSE(keysOf(lines).contains(QStringLiteral("Tbl0201:B4"))) << "an empty answer keeps the template's";
}

TEST(AnswerFile, WritesUniqueFilesIntoTheFolder)
{
    QTemporaryDir dir;
    const WizardAnswers a = businessAnswers(dir.path());
    const WrittenAnswers first = writeAnswerFile(dir.path(), a);
    const WrittenAnswers second = writeAnswerFile(dir.path(), a);
    ASSERT_TRUE(first.error.isEmpty()) << first.error.toStdString();
    ASSERT_TRUE(second.error.isEmpty());
    EXPECT_NE(first.path, second.path);
    EXPECT_EQ(QFileInfo(first.path).absolutePath(), QDir(dir.path()).absolutePath());
    QFile file(first.path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), answerFileText(a));
}

TEST(AnswerFile, InvalidAnswersWriteNothing)
{
    QTemporaryDir dir;
    WizardAnswers a = businessAnswers(dir.path());
    a.projectedYears = 9;
    a.businessName.clear();
    const WrittenAnswers written = writeAnswerFile(dir.path(), a);
    EXPECT_TRUE(written.path.isEmpty());
    EXPECT_TRUE(written.error.contains(QStringLiteral("projected years")));
    EXPECT_TRUE(written.error.contains(QStringLiteral("name of the business")));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(AnswerFile, UnwritableFolderIsReported)
{
    QTemporaryDir dir;
    const QString blocker = dir.filePath(QStringLiteral("file"));
    QFile(blocker).open(QIODevice::WriteOnly);
    const WrittenAnswers written = writeAnswerFile(blocker + QStringLiteral("/sub"), businessAnswers(dir.path()));
    EXPECT_TRUE(written.path.isEmpty());
    EXPECT_FALSE(written.error.isEmpty());
}
