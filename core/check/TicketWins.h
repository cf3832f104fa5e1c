#pragma once

#include "core/base/ByteString.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kelmora {

class TCheckResult;
struct TCheckedDraw;

// What one ticket won in a check: every view that shows the check ticket by ticket reads it
// from here, so that they cannot disagree.
struct TTicketWins {
    std::vector<std::uint32_t> classes; // the class of each of its wins, in class order
    std::uint64_t yen = 0;              // its wins' amounts, those whose prize is an amount
    bool inKind = false;                // some win's prize is no amount
    // Nothing when the sum passes 2^64 - 1.
    bool overflow = false;

    bool Won() const { return !classes.empty(); }
};

// Every ticket of the check, in ticket order.
std::vector<TTicketWins> WinsByTicket(const TCheckResult& result);

// The classes' labels joined by ・, in code page 932.
TByteString ClassesText(const TCheckedDraw& draw, const TTicketWins& wins);
// The amount in plain digits; for a prize in kind, the prizes that are no amount joined by ・ (after
// the digits of the rest); empty for a ticket that won nothing.
TByteString AmountText(const TCheckedDraw& draw, const TTicketWins& wins);

} // namespace kelmora
