#pragma once

#include "core/base/LineList.h"
#include "core/match/PickClass.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelmora {

// The winning-table entries a draw checks ticket by ticket, in table order. These draws pay
// each ticket at most once among them: by the first entry, in the draw's order, it matches.
class TPickDraw {
public:
    void Add(std::uint32_t entry, TPickClass pickClass)
    {
        entries_.push_back(entry);
        typed_ = typed_ || pickClass.Type() != TPurchaseType::None;
        classes_.push_back(std::move(pickClass));
    }
    bool Empty() const { return entries_.empty(); }
    std::size_t Size() const { return entries_.size(); }
    // The winning-table entry of the k-th class.
    std::uint32_t Entry(std::size_t k) const { return entries_[k]; }
    // Whether some class pays only tickets of a purchase type.
    bool Typed() const { return typed_; }

    // Calls win(k, ticketIndex) for each ticket that one of the classes pays, in ticket order;
    // returns how many tickets were left unchecked by the typed classes for want of a type.
    template <class Win>
    std::size_t ForEachBestWin(const TLineList& tickets, Win&& win) const
    {
        TPickTicket ticket;
        std::size_t untyped = 0;
        for (std::size_t j = 0; j < tickets.size(); ++j) {
            ticket.Read(tickets[j]);
            if (typed_ && ticket.Type() == TPurchaseType::None)
                ++untyped;
            for (std::size_t k = 0; k < classes_.size(); ++k) {
                if (classes_[k].Matches(ticket)) {
                    win(k, j);
                    break;
                }
            }
        }
        return untyped;
    }

private:
    std::vector<std::uint32_t> entries_;
    std::vector<TPickClass> classes_;
    bool typed_ = false;
};

} // namespace kelmora
