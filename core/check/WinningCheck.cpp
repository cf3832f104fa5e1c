#include "core/check/WinningCheck.h"

#include "core/check/ResultLog.h"
#include "core/draw/TicketList.h"
#include "core/match/WinFinder.h"
#include "core/check/WinningTable.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace kelmora {
namespace {

// The bytes of one win beyond its number, label and ticket.
constexpr std::size_t kWinOverhead = 8 + 20 + 5 * 2;

TByteString NumberLine(std::string_view number)
{
    return TByteString(kWinningNumberText).append(number);
}

TByteString LabelLine(std::string_view label)
{
    return TByteString(label).append(kWonTicketText);
}

void AppendWin(TResultLog& log, std::string_view numberLine, std::string_view labelLine, std::string_view ticket)
{
    log.AppendEntry(numberLine);
    log.AppendEntry(labelLine);
    log.AppendEntry(ticket);
    log.AppendLineBreakEntry();
}

} // namespace

TCheckCounts RunCheck(const TWinningTable& table, const TTicketList& tickets, TResultLog& log)
{
    const TLineList& entries = tickets.Entries();
    const TWinFinder wins(table.Numbers(), table.Rules(), entries, table.Picks());

    TCheckCounts counts;
    std::vector<bool> won;
    std::size_t reportSize = 0;
    wins.ForEachWin([&](std::size_t i, std::size_t j) {
        reportSize += kWinOverhead + table.Numbers()[i].size() + table.Labels()[i].size() + entries[j].size();
        const std::size_t c = table.ClassOf()[i];
        if (c >= counts.winsOfClass.size())
            counts.winsOfClass.resize(c + 1);
        ++counts.winsOfClass[c];
        if (won.empty())
            won.resize(entries.size());
        if (!won[j]) {
            won[j] = true;
            ++counts.winningTickets;
        }
    });
    counts.untypedTickets = wins.UntypedTickets();
    log.Reserve(reportSize);

    // The first win goes through the log's entry rule; after it the log ends with a line
    // break, so every later win is the same block of complete lines.
    bool first = true;
    std::size_t headOf = SIZE_MAX;
    TByteString numberLine;
    TByteString labelLine;
    TByteString head;
    wins.ForEachWin([&](std::size_t i, std::size_t j) {
        if (i != headOf) {
            headOf = i;
            numberLine = NumberLine(table.Numbers()[i]);
            labelLine = LabelLine(table.Labels()[i]);
            head = numberLine + "\r\n" + labelLine + "\r\n";
        }
        if (first) {
            AppendWin(log, numberLine, labelLine, entries[j]);
            first = false;
            return;
        }
        log.AppendPrepared(head);
        log.AppendPrepared(entries[j]);
        log.AppendPrepared("\r\n\r\n\r\n");
    });
    return counts;
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
