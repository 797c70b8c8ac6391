// What "View Cell Link" reads from a formula: its links, their descriptions
// and the dialog's explanation, against a plan's tables in plan order.
#include "composer/CellLinks.h"
#include "plan/PlanBuilder.h"

#include <gtest/gtest.h>

using namespace qv::composer;

namespace {

std::unique_ptr<qv::plan::Plan> linkedPlan()
{
    return qv::plan::PlanBuilder()
        .chapter(QStringLiteral("Company"))
        .section(QStringLiteral("Start-up"))
        .table(QStringLiteral("Tbl0303.vts"), QStringLiteral("Start-up Costs"))
        .chapter(QStringLiteral("Products"))
        .section(QStringLiteral("Pricing"))
        .section(QStringLiteral("Sales Forecast"))
        .table(QStringLiteral("Tbl0404.vts"), QStringLiteral("Sales Forecast"))
        .table(QStringLiteral("Tbl0405.vts"), QStringLiteral("Unit Sales"))
        .take();
}

} // namespace

TEST(CellLinks, OneLinkNamesTheTableAndTheCell)
{
    const auto plan = linkedPlan();
    const CellLinks found = findCellLinks(QStringLiteral("=[Tbl0404]Sheet1!$B$1"), tablesInPlanOrder(plan->outline()));
    ASSERT_EQ(found.outcome, CellLinks::Outcome::Linked);
    EXPECT_FALSE(found.several);
    ASSERT_EQ(found.links.size(), 1u);
    EXPECT_EQ(found.links[0].target(), QStringLiteral("Tbl0404!B1"));
    EXPECT_EQ(found.links[0].description(), QStringLiteral("Section 2.2 : Sales Forecast, cell B1"));
    EXPECT_EQ(found.explanation(), QStringLiteral("This cell is linked to table: Sales Forecast, cell B1"));
}

TEST(CellLinks, SeveralLinksAreListedOnceEachInTheFormulasOrder)
{
    const auto plan = linkedPlan();
    const CellLinks found = findCellLinks(
        QStringLiteral("=[Tbl0405]Sheet1!C7+[Tbl0303]Sheet1!$D$12:$D$14-[Tbl0405]Sheet1!$C$7"), tablesInPlanOrder(plan->outline()));
    ASSERT_EQ(found.outcome, CellLinks::Outcome::Linked);
    EXPECT_TRUE(found.several);
    ASSERT_EQ(found.links.size(), 2u);
    EXPECT_EQ(found.links[0].target(), QStringLiteral("Tbl0405!C7"));
    EXPECT_EQ(found.links[1].target(), QStringLiteral("Tbl0303!D12")); // a range names its first cell
    EXPECT_EQ(found.links[1].description(), QStringLiteral("Section 1.1 : Start-up, cell D12"));
    EXPECT_EQ(found.explanation(), QStringLiteral("The links and/or formulas in this cell can be viewed in the Formula "
                                                  "Bar of the Spreadsheet module."));
}

TEST(CellLinks, LowerCaseNamesAndCellsReadTheSame)
{
    const auto plan = linkedPlan();
    const CellLinks found = findCellLinks(QStringLiteral("=[tbl0404]sheet1!$b$1*2"), tablesInPlanOrder(plan->outline()));
    ASSERT_EQ(found.links.size(), 1u);
    EXPECT_EQ(found.links[0].target(), QStringLiteral("Tbl0404!B1"));
    // A name's start finds the first table in plan order that begins so.
    const CellLinks prefix = findCellLinks(QStringLiteral("=[Tbl04]Sheet1!A1"), tablesInPlanOrder(plan->outline()));
    ASSERT_EQ(prefix.links.size(), 1u);
    EXPECT_EQ(prefix.links[0].tableName, QStringLiteral("Tbl0404"));
}

TEST(CellLinks, AMissingTableStopsEverythingAndNoBracketsMeanNoLink)
{
    const auto plan = linkedPlan();
    const auto tables = tablesInPlanOrder(plan->outline());
    const CellLinks missing = findCellLinks(QStringLiteral("=[Tbl0404]Sheet1!B1+[Tbl9999]Sheet1!B1"), tables);
    EXPECT_EQ(missing.outcome, CellLinks::Outcome::TableNotFound);
    EXPECT_EQ(missing.missingTable, QStringLiteral("Tbl9999"));
    EXPECT_TRUE(missing.links.empty());
    EXPECT_EQ(findCellLinks(QStringLiteral("=SUM(B1:B4)"), tables).outcome, CellLinks::Outcome::NoLink);
    EXPECT_EQ(findCellLinks(QString(), tables).outcome, CellLinks::Outcome::NoLink);
    EXPECT_EQ(findCellLinks(QStringLiteral("=\"[open"), tables).outcome, CellLinks::Outcome::NoLink);
}

