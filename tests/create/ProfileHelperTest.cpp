// The profile helper: the queue, the business-name cells, the month and year
// headings of every plan kind, and the projection widths, on small tables
// made here.
#include "controls/workbook/Workbook.h"
#include "create/creation/CProfileHelper.h"
#include "create/creation/LoadedTables.h"
#include "plan/Plan.h"
#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <limits>

using qv::create::CProfileHelper;
using qv::create::LoadedTables;

namespace {

// The queue as a map from key to value (the last value of a key wins).
QMap<QString, QString> queued(const CProfileHelper &helper)
{
    QMap<QString, QString> result;
    for (int i = 0; i < helper.getCount(); ++i) {
        QString key, value;
        helper.getValues(i, key, value);
        result[key] = value;
    }
    return result;
}

QStringList queuedKeys(const CProfileHelper &helper)
{
    QStringList keys;
    for (int i = 0; i < helper.getCount(); ++i) {
        QString key, value;
        helper.getValues(i, key, value);
        keys << key;
    }
    return keys;
}

struct PlanSetup
{
    int type = qv::plan::BusinessPlan;
    int kind = qv::plan::Service;
    bool isNew = true;
    int year = 1999;
    int month = 7;
    int projectedYears = 3;
};

void setUp(qv::plan::Plan &plan, const PlanSetup &setup)
{
    plan.planInfo().setPlanType(setup.type);
    plan.planInfo().setBusinessKind(setup.kind);
    plan.planInfo().setNewBusiness(setup.isNew);
    plan.planInfo().setBusinessName(QStringLiteral("Acme Tools"));
    plan.profile().setFirstYearDate(QDate(setup.year, 1, 1));
    plan.profile().setMonth(setup.month);
    plan.profile().setProjectedYears(setup.projectedYears);
}

} // namespace

// ---- The queue --------------------------------------------------------------

TEST(ProfileQueue, KeepsOrderAndDuplicatesAndTrims)
{
    CProfileHelper helper;
    EXPECT_EQ(helper.getCount(), 0);
    helper.addTableValue(QStringLiteral("  Tbl0303:B1 "), QStringLiteral(" Acme  "));
    helper.addTableValue(QStringLiteral("Tbl0303:B1"), QStringLiteral("Second"));
    ASSERT_EQ(helper.getCount(), 2);
    QString key, value;
    helper.getValues(0, key, value);
    EXPECT_EQ(key, QStringLiteral("Tbl0303:B1"));
    EXPECT_EQ(value, QStringLiteral("Acme"));
    helper.getValues(1, key, value);
    EXPECT_EQ(value, QStringLiteral("Second"));
}

TEST(ProfileQueue, ValuesPastTheEndAreEmpty)
{
    CProfileHelper helper;
    helper.addTableValue(QStringLiteral("Tbl0303:B1"), QStringLiteral("Acme"));
    QString key = QStringLiteral("old"), value = QStringLiteral("old");
    helper.getValues(helper.getCount(), key, value);
    EXPECT_TRUE(key.isEmpty());
    EXPECT_TRUE(value.isEmpty());
    key = value = QStringLiteral("old");
    helper.getValues(-1, key, value);
    EXPECT_TRUE(key.isEmpty() && value.isEmpty());
}

TEST(ProfileQueue, ResetEmptiesIt)
{
    CProfileHelper helper;
    helper.addTableValue(QStringLiteral("a"), QStringLiteral("b"));
    helper.resetTableValues();
    EXPECT_EQ(helper.getCount(), 0);
}

// ---- Business name ---------------------------------------------------------

TEST(ProfileBusinessName, BusinessPlanFillsTitleAndEveryFifthRow)
{
    qv::plan::Plan plan;
    setUp(plan, {});
    CProfileHelper helper;
    helper.handleBusinessName(plan);
    QStringList expected{QStringLiteral("Tbl0303:B1")};
    for (int row = 6; row <= 51; row += 5)
        expected << QStringLiteral("Tbl0505:B%1").arg(row);
    EXPECT_EQ(queuedKeys(helper), expected);
    EXPECT_EQ(queued(helper).value(QStringLiteral("Tbl0505:B51")), QStringLiteral("Acme Tools"));
}

