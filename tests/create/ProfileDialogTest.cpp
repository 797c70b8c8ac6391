// The Plan Profile dialog on a plan made by code: its fields, the year
// field's rule, the month label and what OK carries into the plan.
#include "create/profile/frmProfile.h"

#include "FakePlatform.h"
#include "controls/workbook/Workbook.h"
#include "controls/workbook/WorkbookSet.h"
#include "create/creation/ProfileTables.h"
#include "plan/PlanBuilder.h"

#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

using namespace qv;

namespace {

std::unique_ptr<plan::Plan> profilePlan(int type = plan::BusinessPlan, bool isNew = true)
{
    auto plan = plan::PlanBuilder(type).kind(plan::Retail).newBusiness(isNew).businessName(QStringLiteral("Trailhead")).take();
    plan->profile().setFirstYearDate(QDate(2025, 1, 1));
    plan->profile().setMonth(5);
    plan->profile().setProjectedYears(3);
    plan->submitter().address().setTelephone(QStringLiteral("555-0127"));
    return plan;
}

struct Dialog
{
    std::unique_ptr<plan::Plan> plan = profilePlan();
    workbook::WorkbookSet set;
    create::LoadedWorkbooks tables{set};
    std::unique_ptr<create::frmProfile> dialog;
    explicit Dialog(std::unique_ptr<plan::Plan> p = profilePlan()) : plan(std::move(p))
    {
        set.create(QStringLiteral("Tbl0303"));
        dialog = std::make_unique<create::frmProfile>(*plan, tables);
        dialog->load();
        dialog->show();
    }
    template <typename T> T *child(const char *name) { return dialog->findChild<T *>(QLatin1String(name)); }
};

} // namespace

TEST(ProfileDialog, ShowsThePlansValuesOnThreePages)
{
    Dialog d;
    auto *tabs = d.child<QTabWidget>("tabProfile");
    ASSERT_EQ(tabs->count(), 3);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("General"));
    EXPECT_EQ(tabs->tabText(1), QStringLiteral("Year/Month"));
    EXPECT_EQ(tabs->tabText(2), QStringLiteral("Cover Page"));
    EXPECT_EQ(d.dialog->windowTitle(), QStringLiteral("Plan Profile"));
    EXPECT_EQ(d.child<QLineEdit>("txtBusinessName")->text(), QStringLiteral("Trailhead"));
    EXPECT_EQ(d.child<QLineEdit>("txtYear")->text(), QStringLiteral("2025"));
    EXPECT_TRUE(d.child<QRadioButton>("optMonth_4")->isChecked());
    EXPECT_TRUE(d.child<QRadioButton>("optProjection_2")->isChecked());
    EXPECT_TRUE(d.child<QRadioButton>("optCurrency_0")->isChecked());
    EXPECT_EQ(d.child<QLineEdit>("txtInfoTelephone")->text(), QStringLiteral("555-0127"));
    EXPECT_EQ(d.child<QGroupBox>("fraMonth")->title(), QStringLiteral("The starting month of the business:"));
    for (const char *name : {"cmdOk", "cmdCancel", "cmdHelp"})
        EXPECT_TRUE(d.child<QPushButton>(name)) << name;
}

TEST(ProfileDialog, TheMonthMeansTheFiscalYearEndUnlessANewBusinessPlanStarts)
{
    Dialog existing(profilePlan(plan::BusinessPlan, false));
    EXPECT_EQ(existing.child<QGroupBox>("fraMonth")->title(), QStringLiteral("The fiscal year ending month of the business:"));
    Dialog marketing(profilePlan(plan::MarketingPlan, true));
    EXPECT_EQ(marketing.child<QGroupBox>("fraMonth")->title(), QStringLiteral("The fiscal year ending month of the business:"));
    EXPECT_EQ(marketing.child<QGroupBox>("fraProjection")->title(),
              QStringLiteral("Number of projected years to be shown in this marketing plan:"));
}

TEST(ProfileDialog, TheYearFieldWidensTwoDigitsAndRefusesTheRest)
{
    Dialog d;
    auto *year = d.child<QLineEdit>("txtYear");
    year->setFocus();
    year->selectAll();
    QTest::keyClicks(year, QStringLiteral("99"));
    QTest::keyClick(year, Qt::Key_Return);
    EXPECT_EQ(year->text(), QStringLiteral("1999"));
    EXPECT_TRUE(d.dialog->isVisible()); // Enter moves on; it does not close the dialog
    for (const char *refused : {"19999", "abc"}) {
        year->setText(QLatin1String(refused));
        EXPECT_FALSE(d.dialog->apply()) << refused;
        EXPECT_EQ(test::fakes().messages->lastText(), QStringLiteral("Invalid value"));
    }
    EXPECT_EQ(d.plan->profile().firstYearDate(), QDate(2025, 1, 1));
}

TEST(ProfileDialog, OkStoresTheChangesAndATelephoneChangeTouchesNoTable)
{
    Dialog d;
    d.child<QLineEdit>("txtInfoTelephone")->setText(QStringLiteral("555-0199"));
    ASSERT_TRUE(d.dialog->apply());
    EXPECT_EQ(d.plan->submitter().address().telephone(), QStringLiteral("555-0199"));
    EXPECT_TRUE(d.dialog->outcome().tablesChanged.empty());
    EXPECT_TRUE(d.plan->modified());

    d.child<QLineEdit>("txtBusinessName")->setText(QStringLiteral("Summit Gear"));
    d.child<QRadioButton>("optCurrency_2")->setChecked(true);
    d.child<QRadioButton>("optMonth_0")->setChecked(true);
    ASSERT_TRUE(d.dialog->apply());
    EXPECT_EQ(d.plan->planInfo().businessName(), QStringLiteral("Summit Gear"));
    EXPECT_EQ(d.set.find(QStringLiteral("Tbl0303"))->text(1, 2), QStringLiteral("Summit Gear"));
    EXPECT_EQ(d.plan->profile().currencyType(), 2);
    EXPECT_EQ(d.plan->profile().month(), 1);
}

TEST(ProfileDialog, Screenshot)
{
    Dialog d;
    d.dialog->resize(1280, 800);
    for (int page = 0; page < 3; ++page) {
        d.child<QTabWidget>("tabProfile")->setCurrentIndex(page);
        QApplication::processEvents();
        d.dialog->grab().save(QStringLiteral(QV_BINARY_DIR "/profile-%1.png").arg(page));
    }
    SUCCEED();
}
