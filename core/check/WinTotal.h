#pragma once

#include "core/base/ByteString.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kelmora {

struct TLotteryDefinition;

// What a check's wins come to.
struct TWinTotal {
    std::uint64_t wins = 0;           // wins, a ticket counted once per class it won
    std::uint64_t winningTickets = 0; // tickets that won at least once
    // The prizes that are amounts, in yen; nothing when the sum passes 2^64 - 1.
    std::optional<std::uint64_t> amount = 0;
    std::vector<std::size_t> leftOut; // classes that won a prize that is no amount
};

// The total of `winsOfClass[c]` wins of each class c, each paid `amountOfClass[c]` (nothing:
// a prize that is no amount, left out).
TWinTotal TotalOfWins(const std::vector<std::optional<std::uint64_t>>& amountOfClass,
                      const std::vector<std::uint64_t>& winsOfClass);

// The line shown below the window's results, in code page 932:
// 当選 3 枚　合計 850,100,300円, then the classes left out of the amount.
TByteString WinTotalLine(const TWinTotal& total, const TLotteryDefinition& definition);

} // namespace kelmora