TEST(ProfileBusinessName, CustomKindUsesItsOwnTable)
{
    qv::plan::Plan plan;
    setUp(plan, {.kind = qv::plan::Custom});
    CProfileHelper helper;
    helper.handleBusinessName(plan);
    ASSERT_EQ(helper.getCount(), 11);
    EXPECT_TRUE(queued(helper).contains(QStringLiteral("Tbl0404:B6")));
    EXPECT_FALSE(queued(helper).contains(QStringLiteral("Tbl0505:B6")));
}

TEST(ProfileBusinessName, MarketingPlanHasOneCell)
{
    qv::plan::Plan plan;
    setUp(plan, {.type = qv::plan::MarketingPlan});
    CProfileHelper helper;
    helper.handleBusinessName(plan);
    EXPECT_EQ(queuedKeys(helper), QStringList{QStringLiteral("Tbl0404:B1")});
}

// ---- Month and year headings ------------------------------------------------

TEST(ProfileHeadings, NewBusinessStartingInJuly)
{
    qv::plan::Plan plan;
    setUp(plan, {.year = 1999, .month = 7});
    CProfileHelper helper;
    helper.handleYearandMonth(plan);
    const auto values = queued(helper);
    EXPECT_EQ(helper.getCount(), 24 + 5);
    const QStringList months{QStringLiteral("July"), QStringLiteral("August"), QStringLiteral("September"),
                             QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December"),
                             QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
                             QStringLiteral("April"), QStringLiteral("May"), QStringLiteral("June")};
    for (int k = 0; k < 12; ++k) {
        const QString column = QString(QChar(u'B' + k));
        EXPECT_EQ(values.value(QStringLiteral("TBL0503:") + column + QStringLiteral("1")), months[k]);
        EXPECT_EQ(values.value(QStringLiteral("TBL0503:") + column + QStringLiteral("2")),
                  k < 6 ? QStringLiteral("1999") : QStringLiteral("2000"));
    }
    EXPECT_EQ(values.value(QStringLiteral("TBL0301:B2")), QStringLiteral("Jun 2000"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0301:D2")), QStringLiteral("Jun 2001"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0301:F2")), QStringLiteral("Jun 2002"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0301:H2")), QStringLiteral("Jun 2003"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0301:J2")), QStringLiteral("Jun 2004"));
    EXPECT_FALSE(values.contains(QStringLiteral("TBL0301:L2")));
}

TEST(ProfileHeadings, NewBusinessStartingInJanuaryStaysInOneYear)
{
    qv::plan::Plan plan;
    setUp(plan, {.year = 1999, .month = 1});
    CProfileHelper helper;
    helper.handleYearandMonth(plan);
    const auto values = queued(helper);
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(values.value(QStringLiteral("TBL0503:%1%2").arg(QChar(u'B' + k)).arg(2)), QStringLiteral("1999"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0503:B1")), QStringLiteral("January"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0503:M1")), QStringLiteral("December"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0301:B2")), QStringLiteral("Dec 1999"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0301:J2")), QStringLiteral("Dec 2003"));
}

TEST(ProfileHeadings, NewCustomBusinessHeadsItsOwnMonthlyTable)
{
    qv::plan::Plan plan;
    setUp(plan, {.kind = qv::plan::Custom, .month = 3});
    CProfileHelper helper;
    helper.handleYearandMonth(plan);
    const auto values = queued(helper);
    EXPECT_EQ(values.value(QStringLiteral("TBL0403:B1")), QStringLiteral("March"));
    EXPECT_FALSE(values.contains(QStringLiteral("TBL0503:B1")));
}

