// Changing an open plan's profile: the year field, the currency formats and
// the whole change on the demonstration plan's loaded tables.
#include "DemoPlan.h"

#include "../apps/QvtoolRun.h"
#include "controls/workbook/EditHistory.h"
#include "controls/workbook/VtsFile.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "create/creation/PlanProfile.h"
#include "create/creation/ProfileTables.h"
#include "plan/Currency.h"
#include "plan/ModEnglish.h"
#include "plan/Plan.h"

#include <QCryptographicHash>
#include <QDir>

#include <gtest/gtest.h>

using namespace qv;

TEST(PlanProfile, TheYearFieldTakesUpToFourDigits)
{
    EXPECT_EQ(create::yearFieldText(QStringLiteral("99")), QStringLiteral("1999"));
    EXPECT_EQ(create::yearFieldText(QStringLiteral("05")), QStringLiteral("2005"));
    EXPECT_EQ(create::yearFieldText(QStringLiteral("2026")), QStringLiteral("2026"));
    EXPECT_EQ(create::yearFieldText(QString()), QString());
    EXPECT_FALSE(create::yearFieldText(QStringLiteral("19999")));
    EXPECT_FALSE(create::yearFieldText(QStringLiteral("abc")));
    EXPECT_FALSE(create::yearFieldText(QStringLiteral("-5")));
}

TEST(PlanProfile, ACurrencyReplacesEverySymbolOfAFormatAndNothingElse)
{
    const plan::Currency &euro = *plan::currencyOfCode(QStringLiteral("eur"));
    EXPECT_EQ(plan::withCurrency(QStringLiteral("$#,##0;-$#,##0;"), euro), QStringLiteral("[$€-2]#,##0;-[$€-2]#,##0;"));
    const plan::Currency &pound = *plan::currencyOfCode(QStringLiteral("GBP"));
    EXPECT_EQ(plan::withCurrency(QStringLiteral("[$€-2]#,##0.00"), pound), QStringLiteral("[$£-809]#,##0.00"));
    EXPECT_EQ(plan::withCurrency(QStringLiteral("[$£-809]#,##0"), plan::currencyOfType(0)), QStringLiteral("$#,##0"));
    // Quoted text, locale tags and colours stay.
    EXPECT_EQ(plan::withCurrency(QStringLiteral("[Red][$-409]\"US$\"0 $"), euro), QStringLiteral("[Red][$-409]\"US$\"0 [$€-2]"));
    EXPECT_TRUE(plan::isCurrencyFormat(QStringLiteral("[$C$-1009]#,##0")));
    EXPECT_TRUE(plan::isCurrencyFormat(QStringLiteral("$#,##0")));
    EXPECT_FALSE(plan::isCurrencyFormat(QStringLiteral("[$-409]mmm yyyy")));
    EXPECT_FALSE(plan::isCurrencyFormat(QStringLiteral("0.0%")));
    EXPECT_EQ(plan::currencyOfType(42).code, QStringLiteral("USD"));
    EXPECT_EQ(plan::currencyOfCode(QStringLiteral("XYZ")), nullptr);
}

namespace {

// The demo plan opened with its tables loaded, as the composer holds it.
struct OpenDemo
{
    test::DemoPlan demo;
    plan::Plan plan;
    workbook::WorkbookSet set;
    bool open()
    {
        if (!demo.made()) return false;
        plan.Initialise(QStringLiteral("B"), QStringLiteral("M"));
        plan.planInfo().setPlanType(plan::ModEnglish::PlanTypeOfDocument(demo.documentPath()));
        plan.setFilePath(demo.documentPath());
        if (!plan.Open()) return false;
        return workbook::loadFolder(set, plan.folder()).isEmpty();
    }
    workbook::Workbook &table(const char *name) { return *set.find(QLatin1String(name)); }
};

QMap<QString, QByteArray> tableHashes(const QString &folder)
{
    QMap<QString, QByteArray> hashes;
    for (const QString &name : QDir(folder).entryList({QStringLiteral("*.vts")}, QDir::Files)) {
        QFile file(QDir(folder).filePath(name));
        if (file.open(QIODevice::ReadOnly))
            hashes[name] = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }
    return hashes;
}

} // namespace

