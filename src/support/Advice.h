#pragma once

#include <QString>

namespace qv::support
{

// The advice pop-ups that teach a feature the first time it is used. Kinds
// 1 to 3 remember "Do not show again" in the "Advise" settings section;
// any other kind has no setting and always shows.
enum AdviceKind : int
{
    WordWrapAdvice = 1,
    UnlockCellAdvice = 2,
    CompileAdvice = 3,
};

// The settings key of a kind ("WordWrap", "UnlockCell", "Compile"); empty
// for a kind without a setting.
QString adviceKey(int kind);
// False only when the user switched the kind's advice off; a missing key shows it.
bool isAdviceWanted(int kind);
// Stores the user's choice for a kind with a setting: "0" when it should
// not show again, "-1" otherwise.
void rememberAdvice(int kind, bool dontShowAgain);

// The texts the program's windows offer.
QString wordWrapAdvice();
QString unlockCellAdvice();
QString compileAdvice();

} // namespace qv::support
