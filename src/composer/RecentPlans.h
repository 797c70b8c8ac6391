#pragma once

// Where a closed plan is handed to the recent-file list. The list itself
// (its settings and the File menu entries) belongs to the shell; until it
// registers, closing a plan records nothing.

#include <QString>

#include <functional>

namespace qv::composer {

using RecentPlanRecorder = std::function<void(const QString &planPath)>;

// Puts the plan at the head of the recent-file list.
void addToRecentPlans(const QString &planPath);
void setRecentPlanRecorder(RecentPlanRecorder recorder);

} // namespace qv::composer
