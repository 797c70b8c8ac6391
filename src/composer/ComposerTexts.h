#pragma once

// Texts the composer shows that depend on the open plan.

#include <QString>

namespace qv::composer {

// The window title: resource 1383 ("Plan Composer") and the name of the
// open plan's document ("Plan Composer - Rosie's Corner Bakery"); with no
// plan open, the application title instead.
QString composerTitle(const QString &documentPath);

// The instructions shown beside a section the user added, which has none of
// its own in the template library.
QString ownSectionInstructions(const QString &sectionName);

} // namespace qv::composer
