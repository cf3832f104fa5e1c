#include "core/check/CheckState.h"

#include "core/check/WinningCheck.h"
#include "core/draw/LotteryDefinition.h"

#include <ctime>

namespace kelmora {

void ApplyDefinition(const TLotteryDefinition& definition, TCheckState& state)
{
    auto draw = std::make_shared<const TCheckedDraw>(definition);
    state.resultLog.SetText(draw->summary);
    state.draw = std::move(draw);
    state.lastResult.reset();
}

bool RunRequestedCheck(TCheckState& state)
{
    if (!state.CheckRequested)
        return false;
    // Cleared first: a check that fails must not be retried on every tick.
    state.CheckRequested = false;
    auto result = std::make_shared<const TCheckResult>(state.draw, state.ticketList.Snapshot(), std::time(nullptr));
    AppendWinsToLog(*result, state.resultLog);
    state.lastResult = std::move(result);
    return true;
}

} // namespace kelmora
