#include "shell/CurrentPlan.h"
#include "plan/PlanRules.h"

#include <memory>

namespace qv::shell
{

namespace
{
std::unique_ptr<plan::Plan> g_currentPlan;

plan::Plan &createInitialisedPlan()
{
    g_currentPlan = std::make_unique<plan::Plan>();
    plan::initialisePlanLetters(*g_currentPlan);
    return *g_currentPlan;
}
} // namespace

plan::Plan *currentPlan()
{
    return g_currentPlan.get();
}

plan::Plan &ensureCurrentPlan()
{
    if (g_currentPlan)
        return *g_currentPlan;
    return createInitialisedPlan();
}

plan::Plan &replaceCurrentPlan()
{
    return createInitialisedPlan();
}

plan::Plan &adoptCurrentPlan(std::unique_ptr<plan::Plan> plan)
{
    if (!plan)
        return ensureCurrentPlan();
    g_currentPlan = std::move(plan);
    return *g_currentPlan;
}

void releaseCurrentPlan()
{
    g_currentPlan.reset();
}

} // namespace qv::shell
