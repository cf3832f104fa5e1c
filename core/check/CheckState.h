#pragma once

#include "core/check/CheckResult.h"
#include "core/check/CheckedDraw.h"
#include "core/check/ResultLog.h"
#include "core/draw/TicketList.h"

#include <memory>

namespace kelmora {

struct TLotteryDefinition;

// The state the main window owns for the whole run.
struct TCheckState {
    std::shared_ptr<const TCheckedDraw> draw = std::make_shared<const TCheckedDraw>(); // the selected draw
    TTicketList ticketList;
    TResultLog resultLog;
    std::shared_ptr<const TCheckResult> lastResult; // the last check since the draw was selected
    bool CheckRequested = false;

    const TWinningTable& WinningTable() const { return draw->winningTable; }
};

// Restarts the log with the draw's summary and makes it the draw the next checks use.
void ApplyDefinition(const TLotteryDefinition& definition, TCheckState& state);

// Runs a pending check: returns whether one ran (and the completion message is due). Its
// result becomes the state's last result and its wins go into the log.
bool RunRequestedCheck(TCheckState& state);

} // namespace kelmora
