#include "shell/StartupChecks.h"

#include "platform/Application.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/Services.h"
#include "platform/Settings.h"
#include "resources/ResText.h"
#include "shell/CurrentPlan.h"

#include <QFileInfo>

namespace qv::shell
{

namespace
{
constexpr int kMissingSystemFileMessage = 624; // 1624
constexpr int kApplicationTitle = 302;         // 1302
constexpr int kBusinessPlanName = 303;         // 1303
constexpr int kMarketingPlanName = 304;        // 1304
constexpr int kBusinessPlanType = 0;
constexpr int kMarketingPlanType = 1;
} // namespace

QString requiredSystemFileName()
{
    return QStringLiteral("American.vtd");
}

bool CheckSystemFiles()
{
    const QString path =
        platform::resolveExistingPath(platform::joinPath(platform::Folders::systemFolder(), requiredSystemFileName()));
    if (QFileInfo(path).isFile())
        return true;
    platform::msgBox(nullptr, GetResText(kMissingSystemFileMessage), platform::Buttons::Ok, platform::Icon::Critical);
    return false;
}

void setApplicationTitleAndHelpFile()
{
    platform::setApplicationTitle(GetResText(kApplicationTitle));
    platform::setApplicationHelpFile(
        platform::joinPath(platform::Folders::installFolder(), QStringLiteral("Help/BPlan8.hlp")));
}

void RecordInstallPath()
{
    platform::Settings::save(QStringLiteral("Paths"), QStringLiteral("Install"),
                             platform::withTrailingSeparator(platform::Folders::installFolder()));
}

QString planTypeNameFor(int planType)
{
    switch (planType) {
    case kBusinessPlanType: return GetResText(kBusinessPlanName);
    case kMarketingPlanType: return GetResText(kMarketingPlanName);
    default: return QString();
    }
}

QString PlanTypeName()
{
    const plan::Plan *plan = currentPlan();
    return plan ? planTypeNameFor(plan->planInfo().planType()) : QString();
}

} // namespace qv::shell
