#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelmora {

// The amount in yen of a prize as announced (code page 932), once full-width digits are read
// as ASCII and blanks dropped: Western digits with commas, optionally with 円 after or ¥/￥
// before (150,000,000円, ￥3,000), or Japanese groups of 億 and 万 with 千, 百 and 十 inside
// (7億円, 1億5千万円, 1億5000万円, 1,000万円, 3千円). Anything else, such as a prize in kind,
// gives nothing; so does an amount past 2^64 - 1.
std::optional<std::uint64_t> ParsePrizeAmount(std::string_view prize);

// 1234567 → "1,234,567円" in code page 932.
std::string FormatYen(std::uint64_t amount);

} // namespace kelmora
