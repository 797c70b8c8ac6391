#pragma once

#include <QString>

namespace qv::platform {

// The path separator of every folder constant.
inline constexpr QChar kSeparator = QLatin1Char('/');

// The folder with exactly one trailing separator.
QString withTrailingSeparator(const QString &folder);

// The folder and a name joined by exactly one separator.
QString joinPath(const QString &folder, const QString &name);

// Names the program builds ("TBL0503" for "Tbl0503.vts", "help" for "Help")
// are matched to what exists without regard to case, component by component.
// Returns the existing path as the file system spells it, or the path as
// given when nothing matches (a new file takes the name as built).
QString resolveExistingPath(const QString &path);

// True when the path names an existing file or folder, compared without
// regard to case.
bool existsIgnoringCase(const QString &path);

} // namespace qv::platform
