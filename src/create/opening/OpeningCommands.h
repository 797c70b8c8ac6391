#pragma once

// What the opening dialog's commands do, apart from its window: the wizard
// program of each plan type, the open-plan file request, the sample plan
// looked up for a choice, and the hand-over of a plan to the composer.

#include "platform/Services.h"
#include "plan/PlanInfo.h"

#include <QString>

#include <functional>

namespace qv::create
{

// The wizard program that starts a new plan of the type: "pwiz_mi.exe" for a
// business plan, "pwiz_mp.exe" for a marketing plan.
QString wizardProgramName(int planType);
// That program in the install folder, as this platform spells it.
QString wizardProgramPath(int planType);
// Starts it shown normally; a failure to start is ignored, as the user is
// left with the wizard's own messages or none.
void startWizardProgram(int planType);

// The file dialog's request for opening a plan of the type.
platform::FileRequest openPlanRequest(int planType);

// The file the user chose in that dialog; a name typed without an extension
// that names no file gets the plan type's extension, "bpl" or "mpl".
QString withPlanExtension(const QString &fileName, int planType);

// A sample plan: the plan type, the kind and, for a business plan, new or
// existing business, and the viewer's extension.
QString samplePlanPath(int planType, int businessKind, bool newBusiness, const QString &extension);

// The composer's way in: it opens the plan file, shows itself and returns
// true, or returns false when the plan could not be opened. The composer
// fills it when it is part of the build.
using PlanOpener = std::function<bool(const QString &planFile)>;
void setPlanOpener(PlanOpener opener);
bool hasPlanOpener();

// Opening a plan from the opening dialog: the current plan takes the path and
// the composer opens it. Returns true when the composer took over; without a
// composer in the build the user is told so and false is returned.
bool openPlanInComposer(const QString &planFile);

} // namespace qv::create
