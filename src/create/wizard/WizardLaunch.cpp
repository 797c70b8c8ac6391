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

bool returnToOpeningDialog(PlanType type)
{
    const QString option = type == PlanType::Business ? QStringLiteral("-b") : QStringLiteral("-m");
    return platform::processes().startDetached(quorvexProgram(), {option}, platform::Folders::installFolder());
}

} // namespace qv::wizard
