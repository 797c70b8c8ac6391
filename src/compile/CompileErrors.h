#pragma once

// Error numbers the compile area raises, as the program's other areas
// number the same failures.

namespace qv::compile {

inline constexpr long kFileNotFound = 53;
inline constexpr long kPermissionDenied = 70;
inline constexpr long kPathFileAccessError = 75;
inline constexpr long kPathNotFound = 76;

} // namespace qv::compile
