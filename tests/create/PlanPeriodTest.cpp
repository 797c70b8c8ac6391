// The plan's calendar as the period page describes it; it must agree with
// the headings plan creation writes.

#include "create/wizard/PlanPeriod.h"

#include <gtest/gtest.h>

using namespace qv::wizard;

namespace {
WizardAnswers period(PlanType type, bool newBusiness, int year, int month, int projected)
{
    WizardAnswers a;
    a.planType = type;
    a.newBusiness = newBusiness;
    a.firstYear = year;
    a.month = month;
    a.projectedYears = projected;
    return a;
}
} // namespace

TEST(PlanPeriod, NewBusinessStartingInJuly)
{
    const WizardAnswers a = period(PlanType::Business, true, 1999, 7, 5);
    const MonthlySpan months = monthlySpan(a);
    EXPECT_EQ(months.first.month, 7);
    EXPECT_EQ(months.first.year, 1999);
    EXPECT_EQ(months.last.month, 6);
    EXPECT_EQ(months.last.year, 2000);
    const YearlySpan years = yearlySpan(a);
    EXPECT_EQ(years.first.month, 6);
    EXPECT_EQ(years.first.year, 2000);
    EXPECT_EQ(years.last.year, 2004); // Jun 2000 to Jun 2004
    EXPECT_EQ(describePeriod(a), QStringLiteral("The monthly sales forecast runs from July 1999 to June 2000. "
                                                "The yearly tables cover the years ending June 2000 to June 2004."));
}

TEST(PlanPeriod, NewBusinessStartingInJanuaryStaysInOneYear)
{
    const MonthlySpan months = monthlySpan(period(PlanType::Business, true, 1999, 1, 1));
    EXPECT_EQ(months.last.month, 12);
    EXPECT_EQ(months.last.year, 1999);
    EXPECT_EQ(yearlySpan(period(PlanType::Business, true, 1999, 1, 1)).last.year, 1999);
}

TEST(PlanPeriod, MarketingPlanStartsAfterTheFiscalYearEnd)
{
    const WizardAnswers a = period(PlanType::Marketing, false, 1999, 11, 3);
    const MonthlySpan months = monthlySpan(a);
    EXPECT_EQ(months.first.month, 12);
    EXPECT_EQ(months.first.year, 1999);
    EXPECT_EQ(months.last.month, 11);
    EXPECT_EQ(months.last.year, 2000);
    EXPECT_EQ(yearlySpan(a).first.year, 1998);
    EXPECT_EQ(monthlySpan(period(PlanType::Marketing, false, 1999, 12, 3)).first.month, 1);
    EXPECT_EQ(monthlySpan(period(PlanType::Marketing, false, 1999, 12, 3)).first.year, 1999);
}

TEST(PlanPeriod, ExistingBusinessHasOnlyYears)
{
    const WizardAnswers a = period(PlanType::Business, false, 2000, 3, 3);
    const YearlySpan years = yearlySpan(a);
    EXPECT_EQ(years.first.month, 3);
    EXPECT_EQ(years.first.year, 1999);
    EXPECT_EQ(years.last.year, 2003);
    EXPECT_EQ(describePeriod(a), QStringLiteral("The yearly tables cover the fiscal years ending March 1999 to March 2003."));
}
