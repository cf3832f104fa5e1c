#include "core/CheckState.h"

#include "core/LotteryDefinition.h"
#include "core/WinningCheck.h"

namespace kelmora {

void ApplyDefinition(const TLotteryDefinition& definition, TCheckState& state)
{
    TResultLog& log = state.resultLog;
    log.Clear();
    state.winningTable.Clear();

    // A draw may hold 100,000 numbers: room for them all at once instead of copies as they come.
    std::size_t entries = 0;
    std::size_t numberBytes = 0;
    std::size_t labelBytes = 0;
    std::size_t summaryBytes = definition.eventName.size() + 64;
    for (const TPrizeClass& prizeClass : definition.classes) {
        entries += prizeClass.numbers.size();
        numberBytes += prizeClass.numbers.ByteSize();
        labelBytes += prizeClass.numbers.size() * prizeClass.label.size();
        summaryBytes += prizeClass.label.size() + prizeClass.numbersText.size() + prizeClass.prize.size() + 16;
    }
    state.winningTable.Reserve(entries, numberBytes, labelBytes);
    log.Reserve(summaryBytes);

    log.AppendEntry(definition.eventName);
    log.AppendLineBreakEntry();
    for (const TPrizeClass& prizeClass : definition.classes) {
        log.AppendEntry(prizeClass.label);
        log.AppendEntry(prizeClass.numbersText);
        log.AppendEntry(prizeClass.prize);
        log.AppendLineBreakEntry();
        for (const std::string_view number : prizeClass.numbers)
            state.winningTable.Add(number, prizeClass.label);
    }
    log.AppendEntry("----------------------");
    log.AppendLineBreakEntry();
}

bool RunRequestedCheck(TCheckState& state)
{
    if (!state.CheckRequested)
        return false;
    // Cleared first: a check that fails must not be retried on every tick.
    state.CheckRequested = false;
    RunCheck(state.winningTable, state.ticketList, state.resultLog);
    return true;
}

} // namespace kelmora
