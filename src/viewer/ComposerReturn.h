#pragma once

// The way back from a compiled plan to the plan it was compiled from, in the
// Plan Composer.

#include <QString>

namespace qv::viewer {

// The Plan Composer of this installation ("quorvex" in the install
// folder), or empty text when it is not there.
QString composerProgram();

// The plan document a compiled plan belongs to: the compiler writes into
// the plan folder, so it is the document beside that folder ("My
// Plans/Acme.bpl" for "My Plans/AcmeB/Acme.pdf"); empty when there is none.
QString planOfCompiledFile(const QString &compiledPlan);

// Starts the Plan Composer on the plan document ("quorvex -o PLAN"); false
// when there is no composer or it does not start.
bool startComposerOn(const QString &planDocument);

} // namespace qv::viewer
