#include "create/wizard/PlanPeriod.h"

namespace qv::wizard {

namespace {
MonthOfYear plusMonths(MonthOfYear start, int months)
{
    const int index = start.year * 12 + (start.month - 1) + months;
    return {index % 12 + 1, index / 12};
}

QString shown(MonthOfYear m)
{
    return monthName(m.month) + QLatin1Char(' ') + QString::number(m.year);
}
} // namespace

MonthlySpan monthlySpan(const WizardAnswers &a)
{
    MonthOfYear first{a.month, a.firstYear};
    if (a.planType == PlanType::Marketing)
        first = a.month == 12 ? MonthOfYear{1, a.firstYear} : MonthOfYear{a.month + 1, a.firstYear};
    return {first, plusMonths(first, 11)};
}

YearlySpan yearlySpan(const WizardAnswers &a)
{
    if (a.planType == PlanType::Business && a.newBusiness) {
        // The first plan year ends with the forecast's twelfth month.
        const MonthOfYear end = monthlySpan(a).last;
        return {end, {end.month, end.year + a.projectedYears - 1}};
    }
    // Existing businesses and marketing plans start with the year before
    // the first year, for the results so far.
    return {{a.month, a.firstYear - 1}, {a.month, a.firstYear + a.projectedYears}};
}

QString describePeriod(const WizardAnswers &a)
{
    const YearlySpan years = yearlySpan(a);
    const bool fiscalYears = a.planType == PlanType::Marketing || !a.newBusiness;
    const QString yearly = QStringLiteral("The yearly tables cover the %1 ending %2 to %3.")
                               .arg(fiscalYears ? QStringLiteral("fiscal years") : QStringLiteral("years"),
                                    shown(years.first), shown(years.last));
    if (a.planType == PlanType::Business && !a.newBusiness)
        return yearly;
    const MonthlySpan months = monthlySpan(a);
    const QString what = a.planType == PlanType::Business ? QStringLiteral("The monthly sales forecast")
                                                          : QStringLiteral("The monthly marketing budget");
    return QStringLiteral("%1 runs from %2 to %3. ").arg(what, shown(months.first), shown(months.last)) + yearly;
}

} // namespace qv::wizard
