#include "cli/SummaryWriter.h"

#include "cli/CheckedDraw.h"
#include "cli/OutputStream.h"
#include "core/PrizeAmount.h"

#include <string>

namespace kelmora::cli {

void TSummaryWriter::Started()
{
    winsOfClass_.assign(Draw().definition.classes.size(), 0);
}

void TSummaryWriter::Win(std::size_t entry, std::string_view)
{
    ++winsOfClass_[Draw().classOfEntry[entry]];
}

void TSummaryWriter::End()
{
    const auto& classes = Draw().definition.classes;
    std::uint64_t wins = 0;
    std::uint64_t total = 0;
    bool totalKnown = true;
    for (std::size_t c = 0; c < classes.size(); ++c) {
        Out().WriteText(classes[c].label);
        Out().Write("\t");
        Out().WriteText(classes[c].prize);
        Out().Write("\t");
        Out().Write(std::to_string(winsOfClass_[c]));
        Out().EndLine();
        wins += winsOfClass_[c];
        if (winsOfClass_[c] == 0 || !totalKnown)
            continue;
        const auto amount = ParsePrizeAmount(classes[c].prize);
        std::uint64_t won = 0;
        totalKnown = amount && !__builtin_mul_overflow(*amount, winsOfClass_[c], &won) &&
            !__builtin_add_overflow(total, won, &total);
    }
    Out().WriteText("\x8D\x87\x8C\x76\t"); // 合計
    if (totalKnown)
        Out().WriteText(FormatYen(total));
    Out().Write("\t");
    Out().Write(std::to_string(wins));
    Out().EndLine();
}

} // namespace kelmora::cli
