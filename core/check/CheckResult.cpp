#include "core/check/CheckResult.h"

#include "core/check/WinningCheck.h"

#include <utility>

namespace kelmora {

TCheckResult::TCheckResult(std::shared_ptr<const TCheckedDraw> draw, std::shared_ptr<const TLineList> tickets,
                           std::time_t checkedAt)
    : draw_(std::move(draw)),
      tickets_(std::move(tickets)),
      checkedAt_(checkedAt),
      wins_(FindWins(draw_->winningTable, *tickets_)),
      winsOfClass_(draw_->definition.classes.size(), 0)
{
    std::vector<bool> won(wins_.empty() ? 0 : tickets_->size());
    std::uint64_t winningTickets = 0;
    for (const TCheckWin& win : wins_) {
        ++winsOfClass_[ClassOf(win)];
        if (!won[win.ticket]) {
            won[win.ticket] = true;
            ++winningTickets;
        }
    }
    total_ = TotalOfWins(draw_->amountOfClass, winsOfClass_);
    total_.winningTickets = winningTickets;
}

} // namespace kelmora