TEST(CellLinks, TargetsSplitIntoTableAndCell)
{
    QString table;
    int row = 0, col = 0;
    ASSERT_TRUE(splitLinkTarget(QStringLiteral("Tbl0404!AB12"), table, row, col));
    EXPECT_EQ(table, QStringLiteral("Tbl0404"));
    EXPECT_EQ(row, 12);
    EXPECT_EQ(col, 28);
    EXPECT_FALSE(splitLinkTarget(QStringLiteral("Tbl0404"), table, row, col));
    EXPECT_FALSE(splitLinkTarget(QStringLiteral("!B1"), table, row, col));
    EXPECT_FALSE(splitLinkTarget(QStringLiteral("Tbl0404!12"), table, row, col));
}

// ---- The dialog -----------------------------------------------------------------------------

#include "FakePlatform.h"
#include "composer/frmCellLinkInfo.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace {

// Runs Display and, once the dialog shows, hands it to `act`.
QString displayWith(frmCellLinkInfo &dialog, const std::function<void(frmCellLinkInfo &)> &act)
{
    QTimer::singleShot(0, &dialog, [&] { act(dialog); });
    return dialog.Display();
}

template <typename T> T *part(frmCellLinkInfo &dialog, const char *name) { return dialog.findChild<T *>(QLatin1String(name)); }

} // namespace

TEST(CellLinkDialog, OneLinkGoesStraightToItsCell)
{
    const auto plan = linkedPlan();
    const CellLinks found = findCellLinks(QStringLiteral("=[Tbl0404]Sheet1!$B$1"), tablesInPlanOrder(plan->outline()));
    frmCellLinkInfo dialog;
    dialog.addTable(found.links[0]);
    dialog.addTable(found.links[0]); // listed once
    dialog.setFormula(QStringLiteral("=[Tbl0404]Sheet1!$B$1"));
    dialog.setExplanation(found.explanation(), found.several);
    const QString target = displayWith(dialog, [](frmCellLinkInfo &d) {
        EXPECT_FALSE(part<QComboBox>(d, "cboTables")->isVisible());
        EXPECT_EQ(part<QLabel>(d, "lblLink")->text(), QStringLiteral("This cell is linked to table: Sales Forecast, cell B1"));
        EXPECT_EQ(part<QPushButton>(d, "cmdGoto")->text(), QStringLiteral("Goto"));
        part<QPushButton>(d, "cmdViewFormula")->click();
        EXPECT_EQ(qv::test::fakes().messages->lastText(), QStringLiteral("=[Tbl0404]Sheet1!$B$1"));
        part<QPushButton>(d, "cmdGoto")->click();
    });
    EXPECT_EQ(target, QStringLiteral("Tbl0404!B1"));
}

TEST(CellLinkDialog, SeveralLinksWaitForAChoice)
{
    const auto plan = linkedPlan();
    const CellLinks found =
        findCellLinks(QStringLiteral("=[Tbl0404]Sheet1!B1+[Tbl0303]Sheet1!C4"), tablesInPlanOrder(plan->outline()));
    frmCellLinkInfo dialog;
    for (const CellLink &link : found.links)
        dialog.addTable(link);
    dialog.setExplanation(found.explanation(), found.several);
    const QString target = displayWith(dialog, [](frmCellLinkInfo &d) {
        auto *list = part<QComboBox>(d, "cboTables");
        ASSERT_EQ(list->count(), 3);
        EXPECT_EQ(list->itemText(0), QStringLiteral("Choose a table"));
        EXPECT_EQ(list->itemText(2), QStringLiteral("Section 1.1 : Start-up, cell C4"));
        EXPECT_FALSE(part<QPushButton>(d, "cmdGoto")->isEnabled());
        list->setCurrentIndex(2);
        EXPECT_TRUE(part<QPushButton>(d, "cmdGoto")->isEnabled());
        part<QPushButton>(d, "cmdGoto")->click();
    });
    EXPECT_EQ(target, QStringLiteral("Tbl0303!C4"));

    frmCellLinkInfo closing;
    for (const CellLink &link : found.links)
        closing.addTable(link);
    closing.setExplanation(found.explanation(), true);
    EXPECT_TRUE(displayWith(closing, [](frmCellLinkInfo &d) { part<QPushButton>(d, "cmdClose")->click(); }).isEmpty());
}

TEST(CellLinkDialog, ViewCellLinkSaysWhenThereIsNoLink)
{
    const auto plan = linkedPlan();
    EXPECT_TRUE(viewCellLink(nullptr, QStringLiteral("=B1*2"), tablesInPlanOrder(plan->outline())).isEmpty());
    EXPECT_EQ(qv::test::fakes().messages->lastText(), noLinkMessage());
    EXPECT_TRUE(viewCellLink(nullptr, QStringLiteral("=[Tbl0999]Sheet1!B1"), tablesInPlanOrder(plan->outline())).isEmpty());
    EXPECT_EQ(qv::test::fakes().messages->lastText(), QStringLiteral("Linked table not found"));
}
