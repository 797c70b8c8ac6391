#include "create/wizard/WizardLaunch.h"

#include "create/wizard/AnswerFile.h"
#include "platform/Folders.h"
#include "platform/Paths.h"
#include "platform/Services.h"

#include <QStringList>

namespace qv::wizard {

QString quorvexProgram()
{
    return platform::resolveInstalledProgram(platform::Folders::installFolder() + QStringLiteral("quorvex"));
}

QString questionListPath()
{
    return platform::resolveExistingPath(platform::Folders::installFolder()
                                         + QStringLiteral("Data/ENG/BusPlan/wizard-questions.txt"));
}

Handover handOverAnswers(const WizardAnswers &answers, const QString &folder)
{
    Handover result;
    const WrittenAnswers written =
        writeAnswerFile(folder.isEmpty() ? platform::Folders::tempFolder() : folder, answers);
    if (!written.error.isEmpty()) {
        result.error = written.error;
        return result;
    }
    result.answerFile = written.path;
    if (!platform::processes().startDetached(quorvexProgram(), {QStringLiteral("-q"), written.path},
                                             platform::Folders::installFolder())) {
        result.error = QStringLiteral("Quorvex could not be started from %1, so the plan was not made.\n"
                                      "Your answers are kept in %2.")
                           .arg(platform::Folders::installFolder(), written.path);
        return result;
    }
    result.done = true;
    return result;
}

namespace {
const QString kFromMenu = QStringLiteral("--from-menu");
const QString kFromPlan = QStringLiteral("--from-plan");
} // namespace

QStringList originArguments(const WizardOrigin &origin)
{
    switch (origin.place) {
    case WizardOrigin::Place::WelcomeMenu: return {kFromMenu};
    case WizardOrigin::Place::Plan: return {kFromPlan, origin.planPath};
    case WizardOrigin::Place::OpeningDialog: break;
    }
    return {};
}

WizardOrigin originFromArguments(const QStringList &arguments)
{
    WizardOrigin origin;
    if (arguments.contains(kFromMenu))
        origin.place = WizardOrigin::Place::WelcomeMenu;
    const qsizetype plan = arguments.indexOf(kFromPlan);
    if (plan >= 0 && plan + 1 < arguments.size() && !arguments.at(plan + 1).isEmpty()) {
        origin.place = WizardOrigin::Place::Plan;
        origin.planPath = arguments.at(plan + 1);
    }
    return origin;
}

bool returnToOrigin(const WizardOrigin &origin, PlanType type)
{
    switch (origin.place) {
    case WizardOrigin::Place::WelcomeMenu:
        return platform::processes().startDetached(quorvexProgram(), {QStringLiteral("-ns")},
                                                   platform::Folders::installFolder());
    case WizardOrigin::Place::Plan:
        return platform::processes().startDetached(quorvexProgram(), {QStringLiteral("-o"), origin.planPath},
                                                   platform::Folders::installFolder());
    case WizardOrigin::Place::OpeningDialog: break;
    }
    return returnToOpeningDialog(type);
}

bool returnToOpeningDialog(PlanType type)
{
    const QString option = type == PlanType::Business ? QStringLiteral("-b") : QStringLiteral("-m");
    return platform::processes().startDetached(quorvexProgram(), {option}, platform::Folders::installFolder());
}

} // namespace qv::wizard
