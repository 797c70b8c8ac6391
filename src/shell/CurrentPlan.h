#pragma once

#include "plan/Plan.h"

#include <memory>

namespace qv::shell
{

// The one current plan of the program. It lives from start-up to exit;
// whoever needs it and finds it missing creates it, always followed at once
// by the library's initialisation with the plan-type letters.

// The current plan, or nullptr when there is none.
plan::Plan *currentPlan();

// The current plan, created and initialised when missing.
plan::Plan &ensureCurrentPlan();

// Throws the current plan away and puts a fresh, initialised one in its place.
plan::Plan &replaceCurrentPlan();

// Makes an already opened plan the current one (the composer opens a
// document into a fresh plan and keeps the old one until that succeeds).
plan::Plan &adoptCurrentPlan(std::unique_ptr<plan::Plan> plan);
// Ends the current plan (the composer's Exit).
void releaseCurrentPlan();

} // namespace qv::shell
