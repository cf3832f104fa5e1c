#pragma once

#include "core/base/LineList.h"
#include "core/draw/LotteryDefinition.h"

#include <ctime>

namespace kelmora {

// What a check compared, kept so that its wins can be saved in another form afterwards,
// whatever the user changes in the lists meanwhile.
struct TLastCheck {
    TLotteryDefinition definition;
    TLineList tickets;
    std::time_t checkedAt = 0;
    bool won = false;
};

} // namespace kelmora
