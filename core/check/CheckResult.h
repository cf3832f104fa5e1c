#pragma once

#include "core/base/LineList.h"
#include "core/check/CheckedDraw.h"
#include "core/check/WinTotal.h"

#include <cstdint>
#include <ctime>
#include <memory>
#include <vector>

namespace kelmora {

// One win: a winning-table entry of the draw and the index of the ticket that won with it.
struct TCheckWin {
    std::uint32_t entry;
    std::uint32_t ticket;
    bool operator==(const TCheckWin&) const = default;
};

// What one check found. Every report, in the window and in kelmora-check alike, is a view of
// it: nothing checks a second time to write a report, so no two forms can pay differently.
// The draw and the tickets are shared, not copied, and stay as they were checked whatever the
// lists change afterwards.
class TCheckResult {
public:
    TCheckResult(std::shared_ptr<const TCheckedDraw> draw, std::shared_ptr<const TLineList> tickets,
                 std::time_t checkedAt);

    const TCheckedDraw& Draw() const { return *draw_; }
    const TLineList& Tickets() const { return *tickets_; } // every ticket checked, in ticket order
    // In report order: by winning number in table order, then in ticket order.
    const std::vector<TCheckWin>& Wins() const { return wins_; }
    const std::vector<std::uint64_t>& WinsOfClass() const { return winsOfClass_; } // every class
    const TWinTotal& Total() const { return total_; }
    std::time_t CheckedAt() const { return checkedAt_; }

    std::uint32_t ClassOf(const TCheckWin& win) const { return draw_->winningTable.ClassOf()[win.entry]; }
    std::string_view NumberOf(const TCheckWin& win) const { return draw_->winningTable.Numbers()[win.entry]; }
    std::string_view TicketOf(const TCheckWin& win) const { return (*tickets_)[win.ticket]; }

private:
    std::shared_ptr<const TCheckedDraw> draw_;
    std::shared_ptr<const TLineList> tickets_;
    std::time_t checkedAt_;
    std::vector<TCheckWin> wins_;
    std::vector<std::uint64_t> winsOfClass_;
    TWinTotal total_;
};

} // namespace kelmora
