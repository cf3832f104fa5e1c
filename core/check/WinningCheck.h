#pragma once

#include "core/check/CheckResult.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace kelmora {

// What a win's lines say in the results log, in code page 932: 当選番号 before the winning
// number, に当選したクジの番号 after the class label.
inline constexpr std::string_view kWinningNumberText = "\x93\x96\x91\x49\x94\xD4\x8D\x86";
inline constexpr std::string_view kWonTicketText =
    "\x82\xC9\x93\x96\x91\x49\x82\xB5\x82\xBD\x83\x4E\x83\x57\x82\xCC\x94\xD4\x8D\x86";

class TWinningTable;
class TTicketList;
class TResultLog;

// Every win of `tickets` against `table`, in report order: grouped by winning number in table
// order, then in ticket order. A ticket ends in a winning number when its last bytes equal it,
// or as its class's kind of match says. The one producer of wins: every check and every report
// goes through it. Costs about one walk over each ticket's last bytes, not numbers x tickets.
// The classes checked by what a ticket picked pay each ticket at most once, by the first of
// them it matches; `untypedTickets`, where given, gets how many tickets those classes left
// unchecked for want of a purchase type.
std::vector<TCheckWin> FindWins(const TWinningTable& table, const TLineList& tickets,
                                std::uint64_t* untypedTickets = nullptr);

// The lines that open every win of winning-table entry `entry` in the results log: 当選番号 and
// the number, then the label and に当選したクジの番号, each with its line end. `head` is
// replaced, its room kept, for a writer that makes one for each winning number of 100,000.
void SetWinHead(const TWinningTable& table, std::size_t entry, TByteString& head);

// Appends the result's wins to the log, each as its number line, label line, ticket and two
// empty lines.
void AppendWinsToLog(const TCheckResult& result, TResultLog& log);

// The wins of `tickets` appended to the log as AppendWinsToLog does, for callers that hold a
// table of their own rather than a draw.
void RunCheck(const TWinningTable& table, const TTicketList& tickets, TResultLog& log);

// The same result by comparing every pair's bytes, whatever the classes' kinds of match; kept
// as the reference for tests and benchmarks.
void RunCheckPlain(const TWinningTable& table, const TTicketList& tickets, TResultLog& log);

} // namespace kelmora
