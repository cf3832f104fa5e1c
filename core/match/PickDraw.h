#pragma once

#include "core/base/LineList.h"
#include "core/match/PickClass.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace kelmora {

// The winning-table entries a draw checks ticket by ticket, in table order. These draws pay
// each ticket at most once among them: by the first entry, in the draw's order, it matches.
class TPickDraw {
public:
    void Add(std::uint32_t entry, TPickClass pickClass)
    {
        // A ロト's classes share their numbers: each distinct set is counted once per ticket.
        slots_.push_back(kNoSlot);
        if (pickClass.IsCount()) {
            std::size_t slot = 0;
            while (slot < slotSets_.size() &&
                   !(slotSets_[slot].first == pickClass.Drawn() && slotSets_[slot].second == pickClass.BonusSet()))
                ++slot;
            if (slot == slotSets_.size())
                slotSets_.emplace_back(pickClass.Drawn(), pickClass.BonusSet());
            slots_.back() = slot;
        }
        entries_.push_back(entry);
        typed_ = typed_ || pickClass.Type() != TPurchaseType::None;
        byNumber_ = byNumber_ || pickClass.ComparesNumber();
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
        std::vector<std::pair<std::size_t, std::size_t>> counts(slotSets_.size());
        // The ticket each slot's counts were taken for: nothing to clear between tickets.
        std::vector<std::size_t> countedFor(slotSets_.size(), SIZE_MAX);
        for (std::size_t j = 0; j < tickets.size(); ++j) {
            ticket.Read(tickets[j], byNumber_);
            if (typed_ && ticket.Type() == TPurchaseType::None)
                ++untyped;
            for (std::size_t k = 0; k < classes_.size(); ++k) {
                const std::size_t slot = slots_[k];
                if (slot != kNoSlot && ticket.Type() == classes_[k].Type() && ticket.Picked()) {
                    if (countedFor[slot] != j) {
                        countedFor[slot] = j;
                        counts[slot] = {ticket.Set().Common(slotSets_[slot].first),
                                        ticket.Set().Common(slotSets_[slot].second)};
                    }
                    if (!classes_[k].MatchesCounts(counts[slot].first, counts[slot].second))
                        continue;
                    win(k, j);
                    break;
                }
                if (slot == kNoSlot && classes_[k].Matches(ticket)) {
                    win(k, j);
                    break;
                }
            }
        }
        return untyped;
    }

private:
    static constexpr std::size_t kNoSlot = SIZE_MAX;
    std::vector<std::uint32_t> entries_;
    std::vector<std::size_t> slots_; // by class: its drawn and bonus numbers' place in slotSets_, or kNoSlot
    std::vector<std::pair<TNumberSet, TNumberSet>> slotSets_;
    std::vector<TPickClass> classes_;
    bool typed_ = false;
    bool byNumber_ = false; // whether some class compares the ticket's number rather than its picks
};

} // namespace kelmora
