#include "WinningCheck.h"

#include "ResultLog.h"
#include "SuffixIndex.h"
#include "TicketList.h"
#include "WinningTable.h"

#include <cstdint>

namespace kelmora {
namespace {

ByteString NumberLine(std::string_view number)
{
    return ByteString("\x93\x96\x91\x49\x94\xD4\x8D\x86").append(number); // 当選番号 in code page 932
}

ByteString LabelLine(std::string_view label)
{
    // に当選したクジの番号 in code page 932
    return ByteString(label).append("\x82\xC9\x93\x96\x91\x49\x82\xB5\x82\xBD\x83\x4E\x83\x57\x82\xCC\x94\xD4\x8D\x86");
}

void AppendWin(TResultLog& log, std::string_view numberLine, std::string_view labelLine,
               std::string_view ticket)
{
    log.AppendEntry(numberLine);
    log.AppendEntry(labelLine);
    log.AppendEntry(ticket);
    log.AppendLineBreakEntry();
}

} // namespace

void RunCheck(const TWinningTable& table, const TTicketList& tickets, TResultLog& log)
{
    if (table.Count() == 0 || tickets.Count() == 0)
        return;
    const TSuffixIndex index(table.Numbers());

    // One walk per ticket collects, per distinct winning number, the tickets ending in it,
    // already in ticket order; the report then follows table order.
    std::vector<std::vector<std::uint32_t>> winners(index.DistinctCount());
    const LineList& entries = tickets.Entries();
    for (std::size_t j = 0; j < entries.size(); ++j)
        index.ForEachSuffix(entries[j], [&](std::uint32_t id) {
            winners[id].push_back(static_cast<std::uint32_t>(j));
        });

    for (std::size_t i = 0; i < table.Count(); ++i) {
        const auto& won = winners[index.IdOf(i)];
        if (won.empty())
            continue;
        const ByteString numberLine = NumberLine(table.Numbers()[i]);
        const ByteString labelLine = LabelLine(table.Labels()[i]);
        for (const std::uint32_t j : won)
            AppendWin(log, numberLine, labelLine, entries[j]);
    }
}

void RunCheckPlain(const TWinningTable& table, const TTicketList& tickets, TResultLog& log)
{
    for (std::size_t i = 0; i < table.Count(); ++i) {
        const std::string_view w = table.Numbers()[i];
        for (std::size_t j = 0; j < tickets.Count(); ++j) {
            const std::string_view t = tickets.At(j);
            if (w.size() > t.size())
                continue;
            const std::string_view s = t.substr(t.size() - w.size());
            if (s == w)
                AppendWin(log, NumberLine(s), LabelLine(table.Labels()[i]), t);
        }
    }
}

} // namespace kelmora
