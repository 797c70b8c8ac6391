#include "composer/RecentPlans.h"

namespace qv::composer {

namespace {
RecentPlanRecorder &recorder()
{
    static RecentPlanRecorder current;
    return current;
}
} // namespace

void addToRecentPlans(const QString &planPath)
{
    if (recorder() && !planPath.isEmpty())
        recorder()(planPath);
}

void setRecentPlanRecorder(RecentPlanRecorder recorder_)
{
    recorder() = std::move(recorder_);
}

} // namespace qv::composer
