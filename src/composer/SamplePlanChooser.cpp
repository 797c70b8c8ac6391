#include "composer/SamplePlanChooser.h"

namespace qv::composer {

namespace {

SamplePlanChooser &registered()
{
    static SamplePlanChooser chooser;
    return chooser;
}

} // namespace

void setSamplePlanChooser(SamplePlanChooser chooser)
{
    registered() = std::move(chooser);
}

bool hasSamplePlanChooser()
{
    return bool(registered());
}

void showSamplePlanChooser(int planType, QWidget *owner)
{
    if (const SamplePlanChooser &chooser = registered())
        chooser(planType, owner);
}

} // namespace qv::composer
