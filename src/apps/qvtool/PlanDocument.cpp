#include "apps/qvtool/PlanDocument.h"

#include "plan/PlanRules.h"
#include "plan/Plan.h"
#include "plan/PlanReplacement.h"

#include <QFileInfo>

namespace qvtool {

bool openPlanDocument(Context &c, const char *command, const QString &document, qv::plan::Plan &plan)
{
    if (const QString unfinished = qv::plan::finishInterruptedReplacement(document); !unfinished.isEmpty())
        c.err << command << ": " << unfinished << '\n';
    if (!QFileInfo(document).isFile()) {
        c.err << command << ": no such plan: " << document << '\n';
        return false;
    }
    qv::plan::initialisePlanLetters(plan);
    plan.planInfo().setPlanType(qv::plan::planTypeOfPath(document));
    plan.setFilePath(document);
    if (!plan.Open()) {
        c.err << command << ": " << plan.lastError() << '\n';
        return false;
    }
    return true;
}

} // namespace qvtool
