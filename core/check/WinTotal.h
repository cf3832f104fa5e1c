#pragma once

#include "core/base/ByteString.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace kelmora {

// 買い方のないクジ in code page 932: the tickets a ナンバーズ draw's typed classes left unchecked.
inline constexpr std::string_view kUntypedTicketsText = "\x94\x83\x82\xA2\x95\xFB\x82\xCC\x82\xC8\x82\xA2\x83\x4E\x83\x57";

struct TLotteryDefinition;

// What a check's wins come to.
struct TWinTotal {
    std::uint64_t wins = 0;           // wins, a ticket counted once per class it won
    std::uint64_t winningTickets = 0; // tickets that won at least once
    // The prizes that are amounts, in yen; nothing when the sum passes 2^64 - 1.
    std::optional<std::uint64_t> amount = 0;
    std::vector<std::size_t> leftOut; // classes that won a prize that is no amount
    std::uint64_t untypedTickets = 0; // tickets the typed classes left unchecked for want of a purchase type
};

// The total of `winsOfClass[c]` wins of each class c, each paid `amountOfClass[c]` (nothing:
// a prize that is no amount, left out).
TWinTotal TotalOfWins(const std::vector<std::optional<std::uint64_t>>& amountOfClass,
                      const std::vector<std::uint64_t>& winsOfClass);

// The line shown below the window's results, in code page 932:
// 当選 3 枚　合計 850,100,300円, then the classes left out of the amount, then the tickets left
// unchecked for want of a purchase type (　買い方のないクジ 2 枚).
TByteString WinTotalLine(const TWinTotal& total, const TLotteryDefinition& definition);

} // namespace kelmora
