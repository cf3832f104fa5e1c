#include "report/ReportWriter.h"

namespace kelmora::report {

void WriteReport(const TCheckResult& result, const std::vector<std::unique_ptr<TReportWriter>>& writers)
{
    for (const auto& writer : writers)
        writer->Begin(result);
    const auto visit = [&](const TCheckWin& win) {
        for (const auto& writer : writers)
            writer->Win(win);
    };
    // Wins come by winning number, so the tickets they show lie all over the list: each is
    // asked for some wins ahead, its span before its bytes.
    constexpr std::size_t kAhead = 16;
    const std::vector<TCheckWin>& wins = result.Wins();
    const TLineList& tickets = result.Tickets();
    std::size_t i = 0;
    for (; i + 2 * kAhead < wins.size(); ++i) {
        tickets.PrefetchSpan(wins[i + 2 * kAhead].ticket);
        tickets.PrefetchBytes(wins[i + kAhead].ticket);
        visit(wins[i]);
    }
    for (; i < wins.size(); ++i)
        visit(wins[i]);
    for (const auto& writer : writers)
        writer->End();
}

} // namespace kelmora::report
