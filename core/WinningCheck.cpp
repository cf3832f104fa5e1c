#include "core/WinningCheck.h"

#include "core/ResultLog.h"
#include "core/SuffixIndex.h"
#include "core/TicketList.h"
#include "core/WinningTable.h"

#include <cstdint>

namespace kelmora {
namespace {

// The bytes of one win beyond its number, label and ticket.
constexpr std::size_t kWinOverhead = 8 + 20 + 5 * 2;

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

using Winners = std::vector<std::vector<std::uint32_t>>;

void CollectWinnersPortable(const TSuffixIndex& index, const TLineList& tickets, Winners& winners)
{
    for (std::size_t j = 0; j < tickets.size(); ++j)
        index.ForEachSuffix(tickets[j], [&](std::uint32_t id) {
            winners[id].push_back(static_cast<std::uint32_t>(j));
        });
}

#if defined(__x86_64__) && defined(__GNUC__)
// The trie walk counts bits at every step; the CPU's own instruction makes the check about
// twice as fast where it exists, and the baseline build cannot assume it.
__attribute__((target("popcnt"), flatten)) void CollectWinnersPopcnt(const TSuffixIndex& index,
                                                                    const TLineList& tickets, Winners& winners)
{
    CollectWinnersPortable(index, tickets, winners);
}

void CollectWinners(const TSuffixIndex& index, const TLineList& tickets, Winners& winners)
{
    if (__builtin_cpu_supports("popcnt"))
        CollectWinnersPopcnt(index, tickets, winners);
    else
        CollectWinnersPortable(index, tickets, winners);
}
#else
void CollectWinners(const TSuffixIndex& index, const TLineList& tickets, Winners& winners)
{
    CollectWinnersPortable(index, tickets, winners);
}
#endif

} // namespace

void RunCheck(const TWinningTable& table, const TTicketList& tickets, TResultLog& log)
{
    if (table.Count() == 0 || tickets.Count() == 0)
        return;
    const TSuffixIndex index(table.Numbers());

    // One walk per ticket collects, per distinct winning number, the tickets ending in it,
    // already in ticket order; the report then follows table order.
    std::vector<std::vector<std::uint32_t>> winners(index.DistinctCount());
    const TLineList& entries = tickets.Entries();
    CollectWinners(index, entries, winners);

    std::size_t reportSize = 0;
    for (std::size_t i = 0; i < table.Count(); ++i)
        for (const std::uint32_t j : winners[index.IdOf(i)])
            reportSize += kWinOverhead + table.Numbers()[i].size() + table.Labels()[i].size() + entries[j].size();
    log.Reserve(reportSize);

    // The first win goes through the log's entry rule; after it the log ends with a line
    // break, so every later win is the same block of complete lines.
    bool first = true;
    for (std::size_t i = 0; i < table.Count(); ++i) {
        const auto& won = winners[index.IdOf(i)];
        if (won.empty())
            continue;
        const ByteString numberLine = NumberLine(table.Numbers()[i]);
        const ByteString labelLine = LabelLine(table.Labels()[i]);
        ByteString head = numberLine + "\r\n" + labelLine + "\r\n";
        for (const std::uint32_t j : won) {
            if (first) {
                AppendWin(log, numberLine, labelLine, entries[j]);
                first = false;
                continue;
            }
            log.AppendPrepared(head);
            log.AppendPrepared(entries[j]);
            log.AppendPrepared("\r\n\r\n\r\n");
        }
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
