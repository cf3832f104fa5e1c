#pragma once

#include "core/check/CheckState.h"
#include "core/draw/LotteryDefinition.h"
#include "core/text/PrizeAmount.h"

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace kelmora::report {

// A draw made ready for the check: the window's state after selecting it (the log's summary
// and the winning table), for each table entry the class it came from, and each class's
// prize as an amount.
struct TCheckedDraw {
    explicit TCheckedDraw(TLotteryDefinition loaded) : definition(std::move(loaded))
    {
        ApplyDefinition(definition, state);
        for (const TPrizeClass& prizeClass : definition.classes)
            amountOfClass.push_back(ParsePrizeAmount(prizeClass.prize));
    }
    // classOfEntry refers into this object's own state.
    TCheckedDraw(const TCheckedDraw&) = delete;
    TCheckedDraw& operator=(const TCheckedDraw&) = delete;
    ~TCheckedDraw() = default;

    TLotteryDefinition definition;
    TCheckState state;
    const std::vector<std::uint32_t>& classOfEntry = state.winningTable.ClassOf();
    std::vector<std::optional<std::uint64_t>> amountOfClass; // each class's prize in yen, if it is an amount
};

} // namespace kelmora::report