TEST(ProfileHeadings, ExistingBusinessWithYearEndInMarch)
{
    qv::plan::Plan plan;
    setUp(plan, {.isNew = false, .year = 2000, .month = 3});
    CProfileHelper helper;
    helper.handleYearandMonth(plan);
    const QStringList expected{QStringLiteral("TBL0301:B2"), QStringLiteral("TBL0301:D2"), QStringLiteral("TBL0301:F2"),
                               QStringLiteral("TBL0301:H2"), QStringLiteral("TBL0301:J2"), QStringLiteral("TBL0301:L2"),
                               QStringLiteral("TBL0301:N2")};
    EXPECT_EQ(queuedKeys(helper), expected); // no monthly headings
    const auto values = queued(helper);
    EXPECT_EQ(values.value(QStringLiteral("TBL0301:B2")), QStringLiteral("Mar 1999"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0301:D2")), QStringLiteral("Mar 2000"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0301:N2")), QStringLiteral("Mar 2005"));
}

TEST(ProfileHeadings, MarketingYearEndingInNovember)
{
    qv::plan::Plan plan;
    setUp(plan, {.type = qv::plan::MarketingPlan, .year = 1999, .month = 11});
    CProfileHelper helper;
    helper.handleYearandMonth(plan);
    const auto values = queued(helper);
    EXPECT_EQ(values.value(QStringLiteral("TBL0602:B1")), QStringLiteral("December"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0602:B2")), QStringLiteral("1999"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0602:C1")), QStringLiteral("January"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0602:C2")), QStringLiteral("2000"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0602:M1")), QStringLiteral("November"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0602:M2")), QStringLiteral("2000"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0103:B2")), QStringLiteral("Nov 1998"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0103:C2")), QStringLiteral("Nov 1999"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0103:H2")), QStringLiteral("Nov 2004"));
    EXPECT_EQ(helper.getCount(), 24 + 7);
}

TEST(ProfileHeadings, MarketingYearEndingInDecemberStartsInJanuaryOfTheSameYear)
{
    qv::plan::Plan plan;
    setUp(plan, {.type = qv::plan::MarketingPlan, .year = 1999, .month = 12});
    CProfileHelper helper;
    helper.handleYearandMonth(plan);
    const auto values = queued(helper);
    EXPECT_EQ(values.value(QStringLiteral("TBL0602:B1")), QStringLiteral("January"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0602:B2")), QStringLiteral("1999"));
    EXPECT_EQ(values.value(QStringLiteral("TBL0602:M2")), QStringLiteral("1999"));
}

TEST(ProfileHeadings, UnansweredMonthOrYearQueuesNothing)
{
    qv::plan::Plan plan;
    setUp(plan, {.month = 0});
    CProfileHelper helper;
    helper.handleYearandMonth(plan);
    EXPECT_EQ(helper.getCount(), 0);
    plan.profile().setMonth(13);
    helper.handleYearandMonth(plan);
    EXPECT_EQ(helper.getCount(), 0);
    plan.profile().setMonth(5);
    plan.profile().setFirstYearDate(QDate());
    helper.handleYearandMonth(plan);
    EXPECT_EQ(helper.getCount(), 0);
}

// ---- Projection widths ------------------------------------------------------

namespace {

// A plan folder with empty tables of the given file names.
class ProjectionFolder
{
public:
    explicit ProjectionFolder(const QStringList &fileNames)
    {
        for (const QString &name : fileNames) {
            qv::workbook::Workbook book;
            book.setEntry(1, 1, name);
            book.write(m_dir.filePath(name + QStringLiteral(".vts")));
        }
        tables.loadFolder(m_dir.path());
    }
    int widthOnDisk(const QString &fileName) const
    {
        qv::workbook::Workbook book;
        book.read(m_dir.filePath(fileName + QStringLiteral(".vts")));
        return book.maxCol();
    }
    QString path() const { return m_dir.path(); }
    LoadedTables tables;

private:
    QTemporaryDir m_dir;
};

const QStringList kBusinessTables{QStringLiteral("Tbl0301"), QStringLiteral("Tbl0302"), QStringLiteral("Tbl0304"),
                                  QStringLiteral("Tbl0503"), QStringLiteral("Tbl0601"), QStringLiteral("Tbl0802"),
                                  QStringLiteral("Tbl0803"), QStringLiteral("Tbl0804"), QStringLiteral("Tbl0805"),
                                  QStringLiteral("Tbl0806")};

} // namespace

TEST(ProfileProjection, NewBusinessWithThreeYears)
{
    ProjectionFolder folder(kBusinessTables);
    qv::plan::Plan plan;
    setUp(plan, {.projectedYears = 3});
    CProfileHelper helper;
    helper.setTables(&folder.tables);
    helper.handleProjection(plan);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0301")), 7);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0302")), 5);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0304")), 4);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0802")), 4);
    // The existing business's tables are left alone for a new one.
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0503")), 0);
    EXPECT_EQ(folder.tables.find(QStringLiteral("tbl0301"))->maxCol(), 7);
}

