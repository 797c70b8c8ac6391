#pragma once

// The sample-plan chooser that File, Open, Sample Plan shows. The chooser
// belongs to the opening dialog's windows, which the composer does not
// link; the program registers it, and until then the command is disabled.

#include <functional>

class QWidget;

namespace qv::composer {

// Shows the chooser for the plan type (0 business, 1 marketing) modally
// over the owner.
using SamplePlanChooser = std::function<void(int planType, QWidget *owner)>;

void setSamplePlanChooser(SamplePlanChooser chooser);
bool hasSamplePlanChooser();
// Shows the registered chooser; nothing when none is registered.
void showSamplePlanChooser(int planType, QWidget *owner);

} // namespace qv::composer
