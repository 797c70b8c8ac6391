#pragma once

// What tells the two plan types apart wherever a plan is named: the letters
// the library is initialised with, the documents' extensions, the file
// dialogs' filters, and the type an opened document has.

#include "plan/ModEnglish.h"
#include "plan/PlanInfo.h"

#include <QString>

namespace qv::plan {

class Plan;

// The letters of the plan types (ModEnglish::kBusinessPlanLetter and
// kMarketingPlanLetter) end the plan folder's name and the last-plan
// settings keys ("Last_B_File"): "B" for a business plan, "M" for any other
// type.
QString planTypeLetter(int planType);

// The plan documents' extensions, without the dot.
inline constexpr char kBusinessPlanExtension[] = "bpl";
inline constexpr char kMarketingPlanExtension[] = "mpl";
QString planExtension(int planType);

// The plan type an opened document has: marketing when its path ends in
// "mpl" (any case), business otherwise.
int planTypeOfPath(const QString &path);

// The file dialogs' filters: "Business Plan Files (*.bpl)|*.bpl" or
// "Marketing Plan Files (*.mpl)|*.mpl", and both types at once.
QString planFileFilter(int planType);
QString anyPlanFileFilter();

// Tells the library the letters of the two plan types, as every new plan
// needs before use.
void initialisePlanLetters(Plan &plan);

} // namespace qv::plan
