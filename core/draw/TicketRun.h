#pragma once

#include "core/base/LineList.h"

#include <string_view>

namespace kelmora {

inline constexpr long kMaxRunCount = 100000;

// `count` ticket numbers from `first` on: its trailing decimal digits count up with carry,
// keeping their width, and what stands before them (組 and the like) is kept. Throws, adding
// nothing, when `first` has no trailing digit, the count is outside 1 to 100,000, or the run
// would need more digits than `first` has.
TLineList CountUpRun(std::string_view first, long count);

// The count as the user typed it: decimal digits only, 1 to 100,000.
long ParseRunCount(std::string_view text);

} // namespace kelmora