TEST(PlanProfile, ACoverPageChangeTouchesNoTable)
{
    OpenDemo d;
    if (!d.open()) GTEST_SKIP() << "the template library is not generated";
    create::ProfileChanges changes = create::ProfileChanges::fromPlan(d.plan);
    changes.telephone = QStringLiteral("(970) 555-0199");
    int changedTables = 0;
    create::LoadedWorkbooks tables(d.set, [&](workbook::Workbook &) { ++changedTables; });
    const create::ProfileOutcome outcome = create::applyProfileChanges(d.plan, tables, changes);
    EXPECT_TRUE(outcome.planChanged);
    EXPECT_TRUE(d.plan.modified());
    EXPECT_TRUE(outcome.tablesChanged.empty());
    EXPECT_EQ(changedTables, 0);
    EXPECT_EQ(d.plan.submitter().address().telephone(), QStringLiteral("(970) 555-0199"));
    // Nothing changed at all: the plan stays unmodified.
    d.plan.setModified(false);
    EXPECT_FALSE(create::applyProfileChanges(d.plan, tables, create::ProfileChanges::fromPlan(d.plan)).planChanged);
    EXPECT_FALSE(d.plan.modified());
}

TEST(PlanProfile, NameYearMonthYearsAndCurrencyReachTheLoadedTables)
{
    OpenDemo d;
    if (!d.open()) GTEST_SKIP() << "the template library is not generated";
    workbook::Workbook &startup = d.table("Tbl0303");
    workbook::EditStep step(startup, QStringLiteral("Typing"));
    step.watchCells(workbook::CellRange::cell(3, 3));
    startup.setText(3, 3, QStringLiteral("edited"));
    step.commit();

    create::ProfileChanges changes = create::ProfileChanges::fromPlan(d.plan);
    changes.businessName = QStringLiteral("Summit Gear Co.");
    changes.year = 2027;
    changes.month = 3;
    changes.projectedYears = 2;
    changes.currencyType = plan::currencyOfCode(QStringLiteral("EUR"))->type;
    std::vector<QString> heard;
    create::LoadedWorkbooks tables(d.set, [&](workbook::Workbook &book) { heard.push_back(book.title()); });
    const create::ProfileOutcome outcome = create::applyProfileChanges(d.plan, tables, changes);
    EXPECT_TRUE(outcome.problems.isEmpty()) << outcome.problems.join(u'\n').toStdString();

    EXPECT_EQ(d.plan.planInfo().businessName(), QStringLiteral("Summit Gear Co."));
    EXPECT_EQ(startup.text(1, 2), QStringLiteral("Summit Gear Co."));
    EXPECT_EQ(d.table("Tbl0505").text(51, 2), QStringLiteral("Summit Gear Co."));
    EXPECT_EQ(d.table("Tbl0503").text(1, 2), QStringLiteral("March"));
    EXPECT_EQ(d.table("Tbl0503").text(2, 13), QStringLiteral("2028")); // February of the next year
    EXPECT_EQ(d.table("Tbl0301").text(2, 2), QStringLiteral("Feb 2028"));
    EXPECT_EQ(d.table("Tbl0301").maxCol(), 5);
    EXPECT_EQ(d.plan.profile().month(), 3);
    EXPECT_EQ(d.plan.profile().firstYearDate(), QDate(2027, 1, 1));
    EXPECT_EQ(d.plan.profile().currencyType(), 1);

    // Every currency format now shows the euro.
    int currencyCells = 0;
    for (const workbook::Workbook *book : d.set.books()) {
        const auto used = book->usedRange();
        if (!used) continue;
        book->sheetData(0).forEachCell(*used, [&](int row, int col, const workbook::Cell &) {
            const QString code = book->formatOf(0, row, col).numberFormat;
            if (!plan::isCurrencyFormat(code)) return;
            ++currencyCells;
            EXPECT_TRUE(code.contains(QStringLiteral("[$€-2]"))) << book->title().toStdString() << " " << code.toStdString();
            if (book->storedValue(0, row, col).isNumber()) {
                EXPECT_TRUE(book->textOf(0, row, col).contains(QStringLiteral("€"))) << book->textOf(0, row, col).toStdString();
            }
        });
    }
    EXPECT_GT(currencyCells, 0);
    for (const QString &name : outcome.tablesChanged)
        EXPECT_NE(std::find(heard.begin(), heard.end(), name), heard.end()) << name.toStdString();
    EXPECT_NE(std::find(outcome.tablesChanged.begin(), outcome.tablesChanged.end(), QStringLiteral("Tbl0303")),
              outcome.tablesChanged.end());
}

