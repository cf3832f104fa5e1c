#pragma once

#include "core/CheckState.h"
#include "core/LotteryDefinition.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace kelmora::cli {

// A draw made ready for the check: the window's state after selecting it (the log's summary
// and the winning table) and, for each table entry, the class it came from.
struct TCheckedDraw {
    explicit TCheckedDraw(TLotteryDefinition loaded) : definition(std::move(loaded))
    {
        ApplyDefinition(definition, state);
        for (std::size_t c = 0; c < definition.classes.size(); ++c)
            classOfEntry.insert(classOfEntry.end(), definition.classes[c].numbers.size(),
                                static_cast<std::uint32_t>(c));
    }

    TLotteryDefinition definition;
    TCheckState state;
    std::vector<std::uint32_t> classOfEntry;
};

} // namespace kelmora::cli
