#include "core/check/CheckedDraw.h"

#include "core/check/ResultLog.h"
#include "core/text/PrizeAmount.h"

#include <utility>

namespace kelmora {

TCheckedDraw::TCheckedDraw(TLotteryDefinition loaded) : definition(std::move(loaded))
{
    // A draw may hold 100,000 numbers: room for them all at once instead of copies as they come.
    std::size_t entries = 0;
    std::size_t numberBytes = 0;
    std::size_t labelBytes = 0;
    std::size_t summaryBytes = definition.eventName.size() + 64;
    for (const TPrizeClass& prizeClass : definition.classes) {
        entries += prizeClass.numbers.size();
        numberBytes += prizeClass.numbers.ByteSize();
        labelBytes +=
            prizeClass.Picks() ? prizeClass.numbers.size() * prizeClass.label.size() : prizeClass.label.size();
        summaryBytes += prizeClass.label.size() + prizeClass.numbersText.size() + prizeClass.prize.size() + 16;
    }
    winningTable.Reserve(entries, numberBytes, labelBytes);
    amountOfClass.reserve(definition.classes.size());

    TResultLog log;
    log.Clear();
    log.Reserve(summaryBytes);
    log.AppendEntry(definition.eventName);
    log.AppendLineBreakEntry();
    for (std::size_t c = 0; c < definition.classes.size(); ++c) {
        const TPrizeClass& prizeClass = definition.classes[c];
        log.AppendEntry(prizeClass.label);
        log.AppendEntry(prizeClass.numbersText);
        log.AppendEntry(prizeClass.prize);
        log.AppendLineBreakEntry();
        amountOfClass.push_back(ParsePrizeAmount(prizeClass.prize));
        const auto classIndex = static_cast<std::uint32_t>(c);
        if (!prizeClass.Picks()) {
            winningTable.AddClass(prizeClass.numbers, prizeClass.label, prizeClass.rule, classIndex);
            continue;
        }
        // A count or lines class is one set of numbers, and its win shows them as written.
        if (prizeClass.rule == TMatchRule::Count || prizeClass.rule == TMatchRule::Lines) {
            winningTable.Add(prizeClass.numbersText, prizeClass.label, prizeClass.rule, classIndex);
            winningTable.AddPick(TPickClass(prizeClass.Kind(), prizeClass.type, prizeClass.numbers, prizeClass.bonus));
            continue;
        }
        for (const std::string_view number : prizeClass.numbers) {
            winningTable.Add(number, prizeClass.label, prizeClass.rule, classIndex);
            winningTable.AddPick(TPickClass(prizeClass.Kind(), prizeClass.type, TLineList{number}, {}));
        }
    }
    log.AppendEntry("----------------------");
    log.AppendLineBreakEntry();
    summary = log.Text();
}

} // namespace kelmora