TEST(QvtoolProfile, ATelephoneChangeWritesNoTableAndANameChangeListsItsTables)
{
    test::DemoPlan demo;
    if (!demo.made()) GTEST_SKIP() << "the template library is not generated";
    QTemporaryDir config;
    const auto before = tableHashes(demo.folder());
    ASSERT_FALSE(before.isEmpty());
    auto run = test::qvtool({QStringLiteral("profile"), demo.documentPath(), QStringLiteral("--telephone"),
                             QStringLiteral("555-0000")}, config.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(tableHashes(demo.folder()), before);

    run = test::qvtool({QStringLiteral("profile"), demo.documentPath(), QStringLiteral("--name"), QStringLiteral("Summit Gear")},
                       config.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Tbl0303\nTbl0505\n"));
    EXPECT_EQ(workbook::loadWorkbook(demo.folder() + QStringLiteral("/Tbl0505.vts"))->text(6, 2), QStringLiteral("Summit Gear"));
    plan::Plan reopened;
    reopened.setFilePath(demo.documentPath());
    ASSERT_TRUE(reopened.Open());
    EXPECT_EQ(reopened.planInfo().businessName(), QStringLiteral("Summit Gear"));
    EXPECT_EQ(reopened.submitter().address().telephone(), QStringLiteral("555-0000"));

    EXPECT_EQ(test::qvtool({QStringLiteral("profile"), demo.documentPath(), QStringLiteral("--year"), QStringLiteral("abc")},
                           config.path()).status, 2);
    EXPECT_EQ(test::qvtool({QStringLiteral("profile"), demo.documentPath(), QStringLiteral("--currency"), QStringLiteral("XYZ")},
                           config.path()).status, 2);
}

TEST(QvtoolLinks, ListsTheLinksOfACell)
{
    test::DemoPlan demo;
    if (!demo.made()) GTEST_SKIP() << "the template library is not generated";
    QTemporaryDir config;
    auto run = test::qvtool({QStringLiteral("links"), demo.documentPath(), QStringLiteral("Tbl0303!B1")}, config.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty()); // a name, not a link
    run = test::qvtool({QStringLiteral("links"), demo.documentPath(), QStringLiteral("tbl0505!b2")}, config.path());
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Tbl0303!C1\tSection 3.3 : Competition, cell C1\n"));
    // Two links to one cell list it once.
    run = test::qvtool({QStringLiteral("links"), demo.documentPath(), QStringLiteral("Tbl0505!A2")}, config.path());
    EXPECT_EQ(run.out, QStringLiteral("Tbl0503!A3\tSection 5.3 : Sales Forecast, cell A3\n"));
    EXPECT_EQ(test::qvtool({QStringLiteral("links"), demo.documentPath(), QStringLiteral("B1")}, config.path()).status, 2);
}
