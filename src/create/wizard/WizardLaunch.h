#pragma once

// How a wizard hands over to Quorvex: the answers go to a file that
// "quorvex -q FILE" turns into a plan; a cancelled wizard takes the user
// back to the opening dialog of the plan type ("-b" or "-m").

#include "create/wizard/WizardAnswers.h"

#include <QString>

namespace qv::wizard {

// Quorvex in the wizard's own (install) folder.
QString quorvexProgram();

// The business-plan wizard's question list in the installed template library.
QString questionListPath();

struct Handover
{
    bool done = false;
    QString answerFile; // written, even when starting Quorvex failed
    QString error;      // for the user when not done
};

// Writes the answers into the folder (the user's temp folder unless told
// otherwise) and starts "quorvex -q FILE".
Handover handOverAnswers(const WizardAnswers &answers, const QString &folder = QString());

// Starts "quorvex -b" (business) or "quorvex -m" (marketing).
bool returnToOpeningDialog(PlanType type);

} // namespace qv::wizard
