// qvtool verify: whether a plan opens and every file it names is whole.

#include "apps/qvtool/Command.h"

#include "composer/PlanCheck.h"
#include "plan/ModEnglish.h"
#include "plan/Plan.h"
#include "plan/PlanRules.h"

namespace {

using namespace qv::plan;

int verify(qvtool::Context &c)
{
    if (c.args.size() != 1) {
        c.err << "usage: qvtool verify PLAN\n";
        return 2;
    }
    Plan plan;
    initialisePlanLetters(plan);
    plan.planInfo().setPlanType(ModEnglish::PlanTypeOfDocument(c.args.at(0)));
    plan.setFilePath(c.args.at(0));
    if (!plan.Open()) {
        c.err << plan.lastError() << '\n';
        return 1;
    }
    const QStringList problems = qv::composer::checkPlanFiles(plan);
    for (const QString &problem : problems)
        c.err << problem << '\n';
    return problems.isEmpty() ? 0 : 1;
}

const qvtool::CommandRegistration registration("verify", "verify PLAN", verify);

} // namespace