TEST(ProfileProjection, ExistingBusinessWithTwoYears)
{
    ProjectionFolder folder(kBusinessTables);
    qv::plan::Plan plan;
    setUp(plan, {.isNew = false, .projectedYears = 2});
    CProfileHelper helper;
    helper.setTables(&folder.tables);
    helper.handleProjection(plan);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0301")), 9);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0302")), 5);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0304")), 4);
    for (const char *table : {"Tbl0503", "Tbl0601", "Tbl0803", "Tbl0804", "Tbl0805", "Tbl0806", "Tbl0802"})
        EXPECT_EQ(folder.widthOnDisk(QString::fromLatin1(table)), 5) << table;
}

TEST(ProfileProjection, ExistingCustomBusinessUsesItsTables)
{
    ProjectionFolder folder({QStringLiteral("Tbl0301"), QStringLiteral("Tbl0302"), QStringLiteral("Tbl0304"),
                             QStringLiteral("Tbl0403"), QStringLiteral("Tbl0406"), QStringLiteral("Tbl0904"),
                             QStringLiteral("Tbl0905"), QStringLiteral("Tbl0906"), QStringLiteral("Tbl0907"),
                             QStringLiteral("Tbl0903"), QStringLiteral("Tbl0503")});
    qv::plan::Plan plan;
    setUp(plan, {.kind = qv::plan::Custom, .isNew = false, .projectedYears = 4});
    CProfileHelper helper;
    helper.setTables(&folder.tables);
    helper.handleProjection(plan);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0907")), 7);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0903")), 7);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0503")), 0);
}

TEST(ProfileProjection, MarketingPlanWithFiveYears)
{
    QStringList names;
    for (const char *table : {"Tbl0103", "Tbl0601", "Tbl0802", "Tbl1102", "Tbl0801", "Tbl0803", "Tbl0804",
                              "Tbl0805", "Tbl0806", "Tbl0807", "Tbl0808"})
        names << QString::fromLatin1(table);
    ProjectionFolder folder(names);
    qv::plan::Plan plan;
    setUp(plan, {.type = qv::plan::MarketingPlan, .projectedYears = 5});
    CProfileHelper helper;
    helper.setTables(&folder.tables);
    helper.handleProjection(plan);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl1102")), 8);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0801")), 15);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0808")), 15);
}

TEST(ProfileProjection, FileNamesKeepTheirCaseOnDisk)
{
    ProjectionFolder folder({QStringLiteral("TBL0301"), QStringLiteral("tbl0302")});
    qv::plan::Plan plan;
    setUp(plan, {.projectedYears = 1});
    CProfileHelper helper;
    helper.setTables(&folder.tables);
    EXPECT_THROW(helper.handleProjection(plan), qv::QvError); // Tbl0304 and Tbl0802 are missing
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("TBL0301")), 3);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("tbl0302")), 3);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2); // no second file of another case
}

