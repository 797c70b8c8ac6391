#pragma once

#include "plan/Plan.h"

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

// Ends the current plan (the composer's Exit).
void releaseCurrentPlan();

} // namespace qv::shell
