#include "cli/SummaryWriter.h"

#include "cli/CheckedDraw.h"
#include "cli/OutputStream.h"
#include "core/PrizeAmount.h"

#include <string>

namespace kelmora::cli {

void TSummaryWriter::Begin(const TCheckedDraw& draw)
{
    draw_ = &draw;
    winsOfClass_.assign(draw.definition.classes.size(), 0);
}

void TSummaryWriter::Win(std::size_t entry, std::string_view)
{
    ++winsOfClass_[draw_->classOfEntry[entry]];
}

void TSummaryWriter::End()
{
    const auto& classes = draw_->definition.classes;
    std::uint64_t wins = 0;
    std::uint64_t total = 0;
    bool totalKnown = true;
    for (std::size_t c = 0; c < classes.size(); ++c) {
        out_.WriteText(classes[c].label);
        out_.Write("\t");
        out_.WriteText(classes[c].prize);
        out_.Write("\t");
        out_.Write(std::to_string(winsOfClass_[c]));
        out_.EndLine();
        wins += winsOfClass_[c];
        if (winsOfClass_[c] == 0 || !totalKnown)
            continue;
        const auto amount = ParsePrizeAmount(classes[c].prize);
        std::uint64_t won = 0;
        totalKnown = amount && !__builtin_mul_overflow(*amount, winsOfClass_[c], &won) &&
                     !__builtin_add_overflow(total, won, &total);
    }
    out_.WriteText("\x8D\x87\x8C\x76\t"); // 合計
    if (totalKnown)
        out_.WriteText(FormatYen(total));
    out_.Write("\t");
    out_.Write(std::to_string(wins));
    out_.EndLine();
}

} // namespace kelmora::cli
