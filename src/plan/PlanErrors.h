#pragma once

// The error numbers the plan library raises (as QvError).

#include "platform/Error.h"

namespace qv::plan {

using qv::QvError;

// Numbers shared with the Basic run-time the callers' messages follow.
inline constexpr long kInvalidArgument = 5;   // "Invalid procedure call or argument"
inline constexpr long kIndexOutOfRange = 9;   // "Subscript out of range"
// The library's own numbers.
inline constexpr long kDuplicateSectionName = 10001;
inline constexpr long kSaveFailed = 10002;
inline constexpr long kNoDocumentPath = 10003;

} // namespace qv::plan
