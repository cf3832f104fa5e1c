#include "core/check/WinningCheck.h"

#include "core/check/ResultLog.h"
#include "core/check/WinningTable.h"
#include "core/draw/TicketList.h"
#include "core/match/WinFinder.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace kelmora {
namespace {

// The bytes of one win beyond its number, label and ticket.
constexpr std::size_t kWinOverhead = 8 + 20 + 5 * 2;

constexpr std::string_view kWinEnd = "\r\n\r\n\r\n";

// The wins as log lines. The first goes through the log's entry rule (the user may have left
// the log without a final line break); after it the log ends with one, so every later win is
// the same block of complete lines.
void AppendWins(const TWinningTable& table, const TLineList& tickets, const std::vector<TCheckWin>& wins,
                TResultLog& log)
{
    std::size_t reportSize = 0;
    for (const TCheckWin& win : wins)
        reportSize += kWinOverhead + table.Numbers()[win.entry].size() + table.Labels()[win.entry].size() +
                      tickets[win.ticket].size();
    log.Reserve(reportSize);

    std::uint32_t headOf = UINT32_MAX;
    TByteString head;
    for (const TCheckWin& win : wins) {
        if (win.entry != headOf) {
            headOf = win.entry;
            SetWinHead(table, win.entry, head);
        }
        if (&win == wins.data()) {
            log.AppendEntry(TByteString(kWinningNumberText).append(table.Numbers()[win.entry]));
            log.AppendEntry(TByteString(table.Labels()[win.entry]).append(kWonTicketText));
            log.AppendEntry(tickets[win.ticket]);
            log.AppendLineBreakEntry();
            continue;
        }
        log.AppendPrepared(head);
        log.AppendPrepared(tickets[win.ticket]);
        log.AppendPrepared(kWinEnd);
    }
}

} // namespace

std::vector<TCheckWin> FindWins(const TWinningTable& table, const TLineList& tickets, std::uint64_t* untypedTickets)
{
    const TWinFinder finder(table.Numbers(), table.Rules(), tickets, table.Picks());
    if (untypedTickets != nullptr)
        *untypedTickets = finder.UntypedTickets();
    std::vector<TCheckWin> wins;
    std::size_t count = 0;
    for (std::size_t i = 0; i < table.Count(); ++i)
        count += finder.WinCount(i);
    wins.reserve(count);
    finder.ForEachWin([&](std::size_t entry, std::size_t ticket) {
        wins.push_back({static_cast<std::uint32_t>(entry), static_cast<std::uint32_t>(ticket)});
    });
    return wins;
}

void SetWinHead(const TWinningTable& table, std::size_t entry, TByteString& head)
{
    head.assign(kWinningNumberText);
    head.append(table.Numbers()[entry]).append(kCrLf);
    head.append(table.Labels()[entry]).append(kWonTicketText).append(kCrLf);
}

void AppendWinsToLog(const TCheckResult& result, TResultLog& log)
{
    AppendWins(result.Draw().winningTable, result.Tickets(), result.Wins(), log);
}

void RunCheck(const TWinningTable& table, const TTicketList& tickets, TResultLog& log)
{
    AppendWins(table, tickets.Entries(), FindWins(table, tickets.Entries()), log);
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
            if (s == w) {
                log.AppendEntry(TByteString(kWinningNumberText).append(s));
                log.AppendEntry(TByteString(table.Labels()[i]).append(kWonTicketText));
                log.AppendEntry(t);
                log.AppendLineBreakEntry();
            }
        }
    }
}

} // namespace kelmora
