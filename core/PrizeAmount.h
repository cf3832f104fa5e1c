#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelmora {

// The amount in yen of a prize written as a plain amount (code page 932): ASCII digits, commas
// between digit groups allowed, then 円, 万円 or 億円, or nothing (yen). Anything else, such
// as a prize in kind or a description, gives nothing; so does an amount past 2^64 - 1.
std::optional<std::uint64_t> ParsePrizeAmount(std::string_view prize);

// 1234567 → "1,234,567円" in code page 932.
std::string FormatYen(std::uint64_t amount);

} // namespace kelmora
