#pragma once

// The plan's calendar in plain words, so the wizard can show what the year,
// month and projected years will put into the table headings.

#include "create/wizard/WizardAnswers.h"

#include <QString>

namespace qv::wizard {

struct MonthOfYear
{
    int month = 1; // 1 to 12
    int year = 0;
};

// The first and last month of a new business's monthly forecast, or of a
// marketing plan's monthly budget.
struct MonthlySpan
{
    MonthOfYear first;
    MonthOfYear last;
};

// New business: starting month and year; marketing plan: the month after
// the fiscal-year end, of the first year. Existing businesses have no
// monthly forecast.
MonthlySpan monthlySpan(const WizardAnswers &answers);

// The first and last year-end the yearly tables show.
struct YearlySpan
{
    MonthOfYear first;
    MonthOfYear last;
};
YearlySpan yearlySpan(const WizardAnswers &answers);

// One or two sentences for the period page.
QString describePeriod(const WizardAnswers &answers);

} // namespace qv::wizard
