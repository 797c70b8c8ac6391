#include "plan/PlanRules.h"

#include "plan/Plan.h"

namespace qv::plan {

QString planTypeLetter(int planType)
{
    return QLatin1String(planType == BusinessPlan ? ModEnglish::kBusinessPlanLetter
                                                  : ModEnglish::kMarketingPlanLetter);
}

QString planExtension(int planType)
{
    return QLatin1String(planType == BusinessPlan ? kBusinessPlanExtension : kMarketingPlanExtension);
}

int planTypeOfPath(const QString &path)
{
    return path.right(3).compare(QLatin1String(kMarketingPlanExtension), Qt::CaseInsensitive) == 0 ? MarketingPlan
                                                                                                  : BusinessPlan;
}

QString planFileFilter(int planType)
{
    const QString extension = planExtension(planType);
    const QString kind = planType == BusinessPlan ? QStringLiteral("Business") : QStringLiteral("Marketing");
    return kind + QStringLiteral(" Plan Files (*.") + extension + QStringLiteral(")|*.") + extension;
}

QString anyPlanFileFilter()
{
    const QString business = planExtension(BusinessPlan);
    const QString marketing = planExtension(MarketingPlan);
    return QStringLiteral("Plan Files (*.%1;*.%2)|*.%1;*.%2").arg(business, marketing);
}

void initialisePlanLetters(Plan &plan)
{
    plan.Initialise(planTypeLetter(BusinessPlan), planTypeLetter(MarketingPlan));
}

} // namespace qv::plan
