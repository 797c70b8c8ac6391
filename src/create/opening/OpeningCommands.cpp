#include "create/opening/OpeningCommands.h"

#include "platform/Folders.h"
#include "platform/Paths.h"
#include "plan/ModEnglish.h"
#include "plan/PlanRules.h"
#include "resources/ResText.h"
#include "shell/CurrentPlan.h"

#include <QFileInfo>

namespace qv::create
{

namespace
{

constexpr int kOpenPlanTitle = 330; // "Open Plan"

PlanOpener &planOpener()
{
    static PlanOpener opener;
    return opener;
}

} // namespace

QString wizardProgramName(int planType)
{
    return planType == plan::BusinessPlan ? QStringLiteral("pwiz_mi.exe") : QStringLiteral("pwiz_mp.exe");
}

QString wizardProgramPath(int planType)
{
    return platform::resolveInstalledProgram(
        platform::joinPath(platform::Folders::installFolder(), wizardProgramName(planType)));
}

void startWizardProgram(int planType)
{
    platform::processes().startDetached(wizardProgramPath(planType), {});
}

platform::FileRequest openPlanRequest(int planType)
{
    platform::FileRequest request;
    request.title = GetResText(kOpenPlanTitle);
    request.folder = platform::Folders::myPlansFolder();
    request.filter = plan::planFileFilter(planType);
    request.overwritePrompt = false;
    return request;
}

QString withPlanExtension(const QString &fileName, int planType)
{
    if (fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty() || QFileInfo::exists(fileName))
        return fileName;
    return fileName + QLatin1Char('.') + plan::planExtension(planType);
}

QString samplePlanPath(int planType, int businessKind, bool newBusiness, const QString &extension)
{
    plan::PlanInfo info;
    info.setPlanType(planType);
    info.setBusinessKind(businessKind);
    info.setNewBusiness(newBusiness);
    return plan::ModEnglish::SamplePlanPath(info, extension);
}

void setPlanOpener(PlanOpener opener)
{
    planOpener() = std::move(opener);
}

bool hasPlanOpener()
{
    return bool(planOpener());
}

bool openPlanInComposer(const QString &planFile)
{
    shell::ensureCurrentPlan().setFilePath(planFile);
    if (!planOpener()) {
        platform::msgBox(
            nullptr,
            QStringLiteral("The Plan Composer is not part of this build, so \"%1\" cannot be opened.").arg(planFile),
            platform::Buttons::Ok, platform::Icon::Information);
        return false;
    }
    return planOpener()(planFile);
}

} // namespace qv::create
