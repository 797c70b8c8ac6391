#pragma once

// Opening the plan document a command names, as the commands that work on
// a whole plan do.

#include "apps/qvtool/Command.h"

namespace qv::plan {
class Plan;
}

namespace qvtool {

// Opens the document into the plan; false, after saying why on the error
// stream (each line starting with `command` + ": "), when there is no such
// file or the plan library refuses it.
bool openPlanDocument(Context &c, const char *command, const QString &document, qv::plan::Plan &plan);

} // namespace qvtool
