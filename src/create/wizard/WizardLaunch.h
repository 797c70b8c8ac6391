#pragma once

// How a wizard hands over to Quorvex: the answers go to a file that
// "quorvex -q FILE" turns into a plan; a cancelled wizard takes the user
// back to the opening dialog of the plan type ("-b" or "-m").

#include "create/wizard/WizardAnswers.h"

#include <QString>
#include <QStringList>

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

// Where the user started a wizard, so that Cancel takes them back there:
// the opening dialog of the plan type (the default), the welcome menu, or
// the plan that was open in the composer.
struct WizardOrigin
{
    enum class Place { OpeningDialog, WelcomeMenu, Plan };
    Place place = Place::OpeningDialog;
    QString planPath; // for Place::Plan
};

// The wizard program's arguments that name the origin ("--from-menu",
// "--from-plan PATH"; none for the opening dialog), and back.
QStringList originArguments(const WizardOrigin &origin);
WizardOrigin originFromArguments(const QStringList &arguments);

// Starts "quorvex -b" (business) or "quorvex -m" (marketing).
bool returnToOpeningDialog(PlanType type);
// Starts Quorvex where the user came from: "-b"/"-m", "-ns" for the
// welcome menu, "-o PATH" for the plan.
bool returnToOrigin(const WizardOrigin &origin, PlanType type);

} // namespace qv::wizard
