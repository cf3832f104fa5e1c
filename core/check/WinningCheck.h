#pragma once

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

// What a check found, beyond the log's lines.
struct TCheckCounts {
    std::vector<std::uint64_t> winsOfClass; // by the table's class index, up to the last that won
    std::uint64_t winningTickets = 0;       // tickets that won at least once
    std::uint64_t untypedTickets = 0;       // tickets without the purchase type the typed classes need
};

// Appends every win to the log: grouped by winning number in table order, then in ticket
// order; a ticket ends in a winning number when its last bytes equal it, or as its class's
// kind of match says. Costs about one walk over each ticket's last bytes, not winning
// numbers x tickets.
TCheckCounts RunCheck(const TWinningTable& table, const TTicketList& tickets, TResultLog& log);

// The same result by comparing every pair's bytes, whatever the classes' kinds of match; kept
// as the reference for tests and benchmarks.
void RunCheckPlain(const TWinningTable& table, const TTicketList& tickets, TResultLog& log);

} // namespace kelmora
