#include "core/check/WinTotal.h"

#include "core/draw/LotteryDefinition.h"
#include "core/text/PrizeAmount.h"

#include <string>

namespace kelmora {

TWinTotal TotalOfWins(const std::vector<std::optional<std::uint64_t>>& amountOfClass,
                      const std::vector<std::uint64_t>& winsOfClass)
{
    TWinTotal total;
    for (std::size_t c = 0; c < amountOfClass.size() && c < winsOfClass.size(); ++c) {
        const std::uint64_t wins = winsOfClass[c];
        total.wins += wins;
        if (wins == 0)
            continue;
        const auto& prize = amountOfClass[c];
        if (!prize) {
            total.leftOut.push_back(c);
            continue;
        }
        std::uint64_t won = 0;
        if (total.amount &&
            (__builtin_mul_overflow(*prize, wins, &won) || __builtin_add_overflow(*total.amount, won, &*total.amount)))
            total.amount.reset();
    }
    return total;
}

TByteString WinTotalLine(const TWinTotal& total, const TLotteryDefinition& definition)
{
    // 当選 N 枚　合計 X円（L1、L2 は金額でないため合計に含みません）
    TByteString line =
        "\x93\x96\x91\x49 " + std::to_string(total.winningTickets) + " \x96\x87\x81\x40\x8D\x87\x8C\x76 ";
    line += total.amount ? FormatYen(*total.amount) : TByteString("\x81\x48"); // ？ when it cannot be summed
    if (total.leftOut.empty())
        return line;
    line += "\x81\x69";
    for (std::size_t k = 0; k < total.leftOut.size(); ++k) {
        if (k > 0)
            line += "\x81\x41";
        line += definition.classes[total.leftOut[k]].label;
    }
    line += " \x82\xCD\x8B\xE0\x8A\x7A\x82\xC5\x82\xC8\x82\xA2\x82\xBD\x82\xDF\x8D\x87\x8C\x76\x82\xC9\x8A\xDC\x82\xDD"
            "\x82\xDC\x82\xB9\x82\xF1\x81\x6A";
    return line;
}

} // namespace kelmora
