#pragma once

#include "core/check/ResultLog.h"
#include "core/draw/TicketList.h"
#include "core/check/WinTotal.h"
#include "core/check/WinningTable.h"

#include <optional>
#include <vector>

namespace kelmora {

struct TLotteryDefinition;

// The state the main window owns for the whole run.
struct TCheckState {
    TWinningTable winningTable;
    TTicketList ticketList;
    TResultLog resultLog;
    std::vector<TClassPrize> classPrizes; // the selected draw's classes, by the table's class index
    std::optional<TWinTotal> lastTotal;   // what the last check since the draw was selected came to
    bool CheckRequested = false;
};

// Restarts the log with the draw's summary and refills the winning table.
void ApplyDefinition(const TLotteryDefinition& definition, TCheckState& state);

// Runs a pending check: returns whether one ran (and the completion message is due).
bool RunRequestedCheck(TCheckState& state);

} // namespace kelmora
