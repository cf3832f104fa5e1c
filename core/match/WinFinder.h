#pragma once

#include "core/base/LineList.h"
#include "core/match/MatchRule.h"
#include "core/match/PickDraw.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelmora {

// Every win of a check, found once and handed out in report order: by winning number in
// table order, then in ticket order. A ticket ends in a winning number when its last bytes
// equal it, unless the number's class names another kind of match. The window's log and every
// batch output form read the wins from here.
class TWinFinder {
public:
    // Both lists must outlive the finder.
    TWinFinder(const TLineList& numbers, const TLineList& tickets);
    // Number i compared by rules[i] (an empty list: every number by its bytes). Tickets are
    // normalised once, and only when some number names a rule.
    TWinFinder(const TLineList& numbers, const std::vector<TMatchRule>& rules, const TLineList& tickets);
    // The entries of `picks` are checked ticket by ticket, each ticket paid by the first of
    // them it matches; the others as above.
    TWinFinder(const TLineList& numbers, const std::vector<TMatchRule>& rules, const TLineList& tickets,
               const TPickDraw& picks);

    // Calls win(tableIndex, ticketIndex) for each win, in report order.
    template <class Win>
    void ForEachWin(Win&& win) const
    {
        for (std::size_t i = 0; i < idOfEntry_.size(); ++i) {
            const std::uint32_t id = idOfEntry_[i];
            for (std::uint32_t k = firstWin_[id]; k < firstWin_[id + 1]; ++k)
                win(i, static_cast<std::size_t>(winners_[k]));
        }
    }
    // How many tickets win with table entry `tableIndex`.
    std::size_t WinCount(std::size_t tableIndex) const
    {
        if (tableIndex >= idOfEntry_.size())
            return 0;
        const std::uint32_t id = idOfEntry_[tableIndex];
        return firstWin_[id + 1] - firstWin_[id];
    }

    // Tickets without a purchase word where some class pays only tickets bought one way.
    std::size_t UntypedTickets() const { return untypedTickets_; }

private:
    std::size_t untypedTickets_ = 0;
    std::vector<std::uint32_t> idOfEntry_; // distinct-number id of each table entry
    std::vector<std::uint32_t> firstWin_;  // by id: where its tickets start in winners_
    std::vector<std::uint32_t> winners_;   // ticket indexes, grouped by id, in ticket order
};

} // namespace kelmora
