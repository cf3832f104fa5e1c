#pragma once

#include "core/base/ByteString.h"
#include "core/check/WinningTable.h"
#include "core/draw/LotteryDefinition.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kelmora {

// A draw made ready for the check: its classes, every winning number beside its class, each
// class's prize as an amount, and the results log's opening for it. Read once per draw and
// shared, unchanged, by the window, the check and every result made with it.
struct TCheckedDraw {
    TCheckedDraw() = default;
    explicit TCheckedDraw(TLotteryDefinition loaded);

    TLotteryDefinition definition;
    TWinningTable winningTable;
    std::vector<std::optional<std::uint64_t>> amountOfClass; // each class's prize in yen, if it is an amount
    TByteString summary; // the draw's name, each class's label, numbers and prize, then a rule
};

} // namespace kelmora
