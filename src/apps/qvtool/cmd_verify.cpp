// qvtool verify: whether a plan opens and every file it names is whole.

#include "apps/qvtool/Command.h"
#include "apps/qvtool/PlanDocument.h"

#include "composer/PlanCheck.h"
#include "plan/Plan.h"

namespace {

int verify(qvtool::Context &c)
{
    if (c.args.size() != 1) {
        c.err << "usage: qvtool verify PLAN\n";
        return 2;
    }
    qv::plan::Plan plan;
    if (!qvtool::openPlanDocument(c, "qvtool verify", c.args.at(0), plan))
        return 1;
    const QStringList problems = qv::composer::checkPlanFiles(plan);
    for (const QString &problem : problems)
        c.err << problem << '\n';
    return problems.isEmpty() ? 0 : 1;
}

const qvtool::CommandRegistration registration("verify", "verify PLAN", verify);

} // namespace
