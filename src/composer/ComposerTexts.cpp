#include "composer/ComposerTexts.h"

#include "platform/Application.h"
#include "resources/ResText.h"

#include <QFileInfo>

namespace qv::composer {

namespace {
constexpr int kComposerCaption = 383; // "Plan Composer"
}

QString composerTitle(const QString &documentPath)
{
    const QString name = QFileInfo(documentPath).completeBaseName();
    return GetResText(kComposerCaption) + QStringLiteral(" - ")
           + (name.isEmpty() ? platform::applicationTitle() : name);
}

QString ownSectionInstructions(const QString &sectionName)
{
    return QStringLiteral(
               "\"%1\" is a section of your own, so the template has no instructions for it.\n\n"
               "Write it as you would any other part of the plan:\n"
               "- Start with one or two sentences that say what the section is about and why it matters "
               "to the reader of the plan.\n"
               "- Give the facts and figures that support it, and say where they come from.\n"
               "- Keep to what a lender or investor needs to know; put long detail in an appendix.\n"
               "- End with what it means for the business: a decision, a cost, a risk or an opportunity.\n\n"
               "To rename the section, right-click it in the outline and choose Rename.")
        .arg(sectionName);
}

} // namespace qv::composer
