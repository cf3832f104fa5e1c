#include "core/check/CheckState.h"

#include "core/draw/LotteryDefinition.h"
#include "core/check/WinningCheck.h"

#include <utility>

namespace kelmora {

void ApplyDefinition(const TLotteryDefinition& definition, TCheckState& state)
{
    TResultLog& log = state.resultLog;
    log.Clear();
    state.winningTable.Clear();
    state.classPrizes.clear();
    state.lastTotal.reset();

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
    for (std::size_t c = 0; c < definition.classes.size(); ++c) {
        const TPrizeClass& prizeClass = definition.classes[c];
        log.AppendEntry(prizeClass.label);
        log.AppendEntry(prizeClass.numbersText);
        log.AppendEntry(prizeClass.prize);
        log.AppendLineBreakEntry();
        state.classPrizes.push_back({prizeClass.label, prizeClass.prize});
        const auto classIndex = static_cast<std::uint32_t>(c);
        if (!prizeClass.Picks()) {
            for (const std::string_view number : prizeClass.numbers)
                state.winningTable.Add(number, prizeClass.label, prizeClass.rule, classIndex);
            continue;
        }
        // A count or lines class is one set of numbers, and its win shows them as written.
        if (prizeClass.rule == TMatchRule::Count || prizeClass.rule == TMatchRule::Lines) {
            state.winningTable.Add(prizeClass.numbersText, prizeClass.label, prizeClass.rule, classIndex);
            state.winningTable.AddPick(
                TPickClass(prizeClass.Kind(), prizeClass.type, prizeClass.numbers, prizeClass.bonus));
            continue;
        }
        for (const std::string_view number : prizeClass.numbers) {
            state.winningTable.Add(number, prizeClass.label, prizeClass.rule, classIndex);
            state.winningTable.AddPick(TPickClass(prizeClass.Kind(), prizeClass.type, TLineList{number}, {}));
        }
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
    const TCheckCounts counts = RunCheck(state.winningTable, state.ticketList, state.resultLog);
    TWinTotal total = TotalOfWins(state.classPrizes, counts.winsOfClass);
    total.winningTickets = counts.winningTickets;
    total.untypedTickets = counts.untypedTickets;
    state.lastTotal = std::move(total);
    return true;
}

} // namespace kelmora
