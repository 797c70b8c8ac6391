#include "apps/qvtool/PlanDocument.h"

#include "plan/ModEnglish.h"
#include "plan/Plan.h"

#include <QFileInfo>

namespace qvtool {

bool openPlanDocument(Context &c, const char *command, const QString &document, qv::plan::Plan &plan)
{
    if (!QFileInfo(document).isFile()) {
        c.err << command << ": no such plan: " << document << '\n';
        return false;
    }
    plan.Initialise(QStringLiteral("B"), QStringLiteral("M"));
    plan.planInfo().setPlanType(qv::plan::ModEnglish::PlanTypeOfDocument(document));
    plan.setFilePath(document);
    if (!plan.Open()) {
        c.err << command << ": " << plan.lastError() << '\n';
        return false;
    }
    return true;
}

} // namespace qvtool