TEST(ProfileProjection, MissingTablesAreNamedAfterTheOthersAreNarrowed)
{
    ProjectionFolder folder({QStringLiteral("Tbl0802")});
    qv::plan::Plan plan;
    setUp(plan, {.projectedYears = 2});
    CProfileHelper helper;
    helper.setTables(&folder.tables);
    try {
        helper.handleProjection(plan);
        FAIL() << "no error for the missing tables";
    } catch (const qv::QvError &e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("Tbl0301")));
        EXPECT_TRUE(e.description().contains(QStringLiteral("Tbl0304")));
    }
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0802")), 3);
}

TEST(ProfileProjection, WithoutTablesEveryTableIsMissing)
{
    qv::plan::Plan plan;
    setUp(plan, {});
    CProfileHelper helper;
    EXPECT_THROW(helper.handleProjection(plan), qv::QvError);
}

TEST(ProfileProjection, NegativeYearsCountAsNone)
{
    ProjectionFolder folder({QStringLiteral("Tbl0301")});
    qv::plan::Plan plan;
    setUp(plan, {.projectedYears = -4});
    CProfileHelper helper;
    helper.setTables(&folder.tables);
    EXPECT_THROW(helper.handleProjection(plan), qv::QvError);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0301")), 1);
}

// ---- Loaded tables ----------------------------------------------------------

TEST(LoadedTablesTest, FindsWithoutRegardToCaseAndListsUnreadableFiles)
{
    QTemporaryDir dir;
    qv::workbook::Workbook book;
    book.write(dir.filePath(QStringLiteral("Tbl0503.vts")));
    QFile bad(dir.filePath(QStringLiteral("Broken.vts")));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a workbook");
    bad.close();
    LoadedTables tables;
    tables.loadFolder(dir.path());
    EXPECT_EQ(tables.count(), 1);
    EXPECT_NE(tables.find(QStringLiteral("TBL0503")), nullptr);
    EXPECT_EQ(tables.fileNameOf(QStringLiteral("tbl0503")), QStringLiteral("Tbl0503"));
    EXPECT_EQ(tables.find(QStringLiteral("Tbl9999")), nullptr);
    EXPECT_EQ(tables.failures().size(), 1u);
    EXPECT_THROW(tables.recalculateAndWrite(QStringLiteral("Tbl9999")), qv::QvError);
}

TEST(LoadedTablesTest, LinkedCellsFollowAfterRecalculation)
{
    QTemporaryDir dir;
    {
        qv::workbook::Workbook title;
        title.setEntry(1, 2, QStringLiteral("Old"));
        title.write(dir.filePath(QStringLiteral("Tbl0303.vts")));
        qv::workbook::Workbook summary;
        summary.setFormula(1, 1, QStringLiteral("=[Tbl0303]Sheet1!$B$1"));
        summary.write(dir.filePath(QStringLiteral("Tbl0404.vts")));
    }
    LoadedTables tables;
    tables.loadFolder(dir.path());
    tables.find(QStringLiteral("TBL0303"))->setEntry(1, 2, QStringLiteral("Acme"));
    tables.recalculateAndWrite(QStringLiteral("TBL0303"));
    EXPECT_EQ(tables.find(QStringLiteral("Tbl0404"))->text(1, 1), QStringLiteral("Acme"));
}

TEST(ProfileProjection, HugeYearsKeepTheTableWithinTheSheet)
{
    ProjectionFolder folder({QStringLiteral("Tbl0301")});
    qv::plan::Plan plan;
    setUp(plan, {.projectedYears = std::numeric_limits<int>::max()});
    CProfileHelper helper;
    helper.setTables(&folder.tables);
    EXPECT_THROW(helper.handleProjection(plan), qv::QvError);
    EXPECT_EQ(folder.widthOnDisk(QStringLiteral("Tbl0301")), 16384);
}
