#pragma once

// The plan the compile tests export: every numbering rule, name rule and
// measurement rule meets one of its sections or tables.

#include "plan/Plan.h"

#include <QString>

#include <memory>

namespace qv::test {

// Writes the plan document "Bakery.bpl" and its folder "BakeryB" into
// `root` (table workbooks and section texts) and returns the saved plan.
std::unique_ptr<plan::Plan> makeCompileFixture(const QString &root);

// The checked-in files the fixture's export must equal byte for byte.
QString expectedExportFolder();

} // namespace qv::test
