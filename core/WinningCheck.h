#pragma once

namespace kelmora {

class TWinningTable;
class TTicketList;
class TResultLog;

// Appends every win to the log: grouped by winning number in table order, then in ticket
// order; a ticket ends in a winning number when its last bytes equal it. Costs about one
// walk over each ticket's last bytes, not winning numbers x tickets.
void RunCheck(const TWinningTable& table, const TTicketList& tickets, TResultLog& log);

// The same result by comparing every pair; kept as the reference for tests and benchmarks.
void RunCheckPlain(const TWinningTable& table, const TTicketList& tickets, TResultLog& log);

} // namespace kelmora
