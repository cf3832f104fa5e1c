#pragma once

#include "core/base/LineList.h"

#include <string_view>

namespace kelmora {

inline constexpr long kMaxRunCount = 100000;

namespace messages {
// The first and the last 番号 of a jumbo's 組.
inline constexpr std::string_view kRunPastJumboNumbers = "連番がジャンボの番号の範囲 (%s から %s まで) を超えます";
inline constexpr std::string_view kRunCount = "枚数は 1 から %s までの数で指定してください";
inline constexpr std::string_view kRunPastDigits = "連番が末尾の数字の桁数 (%s 桁) に収まりません";
} // namespace messages

// `count` ticket numbers from `first` on: its trailing decimal digits count up with carry,
// keeping their width, and what stands before them (組 and the like) is kept. Throws, adding
// nothing, when `first` has no trailing digit, the count is outside 1 to 100,000, or the run
// would need more digits than `first` has, or `first` is a jumbo's (組 and six digits from 100000)
// and the run would pass 199999.
TLineList CountUpRun(std::string_view first, long count);

// The count as the user typed it: decimal digits only, 1 to 100,000.
long ParseRunCount(std::string_view text);

} // namespace kelmora
