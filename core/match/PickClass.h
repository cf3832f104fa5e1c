#pragma once

#include "core/base/ByteString.h"
#include "core/base/LineList.h"
#include "core/match/MatchRule.h"
#include "core/match/NumberSet.h"
#include "core/match/PickTicket.h"
#include "core/match/PurchaseType.h"

#include <cstdint>
#include <vector>

namespace kelmora {

// A winning-table entry checked ticket by ticket: a class of kind count, box or lines, or one
// with a purchase type (its numbers compared as its rule says, on the ticket's number alone).
class TPickClass {
public:
    // `numbers`: for count and lines, all the class's numbers (lines: the 8 cells in order);
    // otherwise the entry's one winning number. `bonus`: the class's bonus numbers.
    TPickClass(TMatchKind kind, TPurchaseType type, const TLineList& numbers, const TLineList& bonus);

    bool Matches(const TPickTicket& ticket) const;
    // A count class's test on the counts already made: `hits` of the drawn numbers and
    // `bonus` of the bonus numbers.
    bool MatchesCounts(std::size_t hits, std::size_t bonus) const;
    bool IsCount() const { return kind_.rule == TMatchRule::Count; }
    const TNumberSet& Drawn() const { return drawn_; }
    const TNumberSet& BonusSet() const { return bonus_; }
    TPurchaseType Type() const { return type_; }
    // Whether the class compares a ticket's number (box, or a typed class by a suffix kind).
    bool ComparesNumber() const { return kind_.rule != TMatchRule::Count && kind_.rule != TMatchRule::Lines; }

private:
    bool MatchesNumber(const TPickTicket& ticket) const;
    bool MatchesLines(const std::vector<std::uint32_t>& cells) const;

    TMatchKind kind_;
    TPurchaseType type_;
    TNumberSet drawn_;
    TNumberSet bonus_;
    std::vector<std::uint32_t> cells_; // lines: the drawn numbers in cell order
    TByteString number_;               // the entry's number as written
    TByteString normalised_;
    TByteString sortedDigits_; // box: the normalised number's bytes in order
};

} // namespace kelmora
