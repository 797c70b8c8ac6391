#include "create/wizard/WizardAnswers.h"

#include "plan/PlanRules.h"
#include "resources/ResText.h"

namespace qv::wizard {

namespace {
// The names plan creation reads back; fixed, never translated.
const char *const kKindNames[kKindCount] = {"Service", "Manufacturing", "Wholesale", "Retail", "Custom"};
constexpr int kKindCaptionText = 335;     // 1335 "Service" ... 1339 "Custom"
constexpr int kKindDescriptionText = 340; // 1340 ... 1344
constexpr int kMonthNameText = 311;       // 1312 "January" ... 1323 "December"
} // namespace

PlanType planTypeOf(WizardKind kind)
{
    return kind == WizardKind::Marketing ? PlanType::Marketing : PlanType::Business;
}

QString kindAnswerName(int kind)
{
    if (kind < 0 || kind >= kKindCount)
        return {};
    return QString::fromLatin1(kKindNames[kind]);
}

int kindFromAnswerName(const QString &name)
{
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (name.trimmed().compare(QLatin1String(kKindNames[kind]), Qt::CaseInsensitive) == 0)
            return kind;
    }
    return -1;
}

QString kindCaption(int kind)
{
    return GetResText(kKindCaptionText + kind);
}

QString kindDescription(int kind)
{
    return GetResText(kKindDescriptionText + kind);
}

QString monthName(int month)
{
    return GetResText(kMonthNameText + month);
}

QString documentExtension(PlanType type)
{
    return plan::planExtension(type == PlanType::Business ? plan::BusinessPlan : plan::MarketingPlan);
}

} // namespace qv::wizard
