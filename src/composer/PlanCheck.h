#pragma once

// Whether a plan's files are whole: every table and section text it names
// reads (and the working copy beside it, if any), and every link from one
// table to another names a table of the plan. Used after a crash and by
// `qvtool verify`.

#include <QStringList>

namespace qv::plan {
class Plan;
}

namespace qv::composer {

// One line per problem, naming the file; empty when the plan is whole. A
// file the plan names that does not exist is a problem too.
QStringList checkPlanFiles(const plan::Plan &plan);

} // namespace qv::composer
